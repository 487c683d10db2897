// Profile avatars: by id, and the default choices kept in the avatar collection.

#include "vorlane/ContentService/SDKContentService.hpp"

#include <system_error>

namespace vorlane {

rx::Single<std::vector<Avatar>> SDKContentService::getAvatars(const std::vector<std::string>& avatarIds) const {
    JsonValue ids = JsonValue::array();
    for (const auto& id : avatarIds) ids.push_back(id);
    return legacyQuery<AvatarsContainer>(ContentQueryIdentifier::avatarByAvatarId, {{"avatarIds", std::move(ids)}})
        .map([](AvatarsContainer answer) { return std::move(answer.avatars); });
}

rx::Single<std::vector<Avatar>> SDKContentService::getDefaultAvatars() const {
    auto query = restQuery(ContentQueryIdentifier::collectionBySlug, {{"slug", inputs_.config.snapshot()->avatarSlug},
                                                                       {"contentClass", JsonValue("avatars")},
                                                                       {"collectionSubType", JsonValue("StandardCollection")}});
    if (!query) return failure<std::vector<Avatar>>(SDKContentServiceError::nullQueryId);
    // A set given by reference is fetched with everything the collection query sent.
    JsonValue sentVariables = query->variables;
    return runLegacy<ContentCollection>(std::move(*query))
        .flatMap([service = *this, sentVariables = std::move(sentVariables)](const ContentCollection& collection) {
            const ContentContainer* visible = nullptr;
            for (const auto& container : collection.containers)
                if (container.style.rawValue() != "hidden") {
                    visible = &container;
                    break;
                }
            if (!visible) throw std::system_error(make_error_code(AvatarServiceError::defaultsNotFound));
            const auto& set = visible->setDecoder.content;
            if (const auto* complete = std::get_if<ContentSet>(&set)) return rx::just(*complete);
            return service.getContent(std::get<ContentSetReferenceLocator>(set), sentVariables,
                                      ItemPage{0, PageSize::ten});
        })
        .map([](const ContentSet& set) {
            std::vector<Avatar> avatars;
            for (const auto& item : set.items)
                if (const Avatar* avatar = item.as<Avatar>()) avatars.push_back(*avatar);
            return avatars;
        });
}

}  // namespace vorlane
