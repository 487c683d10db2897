#pragma once
// A streaming JSON writer: compact output, keys in the order they are written.
//
// The output is one buffer kept at its full capacity: each write asks once for the room it needs
// and then stores its bytes without further checks, so a value costs one comparison, not one per
// character. A buffer handed in (json::encodeInto) keeps its capacity across encodings, the way a
// parser keeps its buffers across parses.

#include "vorlane/Platform/Json/JsonReader.hpp"

#include <cstdint>
#include <cstring>
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
    // `buffer`'s contents are discarded; its capacity is reused.
    explicit Writer(EncoderSettings settings = {}, std::string buffer = {});

    void beginObject() {
        if (mergeNextObject_) {
            // The members land in the object already open; its comma state carries on.
            mergeNextObject_ = false;
            mergedObjects_.push_back(true);
            return;
        }
        if (!mergedObjects_.empty()) mergedObjects_.push_back(false);
        open('{');
    }
    void endObject() {
        bool merged = false;
        if (!mergedObjects_.empty()) {
            merged = mergedObjects_.back();
            mergedObjects_.pop_back();
        }
        if (!merged) *room(1)++ = '}';
        needsComma_ = true;
    }
    // The next object written (a whole record's encoding) adds its members to the object that is
    // open now instead of opening its own: how a tagged coder writes "type" beside the record's keys.
    void mergeNextObject() { mergeNextObject_ = true; }
    void beginArray() { open('['); }
    void endArray() {
        *room(1)++ = ']';
        needsComma_ = true;
    }
    // Writes a member name; the member's value follows.
    void key(std::string_view name) {
        quoted(name, needsComma_, ':');
        needsComma_ = false;
    }
    void string(std::string_view text) {
        quoted(text, needsComma_, 0);
        needsComma_ = true;
    }
    void boolean(bool b) { literal(b ? std::string_view("true") : std::string_view("false")); }
    void int64(std::int64_t i);
    void uint64(std::uint64_t u);
    // Shortest text that reads back to the same double; whole numbers keep ".0" ("12.0").
    // Throws EncodingError for NaN and infinities, which JSON cannot hold.
    void number(double d);
    void null() { literal("null"); }
    // Splices already-encoded JSON text in as one value.
    void raw(std::string_view json) { literal(json); }

    const EncoderSettings& settings() const noexcept { return settings_; }
    std::string take();

private:
    // Makes room for `n` more bytes and returns where they go; the caller advances `end_`.
    char*& room(std::size_t n) {
        if (static_cast<std::size_t>(limit_ - end_) < n) grow(n);
        return end_;
    }
    void grow(std::size_t n);
    void open(char bracket) {
        char*& at = room(2);
        if (needsComma_) *at++ = ',';
        *at++ = bracket;
        needsComma_ = false;
    }
    void literal(std::string_view text) {
        char*& at = room(text.size() + 1);
        if (needsComma_) *at++ = ',';
        std::memcpy(at, text.data(), text.size());
        at += text.size();
        needsComma_ = true;
    }
    // Writes `text` quoted and escaped, after a comma if `comma`, and `suffix` after it unless 0.
    void quoted(std::string_view text, bool comma, char suffix);

    EncoderSettings settings_;
    std::string out_;  // sized to its capacity; [data, end_) is written, [end_, limit_) is room
    char* end_ = nullptr;
    char* limit_ = nullptr;
    bool needsComma_ = false;
    bool mergeNextObject_ = false;
    std::vector<bool> mergedObjects_;  // per open object while a merge is under way: merged or not
};

}  // namespace vorlane::json
