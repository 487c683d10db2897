#pragma once
// A read-only view of a parsed JSON document that knows where it is.
//
// Every Value carries its path (a chain of nodes living in the callers' frames), the decoder
// settings and the diagnostics collector of the decode it belongs to. Failures name the path;
// the path is only rendered to text when something fails or is reported.
//
// The parser itself stays inside JsonReader.cpp so this header is cheap to include.

#include "vorlane/Platform/Json/JsonError.hpp"
#include "vorlane/Platform/Json/detail/ParsedTape.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// The cursor steps are forced inline: each is a handful of loads, and left to itself the compiler
// calls them out of line from the record decoders.
#if defined(__GNUC__)
#define VORLANE_JSON_HOT [[gnu::always_inline]]
#else
#define VORLANE_JSON_HOT
#endif

namespace vorlane::json {

// How dates are read and written. Legacy answers carry ISO 8601 strings; under the default
// settings a date is a number of seconds since 2001-01-01T00:00:00Z and no string is read as a date.
enum class DateStrategy { secondsSinceReferenceDate, iso8601 };

struct DecoderSettings {
    DateStrategy dates = DateStrategy::secondsSinceReferenceDate;
    // The largest answer a decode accepts, in bytes; a larger one fails with dataCorrupted at
    // "(root)" before it is parsed (and, read with PaddedAnswer, before more of it is read).
    // Generous by default: real answers are a few megabytes.
    std::size_t maxAnswerBytes = std::size_t{256} << 20;

    static DecoderSettings iso8601() { return {DateStrategy::iso8601}; }
};

struct DecodeContext {
    DecoderSettings settings;
    Diagnostics* diagnostics = nullptr;
};

namespace detail {
// The document a decode reads: the parser's tape and the decode's settings and collector.
struct Document {
    Tape tape;
    const DecodeContext* context = nullptr;
};
}  // namespace detail

enum class ValueKind { null, boolean, int64, uint64, floating, string, array, object };

// "null", "a boolean", "a number", "a string", "an array", "an object".
std::string_view describe(ValueKind kind) noexcept;


class ObjectCursor;
class ArrayCursor;

// Where one member of an object sits in the document, to be read later (see Value::member).
struct MemberRef {
    const std::uint64_t* keyWord = nullptr;
    explicit operator bool() const noexcept { return keyWord != nullptr; }
};

class Value {
public:
    ValueKind kind() const noexcept;
    bool isNull() const noexcept { return type() == 'n'; }
    bool isObject() const noexcept { return type() == '{'; }
    bool isArray() const noexcept { return type() == '['; }
    bool isString() const noexcept { return type() == '"'; }
    bool isNumber() const noexcept {
        char t = type();
        return t == 'l' || t == 'u' || t == 'd';
    }

    // Typed reads. Null fails with valueNotFound, another type with typeMismatch,
    // a number that does not fit with dataCorrupted; `what` names the expected type in messages.
    std::string_view string(std::string_view what = "String") const {
        if (type() != '"') failExpected(what);
        return tape().string(word_);
    }
    bool boolean() const {
        char t = type();
        if (t != 't' && t != 'f') failExpected("Bool");
        return t == 't';
    }
    std::int64_t int64() const {
        if (type() == 'l') return detail::Tape::numberAfter<std::int64_t>(word_);
        return int64Slow();
    }
    std::uint64_t uint64() const;
    double number() const {
        switch (type()) {
            case 'd': return detail::Tape::numberAfter<double>(word_);
            case 'l': return static_cast<double>(detail::Tape::numberAfter<std::int64_t>(word_));
            case 'u': return static_cast<double>(detail::Tape::numberAfter<std::uint64_t>(word_));
            default: failExpected("Double");
        }
    }

    // Member look-up by name (irregular codecs); absent when the key is missing.
    // Fails with typeMismatch when this value is not an object.
    std::optional<Value> member(std::string_view key) const;
    // The member of this object that `ref` (from this object's cursor) names.
    Value member(MemberRef ref) const noexcept { return Value(ref.keyWord, *this); }
    // Member count of an object, element count of an array.
    std::size_t size() const;

    ObjectCursor members() const;  // fails unless an object
    ArrayCursor elements() const;  // fails unless an array

    // "data.page.containers[2].type"; "(root)" for the document itself. Built only when asked
    // for (a failure or a report): a value holds just its parent and its step from it.
    std::string path() const;
    const DecodeContext& context() const noexcept { return *document_->context; }
    const DecoderSettings& settings() const noexcept { return document_->context->settings; }

    [[noreturn]] void fail(ErrorKind kind, std::string message) const;
    // Fails with valueNotFound on null, typeMismatch otherwise.
    [[noreturn]] void failExpected(std::string_view expected) const;
    // The failure for a key that is required here but missing.
    [[noreturn]] void failMissingKey(std::string_view key) const;
    // Records a diagnostic at this value's path (no-op without a collector).
    void report(std::string reason) const;
    void report(const DecodingError& error) const;

    // Short JSON text of this value for messages (cut after a few dozen characters).
    std::string excerpt() const;

private:
    friend class ObjectCursor;
    friend class ArrayCursor;
    friend struct RootFactory;
    Value() = default;
    // A member of `parent` (an object), named by the key word before its value.
    Value(const std::uint64_t* keyWord, const Value& parent) noexcept
        : word_(keyWord + 1), document_(parent.document_), parent_(&parent),
          step_(reinterpret_cast<std::uintptr_t>(keyWord)) {}
    // An element of `parent` (an array).
    Value(const std::uint64_t* word, const Value& parent, std::size_t index) noexcept
        : word_(word), document_(parent.document_), parent_(&parent), step_(index) {}

    char type() const noexcept { return detail::Tape::typeOf(word_); }
    const detail::Tape& tape() const noexcept { return document_->tape; }
    std::int64_t int64Slow() const;
    void appendPath(std::string& out) const;

    const std::uint64_t* word_ = nullptr;
    const detail::Document* document_ = nullptr;
    const Value* parent_ = nullptr;  // null for the root
    std::uintptr_t step_ = 0;        // the key word in an object parent, the index in an array parent
};

// Walks an object's members in document order, in one pass.
//   for (auto cursor = value.members(); cursor.next();) { cursor.key(); cursor.value(); }
class ObjectCursor {
public:
    VORLANE_JSON_HOT bool next() noexcept {
        if (next_ == end_) return false;
        keyWord_ = next_;
        key_ = object_->tape().string(keyWord_);
        next_ = object_->tape().after(keyWord_ + 1);
        return true;
    }
    std::string_view key() const noexcept { return key_; }
    Value value() const noexcept { return Value(keyWord_, *object_); }
    MemberRef ref() const noexcept { return MemberRef{keyWord_}; }

private:
    friend class Value;
    explicit ObjectCursor(const Value& object) noexcept
        : object_(&object), next_(object.word_ + 1), end_(object.tape().closing(object.word_)) {}

    const Value* object_;
    const std::uint64_t* next_;
    const std::uint64_t* end_;
    const std::uint64_t* keyWord_ = nullptr;
    std::string_view key_;
};

// Walks an array's elements in order; value() carries the element's index in its path.
class ArrayCursor {
public:
    VORLANE_JSON_HOT bool next() noexcept {
        if (next_ == end_) return false;
        current_ = next_;
        next_ = array_->tape().after(current_);
        index_ = count_++;
        return true;
    }
    std::size_t index() const noexcept { return index_; }
    Value value() const noexcept { return Value(current_, *array_, index_); }

private:
    friend class Value;
    explicit ArrayCursor(const Value& array) noexcept
        : array_(&array), next_(array.word_ + 1), end_(array.tape().closing(array.word_)) {}

    const Value* array_;
    const std::uint64_t* next_;
    const std::uint64_t* end_;
    const std::uint64_t* current_ = nullptr;
    std::size_t index_ = 0;
    std::size_t count_ = 0;
};

VORLANE_JSON_HOT inline ObjectCursor Value::members() const {
    if (!isObject()) failExpected("an object");
    return ObjectCursor(*this);
}

VORLANE_JSON_HOT inline ArrayCursor Value::elements() const {
    if (!isArray()) failExpected("an array");
    return ArrayCursor(*this);
}

namespace detail {
// Parses `bytes` (with a parser reused per thread and nesting level) and calls `visit` with the
// root value. Malformed JSON fails with dataCorrupted at "(root)".
void withRoot(std::string_view bytes, const DecodeContext& context, void (*visit)(const Value&, void*), void* state);
}  // namespace detail

}  // namespace vorlane::json
