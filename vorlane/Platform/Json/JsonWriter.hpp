#pragma once
// A streaming JSON writer: compact output, keys in the order they are written.

#include "vorlane/Platform/Json/JsonReader.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlane::json {

struct EncoderSettings {
    DateStrategy dates = DateStrategy::secondsSinceReferenceDate;

    static EncoderSettings iso8601() { return {DateStrategy::iso8601}; }
};

class Writer {
public:
    explicit Writer(EncoderSettings settings = {}) : settings_(settings) {}

    void beginObject() { separate(); out_ += '{'; needsComma_ = false; }
    void endObject() { out_ += '}'; needsComma_ = true; }
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
};

// Appends `text` as a quoted JSON string with the required escapes.
void appendQuoted(std::string& out, std::string_view text);

}  // namespace vorlane::json
