#include "vorlane/ContentService/ContentService.hpp"

#include "vorlane/ContentService/SDKContentServiceError.hpp"

#include <system_error>

namespace vorlane {

rx::Single<Avatar> AvatarService::getAvatar(const std::string& avatarId) const {
    return getAvatars({avatarId}).map([](std::vector<Avatar> avatars) {
        if (avatars.empty()) throw std::system_error(make_error_code(AvatarServiceError::avatarNotFound));
        return std::move(avatars.front());
    });
}

}  // namespace vorlane
