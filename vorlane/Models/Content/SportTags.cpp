#include "vorlane/Models/Content/SportTags.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Json/TaggedCoder.hpp"

#include <stdexcept>
#include <utility>

VORLANE_JSON_DEFINE(vorlane::SportTags::Team)
VORLANE_JSON_DEFINE(vorlane::SportTags::League)
VORLANE_JSON_DEFINE(vorlane::SportTags::Sport)

namespace vorlane::SportTags {

Coder::Coder(TagType type, std::shared_ptr<const SportTag> model) : type_(type), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("a sport tag coder needs a tag");
}

namespace {

// The record each kind decodes as.
template <auto Tag, class R>
using Case = json::TaggedCase<Tag, SportTagModel<R>>;
using TagRecords = json::TaggedRecords<SportTag, TagType,
                                       Case<TagType::teamId, Team>,
                                       Case<TagType::sportId, Sport>,
                                       Case<TagType::leagueId, League>>;
static_assert(json::allCases<TagType>().size() == 3, "every sport tag kind has a row above");

constexpr std::string_view kTagKey = "type";
constexpr std::string_view kKind = "sport tag";

}  // namespace

}  // namespace vorlane::SportTags

// A tag model reads and writes exactly its record.
template <class R>
struct vorlane::json::Codec<vorlane::SportTagModel<R>> {
    static vorlane::SportTagModel<R> decode(const Value& v) { return vorlane::SportTagModel<R>(Codec<R>::decode(v)); }
    static void encode(Writer& w, const vorlane::SportTagModel<R>& model) { Codec<R>::encode(w, model.record()); }
};

vorlane::SportTags::Coder vorlane::json::Codec<vorlane::SportTags::Coder>::decode(const Value& v) {
    using vorlane::SportTags::TagType;
    if (!v.isObject()) v.failExpected("an object");
    // An absent (or null) "type" selects the sport tag; the record then reports its own missing "type".
    const auto tagValue = v.member(vorlane::SportTags::kTagKey);
    const bool tagged = tagValue && !tagValue->isNull();
    const TagType tag = tagged ? Codec<TagType>::decode(*tagValue) : TagType::sportId;
    auto model = vorlane::SportTags::TagRecords::decode(tag, v, tagged ? *tagValue : v, vorlane::SportTags::kKind);
    return vorlane::SportTags::Coder(tag, std::move(model));
}

// The record's own keys carry the tag, so nothing is written beside them.
void vorlane::json::Codec<vorlane::SportTags::Coder>::encode(Writer& w, const SportTags::Coder& coder) {
    w.beginObject();
    vorlane::SportTags::TagRecords::encodeMembers(w, coder.type(), *coder.model(), vorlane::SportTags::kKind);
    w.endObject();
}
