#include "vorlane/Models/Content/Content.hpp"

#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Models/Content/Avatar.hpp"
#include "vorlane/Models/Content/ContentCollection.hpp"
#include "vorlane/Models/Content/Series.hpp"
#include "vorlane/Models/Content/Video.hpp"
#include "vorlane/Models/Explore/ExploreSet.hpp"
#include "vorlane/Platform/Json/TaggedCoder.hpp"

#include <array>
#include <stdexcept>
#include <utility>

namespace vorlane {

bool Content::shouldUseExploreAPI() const {
    if (auto own = actions(); own && shouldBrowseAnthology(*own)) return true;
    return isAnthologySeries();
}

ContentCoder::ContentCoder(ContentTypeIdentifier type, std::shared_ptr<const Content> model)
    : type_(type), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("a content coder needs a record");
}

ContentCoder::ContentCoder(std::shared_ptr<const Content> model)
    : type_(model ? model->identifier() : ContentTypeIdentifier::video), model_(std::move(model)) {
    if (!model_) throw std::invalid_argument("a content coder needs a record");
}

bool ContentCoder::operator==(const ContentCoder& other) const {
    return type_ == other.type_ && model_->contentId() == other.model_->contentId();
}

std::vector<std::shared_ptr<const Content>> models(const std::vector<ContentCoder>& coders) {
    std::vector<std::shared_ptr<const Content>> out;
    out.reserve(coders.size());
    for (const auto& coder : coders) out.push_back(coder.model());
    return out;
}

namespace {

// The record each tag decodes as. Both collection tags read a collection, whose own "type" then
// decides whether the object is one; the coder keeps the tag it read. A collection's "type" is a
// field of its own, so a collection is written with that "type" only (as its tag for readers).
using T = ContentTypeIdentifier;
template <auto Tag, class R, class... Options>
using Case = json::TaggedCase<Tag, ContentModel<R>, Options...>;
using json::RecordWritesTagKey;
using ContentRecords = json::TaggedRecords<Content, ContentTypeIdentifier,
                                           Case<T::video, Video>,
                                           Case<T::series, Series>,
                                           Case<T::standardCollection, ContentCollection, RecordWritesTagKey>,
                                           Case<T::personalizedCollection, ContentCollection, RecordWritesTagKey>,
                                           Case<T::avatar, Avatar>,
                                           Case<T::airing, Airing>,
                                           Case<T::explore, ExploreSetItemWithStyle>>;
static_assert(json::allCases<ContentTypeIdentifier>().size() == 7, "every content tag has a row above");

constexpr std::string_view kTagKey = "type";
constexpr std::string_view kKind = "content";

}  // namespace

}  // namespace vorlane

vorlane::ContentCoder vorlane::json::Codec<vorlane::ContentCoder>::decode(const Value& v) {
    auto [type, model] = decodeTagged<ContentRecords, ContentTypeIdentifier>(v, kTagKey, kKind);
    return ContentCoder(type, std::move(model));
}

void vorlane::json::Codec<vorlane::ContentCoder>::encode(Writer& w, const ContentCoder& coder) {
    encodeTagged<ContentRecords>(w, kTagKey, coder.type(), *coder.model(), kKind);
}
