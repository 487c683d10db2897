#include "vorlane/Models/Content/Content.hpp"

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

constexpr std::size_t kContentKinds = std::size(json::Vocabulary<ContentTypeIdentifier>::entries);

// The record each tag decodes as; a kind gets its entry here once its record is built:
// video -> Video, series -> Series, standardCollection and personalizedCollection ->
// ContentCollection, avatar -> Avatar, airing -> Airing, explore -> ExploreSetItemWithStyle.
std::array<ContentDecoder, kContentKinds>& contentDecoders() {
    static std::array<ContentDecoder, kContentKinds> table{};
    return table;
}

}  // namespace

ContentDecoder setContentDecoder(ContentTypeIdentifier type, ContentDecoder decoder) {
    auto& slot = contentDecoders().at(static_cast<std::size_t>(type));
    return std::exchange(slot, decoder);
}

}  // namespace vorlane

vorlane::ContentCoder vorlane::json::Codec<vorlane::ContentCoder>::decode(const Value& v) {
    auto type = readRequired<ContentTypeIdentifier>(v, "type");
    ContentDecoder decode = contentDecoders()[static_cast<std::size_t>(type)];
    if (!decode) {
        auto tag = v.member("type");
        tag->fail(ErrorKind::dataCorrupted,
                  "content of type \"" + std::string(wireString(type)) + "\" is not decoded by this version of the library");
    }
    return ContentCoder(type, decode(v));
}

void vorlane::json::Codec<vorlane::ContentCoder>::encode(Writer& w, const ContentCoder& coder) {
    w.beginObject();
    w.key("type");
    Codec<ContentTypeIdentifier>::encode(w, coder.type());
    w.mergeNextObject();
    coder.model()->encode(w);
    w.endObject();
}
