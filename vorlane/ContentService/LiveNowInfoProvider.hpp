#pragma once
// What airs now: an in-memory map of live airing states by content id, refreshed on request from
// the content service, which screens observe one airing at a time.

#include "vorlane/ContentService/ContentService.hpp"
#include "vorlane/Models/Content/Airing.hpp"
#include "vorlane/Platform/BehaviorReader.hpp"
#include "vorlane/Platform/Json/OrderedMap.hpp"
#include "vorlane/Platform/Rx/BehaviorSubject.hpp"
#include "vorlane/Platform/Rx/DisposeBag.hpp"
#include "vorlane/Platform/Rx/Observable.hpp"
#include "vorlane/Platform/Rx/Scheduler.hpp"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vorlane {

class LiveNowInfoProvider {
public:
    virtual ~LiveNowInfoProvider() = default;

    // The current map's entry for `airingId` (none when the map has no such entry), delivered at
    // once and again whenever the map is replaced, except when it equals the entry delivered last.
    // Values arrive on the thread that replaced the map.
    virtual rx::Observable<std::optional<AiringState>> liveNowAiringState(const std::string& airingId) const = 0;

    // The current map's entry for `airingId`, or none.
    virtual std::optional<AiringState> currentLiveNowAiringState(const std::string& airingId) const = 0;

    // Asks for the map to be fetched again.
    virtual void updateLiveNowInfoCache() const = 0;
};

// Keeps the map of the first page of live-now answers.
//
// Refreshing: every request (one is made at construction) is dropped while the
// `enableLiveNowRequests` flag reads false at that moment; the others are throttled on the given
// scheduler (the first passes at once, the latest of those inside a window follows when the window
// closes) and each that passes fetches page 1, abandoning a fetch still under way. Each answer
// replaces the whole map. The first failed fetch ends refreshing for good: later requests have no
// effect and the last map stays readable. Dropping the provider ends refreshing and cancels a
// fetch under way.
class SDKLiveNowInfoProvider final : public LiveNowInfoProvider,
                                     public std::enable_shared_from_this<SDKLiveNowInfoProvider> {
public:
    // Builds the provider and starts refreshing. The refresh holds the provider weakly, so it is
    // shared: made only here. Throws std::invalid_argument without a service or a scheduler.
    static std::shared_ptr<SDKLiveNowInfoProvider> make(std::shared_ptr<const ContentService> contentService,
                                                        double refreshThrottleDuration,
                                                        std::shared_ptr<rx::Scheduler> scheduler,
                                                        BehaviorReader<bool> enableLiveNowRequests);

    rx::Observable<std::optional<AiringState>> liveNowAiringState(const std::string& airingId) const override;
    std::optional<AiringState> currentLiveNowAiringState(const std::string& airingId) const override;
    void updateLiveNowInfoCache() const override;

private:
    explicit SDKLiveNowInfoProvider(std::shared_ptr<const ContentService> contentService);

    void startRefreshing(double refreshThrottleDuration, std::shared_ptr<rx::Scheduler> scheduler,
                         BehaviorReader<bool> enableLiveNowRequests);

    std::shared_ptr<const ContentService> contentService;
    rx::BehaviorSubject<OrderedMap<AiringState>> liveNowData{OrderedMap<AiringState>{}};
    // Starts with one request, so the first fetch goes out as soon as refreshing starts.
    rx::BehaviorSubject<std::monostate> shouldUpdate{std::monostate{}};
    // Last, so it is destroyed first: refreshing ends before the subjects go.
    rx::DisposeBag disposeBag;
};

}  // namespace vorlane
