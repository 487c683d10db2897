#pragma once
// A read-only view of a parsed JSON document that knows where it is.
//
// Every Value carries its path (a chain of nodes living in the callers' frames), the decoder
// settings and the diagnostics collector of the decode it belongs to. Failures name the path;
// the path is only rendered to text when something fails or is reported.
//
// The parser itself stays inside JsonReader.cpp so this header is cheap to include.

#include "vorlane/Platform/Json/JsonError.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlane::json {

// How dates are read and written. Legacy answers carry ISO 8601 strings; under the default
// settings a date is a number of seconds since 2001-01-01T00:00:00Z and no string is read as a date.
enum class DateStrategy { secondsSinceReferenceDate, iso8601 };

struct DecoderSettings {
    DateStrategy dates = DateStrategy::secondsSinceReferenceDate;

    static DecoderSettings iso8601() { return {DateStrategy::iso8601}; }
};

struct DecodeContext {
    DecoderSettings settings;
    Diagnostics* diagnostics = nullptr;
};

// One step of a path: a member name or an array index.
struct PathNode {
    const PathNode* parent = nullptr;
    std::string_view key;
    std::size_t index = 0;
    bool isIndex = false;
    bool isRoot = true;
};

// "data.page.containers[2].type"; "(root)" for the document itself.
std::string renderPath(const PathNode& node);
// The path of `key` below `node`, for keys that are not there.
std::string renderPath(const PathNode& node, std::string_view key);

enum class ValueKind { null, boolean, int64, uint64, floating, string, array, object };

// "null", "a boolean", "a number", "a string", "an array", "an object".
std::string_view describe(ValueKind kind) noexcept;

class ObjectCursor;
class ArrayCursor;

class Value {
public:
    ValueKind kind() const noexcept;
    bool isNull() const noexcept { return kind() == ValueKind::null; }
    bool isObject() const noexcept { return kind() == ValueKind::object; }
    bool isArray() const noexcept { return kind() == ValueKind::array; }
    bool isString() const noexcept { return kind() == ValueKind::string; }
    bool isNumber() const noexcept;

    // Typed reads. Null fails with valueNotFound, another type with typeMismatch,
    // a number that does not fit with dataCorrupted; `what` names the expected type in messages.
    std::string_view string(std::string_view what = "String") const;
    bool boolean() const;
    std::int64_t int64() const;
    std::uint64_t uint64() const;
    double number() const;

    // Member look-up by name (irregular codecs); absent when the key is missing.
    // Fails with typeMismatch when this value is not an object.
    std::optional<Value> member(std::string_view key) const;
    // Member count of an object, element count of an array.
    std::size_t size() const;

    ObjectCursor members() const;  // fails unless an object
    ArrayCursor elements() const;  // fails unless an array

    const PathNode& pathNode() const noexcept { return node_; }
    std::string path() const { return renderPath(node_); }
    const DecodeContext& context() const noexcept { return *context_; }
    const DecoderSettings& settings() const noexcept { return context_->settings; }

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
    friend struct ValueFactory;
    Value() = default;

    alignas(8) unsigned char element_[16]{};  // the parser's element handle
    PathNode node_;
    const DecodeContext* context_ = nullptr;
};

// Walks an object's members in document order, in one pass.
//   for (auto cursor = value.members(); cursor.next();) { cursor.key(); cursor.value(); }
class ObjectCursor {
public:
    bool next();
    std::string_view key() const noexcept { return key_; }
    Value value() const;

private:
    friend class Value;
    explicit ObjectCursor(const Value& object);

    const Value* object_;
    alignas(8) unsigned char iterator_[16]{};
    alignas(8) unsigned char end_[16]{};
    std::string_view key_;
    bool started_ = false;
};

// Walks an array's elements in order; value() carries the element's index in its path.
class ArrayCursor {
public:
    bool next();
    std::size_t index() const noexcept { return index_; }
    Value value() const;

private:
    friend class Value;
    explicit ArrayCursor(const Value& array);

    const Value* array_;
    alignas(8) unsigned char iterator_[16]{};
    alignas(8) unsigned char end_[16]{};
    std::size_t index_ = 0;
    bool started_ = false;
};

namespace detail {
// Parses `bytes` (with a parser reused per thread and nesting level) and calls `visit` with the
// root value. Malformed JSON fails with dataCorrupted at "(root)".
void withRoot(std::string_view bytes, const DecodeContext& context, void (*visit)(const Value&, void*), void* state);
}  // namespace detail

}  // namespace vorlane::json
