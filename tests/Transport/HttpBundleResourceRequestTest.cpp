// Resource packs fetched from the catalog's server on a loopback port: a pack downloads into place
// whole with a growing progress and is found there afterwards; a cancelled or refused download
// leaves neither a pack nor a staging directory.

#include "tests/Platform/PersistenceTestSupport.hpp"
#include "vorlane/BundleResource/BundleResourceService.hpp"
#include "vorlane/Transport/CatalogServer.hpp"
#include "vorlane/Transport/HttpBundleResourceRequest.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <thread>

namespace vorlane {
namespace {

namespace fs = std::filesystem;
using LoadStatus = BundleResourceRequestModel::LoadStatus;
constexpr std::chrono::seconds kPatience{10};

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// How a failure reads in the tables: the pack error's kind and message, or the HTTP failure's.
std::string described(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const ResourcePackError& failure) {
        return std::string(toString(failure.kind())) + ": " + failure.what();
    } catch (const HttpError& failure) {
        return "http " + std::string(toString(failure.kind())) + " " +
               std::to_string(failure.response() ? failure.response()->status : 0);
    } catch (const std::exception& failure) {
        return std::string("other: ") + failure.what();
    }
}

// What a Completable ended with, waited for without blocking the thread that may cancel it. The
// ending is described on the thread that signals it, which may hold the error longest.
struct Ending {
    std::promise<std::string> promise;
    std::future<std::string> future = promise.get_future();
    rx::Disposable subscription;

    explicit Ending(const rx::Completable& work)
        : subscription(work.subscribe([this] { promise.set_value("completed"); },
                                      [this](std::exception_ptr error) { promise.set_value(described(error)); })) {}
    // "completed", the failure described, or "pending" when it did not end in time.
    std::string outcome() {
        return future.wait_for(kPatience) == std::future_status::ready ? future.get() : "pending";
    }
};

struct PacksOverHttp : ::testing::Test {
    static constexpr const char* kTag = "onboarding-scenes";
    const fs::path catalogPacks = fs::path(VORLANE_CATALOG_DIR) / "static" / "packs" / kTag;
    persistencetesting::ScratchDirectory scratch;
    // The server outlives the client: a connection the client keeps open would hold the server's
    // stop until its keep-alive timeout.
    std::unique_ptr<CatalogServer> server;
    std::shared_ptr<HttpClient> client = std::make_shared<HttpClient>();

    void serve(const fs::path& catalog, std::vector<ServerFault> faults = {}) {
        server = std::make_unique<CatalogServer>(
            CatalogSession::open(catalog), CatalogServerOptions{.host = "127.0.0.1", .port = 0, .faults = std::move(faults)});
    }
    std::shared_ptr<HttpBundleResourceRequest> request(const std::string& tag = kTag) const {
        return std::make_shared<HttpBundleResourceRequest>(tag, server->url(), scratch.path, client);
    }
    // Nothing of the pack is left in the directory: neither the pack nor its staging directory.
    void expectNothingLeftOf(const std::string& tag) const {
        EXPECT_FALSE(fs::exists(scratch.path / tag));
        EXPECT_FALSE(fs::exists(scratch.path / ("." + tag + ".partial")));
    }
};

TEST_F(PacksOverHttp, DownloadsThePackWholeThenFindsItInPlace) {
    serve(VORLANE_CATALOG_DIR);
    BundleResourceService service(std::make_shared<InMemoryPersistentStore>());
    const auto modelOver = [&] {
        return std::make_shared<BundleResourceRequestModel>([&] { return request(); });
    };
    const auto statusesOf = [&](const std::shared_ptr<BundleResourceRequestModel>& model) {
        auto statuses = std::make_shared<std::vector<LoadStatus>>();
        auto mutex = std::make_shared<std::mutex>();
        model->status().subscribe([statuses, mutex](LoadStatus status) {
            std::lock_guard lock(*mutex);
            statuses->push_back(status);
        });
        service.downloadAndCacheResources(model, {}, {}).blockingAwait(kPatience);
        std::lock_guard lock(*mutex);
        return *statuses;
    };

    const auto downloading = modelOver();
    const auto statuses = statusesOf(downloading);
    ASSERT_GE(statuses.size(), 4u);
    EXPECT_EQ(statuses.front(), LoadStatus::notLoaded());
    EXPECT_EQ(statuses[1], LoadStatus::loading(0));
    EXPECT_EQ(statuses[statuses.size() - 2], LoadStatus::loading(1));
    EXPECT_EQ(statuses.back(), LoadStatus::loaded());
    for (std::size_t i = 2; i + 1 < statuses.size(); ++i)
        EXPECT_LT(*statuses[i - 1].progress(), *statuses[i].progress()) << "status " << i;

    const auto pack = downloading->request()->bundle();
    EXPECT_EQ(pack, scratch.path / kTag);
    for (const char* file : {"scenes/welcome.json", "scenes/profiles.json", "credits.txt"})
        EXPECT_EQ(fileText(pack / file), fileText(catalogPacks / file)) << file;
    EXPECT_FALSE(fs::exists(scratch.path / ".onboarding-scenes.partial"));
    EXPECT_TRUE(std::static_pointer_cast<HttpBundleResourceRequest>(downloading->request())->isAccessingResources());

    EXPECT_EQ(statusesOf(modelOver()), (std::vector{LoadStatus::notLoaded(), LoadStatus::loaded()}));
}

TEST_F(PacksOverHttp, CancellingMidTransferAbortsItAndLeavesNothing) {
    serve(VORLANE_CATALOG_DIR, {ServerFault::parse("delay=1500,path=credits.txt")});
    const auto downloading = request();
    Ending ending(downloading->beginAccessingResources());

    // The last file (226 of the 1621 bytes) is held back by the server; cancel once it is being
    // waited for.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!(downloading->progress()->fractionCompleted() > 0.8 && client->inFlight() == 1) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(client->inFlight(), 1u);
    EXPECT_TRUE(fs::is_directory(scratch.path / ".onboarding-scenes.partial"));

    // The same pack cannot be downloaded into the same directory twice at once.
    EXPECT_EQ(Ending(request()->beginAccessingResources()).outcome().substr(0, 5), "busy:");

    const auto started = std::chrono::steady_clock::now();
    downloading->progress()->cancel();
    EXPECT_EQ(ending.outcome(), "cancelled: the download of the pack \"onboarding-scenes\" was cancelled");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1000)) << "not waited out";
    expectNothingLeftOf(kTag);
    EXPECT_FALSE(downloading->isAccessingResources());
    EXPECT_EQ(Ending(downloading->beginAccessingResources()).outcome().substr(0, 10), "cancelled:");
}

TEST_F(PacksOverHttp, RefusedPacksFailClearlyAndLeaveNothing) {
    // A catalog of its own, with packs the built-in one would not ship.
    persistencetesting::ScratchDirectory catalog;
    fs::copy_file(fs::path(VORLANE_CATALOG_DIR) / "config" / "query-configuration.json", catalog / "configuration.json");
    writeFile(catalog / "manifest.json", R"({"configuration": "configuration.json", "answers": []})");
    const auto pack = [&](const std::string& tag, const std::string& manifest) {
        writeFile(catalog.path / "static" / "packs" / tag / "manifest.json", manifest);
        writeFile(catalog.path / "static" / "packs" / tag / "a.txt", "abc");
    };
    pack("escaping", R"({"tag": "escaping", "files": [{"path": "a.txt", "size": 3}, {"path": "../x", "size": 1}]})");
    pack("short", R"({"tag": "short", "files": [{"path": "a.txt", "size": 5}]})");
    pack("renamed", R"({"tag": "other", "files": []})");
    pack("twice", R"({"tag": "twice", "files": [{"path": "a.txt", "size": 3}, {"path": "a.txt", "size": 3}]})");
    pack("empty", R"({"tag": "empty", "files": []})");
    serve(catalog.path);

    const struct {
        std::string tag, outcome;
    } rows[] = {
        {"escaping", "manifest: the manifest of the pack \"escaping\" (" + server->url() +
                         "static/packs/escaping/manifest.json) is refused: files[1].path: the file path \"../x\" is "
                         "refused: it leads out of the pack (\"..\")"},
        {"short", "incomplete: the file \"a.txt\" of the pack \"short\" has 3 bytes; its manifest says 5"},
        {"renamed", "manifest: the manifest of the pack \"renamed\" names the pack \"other\""},
        {"twice", "manifest: the manifest of the pack \"twice\" lists \"a.txt\" twice (files[1])"},
        {"missing", "http status 404"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tag);
        EXPECT_EQ(Ending(request(row.tag)->beginAccessingResources()).outcome(), row.outcome);
        expectNothingLeftOf(row.tag);
    }

    // A pack of no files is complete at once.
    const auto empty = request("empty");
    EXPECT_EQ(Ending(empty->beginAccessingResources()).outcome(), "completed");
    EXPECT_TRUE(fs::is_directory(scratch.path / "empty"));
    EXPECT_EQ(empty->progress()->fractionCompleted(), 1.0);
}

TEST(HttpBundleResourceRequestTest, RefusesTagsThatAreNotOnePackName) {
    const auto client = std::make_shared<HttpClient>();
    for (const char* tag : {"", "..", ".hidden", "a/b"})
        EXPECT_THROW(HttpBundleResourceRequest(tag, "http://127.0.0.1:1/", "/tmp", client), std::invalid_argument) << tag;
    EXPECT_EQ(HttpBundleResourceRequest("a b", "http://host/base", "/tmp", client).manifestUrl(),
              "http://host/base/static/packs/a%20b/manifest.json");
}

}  // namespace
}  // namespace vorlane
