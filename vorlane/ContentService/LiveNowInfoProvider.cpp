#include "vorlane/ContentService/LiveNowInfoProvider.hpp"

#include "vorlane/Platform/NoSelfError.hpp"
#include "vorlane/Platform/TimeInterval.hpp"

#include <stdexcept>
#include <utility>

namespace vorlane {

namespace {

// Only the first page of live-now answers is ever asked for.
constexpr std::int64_t kLiveNowPage = 1;

std::optional<AiringState> entry(const OrderedMap<AiringState>& map, const std::string& airingId) {
    const AiringState* found = map.find(airingId);
    return found ? std::optional<AiringState>(*found) : std::nullopt;
}

}  // namespace

std::shared_ptr<SDKLiveNowInfoProvider> SDKLiveNowInfoProvider::make(std::shared_ptr<const ContentService> contentService,
                                                                     double refreshThrottleDuration,
                                                                     std::shared_ptr<rx::Scheduler> scheduler,
                                                                     BehaviorReader<bool> enableLiveNowRequests) {
    if (!contentService || !scheduler) {
        throw std::invalid_argument("the live-now provider needs a content service and a scheduler");
    }
    std::shared_ptr<SDKLiveNowInfoProvider> provider(new SDKLiveNowInfoProvider(std::move(contentService)));
    provider->startRefreshing(refreshThrottleDuration, std::move(scheduler), std::move(enableLiveNowRequests));
    return provider;
}

SDKLiveNowInfoProvider::SDKLiveNowInfoProvider(std::shared_ptr<const ContentService> contentService)
    : contentService(std::move(contentService)) {}

void SDKLiveNowInfoProvider::startRefreshing(double refreshThrottleDuration, std::shared_ptr<rx::Scheduler> scheduler,
                                             BehaviorReader<bool> enableLiveNowRequests) {
    std::weak_ptr<SDKLiveNowInfoProvider> weakSelf = weak_from_this();
    // Only values are handled: an error ends this subscription, and with it all refreshing.
    disposeBag.insert(
        shouldUpdate.asObservable()
            .filter([enabled = std::move(enableLiveNowRequests)](std::monostate) { return enabled.value(); })
            .throttle(secondsToInterval(refreshThrottleDuration), std::move(scheduler), true)
            .flatMapLatest([weakSelf](std::monostate) {
                const auto self = weakSelf.lock();
                if (!self) {
                    return rx::error<OrderedMap<AiringState>>(NoSelfError("LiveNowInfoProvider"));
                }
                return self->contentService->getLiveNow(kLiveNowPage);
            })
            .subscribe([weakSelf](OrderedMap<AiringState> airings) {
                if (const auto self = weakSelf.lock()) {
                    self->liveNowData.onNext(std::move(airings));
                }
            }));
}

rx::Observable<std::optional<AiringState>> SDKLiveNowInfoProvider::liveNowAiringState(const std::string& airingId) const {
    return liveNowData.asObservable()
        .map([airingId](const OrderedMap<AiringState>& airings) { return entry(airings, airingId); })
        .distinctUntilChanged();
}

std::optional<AiringState> SDKLiveNowInfoProvider::currentLiveNowAiringState(const std::string& airingId) const {
    return entry(liveNowData.value(), airingId);
}

void SDKLiveNowInfoProvider::updateLiveNowInfoCache() const {
    shouldUpdate.onNext(std::monostate{});
}

}  // namespace vorlane
