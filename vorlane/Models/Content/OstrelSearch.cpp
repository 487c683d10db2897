#include "vorlane/Models/Content/OstrelSearch.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

VORLANE_JSON_DEFINE(vorlane::OstrelSearch::Hit)

namespace vorlane {
namespace {

// The result type of popular titles, whose answers carry no hits.
constexpr std::string_view kPopularResultType = "popular";

struct SearchResultType {
    std::string resultType;
};

inline auto jsonFields(json::Tag<SearchResultType>) {
    using namespace json::rules;
    return fields(required("resultType", &SearchResultType::resultType));
}

struct SearchHits {
    std::vector<OstrelSearch::Hit> hits;
};

inline auto jsonFields(json::Tag<SearchHits>) {
    using namespace json::rules;
    return fields(required("hits", &SearchHits::hits));
}

}  // namespace

std::vector<ContentCoder> OstrelSearch::contents() const {
    std::vector<ContentCoder> out;
    if (!hits) return out;
    out.reserve(hits->size());
    for (const auto& hit : *hits)
        if (hit.hit) out.push_back(*hit.hit);
    return out;
}

}  // namespace vorlane


vorlane::OstrelSearch vorlane::json::Codec<vorlane::OstrelSearch>::decode(const Value& v) {
    OstrelSearch answer;
    answer.resultType = RecordCodec<SearchResultType>::decode(v).resultType;
    if (answer.resultType != kPopularResultType) answer.hits = RecordCodec<SearchHits>::decode(v).hits;
    return answer;
}

void vorlane::json::Codec<vorlane::OstrelSearch>::encode(Writer& w, const OstrelSearch& answer) {
    w.beginObject();
    w.key("resultType");
    w.string(answer.resultType);
    if (answer.hits) {
        w.key("hits");
        Codec<std::vector<OstrelSearch::Hit>>::encode(w, *answer.hits);
    }
    w.endObject();
}
