#pragma once
// Reading answers into memory: files and streams are read once, in blocks, straight into a buffer
// the parser can read in place, and reading stops as soon as an answer exceeds its size limit.
//
// The parser reads up to `PaddedAnswer::padding` bytes past the end of its input, so a buffer it
// parses in place ends with that many zero bytes. Kept free of the parser's headers so this header
// stays cheap to include.

#include "vorlane/Platform/Json/JsonError.hpp"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace vorlane::json {

// An answer's bytes followed by `padding` zero bytes, owned; move-only. json::decode<T>(answer)
// parses it where it lies, without copying it.
class PaddedAnswer {
public:
    // Zero bytes after the text; at least what the parser reads past its input (checked where
    // the parser is included).
    static constexpr std::size_t padding = 64;

    PaddedAnswer() = default;

    // Reads the file at `path`. More than `limit` bytes fail with answerTooLarge's error (a regular
    // file before anything is read, anything else once the limit is passed); a file that cannot
    // be opened or read throws std::runtime_error naming it.
    static PaddedAnswer fromFile(const std::filesystem::path& path, std::size_t limit);
    // Reads the open descriptor `fd` (a pipe, a terminal, a file; not closed) to its end, with the
    // same limit; `name` names it in read errors.
    static PaddedAnswer fromStream(int fd, std::size_t limit, std::string_view name = "standard input");
    // A padded copy of `bytes`.
    static PaddedAnswer fromBytes(std::string_view bytes);

    const char* data() const noexcept;  // `size()` bytes, then `padding` zero bytes
    std::size_t size() const noexcept { return size_; }
    std::string_view text() const noexcept { return {data(), size_}; }

private:
    struct Free {
        void operator()(char* buffer) const noexcept;
    };
    PaddedAnswer(std::unique_ptr<char, Free> buffer, std::size_t size) noexcept
        : buffer_(std::move(buffer)), size_(size) {}

    std::unique_ptr<char, Free> buffer_;
    std::size_t size_ = 0;
};

namespace detail {
// The failure for an answer over `limit` bytes: dataCorrupted at "(root)", giving both sizes.
// `exact` is false when only the first `size` bytes were read (a stream is not read past its limit).
DecodingError answerTooLarge(std::size_t size, bool exact, std::size_t limit);

// The failure for `text` that the parser rejected with `parserMessage`. When the parser failed on a
// number (`onNumber`), the first number it cannot hold is named as out of range or malformed.
DecodingError invalidJson(std::string_view text, bool onNumber, const char* parserMessage);

// Bytes the calling thread's parsers keep between decodes for reuse (defined beside the parsers).
std::size_t retainedParserBytes() noexcept;
}  // namespace detail

}  // namespace vorlane::json

namespace vorlane {

// The whole contents of a file, read in blocks; throws std::runtime_error naming the file when it
// cannot be opened or read.
std::string readFile(const std::filesystem::path& path);

}  // namespace vorlane
