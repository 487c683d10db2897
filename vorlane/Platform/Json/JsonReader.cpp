#include "vorlane/Platform/Json/JsonReader.hpp"

#include <simdjson.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

namespace vorlane::json {

namespace dom = simdjson::dom;

// The parser's handles are stored as raw bytes so this header need not include the parser.
static_assert(sizeof(dom::element) == 16 && std::is_trivially_copyable_v<dom::element>);
static_assert(sizeof(dom::object::iterator) == 16 && std::is_trivially_copyable_v<dom::object::iterator>);
static_assert(sizeof(dom::array::iterator) == 16 && std::is_trivially_copyable_v<dom::array::iterator>);

namespace {

template <class Handle>
Handle load(const unsigned char (&bytes)[16]) {
    Handle handle;
    std::memcpy(static_cast<void*>(&handle), bytes, sizeof handle);
    return handle;
}

template <class Handle>
void store(unsigned char (&bytes)[16], const Handle& handle) {
    std::memcpy(bytes, static_cast<const void*>(&handle), sizeof handle);
}

void appendNode(std::string& out, const PathNode& node) {
    if (node.isRoot) return;
    if (node.parent) appendNode(out, *node.parent);
    if (node.isIndex) {
        out += '[';
        out += std::to_string(node.index);
        out += ']';
    } else {
        if (!out.empty()) out += '.';
        out += node.key;
    }
}

}  // namespace

// Makes the values of a document: its root and the children met while walking it. Children are
// built field by field: assigning a PathNode temporary made the compiler copy it through the stack
// with overlapping loads that stall the store buffer, which cost about a tenth of decode time.
struct ValueFactory {
    static Value root(const dom::element& element, const DecodeContext& context) {
        Value root;
        store(root.element_, element);
        root.context_ = &context;
        return root;
    }
    static Value member(const Value& parent, const dom::element& element, std::string_view key) {
        Value value = child(parent, element);
        value.node_.key = key;
        return value;
    }
    static Value element(const Value& parent, const dom::element& element, std::size_t index) {
        Value value = child(parent, element);
        value.node_.index = index;
        value.node_.isIndex = true;
        return value;
    }

private:
    static Value child(const Value& parent, const dom::element& element) {
        Value value;
        store(value.element_, element);
        value.node_.parent = &parent.node_;
        value.node_.isRoot = false;
        value.context_ = parent.context_;
        return value;
    }
};

std::string_view toString(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::keyNotFound: return "keyNotFound";
        case ErrorKind::valueNotFound: return "valueNotFound";
        case ErrorKind::typeMismatch: return "typeMismatch";
        case ErrorKind::dataCorrupted: return "dataCorrupted";
    }
    return "unknown";
}

DecodingError::DecodingError(ErrorKind kind, std::string path, std::string message)
    : kind_(kind), path_(std::move(path)), message_(std::move(message)), what_(path_ + ": " + message_) {}

std::string renderPath(const PathNode& node) {
    std::string out;
    appendNode(out, node);
    return out.empty() ? std::string("(root)") : out;
}

std::string renderPath(const PathNode& node, std::string_view key) {
    PathNode child{&node, key, 0, false, false};
    return renderPath(child);
}

std::string_view describe(ValueKind kind) noexcept {
    switch (kind) {
        case ValueKind::null: return "null";
        case ValueKind::boolean: return "a boolean";
        case ValueKind::int64:
        case ValueKind::uint64:
        case ValueKind::floating: return "a number";
        case ValueKind::string: return "a string";
        case ValueKind::array: return "an array";
        case ValueKind::object: return "an object";
    }
    return "a value";
}

ValueKind Value::kind() const noexcept {
    switch (load<dom::element>(element_).type()) {
        case dom::element_type::ARRAY: return ValueKind::array;
        case dom::element_type::OBJECT: return ValueKind::object;
        case dom::element_type::INT64: return ValueKind::int64;
        case dom::element_type::UINT64: return ValueKind::uint64;
        case dom::element_type::DOUBLE: return ValueKind::floating;
        case dom::element_type::STRING: return ValueKind::string;
        case dom::element_type::BOOL: return ValueKind::boolean;
        case dom::element_type::NULL_VALUE: return ValueKind::null;
    }
    return ValueKind::null;
}

bool Value::isNumber() const noexcept {
    auto k = kind();
    return k == ValueKind::int64 || k == ValueKind::uint64 || k == ValueKind::floating;
}

void Value::fail(ErrorKind kind, std::string message) const { throw DecodingError(kind, path(), std::move(message)); }

void Value::failExpected(std::string_view expected) const {
    auto k = kind();
    if (k == ValueKind::null)
        fail(ErrorKind::valueNotFound, "expected " + std::string(expected) + " but found null");
    fail(ErrorKind::typeMismatch, "expected " + std::string(expected) + " but found " + std::string(describe(k)));
}

void Value::failMissingKey(std::string_view key) const {
    throw DecodingError(ErrorKind::keyNotFound, renderPath(node_, key),
                        "required key \"" + std::string(key) + "\" not found");
}

void Value::report(std::string reason) const {
    if (context_->diagnostics) context_->diagnostics->record(path(), std::move(reason));
}

void Value::report(const DecodingError& error) const {
    if (!context_->diagnostics) return;
    // The reason keeps the inner failure's own path when it lies deeper than this value.
    std::string here = path();
    if (error.path() == here)
        context_->diagnostics->record(std::move(here), error.message());
    else
        context_->diagnostics->record(std::move(here), error.what());
}

std::string Value::excerpt() const {
    std::string text = simdjson::minify(load<dom::element>(element_));
    constexpr std::size_t limit = 60;
    if (text.size() > limit) {
        text.resize(limit);
        text += "...";
    }
    return text;
}

std::string_view Value::string(std::string_view what) const {
    auto element = load<dom::element>(element_);
    if (element.type() != dom::element_type::STRING) failExpected(what);
    return element.get_string().value_unsafe();
}

bool Value::boolean() const {
    auto element = load<dom::element>(element_);
    if (element.type() != dom::element_type::BOOL) failExpected("Bool");
    return element.get_bool().value_unsafe();
}

namespace {
// A double that is a whole number inside the target's range converts exactly.
template <class Int>
bool wholeNumberFits(double d) {
    if (!std::isfinite(d) || std::trunc(d) != d) return false;
    // Compare against 2^bits bounds that are exact in double.
    constexpr double upper = std::is_signed_v<Int> ? 9223372036854775808.0 : 18446744073709551616.0;
    constexpr double lower = std::is_signed_v<Int> ? -9223372036854775808.0 : 0.0;
    return d >= lower && d < upper;
}
}  // namespace

std::int64_t Value::int64() const {
    auto element = load<dom::element>(element_);
    switch (element.type()) {
        case dom::element_type::INT64: return element.get_int64().value_unsafe();
        case dom::element_type::UINT64:
            fail(ErrorKind::dataCorrupted, "number " + excerpt() + " does not fit in a signed 64-bit integer");
        case dom::element_type::DOUBLE: {
            double d = element.get_double().value_unsafe();
            if (!wholeNumberFits<std::int64_t>(d))
                fail(ErrorKind::dataCorrupted, "number " + excerpt() + " is not a whole number that fits in a signed 64-bit integer");
            return static_cast<std::int64_t>(d);
        }
        default: failExpected("Int");
    }
}

std::uint64_t Value::uint64() const {
    auto element = load<dom::element>(element_);
    switch (element.type()) {
        case dom::element_type::UINT64: return element.get_uint64().value_unsafe();
        case dom::element_type::INT64: {
            auto i = element.get_int64().value_unsafe();
            if (i < 0) fail(ErrorKind::dataCorrupted, "number " + excerpt() + " does not fit in an unsigned integer");
            return static_cast<std::uint64_t>(i);
        }
        case dom::element_type::DOUBLE: {
            double d = element.get_double().value_unsafe();
            if (!wholeNumberFits<std::uint64_t>(d))
                fail(ErrorKind::dataCorrupted, "number " + excerpt() + " is not a whole number that fits in an unsigned integer");
            return static_cast<std::uint64_t>(d);
        }
        default: failExpected("UInt");
    }
}

double Value::number() const {
    auto element = load<dom::element>(element_);
    switch (element.type()) {
        case dom::element_type::DOUBLE: return element.get_double().value_unsafe();
        case dom::element_type::INT64: return static_cast<double>(element.get_int64().value_unsafe());
        case dom::element_type::UINT64: return static_cast<double>(element.get_uint64().value_unsafe());
        default: failExpected("Double");
    }
}

std::optional<Value> Value::member(std::string_view key) const {
    auto element = load<dom::element>(element_);
    if (element.type() != dom::element_type::OBJECT) failExpected("an object");
    // The last occurrence wins, as in a one-pass decode.
    std::optional<Value> found;
    auto object = element.get_object().value_unsafe();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != key) continue;
        found = ValueFactory::member(*this, it.value(), it.key());
    }
    return found;
}

std::size_t Value::size() const {
    auto element = load<dom::element>(element_);
    switch (element.type()) {
        case dom::element_type::OBJECT: return element.get_object().value_unsafe().size();
        case dom::element_type::ARRAY: return element.get_array().value_unsafe().size();
        default: failExpected("an object or an array");
    }
}

ObjectCursor Value::members() const {
    if (kind() != ValueKind::object) failExpected("an object");
    return ObjectCursor(*this);
}

ArrayCursor Value::elements() const {
    if (kind() != ValueKind::array) failExpected("an array");
    return ArrayCursor(*this);
}

ObjectCursor::ObjectCursor(const Value& object) : object_(&object) {
    auto o = load<dom::element>(object.element_).get_object().value_unsafe();
    store(iterator_, o.begin());
    store(end_, o.end());
}

bool ObjectCursor::next() {
    auto it = load<dom::object::iterator>(iterator_);
    if (started_) ++it;
    started_ = true;
    store(iterator_, it);
    if (it == load<dom::object::iterator>(end_)) return false;
    key_ = it.key();
    return true;
}

Value ObjectCursor::value() const {
    // The key is rebuilt from its parts: copied whole, it is read back with one wide load right
    // after next() wrote it with two narrow stores, which cannot be forwarded.
    return ValueFactory::member(*object_, load<dom::object::iterator>(iterator_).value(),
                                std::string_view(key_.data(), key_.size()));
}

ArrayCursor::ArrayCursor(const Value& array) : array_(&array) {
    auto a = load<dom::element>(array.element_).get_array().value_unsafe();
    store(iterator_, a.begin());
    store(end_, a.end());
}

bool ArrayCursor::next() {
    auto it = load<dom::array::iterator>(iterator_);
    if (started_) {
        ++it;
        ++index_;
    }
    started_ = true;
    store(iterator_, it);
    return it != load<dom::array::iterator>(end_);
}

Value ArrayCursor::value() const {
    return ValueFactory::element(*array_, *load<dom::array::iterator>(iterator_), index_);
}


namespace detail {

namespace {
// One parser and one padded input buffer per nesting level and thread: a codec may decode embedded
// JSON while an outer document is still being read, so they are never shared between live
// documents. Reusing the buffer keeps a large answer from costing a fresh allocation (and its page
// faults) on every decode.
struct ParseSlot {
    dom::parser parser;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = 0;

    const char* pad(std::string_view bytes) {
        const std::size_t needed = bytes.size() + simdjson::SIMDJSON_PADDING;
        if (capacity < needed) {
            buffer = std::make_unique_for_overwrite<char[]>(needed);
            capacity = needed;
        }
        std::memcpy(buffer.get(), bytes.data(), bytes.size());
        std::memset(buffer.get() + bytes.size(), 0, simdjson::SIMDJSON_PADDING);
        return buffer.get();
    }
};

struct ParserPool {
    std::vector<std::unique_ptr<ParseSlot>> slots;
    std::size_t depth = 0;
};
thread_local ParserPool pool;

struct DepthGuard {
    ~DepthGuard() { --pool.depth; }
};
}  // namespace

void withRoot(std::string_view bytes, const DecodeContext& context, void (*visit)(const Value&, void*), void* state) {
    if (pool.slots.size() <= pool.depth) pool.slots.push_back(std::make_unique<ParseSlot>());
    ParseSlot& slot = *pool.slots[pool.depth];
    ++pool.depth;
    DepthGuard guard;

    dom::element root;
    auto error = slot.parser.parse(slot.pad(bytes), bytes.size(), false).get(root);
    if (error)
        throw DecodingError(ErrorKind::dataCorrupted, "(root)",
                            std::string("the given data was not valid JSON: ") + simdjson::error_message(error));
    visit(ValueFactory::root(root, context), state);
}

}  // namespace detail

}  // namespace vorlane::json
