#pragma once
// A streaming JSON writer: compact output, keys in the order they are written.

#include "vorlane/Platform/Json/JsonReader.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane::json {

struct EncoderSettings {
    DateStrategy dates = DateStrategy::secondsSinceReferenceDate;

    static EncoderSettings iso8601() { return {DateStrategy::iso8601}; }
};

class Writer {
public:
    explicit Writer(EncoderSettings settings = {}) : settings_(settings) {}

    void beginObject() {
        if (mergeNextObject_) {
            // The members land in the object already open; its comma state carries on.
            mergeNextObject_ = false;
            mergedObjects_.push_back(true);
            return;
        }
        if (!mergedObjects_.empty()) mergedObjects_.push_back(false);
        separate();
        out_ += '{';
        needsComma_ = false;
    }
    void endObject() {
        bool merged = false;
        if (!mergedObjects_.empty()) {
            merged = mergedObjects_.back();
            mergedObjects_.pop_back();
        }
        if (!merged) out_ += '}';
        needsComma_ = true;
    }
    // The next object written (a whole record's encoding) adds its members to the object that is
    // open now instead of opening its own: how a tagged coder writes "type" beside the record's keys.
    void mergeNextObject() { mergeNextObject_ = true; }
    void beginArray() { separate(); out_ += '['; needsComma_ = false; }
    void endArray() { out_ += ']'; needsComma_ = true; }
    // Writes a member name; the member's value follows.
    void key(std::string_view name);

    void string(std::string_view text);
    void boolean(bool b) { separate(); out_ += b ? "true" : "false"; }
    void int64(std::int64_t i);
    void uint64(std::uint64_t u);
    // Shortest text that reads back to the same double; whole numbers keep ".0" ("12.0").
    // Throws EncodingError for NaN and infinities, which JSON cannot hold.
    void number(double d);
    void null() { separate(); out_ += "null"; }
    // Splices already-encoded JSON text in as one value.
    void raw(std::string_view json) { separate(); out_ += json; }

    const EncoderSettings& settings() const noexcept { return settings_; }
    const std::string& str() const noexcept { return out_; }
    std::string take() { return std::move(out_); }

private:
    void separate() {
        if (needsComma_) out_ += ',';
        needsComma_ = true;
    }

    EncoderSettings settings_;
    std::string out_;
    bool needsComma_ = false;
    bool mergeNextObject_ = false;
    std::vector<bool> mergedObjects_;  // per open object while a merge is under way: merged or not
};

// Appends `text` as a quoted JSON string with the required escapes.
void appendQuoted(std::string& out, std::string_view text);

}  // namespace vorlane::json
