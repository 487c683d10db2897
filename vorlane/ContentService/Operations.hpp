#pragma once
// The operations of the content and avatar services, declared once: each entry names an operation,
// its parameters and what it yields, and points at the member function that runs it. Parameter
// and result types come from the member function's own signature, so the table cannot disagree
// with the interface. The command line's `query` (dispatch, --list, --help, argument decoding and
// printing) reads this table; nothing else lists the operations.
//
// An entry (Operations.cpp):
//
//   operation<&ContentService::getEpisodes>("getEpisodes", "every episode of a season", {"seasonId"}),
//
// Overloads share a name and are told apart by their parameter names; a member that is itself
// overloaded is picked with `overload<Parameters...>(&Interface::member)`. A name written
// "offset=0" gives its parameter a value for when the argument is left out.

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorlane {

class ContentService;
class AvatarService;

// What an operation runs on.
struct OperationTargets {
    const ContentService& content;
    const AvatarService& avatars;
};

// The NAME=VALUE arguments of one run, in the order given. A value is read as JSON when it parses
// as JSON, else as the string it is, and then decoded as its parameter's type.
using OperationArguments = std::vector<std::pair<std::string, std::string>>;

// Arguments that do not fit an operation: unknown or missing names, values that do not decode as
// their parameter's type, an unknown operation.
class OperationArgumentError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct OperationParameter {
    std::string_view name;
    std::string description;  // what the value must be: "a string", "a ContentReferenceLocator object", ...
    bool optional = false;    // an optional or free-form parameter may be left out
    std::optional<std::string_view> defaultValue;  // the argument's text when left out, if it has one
};

struct ServiceOperation {
    std::string_view name;
    std::string_view summary;
    std::vector<OperationParameter> parameters;
    // Runs the operation, waits for its one result and returns it as compact JSON: content with its
    // "type" tag, lists as arrays, maps as objects, a union as the value it holds. A failure of the
    // operation is thrown as it is; arguments that do not fit throw OperationArgumentError.
    std::string (*runner)(const ServiceOperation&, const OperationTargets&, const OperationArguments&);
    // One value of each parameter's type, as JSON (its default), for forms and tests.
    std::vector<std::string> (*sampleArguments)();

    std::string run(const OperationTargets& targets, const OperationArguments& arguments) const {
        return runner(*this, targets, arguments);
    }
    // "search text [queryType] pageSize"
    std::string signature() const;
    // Every given name is a parameter, and every required parameter is given.
    bool accepts(const OperationArguments& arguments) const;
};

// Every operation, in the interfaces' slot order (content, then avatars).
std::span<const ServiceOperation> serviceOperations();

// The form of `name` that takes exactly these argument names; OperationArgumentError naming what
// does not fit each form when none does.
const ServiceOperation& findServiceOperation(std::string_view name, const OperationArguments& arguments);

}  // namespace vorlane
