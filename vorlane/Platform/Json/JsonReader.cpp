#include "vorlane/Platform/Json/JsonReader.hpp"

#include "vorlane/Platform/Json/JsonInput.hpp"

#include <simdjson.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace vorlane::json {

namespace dom = simdjson::dom;

// detail::Tape reads the parser's tape and string buffer directly; their layout is that of 3.0.1.
static_assert(simdjson::SIMDJSON_VERSION_MAJOR == 3 && simdjson::SIMDJSON_VERSION_MINOR == 0 &&
                  simdjson::SIMDJSON_VERSION_REVISION == 1,
              "the tape walk of detail::Tape was written for simdjson 3.0.1; check the tape layout before upgrading");

namespace {


// The parser's element for a tape position, rebuilt from the document and the word's index
// (an element is exactly that pair), for the parser's own text form in excerpts.
dom::element elementAt(const detail::Tape& tape, const std::uint64_t* word) {
    static_assert(sizeof(dom::element) == sizeof(simdjson::internal::tape_ref) &&
                  std::is_trivially_copyable_v<dom::element>);
    simdjson::internal::tape_ref ref(static_cast<const dom::document*>(tape.document),
                                     static_cast<std::size_t>(word - tape.words));
    dom::element element;
    std::memcpy(static_cast<void*>(&element), &ref, sizeof element);
    return element;
}

}  // namespace

struct RootFactory {
    static Value root(const detail::Document& document) {
        Value root;
        root.word_ = document.tape.words + 1;  // the tape starts with a root word; the value follows it
        root.document_ = &document;
        return root;
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

void Value::appendPath(std::string& out) const {
    if (!parent_) return;
    parent_->appendPath(out);
    if (parent_->isObject()) {
        if (!out.empty()) out += '.';
        out += tape().string(reinterpret_cast<const std::uint64_t*>(step_));
    } else {
        out += '[';
        out += std::to_string(step_);
        out += ']';
    }
}

std::string Value::path() const {
    std::string out;
    appendPath(out);
    return out.empty() ? std::string("(root)") : out;
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
    switch (type()) {
        case '[': return ValueKind::array;
        case '{': return ValueKind::object;
        case 'l': return ValueKind::int64;
        case 'u': return ValueKind::uint64;
        case 'd': return ValueKind::floating;
        case '"': return ValueKind::string;
        case 't':
        case 'f': return ValueKind::boolean;
        default: return ValueKind::null;
    }
}

void Value::fail(ErrorKind kind, std::string message) const { throw DecodingError(kind, path(), std::move(message)); }

void Value::failExpected(std::string_view expected) const {
    auto k = kind();
    if (k == ValueKind::null)
        fail(ErrorKind::valueNotFound, "expected " + std::string(expected) + " but found null");
    fail(ErrorKind::typeMismatch, "expected " + std::string(expected) + " but found " + std::string(describe(k)));
}

void Value::failMissingKey(std::string_view key) const {
    std::string where;
    appendPath(where);
    if (!where.empty()) where += '.';
    where += key;
    throw DecodingError(ErrorKind::keyNotFound, std::move(where),
                        "required key \"" + std::string(key) + "\" not found");
}

void Value::report(std::string reason) const {
    if (context().diagnostics) context().diagnostics->record(path(), std::move(reason));
}

void Value::report(const DecodingError& error) const {
    if (!context().diagnostics) return;
    // The reason keeps the inner failure's own path when it lies deeper than this value.
    std::string here = path();
    if (error.path() == here)
        context().diagnostics->record(std::move(here), error.message());
    else
        context().diagnostics->record(std::move(here), error.what());
}

std::string Value::excerpt() const {
    std::string text = simdjson::minify(elementAt(tape(), word_));
    constexpr std::size_t limit = 60;
    if (text.size() > limit) {
        text.resize(limit);
        text += "...";
    }
    return text;
}

namespace {
// A double that is a whole number converts to an integer only within 2^53 of zero: beyond that
// doubles are not every integer, so the number written may not be the one read
// (-9223372036854775809 and -9223372036854775809.5 both read as -2^63).
template <class Int>
bool wholeNumberFits(double d) {
    if (!std::isfinite(d) || std::trunc(d) != d) return false;
    constexpr double exact = 9007199254740992.0;  // 2^53
    return d <= exact && d >= (std::is_signed_v<Int> ? -exact : 0.0);
}
}  // namespace

std::int64_t Value::int64Slow() const {
    switch (type()) {
        case 'l': return detail::Tape::numberAfter<std::int64_t>(word_);
        case 'u':
            fail(ErrorKind::dataCorrupted, "number " + excerpt() + " does not fit in a signed 64-bit integer");
        case 'd': {
            double d = detail::Tape::numberAfter<double>(word_);
            if (!wholeNumberFits<std::int64_t>(d))
                fail(ErrorKind::dataCorrupted, "number " + excerpt() + " is not a whole number that fits in a signed 64-bit integer");
            return static_cast<std::int64_t>(d);
        }
        default: failExpected("Int");
    }
}

std::uint64_t Value::uint64() const {
    switch (type()) {
        case 'u': return detail::Tape::numberAfter<std::uint64_t>(word_);
        case 'l': {
            auto i = detail::Tape::numberAfter<std::int64_t>(word_);
            if (i < 0) fail(ErrorKind::dataCorrupted, "number " + excerpt() + " does not fit in an unsigned integer");
            return static_cast<std::uint64_t>(i);
        }
        case 'd': {
            double d = detail::Tape::numberAfter<double>(word_);
            if (!wholeNumberFits<std::uint64_t>(d))
                fail(ErrorKind::dataCorrupted, "number " + excerpt() + " is not a whole number that fits in an unsigned integer");
            return static_cast<std::uint64_t>(d);
        }
        default: failExpected("UInt");
    }
}

std::optional<Value> Value::member(std::string_view key) const {
    // The last occurrence wins, as in a one-pass decode.
    std::optional<Value> found;
    for (auto cursor = members(); cursor.next();)
        if (cursor.key() == key) found = cursor.value();
    return found;
}

std::size_t Value::size() const {
    if (!isObject() && !isArray()) failExpected("an object or an array");
    // The tape keeps the count beside the container's end, saturated at 2^24 - 1.
    constexpr std::uint64_t saturated = 0xFFFFFF;
    std::uint64_t count = (*word_ >> 32) & saturated;
    if (count < saturated) return static_cast<std::size_t>(count);
    std::size_t counted = 0;
    if (isObject())
        for (auto cursor = ObjectCursor(*this); cursor.next();) ++counted;
    else
        for (auto cursor = ArrayCursor(*this); cursor.next();) ++counted;
    return counted;
}

namespace detail {

namespace {
// Parser memory and padded buffers larger than this are released after the decode that needed
// them instead of being kept for reuse: one huge answer must not pin hundreds of megabytes in
// every thread that ever decoded one, while typical answers (a few megabytes) keep their reuse.
constexpr std::size_t maxRetainedSlotBytes = std::size_t{16} << 20;

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

    void releaseIfOversized() {
        if (parser.capacity() > maxRetainedSlotBytes) parser = dom::parser();
        if (capacity > maxRetainedSlotBytes) {
            buffer.reset();
            capacity = 0;
        }
    }
};

struct ParserPool {
    std::vector<std::unique_ptr<ParseSlot>> slots;
    std::size_t depth = 0;
};
thread_local ParserPool pool;

// The slot of the current nesting level, held for one decode (released on failure too).
class SlotLease {
public:
    SlotLease() {
        if (pool.slots.size() <= pool.depth) pool.slots.push_back(std::make_unique<ParseSlot>());
        slot_ = pool.slots[pool.depth].get();
        ++pool.depth;
    }
    ~SlotLease() {
        slot_->releaseIfOversized();
        --pool.depth;
    }
    SlotLease(const SlotLease&) = delete;
    SlotLease& operator=(const SlotLease&) = delete;
    ParseSlot& slot() const noexcept { return *slot_; }

private:
    ParseSlot* slot_;
};

void checkSize(std::size_t size, const DecodeContext& context) {
    if (size > context.settings.maxAnswerBytes) throw answerTooLarge(size, true, context.settings.maxAnswerBytes);
}

// RFC 8259 lets a parser skip a leading UTF-8 byte-order mark; the parser leaves that to its caller.
std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

// Parses `text` (followed by the parser's padding) and visits the root.
void parseAndVisit(ParseSlot& slot, std::string_view text, const DecodeContext& context,
                   void (*visit)(const Value&, void*), void* state) {
    dom::element root;
    auto error = slot.parser.parse(text.data(), text.size(), false).get(root);
    if (error)
        throw invalidJson(text, error == simdjson::NUMBER_ERROR || error == simdjson::NUMBER_OUT_OF_RANGE,
                          simdjson::error_message(error));
    // The tape starts with a root word; the document's value follows it.
    const dom::document& document = slot.parser.doc;
    const Document parsed{Tape{document.tape.get(), document.string_buf.get(), &document}, &context};
    try {
        visit(RootFactory::root(parsed), state);
    } catch (const std::bad_alloc&) {
        // Lists reserve boundedly, so this is a value that truly does not fit: say so in the
        // form every decoding failure takes.
        throw DecodingError(ErrorKind::dataCorrupted, "(root)", "the decoded answer does not fit in memory");
    }
}
}  // namespace

void withRoot(std::string_view bytes, const DecodeContext& context, void (*visit)(const Value&, void*), void* state) {
    checkSize(bytes.size(), context);
    bytes = withoutByteOrderMark(bytes);
    SlotLease lease;
    parseAndVisit(lease.slot(), {lease.slot().pad(bytes), bytes.size()}, context, visit, state);
}

void withRoot(const PaddedAnswer& answer, const DecodeContext& context, void (*visit)(const Value&, void*),
              void* state) {
    checkSize(answer.size(), context);
    SlotLease lease;
    parseAndVisit(lease.slot(), withoutByteOrderMark(answer.text()), context, visit, state);
}

std::size_t retainedParserBytes() noexcept {
    std::size_t bytes = 0;
    for (const auto& slot : pool.slots) bytes += slot->parser.capacity() + slot->capacity;
    return bytes;
}

}  // namespace detail

}  // namespace vorlane::json
