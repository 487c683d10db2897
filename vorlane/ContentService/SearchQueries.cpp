// Search over the legacy search index.

#include "vorlane/ContentService/SDKContentService.hpp"
#include "vorlane/Models/Content/OstrelSearch.hpp"

namespace vorlane {

rx::Single<std::vector<ContentCoder>> SDKContentService::search(const std::string& text,
                                                                const std::optional<std::string>& queryType,
                                                                PageSize pageSize) const {
    QueryVariables variables{{"partner", inputs_.partner},
                             {"query", percentEncodedSearchText(text)},
                             {"pageSize", rawValue(pageSize)}};
    if (queryType) variables.set("queryType", *queryType);
    return legacyQuery<OstrelSearch>(ContentQueryIdentifier::search, variables).map([](const OstrelSearch& answer) {
        return answer.contents();
    });
}

}  // namespace vorlane
