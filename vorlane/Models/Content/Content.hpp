#pragma once
// The core every legacy content record shares (videos, series, collections, avatars, airings,
// Explore set items), and the polymorphic box that decodes a mixed list by its "type" tag.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/ContentAction.hpp"
#include "vorlane/Models/Content/ContentTypeIdentifier.hpp"
#include "vorlane/Models/Content/TextMetadata.hpp"
#include "vorlane/Platform/ContentIdentifier.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

class Content : public ContentImagesContaining {
public:
    // The type tag of the record's kind.
    virtual ContentTypeIdentifier identifier() const = 0;
    virtual const std::string& contentId() const = 0;
    virtual const TextMap& texts() const = 0;
    virtual const std::optional<CallToAction>& callToAction() const = 0;
    virtual const std::vector<VideoArtwork>& videoArtwork() const = 0;
    // Legacy browse actions; absent unless a kind has them.
    virtual std::optional<std::vector<ContentAction>> actions() const { return std::nullopt; }
    virtual std::optional<SeriesType> seriesType() const { return std::nullopt; }

    bool isAnthologySeries() const { return seriesType() == SeriesType::anthology; }
    // Anthologies are fetched through the Explore API, whether the record or one of its actions says so.
    bool shouldUseExploreAPI() const;
    bool shouldUseGetPageRequest() const { return shouldUseExploreAPI(); }
    // The SDK's identifier of this content, by its content id.
    virtual sdk::ContentIdentifier contentIdentifier() const { return sdk::ContentIdentifier::contentId(contentId()); }
};

// A plain record that is content: it names its kind by a type-level tag (its `Content` face is
// `ContentModel<R>`, below).
template <class R>
concept ContentRecord = requires {
    { R::identifier } -> std::convertible_to<ContentTypeIdentifier>;
};

// How a record names its content id: its `contentId` field, or a `contentId()` member for the
// records whose id is another field (a series' id, a collection's group id, an avatar's id).
template <class R>
const std::string& contentIdOf(const R& record) {
    if constexpr (requires { record.contentId(); })
        return record.contentId();
    else
        return record.contentId;
}

// Whether `ContentModel<R>` keeps values computed from its record when it is built (and so cannot
// have its record decoded in place afterwards).
template <class R>
inline constexpr bool contentModelCachesDerivedValues = false;

// The `Content` face of one plain record (a video, a series, a collection, ...): the record keeps
// its fields under their own names, and this reads the interface's members from them.
template <class R>
class ContentModel final : public Content {
public:
    ContentModel() = default;
    explicit ContentModel(const R& record) : record_(record) {}
    explicit ContentModel(R&& record) : record_(std::move(record)) {}

    const R& record() const noexcept { return record_; }

    ContentTypeIdentifier identifier() const override { return R::identifier; }
    const std::string& contentId() const override { return contentIdOf(record_); }
    const TextMap& texts() const override { return record_.texts; }
    const std::optional<CallToAction>& callToAction() const override { return record_.callToAction; }
    const std::vector<VideoArtwork>& videoArtwork() const override { return record_.videoArtwork; }
    const ImageMap& image() const override { return record_.image; }
    std::optional<SeriesType> seriesType() const override {
        if constexpr (requires { record_.seriesType; })
            return record_.seriesType;
        else
            return std::nullopt;
    }
    sdk::ContentIdentifier contentIdentifier() const override {
        return sdk::ContentIdentifier::contentId(contentIdOf(record_));
    }

private:
    friend struct json::Codec<ContentModel>;
    R record_;
};

// The members every content answers, declared once for the interface: each content record and the
// content coder answer them through their `Content` face.
inline auto jsonDerived(json::Tag<Content>) {
    using namespace json::derived;
    return members(member("contentId", &Content::contentId),
                   member("contentIdentifier", &Content::contentIdentifier),
                   member("isAnthologySeries", &Content::isAnthologySeries),
                   member("shouldUseExploreAPI", &Content::shouldUseExploreAPI),
                   member("shouldUseGetPageRequest", &Content::shouldUseGetPageRequest));
}

// A content record of the concrete kind its "type" tag selects, decoded from the same JSON object.
// Shared: copies of lists of coders share the records. Two coders are equal when their tags and
// their records' content ids are.
class ContentCoder {
public:
    ContentCoder(ContentTypeIdentifier type, std::shared_ptr<const Content> model);
    // The tag is the model's own.
    explicit ContentCoder(std::shared_ptr<const Content> model);
    // Wraps a record; the tag is the record's kind.
    template <class R>
        requires requires { R::identifier; }
    explicit ContentCoder(R record)
        : ContentCoder(R::identifier, std::make_shared<const ContentModel<R>>(std::move(record))) {}

    ContentTypeIdentifier type() const noexcept { return type_; }
    const std::shared_ptr<const Content>& model() const noexcept { return model_; }

    // The record when the model is one of type R, else null.
    template <class R>
    const R* as() const noexcept {
        const auto* model = dynamic_cast<const ContentModel<R>*>(model_.get());
        return model ? &model->record() : nullptr;
    }

    bool operator==(const ContentCoder& other) const;

private:
    ContentTypeIdentifier type_;
    std::shared_ptr<const Content> model_;
};

// The models of a list of coders, in order.
std::vector<std::shared_ptr<const Content>> models(const std::vector<ContentCoder>& coders);

// The `Content` interface as the registry sees it: content records (through their model) and the
// content coder (through the model it holds) answer its members.
struct ContentFace {
    static constexpr std::string_view name = "Content";
    template <class T>
    static constexpr bool modeledBy = ContentRecord<T> || std::same_as<T, ContentCoder>;
    template <ContentRecord R>
    static ContentModel<R> view(const R& record) {
        return ContentModel<R>(record);
    }
    static const Content& view(const ContentCoder& coder) { return *coder.model(); }
    static auto members() { return jsonDerived(json::Tag<Content>{}); }
};

}  // namespace vorlane

// A content model reads and writes exactly its record (in place where the record's codec can).
template <class R>
struct vorlane::json::Codec<vorlane::ContentModel<R>> {
    static vorlane::ContentModel<R> decode(const Value& v) { return vorlane::ContentModel<R>(Codec<R>::decode(v)); }
    static void decodeInto(const Value& v, vorlane::ContentModel<R>& model)
        requires(DecodesInPlace<R, Codec<R>> && !vorlane::contentModelCachesDerivedValues<R>)
    {
        Codec<R>::decodeInto(v, model.record_);
    }
    static void encode(Writer& w, const vorlane::ContentModel<R>& model) { Codec<R>::encode(w, model.record()); }
};

// Hand-written over the tagged-record table in Content.cpp: reads "type", then decodes the record
// of that kind from the same object; a kind whose record this library does not decode yet fails
// with a reason that says so. Encoding writes "type" beside the record's own keys.
VORLANE_JSON_CODEC(vorlane::ContentCoder)
