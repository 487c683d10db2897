#pragma once
// A profile avatar of the legacy content API, kept on the device by its JSON encoding.

#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Images/VideoArtwork.hpp"
#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Platform/Persistence.hpp"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorlane {

struct Avatar : Persistable {
    static constexpr ContentTypeIdentifier identifier = ContentTypeIdentifier::avatar;

    std::string avatarId;
    ImageMap image;
    TextMap texts;
    std::optional<CallToAction> callToAction;
    std::vector<VideoArtwork> videoArtwork;

    Avatar() = default;
    Avatar(std::string avatarId, ImageMap image, TextMap texts, std::optional<CallToAction> callToAction,
           std::vector<VideoArtwork> videoArtwork)
        : avatarId(std::move(avatarId)), image(std::move(image)), texts(std::move(texts)),
          callToAction(std::move(callToAction)), videoArtwork(std::move(videoArtwork)) {}
    Avatar(const Avatar&) = default;
    Avatar(Avatar&&) noexcept = default;
    Avatar& operator=(const Avatar&) = default;
    Avatar& operator=(Avatar&&) noexcept = default;

    const std::string& contentId() const noexcept { return avatarId; }

    PersistableSchema schema() const override { return {"Avatar", 1}; }
    PersistedBytes encode() const override;
    // The avatar stored as `encode` wrote it; throws a decoding error for anything else.
    static Avatar decode(std::span<const std::uint8_t> bytes);

    bool operator==(const Avatar& other) const {
        return avatarId == other.avatarId && image == other.image && texts == other.texts &&
               callToAction == other.callToAction && videoArtwork == other.videoArtwork;
    }
};

// How an avatar is written. Reading is hand-written (Avatar.cpp): an answer without "image" has
// its map built from the free-standing "images" list instead.
inline auto jsonFields(json::Tag<Avatar>) {
    using namespace json::rules;
    using S = Avatar;
    return fields(required("avatarId", &S::avatarId),
                  defaulted("image", &S::image),
                  defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction),
                  lenient("videoArt", &S::videoArtwork, Missing::empty));
}

}  // namespace vorlane

template <>
struct vorlane::json::Codec<vorlane::Avatar> {
    static vorlane::Avatar decode(const Value& v);
    static void encode(Writer& w, const vorlane::Avatar& avatar) { RecordCodec<vorlane::Avatar>::encode(w, avatar); }
};

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::Avatar)
