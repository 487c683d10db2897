// The table of service operations, and the generic code that decodes an operation's arguments
// from their text, calls the member function and writes its result.

#include "vorlane/ContentService/Operations.hpp"

#include "vorlane/ContentService/ContentService.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace vorlane {

namespace {

// ---- What the member function says ---------------------------------------------------------------

template <class Member>
struct MemberTraits;

template <class Result, class Interface, class... Parameters>
struct MemberTraits<rx::Single<Result> (Interface::*)(Parameters...) const> {
    using Class = Interface;
    using Value = Result;
    using Decayed = std::tuple<std::remove_cvref_t<Parameters>...>;
    static constexpr std::size_t arity = sizeof...(Parameters);
};

// Picks one member of an overload set by its parameter types.
template <class... Parameters>
struct Overload {
    template <class Result, class Interface>
    constexpr auto operator()(Result (Interface::*member)(Parameters...) const) const noexcept {
        return member;
    }
};
template <class... Parameters>
inline constexpr Overload<Parameters...> overload{};

// A member of an overload set that also holds a member template: named by its whole type, since
// such a set cannot be picked by deduction.
template <class Interface, class Result, class... Parameters>
using MemberOf = rx::Single<Result> (Interface::*)(Parameters...) const;

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};
template <class T>
struct IsOrderedMap : std::false_type {};
template <class T>
struct IsOrderedMap<OrderedMap<T>> : std::true_type {};

// ---- Parameters -----------------------------------------------------------------------------------

// What a value of T must be, in words, for help and errors.
template <class T>
std::string describe() {
    if constexpr (IsOptional<T>::value) {
        return describe<typename T::value_type>();
    } else if constexpr (std::is_same_v<T, std::string>) {
        return "a string";
    } else if constexpr (std::is_same_v<T, std::int64_t>) {
        return "an integer";
    } else if constexpr (std::is_same_v<T, std::uint64_t>) {
        return "an unsigned integer";
    } else if constexpr (std::is_same_v<T, EncodedIdentifier>) {
        return "an encoded identifier (a string)";
    } else if constexpr (std::is_same_v<T, JsonValue>) {
        return "a JSON object";
    } else if constexpr (std::is_same_v<T, PageSize>) {
        return "a page size (0, -1 for all, 10, 15, 20, 30, 40, 45 or 60)";
    } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
        return "an array of strings";
    } else if constexpr (IsVector<T>::value) {
        return "an array, each element " + describe<typename T::value_type>();
    } else if constexpr (json::HasVocabulary<T>) {
        std::string out = "one of";
        for (const auto& entry : json::allCases<T>()) out += std::string(out.size() > 6 ? ", " : " ") + "\"" + std::string(entry.wire) + "\"";
        return out;
    } else {
        const DecodableType* type = findDecodableType<T>();
        return "a " + std::string(type ? type->name : "JSON") + " object";
    }
}

// Optional and free-form parameters may be left out.
template <class T>
constexpr bool mayBeLeftOut = IsOptional<T>::value || std::is_same_v<T, JsonValue>;

const std::string* findArgument(const OperationArguments& arguments, std::string_view name) {
    for (const auto& [key, value] : arguments)
        if (key == name) return &value;
    return nullptr;
}

// The argument's text as JSON: itself when it parses as JSON, else the JSON string of the text.
std::string argumentJson(const std::string& text) {
    return JsonValue::accept(text) ? text : json::encode(text);
}

template <class T>
T decodeArgument(const OperationParameter& parameter, const OperationArguments& arguments) {
    const std::string* text = findArgument(arguments, parameter.name);
    const std::string defaultText(parameter.defaultValue.value_or(""));
    if (!text && parameter.defaultValue) text = &defaultText;
    if (!text) {
        if constexpr (mayBeLeftOut<T>) return T{};
        throw OperationArgumentError("missing argument " + std::string(parameter.name));
    }
    try {
        return json::decode<T>(argumentJson(*text));
    } catch (const json::DecodingError& error) {
        throw OperationArgumentError("argument " + std::string(parameter.name) + "=" + *text + " does not decode as " +
                                     parameter.description + ": " + error.what());
    }
}

// ---- Results --------------------------------------------------------------------------------------

template <class T>
void writeResult(std::string& out, const T& value) {
    if constexpr (std::is_same_v<T, rx::Unit>) {
        out += "null";  // done, with nothing to say
    } else if constexpr (ContentRecord<T>) {
        out += json::encode(ContentCoder(value));  // content carries its "type" tag
    } else if constexpr (IsVector<T>::value) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i) out += ',';
            writeResult(out, value[i]);
        }
        out += ']';
    } else if constexpr (IsOrderedMap<T>::value) {
        out += '{';
        bool first = true;
        for (const auto& [key, element] : value) {
            if (!first) out += ',';
            first = false;
            out += json::encode(std::string(key));
            out += ':';
            writeResult(out, element);
        }
        out += '}';
    } else {
        out += json::encode(value);
    }
}

// ---- Entries --------------------------------------------------------------------------------------

template <class Interface>
const Interface& targetOf(const OperationTargets& targets) {
    if constexpr (std::is_same_v<Interface, ContentService>)
        return targets.content;
    else
        return targets.avatars;
}

template <auto Member>
std::string runOperation(const ServiceOperation& operation, const OperationTargets& targets,
                         const OperationArguments& arguments) {
    using Traits = MemberTraits<decltype(Member)>;
    const auto& target = targetOf<typename Traits::Class>(targets);
    auto values = [&]<std::size_t... I>(std::index_sequence<I...>) {
        return typename Traits::Decayed{
            decodeArgument<std::tuple_element_t<I, typename Traits::Decayed>>(operation.parameters[I], arguments)...};
    }(std::make_index_sequence<Traits::arity>{});
    const auto result = std::apply([&](const auto&... value) { return (target.*Member)(value...); }, values).blockingGet();
    std::string out;
    writeResult(out, result);
    return out;
}

template <class T>
std::string sampleOf() {
    if constexpr (IsOptional<T>::value)
        return sampleOf<typename T::value_type>();
    else if constexpr (std::is_same_v<T, JsonValue>)
        return "{}";
    else
        return json::encode(T{});
}

template <auto Member>
std::vector<std::string> sampleArguments() {
    using Traits = MemberTraits<decltype(Member)>;
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::vector<std::string>{sampleOf<std::tuple_element_t<I, typename Traits::Decayed>>()...};
    }(std::make_index_sequence<Traits::arity>{});
}

template <class T>
OperationParameter parameter(std::string_view name, std::optional<std::string_view> defaultValue) {
    return {name, describe<T>(), mayBeLeftOut<T> || defaultValue.has_value(), defaultValue};
}

template <auto Member, class... Names>
ServiceOperation operation(std::string_view name, std::string_view summary, Names... parameterNames) {
    using Traits = MemberTraits<decltype(Member)>;
    static_assert(sizeof...(Names) == Traits::arity, "name every parameter of the member function, in order");
    // "offset=0": a parameter that may be left out, taking the value after "=" when it is.
    const std::string_view names[] = {std::string_view(parameterNames)..., {}};
    std::vector<OperationParameter> parameters;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (parameters.push_back(
             parameter<std::tuple_element_t<I, typename Traits::Decayed>>(names[I].substr(0, names[I].find('=')),
                                                                          names[I].find('=') == std::string_view::npos
                                                                              ? std::nullopt
                                                                              : std::optional(names[I].substr(names[I].find('=') + 1)))),
         ...);
    }(std::make_index_sequence<Traits::arity>{});
    return ServiceOperation{name, summary, std::move(parameters), &runOperation<Member>, &sampleArguments<Member>};
}

using CS = ContentService;
using AS = AvatarService;

std::vector<ServiceOperation> makeOperations() {
    using Identifiers = std::vector<sdk::ContentIdentifier>;
    return {
        operation<overload<const std::string&>(&CS::getVideo)>("getVideo", "the video of a content id", "contentId"),
        operation<&CS::getLegacyVideo>("getLegacyVideo", "the first video found under the variable named key holding encodedId",
                                       "key", "encodedId"),
        operation<overload<const EncodedIdentifier&, std::int64_t, std::int64_t>(&CS::getVideo)>(
            "getVideo", "an episode by its series, season number and episode number", "encodedSeriesId",
            "seasonSequenceNumber", "episodeSequenceNumber"),
        operation<&CS::getUpNextVideo>("getUpNextVideo", "what plays after a content id", "contentId"),
        operation<&CS::getExtras>("getExtras", "a page of a title's extras", "encodedFamilyId", "page", "pageSize"),
        operation<overload<const ContentSetReferenceLocator&, const AdditionalParameters&, const std::optional<ItemPage>&>(
            &CS::getContent)>("getContent", "a set's items (continue-watching sets import their videos' bookmarks)",
                              "locator", "additionalParameters", "page"),
        operation<&CS::getPage>("getPage", "the legacy details page of a title by reference", "refIdType", "refId"),
        operation<&CS::getExplorePage>("getExplorePage", "an Explore page", "pageId", "enhancedContainersLimit", "limit"),
        operation<&CS::getExploreSet>("getExploreSet", "a page of an Explore set's items", "setId", "offset=0", "limit",
                                      "params"),
        operation<&CS::getSeason>("getSeason", "an Explore season with a page of its episodes", "seasonId", "limit",
                                  "offset"),
        operation<&CS::getUserState>("getUserState", "the user's state of titles, by pid", "pids"),
        operation<static_cast<MemberOf<CS, ContentBundle, const ContentReferenceLocator&>>(&CS::getBundle)>(
            "getBundle", "the bundle of a video or series", "locator"),
        operation<&CS::getSeriesBundle>("getBundle", "a series bundle", "encodedSeriesId"),
        operation<&CS::getVideoBundle>("getBundle", "a video bundle", "encodedFamilyId"),
        operation<&CS::search>("search", "the hits of a search that decode", "text", "queryType", "pageSize"),
        operation<&CS::unifiedSearch>("unifiedSearch", "the Explore search results page of a text", "query"),
        operation<&CS::unifiedSearchLanding>("unifiedSearchLanding", "the Explore search page before anything is typed"),
        operation<&CS::getContinueWatchingVideo>("getContinueWatchingVideo", "where to resume a title (with a last bookmark)",
                                                 "familyId", "bookmarkUpsert"),
        operation<&CS::getPersonalizedProgramBundle>("getPersonalizedProgramBundle",
                                                     "a program's watchlist state and resume point", "familyId",
                                                     "bookmarkUpsert"),
        operation<&CS::getPersonalizedSeriesBundle>("getPersonalizedSeriesBundle",
                                                    "a series' watchlist state and the video to resume", "seriesId",
                                                    "bookmarkUpsert"),
        operation<&CS::getContinueWatchingSeason>("getContinueWatchingSeason",
                                                  "the user's positions in a season's episodes, by content id", "seasonId"),
        operation<&CS::getEpisodes>("getEpisodes", "every episode of a season", "seasonId"),
        operation<&CS::getCollection>("getCollection", "a collection", "locator"),
        operation<&CS::getRelatedItemsForVideo>("getRelatedItemsForVideo", "items related to a video", "encodedFamilyId"),
        operation<&CS::getRelatedItemsForSeries>("getRelatedItemsForSeries", "items related to a series", "encodedSeriesId"),
        operation<&CS::getProgramBundle>("getProgramBundle", "a program with its videos and airings", "encodedFamilyId"),
        operation<&CS::getLiveNow>("getLiveNow", "the state of what airs now, by content id", "page"),
        operation<&CS::getLiveAndUpcomingEpisodes>("getLiveAndUpcomingEpisodes", "a series' live and upcoming episodes",
                                                   "encodedSeriesId"),
        operation<&CS::getAiring>("getAiring", "the airing of a content id", "contentId"),
        operation<&CS::getAiringByAiringId>("getAiring", "an airing by its airing id", "airingId"),
        operation<&CS::putItemInWatchlist>("putItemInWatchlist", "put a title on the legacy watchlist", "with", "refId",
                                           "refIdType", "source"),
        operation<&CS::deleteItemFromWatchlist>("deleteItemFromWatchlist", "delete a title from the legacy watchlist",
                                                "with", "refId", "refIdType", "source"),
        operation<static_cast<MemberOf<CS, ExploreDeeplink, const std::string&, ExploreDeeplinkReferenceIdType,
                                       const std::optional<ActionTypeIdentifier>&>>(&CS::getExploreDeeplink)>("getExploreDeeplink", "where a reference leads in the Explore API", "refId",
                                      "refIdType", "action"),
        operation<&CS::getPlayerExperience>("getPlayerExperience", "how the player presents an avail", "availId"),
        operation<overload<const Identifiers&>(&CS::getDownloadMetadata)>(
            "getDownloadMetadata", "the current download metadata of titles (imports their bookmarks)",
            "contentIdentifiers"),
        operation<overload<const std::string&>(&CS::getDownloadMetadata)>(
            "getDownloadMetadata", "the current download metadata of a season's episodes", "seasonId"),
        operation<&CS::getExploreUpNext>("getExploreUpNext", "what plays after a content id, from the Explore API",
                                         "contentId"),
        operation<&CS::addToWatchlistExplore>("addToWatchlistExplore", "add a title to the watchlist", "request"),
        operation<&CS::removeFromWatchlistExplore>("removeFromWatchlistExplore", "remove a title from the watchlist",
                                                   "request"),
        operation<&AS::getAvatars>("getAvatars", "the known avatars among some ids", "avatarIds"),
        operation<&AS::getDefaultAvatars>("getDefaultAvatars", "the avatars a new profile chooses from"),
        operation<&AS::getAvatar>("getAvatar", "one avatar", "avatarId"),
    };
}

}  // namespace

std::string ServiceOperation::signature() const {
    std::string out(name);
    for (const auto& parameter : parameters)
        out += parameter.optional ? " [" + std::string(parameter.name) + "]" : " " + std::string(parameter.name);
    return out;
}

namespace {

bool namesParameter(std::span<const OperationParameter> parameters, std::string_view name) {
    return std::ranges::any_of(parameters, [name](const OperationParameter& p) { return p.name == name; });
}

}  // namespace

bool ServiceOperation::accepts(const OperationArguments& arguments) const {
    for (const auto& argument : arguments)
        if (!namesParameter(parameters, argument.first)) return false;
    return std::ranges::all_of(parameters, [&](const OperationParameter& p) {
        return p.optional || findArgument(arguments, p.name);
    });
}

std::span<const ServiceOperation> serviceOperations() {
    static const std::vector<ServiceOperation> table = makeOperations();
    return table;
}

const ServiceOperation& findServiceOperation(std::string_view name, const OperationArguments& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (arguments[i].first == arguments[j].first)
                throw OperationArgumentError("argument " + arguments[i].first + " is given twice");
    std::vector<const ServiceOperation*> forms;
    for (const auto& operation : serviceOperations())
        if (operation.name == name) forms.push_back(&operation);
    if (forms.empty()) throw OperationArgumentError("unknown operation \"" + std::string(name) + "\"");
    for (const ServiceOperation* form : forms)
        if (form->accepts(arguments)) return *form;
    std::string message = "the arguments given fit no form of " + std::string(name) + ":";
    for (const ServiceOperation* form : forms) {
        std::string wrong;
        for (const auto& argument : arguments)
            if (!namesParameter(form->parameters, argument.first)) wrong += " unknown argument " + argument.first + ";";
        for (const auto& parameter : form->parameters)
            if (!parameter.optional && !findArgument(arguments, parameter.name))
                wrong += " missing argument " + std::string(parameter.name) + ";";
        wrong.pop_back();
        message += " `" + form->signature() + "`:" + wrong + ".";
    }
    throw OperationArgumentError(message);
}

}  // namespace vorlane
