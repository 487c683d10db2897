#pragma once
// Errors and diagnostics of the JSON reading core.

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane::json {

// Why a value could not be decoded.
enum class ErrorKind {
    keyNotFound,    // a required key is missing
    valueNotFound,  // null where a value is required
    typeMismatch,   // the JSON type is not the one expected
    dataCorrupted,  // right type, unusable content (unknown wire string, out-of-range number, bad JSON)
};

std::string_view toString(ErrorKind kind) noexcept;

// A failed decode: the kind, the path of the offending value ("data.page.containers[2].type")
// and a message. what() reads "path: message"; the root value's path is "(root)".
class DecodingError : public std::exception {
public:
    DecodingError(ErrorKind kind, std::string path, std::string message);

    ErrorKind kind() const noexcept { return kind_; }
    const std::string& path() const noexcept { return path_; }
    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    ErrorKind kind_;
    std::string path_;
    std::string message_;
    std::string what_;
};

// Thrown when a value cannot be written as JSON (a non-finite number).
class EncodingError : public std::exception {
public:
    explicit EncodingError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// One element dropped by a lenient rule, or one tolerated failure.
struct Diagnostic {
    std::string path;
    std::string reason;
    bool operator==(const Diagnostic&) const = default;
};

// Collects diagnostics of one decode. Optional: a decode without a collector drops silently.
class Diagnostics {
public:
    void record(std::string path, std::string reason) { entries_.push_back({std::move(path), std::move(reason)}); }
    const std::vector<Diagnostic>& entries() const noexcept { return entries_; }
    bool empty() const noexcept { return entries_.empty(); }
    std::size_t size() const noexcept { return entries_.size(); }
    void clear() noexcept { entries_.clear(); }

private:
    std::vector<Diagnostic> entries_;
};

}  // namespace vorlane::json
