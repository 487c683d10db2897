#include "vorlane/Models/Content/Avatar.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"

#include <string_view>

VORLANE_JSON_DEFINE(vorlane::Avatar)

namespace vorlane {
namespace {

// An avatar as the content API sends it: its image map, or else a list of free-standing images.
struct AvatarAnswer {
    std::string avatarId;
    std::optional<ImageMap> image;
    std::optional<std::vector<Image>> images;
    TextMap texts;
    std::optional<CallToAction> callToAction;
    std::vector<VideoArtwork> videoArtwork;
};

inline auto jsonFields(json::Tag<AvatarAnswer>) {
    using namespace json::rules;
    using S = AvatarAnswer;
    return fields(required("avatarId", &S::avatarId),
                  optional("image", &S::image),
                  lenientIfPresent("images", &S::images),
                  defaulted("text", &S::texts),
                  optional("callToAction", &S::callToAction),
                  lenient("videoArt", &S::videoArtwork, Missing::empty));
}

}  // namespace
}  // namespace vorlane

vorlane::Avatar vorlane::json::Codec<vorlane::Avatar>::decode(const Value& v) {
    auto answer = RecordCodec<AvatarAnswer>::decode(v);
    ImageMap image;
    if (answer.image)
        image = std::move(*answer.image);
    else if (answer.images)
        // Free-standing avatar images are square tiles of the avatar unless they say otherwise.
        image = toDictionary(*answer.images, Image::Purpose::tile, MediaEntity::avatar, AspectRatio(1.0));
    return Avatar(std::move(answer.avatarId), std::move(image), std::move(answer.texts), std::move(answer.callToAction),
                  std::move(answer.videoArtwork));
}

namespace vorlane {

PersistedBytes Avatar::encode() const {
    const std::string text = json::encode(*this);
    return PersistedBytes(text.begin(), text.end());
}

Avatar Avatar::decode(std::span<const std::uint8_t> bytes) {
    return json::decode<Avatar>(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace vorlane
