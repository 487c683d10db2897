#include "vorlane/Configuration/QueryContext.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <algorithm>
#include <array>
#include <string_view>

VORLANE_JSON_DEFINE(vorlane::QueryContext)

namespace vorlane::json {

namespace {

constexpr std::array<std::string_view, 9> kContextKeys = {
    "partner",           "currentCountry", "portabilityCountry",    "isKidsMode", "impliedMaturityRating",
    "preferredLanguage", "searchOverrides", "liveAndUnratedEnabled", "profileId"};

}  // namespace

QueryContext Codec<QueryContext>::decode(const Value& value) {
    if (value.isObject())
        for (auto cursor = value.members(); cursor.next();)
            if (std::ranges::find(kContextKeys, cursor.key()) == kContextKeys.end())
                cursor.value().fail(ErrorKind::dataCorrupted,
                                    "unknown key \"" + std::string(cursor.key()) + "\" (a context has partner, "
                                    "currentCountry, portabilityCountry, isKidsMode, impliedMaturityRating, "
                                    "preferredLanguage, searchOverrides, liveAndUnratedEnabled, profileId)");
    return RecordCodec<QueryContext>::decode(value);
}

void Codec<QueryContext>::encode(Writer& writer, const QueryContext& value) {
    RecordCodec<QueryContext>::encode(writer, value);
}

}  // namespace vorlane::json
