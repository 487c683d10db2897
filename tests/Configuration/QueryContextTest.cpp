#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/Configuration/QueryContext.hpp"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using json::ErrorKind;
using jsontesting::Failure;

QueryContext changed(auto change) {
    QueryContext context;
    change(context);
    return context;
}

TEST(QueryContext, AbsentKeysTakeAFreshAppsValuesAndOtherKeysAreRefused) {
    sdk::SearchOverrides overrides{"https://search.invalid", {}};
    overrides.headers.insertOrAssign("x-test", "1");
    jsontesting::expectDecodes<QueryContext>({
        {"{}", QueryContext{"vorlane", "US", std::nullopt, false, std::nullopt, "en", {}, false, std::nullopt}},
        {R"({"currentCountry":null,"isKidsMode":null})", QueryContext{}},
        {R"({"partner":"harbor-tv","portabilityCountry":"GB","impliedMaturityRating":1350,"profileId":"p-1",)"
         R"("searchOverrides":{"endpoint":"https://search.invalid","headers":{"x-test":"1"}}})",
         changed([&](QueryContext& c) {
             c.partner = "harbor-tv", c.portabilityCountry = "GB", c.impliedMaturityRating = 1350, c.profileId = "p-1";
             c.searchOverrides = overrides;
         })},
        {R"({"curentCountry":"FR"})", Failure{ErrorKind::dataCorrupted, "curentCountry"}},
        {R"({"isKidsMode":"yes"})", Failure{ErrorKind::typeMismatch, "isKidsMode"}},
        {R"([])", Failure{ErrorKind::typeMismatch, "(root)"}},
    });
}

TEST(QueryContext, EveryFieldWrittenReadsBack) {
    QueryContext full{"p", "", "GB", true, 0, "fr", {"e", {}}, true, "profile"};
    EXPECT_EQ(json::decode<QueryContext>(json::encode(full)), full);
    EXPECT_EQ(json::encode(QueryContext{}),
              R"({"partner":"vorlane","currentCountry":"US","isKidsMode":false,"preferredLanguage":"en",)"
              R"("searchOverrides":{"headers":{}},"liveAndUnratedEnabled":false})");
}

}  // namespace
}  // namespace vorlane
