// Downloadable resource packs without a server: the progress object, the model's status and request
// replacement, the service's transitions and log lines over a request driven by hand, and the
// pack manifest's reading rules.

#include "tests/Platform/Json/JsonTestSupport.hpp"
#include "vorlane/BundleResource/BundleResourceService.hpp"
#include "vorlane/BundleResource/ResourcePackManifest.hpp"
#include "vorlane/Platform/Log.hpp"
#include "vorlane/Platform/Rx/DisposeBag.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace vorlane {
namespace {

using LoadStatus = BundleResourceRequestModel::LoadStatus;

// A request whose every step the test resolves itself.
class HandDrivenRequest final : public BundleResourceRequest {
public:
    std::shared_ptr<ResourceProgress> progress() const override { return progress_; }
    std::filesystem::path bundle() const override { return "/packs/scenes"; }
    rx::Single<bool> conditionallyBeginAccessingResources() override {
        return rx::Single<bool>::create([this](rx::SingleObserver<bool> observer) { conditional.emplace(observer); });
    }
    rx::Completable beginAccessingResources() override {
        return rx::Completable::create([this](rx::CompletableObserver observer) { begin.emplace(observer); });
    }
    void endAccessingResources() override { ++ends; }

    std::shared_ptr<ResourceProgress> progress_ = std::make_shared<ResourceProgress>();
    std::optional<rx::SingleObserver<bool>> conditional;
    std::optional<rx::CompletableObserver> begin;
    int ends = 0;
};

struct Failed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A model over hand-driven requests, the statuses it published, and one download's outcome.
struct DownloadFixture : ::testing::Test {
    std::vector<std::shared_ptr<HandDrivenRequest>> made;
    std::shared_ptr<BundleResourceRequestModel> model = std::make_shared<BundleResourceRequestModel>([this] {
        made.push_back(std::make_shared<HandDrivenRequest>());
        return made.back();
    });
    std::vector<LoadStatus> statuses;
    rx::Disposable watching = model->status().subscribe([this](LoadStatus status) { statuses.push_back(status); });
    BundleResourceService service{std::make_shared<InMemoryPersistentStore>()};
    int completions = 0;
    std::exception_ptr failure;
    LogCapture logs;
    // Like any owner of a subscription, the fixture ends the downloads it left running: a download
    // whose request never answers would otherwise keep its chain of subscriptions alive.
    rx::DisposeBag downloads;

    void startDownload() {
        downloads.insert(service
            .downloadAndCacheResources(
                model, [] { throw Failed("scene files are never asked for"); return std::vector<std::filesystem::path>{}; },
                "/unused/destination")
            .subscribe([this] { ++completions; }, [this](std::exception_ptr error) { failure = error; }));
    }
    HandDrivenRequest& current() { return *made.back(); }

    // The messages logged through the shared channel at debug level, in order.
    std::vector<std::string> progressLines() const {
        std::vector<std::string> out;
        for (const auto& entry : logs.entries())
            if (entry.category == LogCategory::shared && entry.level == LogLevel::debug) out.push_back(entry.message);
        return out;
    }
};

const std::string kPrefix = "\xF0\x9F\x8F\x97\xEF\xB8\x8F ";

TEST_F(DownloadFixture, ResourcesOnTheDeviceGoStraightToLoaded) {
    startDownload();
    current().conditional->onSuccess(true);
    EXPECT_EQ(statuses, (std::vector{LoadStatus::notLoaded(), LoadStatus::loaded()}));
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(current().begin) << "nothing to download";
    EXPECT_FALSE(model->hasProgressObservation());
    current().progress()->setFractionCompleted(0.5);
    EXPECT_TRUE(progressLines().empty());
}

TEST_F(DownloadFixture, ADownloadPublishesEachProgressChangeThenLoaded) {
    startDownload();
    current().conditional->onSuccess(false);
    EXPECT_TRUE(model->hasProgressObservation());
    current().progress()->setFractionCompleted(0.25);
    current().progress()->setFractionCompleted(0.25);  // no change, nothing said
    current().progress()->setFractionCompleted(1.0);
    EXPECT_EQ(completions, 0);
    current().begin->onCompleted();
    EXPECT_EQ(statuses, (std::vector{LoadStatus::notLoaded(), LoadStatus::loading(0), LoadStatus::loading(0.25),
                                     LoadStatus::loading(1), LoadStatus::loaded()}));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(progressLines(), (std::vector{kPrefix + "Download Progress - 0.25", kPrefix + "Download Progress - 1.0"}));
    const auto entry = logs.entries().front();
    EXPECT_EQ(entry.function, "downloadAndCacheResources(for:cachedSceneFileURLs:destinationURL:)");
}

TEST_F(DownloadFixture, ACancelledProgressLogsButPublishesNothing) {
    startDownload();
    current().conditional->onSuccess(false);
    current().progress()->cancel();
    current().progress()->setFractionCompleted(0.75);
    EXPECT_EQ(progressLines(), (std::vector{kPrefix + "Download Progress - 0.75"}));
    EXPECT_EQ(statuses.back(), LoadStatus::loading(0));
}

TEST_F(DownloadFixture, CancelDuringADownloadPublishesNotLoadedWithAFreshRequest) {
    startDownload();
    current().conditional->onSuccess(false);
    current().progress()->setFractionCompleted(0.3);
    const auto first = made.front();
    model->cancel();
    EXPECT_TRUE(first->progress()->isCancelled());
    EXPECT_EQ(first->ends, 1);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(model->request(), made.back());
    EXPECT_EQ(statuses.back(), LoadStatus::notLoaded());

    // The next download observes the new request only: the old one's late reports are not heard.
    startDownload();
    current().conditional->onSuccess(false);
    logs.clear();
    first->progress()->setFractionCompleted(0.9);
    current().progress()->setFractionCompleted(0.1);
    EXPECT_EQ(progressLines(), (std::vector{kPrefix + "Download Progress - 0.1"}));
    EXPECT_EQ(statuses.back(), LoadStatus::loading(0.1));
}

TEST_F(DownloadFixture, EndingAccessAfterLoadedKeepsLoadedWithAFreshRequest) {
    startDownload();
    current().conditional->onSuccess(true);
    const auto first = made.front();
    model->endAccessingResources();
    EXPECT_EQ(first->ends, 1);
    EXPECT_FALSE(first->progress()->isCancelled());
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made.back()->ends, 0);
    EXPECT_EQ(model->request(), made.back());
    EXPECT_EQ(model->currentStatus(), LoadStatus::loaded());
    EXPECT_EQ(statuses.size(), 2u);
}

TEST_F(DownloadFixture, FailuresReachTheCallerAndLeaveTheLastStatus) {
    const struct {
        const char* name;
        bool failAtBegin;
        LoadStatus left;
    } rows[] = {
        {"asking whether the pack is there", false, LoadStatus::notLoaded()},
        {"downloading", true, LoadStatus::loading(0.4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        model->cancel();
        failure = nullptr;
        startDownload();
        if (row.failAtBegin) {
            current().conditional->onSuccess(false);
            current().progress()->setFractionCompleted(0.4);
            current().begin->onError(std::make_exception_ptr(Failed("no space left")));
        } else {
            current().conditional->onError(std::make_exception_ptr(Failed("no space left")));
        }
        EXPECT_EQ(model->currentStatus(), row.left);
        EXPECT_EQ(jsontesting::thrownMessage<Failed>([&] { std::rethrow_exception(failure); }), "no space left");
        EXPECT_EQ(completions, 0);
    }
}

TEST(BundleResourceLogTest, WritesAtDebugInTheSharedLogAfterTheBuildingEmoji) {
    LogCapture logs;
    BundleResourceService::log("prepare()", "Pack ready");
    ASSERT_EQ(logs.size(), 1u);
    const auto entry = logs.entries()[0];
    EXPECT_EQ(entry.category, LogCategory::shared);
    EXPECT_EQ(entry.level, LogLevel::debug);
    EXPECT_EQ(entry.message, "\U0001F3D7\uFE0F Pack ready");
    EXPECT_EQ(entry.function, "prepare()");
}

TEST(LoadStatusTest, EqualByCaseAndFractionAndPrintedAsTheirCase) {
    EXPECT_EQ(LoadStatus::loading(0.5), LoadStatus::loading(0.5));
    EXPECT_NE(LoadStatus::loading(0.5), LoadStatus::loading(0.25));
    EXPECT_NE(LoadStatus::loading(0), LoadStatus::notLoaded());
    EXPECT_NE(LoadStatus::notLoaded(), LoadStatus::loaded());
    EXPECT_EQ(LoadStatus::loaded().progress(), std::nullopt);
    const struct {
        LoadStatus status;
        const char* printed;
    } rows[] = {
        {LoadStatus::notLoaded(), "notLoaded"},
        {LoadStatus::loaded(), "loaded"},
        {LoadStatus::loading(0), "loading(progress: 0.0)"},
        {LoadStatus::loading(1), "loading(progress: 1.0)"},
        {LoadStatus::loading(0.1), "loading(progress: 0.1)"},
        {LoadStatus::loading(1.0 / 3), "loading(progress: 0.3333333333333333)"},
        {LoadStatus::loading(0.00001), "loading(progress: 1e-05)"},
    };
    for (const auto& row : rows) EXPECT_EQ(toString(row.status), row.printed);
}

TEST(ResourceProgressTest, ClampsAndReportsOnlyChangesToLiveObservations) {
    ResourceProgress progress;
    std::vector<double> seen, other;
    auto observation = progress.observeFractionCompleted([&](double fraction) { seen.push_back(fraction); });
    std::optional<ProgressObservation> short_lived = progress.observeFractionCompleted([&](double f) { other.push_back(f); });
    EXPECT_TRUE(seen.empty()) << "no initial report";
    for (const double fraction : {0.5, 0.5, 1.5, -2.0, std::nan(""), 0.0}) progress.setFractionCompleted(fraction);
    short_lived.reset();  // destroyed: stops
    progress.setFractionCompleted(0.2);
    ProgressObservation moved = std::move(observation);
    observation.dispose();  // a moved-from observation stops nothing
    progress.setFractionCompleted(0.3);
    moved.dispose();
    progress.setFractionCompleted(0.4);
    EXPECT_EQ(seen, (std::vector{0.5, 1.0, 0.0, 0.2, 0.3}));
    EXPECT_EQ(other, (std::vector{0.5, 1.0, 0.0}));
    EXPECT_EQ(progress.fractionCompleted(), 0.4);
}

TEST(ResourceProgressTest, CancelRunsTheHandlerOnceAndALateHandlerAtOnce) {
    auto progress = std::make_unique<ResourceProgress>();
    int first = 0, replaced = 0, late = 0;
    progress->setCancellationHandler([&] { ++replaced; });
    progress->setCancellationHandler([&] { ++first; });
    progress->cancel();
    progress->cancel();
    EXPECT_TRUE(progress->isCancelled());
    progress->setCancellationHandler([&] { ++late; });
    EXPECT_EQ(std::tuple(first, replaced, late), std::tuple(1, 0, 1));

    // An observation may outlive its progress.
    auto observation = progress->observeFractionCompleted([](double) {});
    progress.reset();
    observation.dispose();
}

TEST(ResourcePackManifestTest, ReadsEveryKeyAndRefusesPathsThatLeaveThePack) {
    jsontesting::expectEveryKeyRequired<ResourcePackManifest>(
        JsonValue::parse(R"({"tag":"onboarding-scenes","files":[{"path":"scenes/a.json","size":12}]})"));
    jsontesting::expectEveryKeyRequired<ResourcePackFile>(JsonValue::parse(R"({"path":"a","size":0})"));
    using jsontesting::Failure;
    using json::ErrorKind;
    const auto file = [](std::string path) { return ResourcePackFile{std::move(path), 1}; };
    const auto refused = Failure{ErrorKind::dataCorrupted, "files[1].path"};
    jsontesting::expectDecodes<ResourcePackManifest>({
        {R"({"tag":"t","files":[]})", ResourcePackManifest{"t", {}}},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":".hidden/a..b","size":1}]})",
         ResourcePackManifest{"t", {file("ok"), file(".hidden/a..b")}}},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"../x","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a/../../x","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"/etc/passwd","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a//b","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"./a","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a/","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a\\b","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a\u0000b","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"","size":1}]})", refused},
        {R"({"tag":"t","files":[{"path":"ok","size":1},{"path":"a","size":-1}]})", Failure{ErrorKind::dataCorrupted, "files[1].size"}},
    });
    EXPECT_EQ(std::string(jsontesting::decodeFailure<ResourcePackManifest>(
                              R"({"tag":"t","files":[{"path":"../x","size":1}]})").what()),
              R"(files[0].path: the file path "../x" is refused: it leads out of the pack (".."))");
}

TEST(ResourcePackManifestTest, TotalBytesAddsUpAndSaturates) {
    constexpr auto most = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ((ResourcePackManifest{"t", {{"a", 3}, {"b", 4}}}.totalBytes()), 7u);
    EXPECT_EQ((ResourcePackManifest{"t", {{"a", most - 1}, {"b", 2}, {"c", 1}}}.totalBytes()), most);
}

}  // namespace
}  // namespace vorlane
