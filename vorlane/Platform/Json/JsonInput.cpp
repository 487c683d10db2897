#include "vorlane/Platform/Json/JsonInput.hpp"

#include <simdjson.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

namespace vorlane::json {

static_assert(PaddedAnswer::padding >= simdjson::SIMDJSON_PADDING);

namespace {

// Bytes asked of the kernel per read: large enough that system calls cost nothing next to the
// parse, small enough that a stream over its limit is refused after little more than the limit.
constexpr std::size_t readBlock = 64 * 1024;

[[noreturn]] void failRead(std::string_view name, int error) {
    throw std::runtime_error("cannot read " + std::string(name) + ": " + std::strerror(error));
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

Descriptor openForReading(const std::filesystem::path& path) {
    int fd;
    do fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) failRead(path.string(), errno);
    return Descriptor{fd};
}

// The size of the regular file behind `fd`; absent for pipes, terminals and devices.
std::optional<std::size_t> regularFileSize(int fd) {
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return std::nullopt;
    return static_cast<std::size_t>(status.st_size);
}

// Reads `fd` to its end into storage that `resize(capacity)` grows (keeping its contents) and
// returns the bytes of; returns the number of bytes read. A regular file's size is known up front,
// so it is refused unread when over the limit and read into storage of its size; a stream grows
// its storage by doubling, never beyond one byte past the limit: that byte proves the limit passed.
template <class Resize>
std::size_t readAll(int fd, std::size_t limit, std::string_view name, Resize&& resize) {
    const std::size_t ceiling = limit == std::numeric_limits<std::size_t>::max() ? limit : limit + 1;
    const auto known = regularFileSize(fd);
    if (known && *known > limit) throw detail::answerTooLarge(*known, true, limit);
    // One byte past a known size shows the end (or that the file grew since) without a second buffer.
    std::size_t capacity = std::min(known ? *known + 1 : readBlock, ceiling);
    char* data = resize(capacity);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            capacity = capacity > ceiling / 2 ? ceiling : std::max(capacity * 2, readBlock);
            data = resize(capacity);
        }
        const ssize_t got = ::read(fd, data + size, std::min(capacity - size, readBlock));
        if (got < 0) {
            if (errno == EINTR) continue;
            failRead(name, errno);
        }
        if (got == 0) return size;
        size += static_cast<std::size_t>(got);
        if (size > limit) throw detail::answerTooLarge(size, false, limit);
    }
}

// Storage of a PaddedAnswer: malloc'd so that growing a large buffer can remap its pages instead
// of copying them.
struct GrowingBuffer {
    char* data = nullptr;
    std::size_t capacity = 0;

    ~GrowingBuffer() { std::free(data); }
    char* resize(std::size_t bytes) {
        void* grown = std::realloc(data, bytes + PaddedAnswer::padding);
        if (!grown) throw std::bad_alloc();
        data = static_cast<char*>(grown);
        capacity = bytes;
        return data;
    }
    char* release() noexcept { return std::exchange(data, nullptr); }
};

const char zeroPadding[PaddedAnswer::padding] = {};

std::string excerpt(std::string_view token) {
    constexpr std::size_t limit = 40;
    if (token.size() <= limit) return std::string(token);
    return std::string(token.substr(0, limit)) + "...";
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Ends a bare token: structure, whitespace or a string.
bool endsToken(char c) {
    switch (c) {
        case ',': case ':': case '[': case ']': case '{': case '}': case '"':
        case ' ': case '\t': case '\n': case '\r': return true;
        default: return false;
    }
}

enum class NumberFault { none, malformed, outOfRange };

// RFC 8259's number grammar, then whether the value fits: integers in 64 bits (signed when
// negative), other numbers in a finite double (too small rounds to zero, as the parser does).
NumberFault numberFault(std::string_view token) {
    std::size_t i = 0;
    const std::size_t n = token.size();
    auto digits = [&] {
        const std::size_t start = i;
        while (i < n && isDigit(token[i])) ++i;
        return i > start;
    };
    const bool negative = i < n && token[i] == '-';
    if (negative) ++i;
    if (i < n && token[i] == '0')
        ++i;
    else if (!digits())
        return NumberFault::malformed;
    bool integral = true;
    if (i < n && token[i] == '.') {
        integral = false;
        ++i;
        if (!digits()) return NumberFault::malformed;
    }
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        integral = false;
        ++i;
        if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
        if (!digits()) return NumberFault::malformed;
    }
    if (i != n) return NumberFault::malformed;

    const char* first = token.data();
    const char* last = first + n;
    if (integral) {
        std::errc error;
        if (negative) {
            std::int64_t value;
            error = std::from_chars(first, last, value).ec;
        } else {
            std::uint64_t value;
            error = std::from_chars(first, last, value).ec;
        }
        return error == std::errc() ? NumberFault::none : NumberFault::outOfRange;
    }
    const std::string copy(token);
    return std::isinf(std::strtod(copy.c_str(), nullptr)) ? NumberFault::outOfRange : NumberFault::none;
}

}  // namespace

void PaddedAnswer::Free::operator()(char* buffer) const noexcept { std::free(buffer); }

const char* PaddedAnswer::data() const noexcept { return buffer_ ? buffer_.get() : zeroPadding; }

PaddedAnswer PaddedAnswer::fromStream(int fd, std::size_t limit, std::string_view name) {
    GrowingBuffer buffer;
    const std::size_t size = readAll(fd, limit, name, [&](std::size_t bytes) { return buffer.resize(bytes); });
    // A stream's doubling can leave up to half the buffer unused; give it back (a large buffer
    // shrinks in place).
    if (buffer.capacity - size > buffer.capacity / 8) buffer.resize(size);
    std::memset(buffer.data + size, 0, padding);
    return PaddedAnswer(std::unique_ptr<char, Free>(buffer.release()), size);
}

PaddedAnswer PaddedAnswer::fromFile(const std::filesystem::path& path, std::size_t limit) {
    Descriptor file = openForReading(path);
    return fromStream(file.fd, limit, path.string());
}

PaddedAnswer PaddedAnswer::fromBytes(std::string_view bytes) {
    GrowingBuffer buffer;
    buffer.resize(bytes.size());
    if (!bytes.empty()) std::memcpy(buffer.data, bytes.data(), bytes.size());
    std::memset(buffer.data + bytes.size(), 0, padding);
    return PaddedAnswer(std::unique_ptr<char, Free>(buffer.release()), bytes.size());
}

namespace detail {

DecodingError answerTooLarge(std::size_t size, bool exact, std::size_t limit) {
    return DecodingError(ErrorKind::dataCorrupted, "(root)",
                         "the answer is larger than the limit (" + std::string(exact ? "" : "at least ") +
                             std::to_string(size) + " bytes; the limit is " + std::to_string(limit) + " bytes)");
}

DecodingError invalidJson(std::string_view text, bool onNumber, const char* parserMessage) {
    const std::string prefix = "the given data was not valid JSON: ";
    if (onNumber) {
        // The parser stops at the first number it cannot hold; find it: the first bare token
        // outside strings that starts like a number and is malformed or out of range.
        std::size_t i = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (c == '"') {
                for (++i; i < text.size() && text[i] != '"'; ++i)
                    if (text[i] == '\\') ++i;
                ++i;
                continue;
            }
            if (endsToken(c)) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < text.size() && !endsToken(text[i])) ++i;
            const std::string_view token = text.substr(start, i - start);
            if (token[0] != '-' && !isDigit(token[0])) continue;
            switch (numberFault(token)) {
                case NumberFault::outOfRange:
                    return DecodingError(ErrorKind::dataCorrupted, "(root)",
                                         prefix + "number out of range: " + excerpt(token));
                case NumberFault::malformed:
                    return DecodingError(ErrorKind::dataCorrupted, "(root)",
                                         prefix + "malformed number: " + excerpt(token));
                case NumberFault::none: break;
            }
        }
    }
    return DecodingError(ErrorKind::dataCorrupted, "(root)", prefix + parserMessage);
}

}  // namespace detail

}  // namespace vorlane::json

namespace vorlane {

std::string readFile(const std::filesystem::path& path) {
    json::Descriptor file = json::openForReading(path);
    std::string bytes;
    const std::size_t size = json::readAll(file.fd, std::numeric_limits<std::size_t>::max(), path.string(),
                                           [&](std::size_t capacity) {
                                               bytes.resize(capacity);
                                               return bytes.data();
                                           });
    bytes.resize(size);
    return bytes;
}

}  // namespace vorlane
