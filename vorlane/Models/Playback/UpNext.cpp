#include "vorlane/Models/Playback/UpNext.hpp"

#include "vorlane/Platform/Json/RecordCodec.hpp"
#include "vorlane/Platform/Log.hpp"

VORLANE_JSON_DEFINE(vorlane::UpNextItemProgramSource)
VORLANE_JSON_DEFINE(vorlane::UpNextItem)
VORLANE_JSON_DEFINE(vorlane::UpNextAvailability)
VORLANE_JSON_DEFINE(vorlane::UpNextParent)
VORLANE_JSON_DEFINE(vorlane::UpNextResponse)
VORLANE_JSON_DEFINE(vorlane::UpNext)

namespace vorlane {

std::string_view toString(UpNextType type) noexcept {
    switch (type) {
        case UpNextType::sequential: return "sequential";
        case UpNextType::recommendation: return "recommendation";
        case UpNextType::sneakpeek: return "sneakpeek";
        case UpNextType::stop: return "stop";
    }
    return "unknown";
}

std::string UpNextResponse::description() const {
    auto programType = [](const std::optional<UpNextItem>& item) {
        return item ? json::wireString(item->programType) : std::string_view("unknown");
    };
    std::string text = "UpNextResponse [";
    text += toString(upNextType);
    text += "] ";
    text += programType(itemFrom);
    text += " \u2192 ";
    text += programType(itemTo);
    return text;
}

namespace {

using ContentTypeResult = Either<UpNextContentType, UpNextError>;

// What a recommendation of an item of `programType` presents as.
UpNextContentType recommendedContentType(VideoProgramType programType) noexcept {
    switch (programType) {
        case VideoProgramType::episode: return UpNextContentType::newSeries;
        case VideoProgramType::supplement:
        case VideoProgramType::promotional: return UpNextContentType::extra;
        case VideoProgramType::sports: return UpNextContentType::sports;
        case VideoProgramType::movie:
        case VideoProgramType::shortForm:
        case VideoProgramType::other: return UpNextContentType::movie;
    }
    return UpNextContentType::movie;
}

ContentTypeResult contentTypeOf(const UpNextResponse& r) {
    if (r.upNextType == UpNextType::stop) return ContentTypeResult::fromRight(UpNextError::noUpNext);
    if (!r.itemTo) return ContentTypeResult::fromRight(UpNextError::itemToMissing);
    const VideoProgramType to = r.itemTo->programType;
    if (r.upNextType == UpNextType::sequential && r.itemFrom && r.itemFrom->programType == VideoProgramType::episode &&
        to == VideoProgramType::episode)
        return ContentTypeResult::fromLeft(UpNextContentType::nextEpisode);
    if (r.upNextType == UpNextType::sneakpeek) return ContentTypeResult::fromLeft(UpNextContentType::sneakpeek);
    if (r.upNextType == UpNextType::recommendation) return ContentTypeResult::fromLeft(recommendedContentType(to));
    Log::content.error("Could not determine upnext type: " + r.description());
    return ContentTypeResult::fromRight(UpNextError::unsupportedType);
}

}  // namespace

Either<UpNext, UpNextError> UpNext::from(const UpNextResponse& response) {
    using Result = Either<UpNext, UpNextError>;
    const ContentTypeResult contentType = contentTypeOf(response);
    if (const UpNextError* error = contentType.rightIfPresent()) return Result::fromRight(*error);
    if (response.video.videos.empty()) return Result::fromRight(UpNextError::videoMissing);
    return Result::fromLeft(UpNext{contentType.left(), response.video.videos.front(), response.itemTo,
                                   response.parentItemTo, response.experimentToken});
}

std::string_view toString(UpNextError error) noexcept {
    switch (error) {
        case UpNextError::noUpNext: return "noUpNext";
        case UpNextError::videoMissing: return "videoMissing";
        case UpNextError::unsupportedType: return "unsupportedType";
        case UpNextError::itemToMissing: return "itemToMissing";
    }
    return "unknown";
}

namespace {

class UpNextErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "UpNextError"; }
    std::string message(int code) const override {
        switch (static_cast<UpNextError>(code)) {
            case UpNextError::noUpNext: return "noUpNext: the service says nothing plays next";
            case UpNextError::videoMissing: return "videoMissing: the up-next answer lists no video to play";
            case UpNextError::unsupportedType:
                return "unsupportedType: the up-next answer's type and program types name no presentation";
            case UpNextError::itemToMissing: return "itemToMissing: the up-next answer names no item to play";
        }
        return "unknown up-next error " + std::to_string(code);
    }
};

}  // namespace

const std::error_category& upNextErrorCategory() noexcept {
    static const UpNextErrorCategory category;
    return category;
}

std::error_code make_error_code(UpNextError error) noexcept { return {static_cast<int>(error), upNextErrorCategory()}; }

}  // namespace vorlane
