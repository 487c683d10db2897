#include "vorlane/Transport/CatalogServer.hpp"

#include "vorlane/Configuration/ContentQueryConfiguration.hpp"
#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/JsonValue.hpp"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <sys/socket.h>

namespace vorlane {

namespace {

constexpr std::string_view kFaultHeader = "X-Vorlane-Fault";
constexpr std::size_t kMaxRequestBytes = std::size_t{16} << 20;
constexpr long kMaxDelayMs = 600000;
constexpr int kListenBacklog = 512;

long parseNumber(std::string_view text, std::string_view rule) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw std::invalid_argument("fault \"" + std::string(rule) + "\": \"" + std::string(text) + "\" is not a number");
    return value;
}

// A failure the server answers with its own status and {"error", "message"}.
struct Refusal : std::runtime_error {
    Refusal(int status, std::string kind, const std::string& message)
        : std::runtime_error(message), status(status), kind(std::move(kind)) {}
    int status;
    std::string kind;
};

void answerError(httplib::Response& res, int status, const std::string& kind, const std::string& message) {
    JsonValue body = JsonValue::object();
    body["error"] = kind;
    body["message"] = message;
    res.status = status;
    res.set_content(body.dump(), "application/json");
}

JsonValue parseJson(const std::string& text, const char* what) {
    JsonValue value = JsonValue::parse(text, nullptr, false);
    if (value.is_discarded()) throw Refusal(400, "request", std::string(what) + " is not JSON");
    return value;
}

// The media type of a static file, by its extension; bytes of any other kind are octet streams.
const char* contentTypeOf(std::string_view name) {
    const auto endsWith = [name](std::string_view suffix) {
        return name.size() >= suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
    };
    if (endsWith(".json")) return "application/json";
    if (endsWith(".txt")) return "text/plain; charset=utf-8";
    if (endsWith(".html")) return "text/html; charset=utf-8";
    if (endsWith(".png")) return "image/png";
    if (endsWith(".jpg") || endsWith(".jpeg")) return "image/jpeg";
    return "application/octet-stream";
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

std::string readStaticFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) throw std::runtime_error("cannot read " + file.string());
    return bytes;
}

std::optional<JsonValue> jsonParam(const httplib::Request& req, const char* name) {
    if (!req.has_param(name)) return std::nullopt;
    JsonValue value = parseJson(req.get_param_value(name), name);
    if (!value.is_object()) throw Refusal(400, "request", std::string(name) + " must be a JSON object");
    return value;
}

}  // namespace

ServerFault ServerFault::parse(std::string_view rule) {
    ServerFault fault;
    std::string_view kind = rule;
    if (const auto comma = rule.find(','); comma != std::string_view::npos) {
        kind = rule.substr(0, comma);
        const std::string_view rest = rule.substr(comma + 1);
        if (!rest.starts_with("path=") || rest.size() == 5)
            throw std::invalid_argument("fault \"" + std::string(rule) + "\": after the comma comes path=TEXT");
        fault.pathPart = std::string(rest.substr(5));
    }
    if (kind.starts_with("delay=")) {
        fault.kind = Kind::delay;
        fault.value = parseNumber(kind.substr(6), rule);
        if (fault.value < 0 || fault.value > kMaxDelayMs)
            throw std::invalid_argument("fault \"" + std::string(rule) + "\": a delay is 0 to 600000 ms");
    } else if (kind.starts_with("status=")) {
        fault.kind = Kind::status;
        fault.value = parseNumber(kind.substr(7), rule);
        if (fault.value < 100 || fault.value > 599)
            throw std::invalid_argument("fault \"" + std::string(rule) + "\": a status is 100 to 599");
    } else if (kind == "truncate") {
        fault.kind = Kind::truncate;
    } else if (kind == "drop") {
        fault.kind = Kind::drop;
    } else {
        throw std::invalid_argument("fault \"" + std::string(rule) +
                                    "\" is none of delay=MS, status=CODE, truncate, drop (each with an optional ,path=TEXT)");
    }
    return fault;
}

struct CatalogServer::State {
    std::shared_ptr<CatalogSession> session;
    CatalogServerOptions options;
    httplib::Server server;
    std::thread thread;
    int port = 0;
    int listening = -1;
    std::atomic<std::size_t> served{0};
    std::once_flag stopped;

    // Where the static file `relative` lies, or a 404 Refusal when it is not a file inside the folder.
    std::filesystem::path staticFile(const std::string& relative) const {
        namespace fs = std::filesystem;
        const Catalog& catalog = session->catalog();
        const std::string named = "static/" + relative;
        try {
            const fs::path file = catalog.resolve(named, "the request path");
            std::error_code failed;
            const fs::path folder = fs::weakly_canonical(catalog.directory / "static", failed);
            const auto [folderEnd, inside] = std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
            if (!failed && folderEnd == folder.end() && fs::is_regular_file(file, failed)) return file;
        } catch (const std::runtime_error&) {
        }
        throw Refusal(404, "unrouted", "no static file \"" + relative + "\" in the catalog");
    }

    // The fault for this request: its own header's when allowed, else the first rule that matches.
    std::optional<ServerFault> faultFor(const httplib::Request& req) const {
        if (options.faultHeader && req.has_header(std::string(kFaultHeader).c_str())) {
            try {
                return ServerFault::parse(req.get_header_value(std::string(kFaultHeader).c_str()));
            } catch (const std::invalid_argument& error) {
                throw Refusal(400, "request", error.what());
            }
        }
        for (const auto& rule : options.faults)
            if (rule.pathPart.empty() || req.path.find(rule.pathPart) != std::string::npos) return rule;
        return std::nullopt;
    }

    // Runs `answer` for the request with its fault applied and every failure turned into its status.
    void serve(const httplib::Request& req, httplib::Response& res, const std::function<std::optional<std::string>()>& answer,
               const char* contentType = "application/json") {
        ++served;
        try {
            const auto fault = faultFor(req);
            if (fault && fault->kind == ServerFault::Kind::delay)
                std::this_thread::sleep_for(std::chrono::milliseconds(fault->value));
            if (fault && fault->kind == ServerFault::Kind::status) {
                answerError(res, static_cast<int>(fault->value), "injected",
                            "status " + std::to_string(fault->value) + " injected for " + req.path);
                return;
            }
            const std::optional<std::string> body = answer();
            if (!body) {
                res.status = 204;
                return;
            }
            if (fault && (fault->kind == ServerFault::Kind::truncate || fault->kind == ServerFault::Kind::drop)) {
                const std::size_t sent = fault->kind == ServerFault::Kind::truncate ? body->size() / 2 : 0;
                auto text = std::make_shared<std::string>(*body);
                res.set_content_provider(text->size(), contentType,
                                         [text, sent](std::size_t, std::size_t, httplib::DataSink& sink) {
                                             if (sent > 0) sink.write(text->data(), sent);
                                             return false;  // closes the connection with the rest unsent
                                         });
                return;
            }
            res.set_content(*body, contentType);
        } catch (const Refusal& refusal) {
            answerError(res, refusal.status, refusal.kind, refusal.what());
        } catch (const UnroutedQueryError& error) {
            answerError(res, 404, "unrouted", error.what());
        } catch (const CatalogSessionError& error) {
            answerError(res, 500, "catalog", error.what());
        } catch (const json::DecodingError& error) {
            answerError(res, 400, "request", error.what());
        } catch (const std::exception& error) {
            answerError(res, 500, "failed", error.what());
        }
    }

    void routes() {
        const auto rest = [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res, [&]() -> std::optional<std::string> {
                const JsonValue body = parseJson(req.body, "the request body");
                if (!body.is_object() || !body.contains("queryId") || !body["queryId"].is_string())
                    throw Refusal(400, "request", "the request body needs a \"queryId\" string");
                sdk::RestQuery query{body["queryId"].get<std::string>(),
                                     body.contains("variables") ? body["variables"] : JsonValue::object()};
                return session->contentApi()
                    ->query(std::move(query), std::nullopt, std::nullopt, sdk::CallSite{__FILE__, __LINE__})
                    .blockingGet();
            });
        };
        server.Post("/content/search", rest);
        server.Post("/content/query", rest);

        // Before the Explore queries, whose pattern would take these paths too.
        const auto watchlist = [this](bool add) {
            return [this, add](const httplib::Request& req, httplib::Response& res) {
                serve(req, res, [&]() -> std::optional<std::string> {
                    auto request = json::decode<sdk::WatchlistRequest>(req.body);
                    auto api = session->exploreApi();
                    (add ? api->addToWatchlist(std::move(request), sdk::CallSite{__FILE__, __LINE__})
                         : api->removeFromWatchlist(std::move(request), sdk::CallSite{__FILE__, __LINE__}))
                        .blockingAwait();
                    return std::nullopt;
                });
            };
        };
        server.Post("/explore/watchlist/add", watchlist(true));
        server.Post("/explore/watchlist/remove", watchlist(false));

        server.Get(R"(/explore/([^/]+)/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res, [&]() -> std::optional<std::string> {
                sdk::ExploreGetQuery query{req.matches[2], req.matches[1], jsonParam(req, "variables"),
                                           jsonParam(req, "params")};
                return session->exploreApi()->execute(std::move(query), sdk::CallSite{__FILE__, __LINE__}).blockingGet();
            });
        });
        server.Post(R"(/explore/([^/]+)/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res, [&]() -> std::optional<std::string> {
                sdk::ExplorePostQuery query{req.matches[2], req.matches[1], req.body};
                return session->exploreApi()->execute(std::move(query), sdk::CallSite{__FILE__, __LINE__}).blockingGet();
            });
        });

        server.Post("/bookmarks/import", [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res, [&]() -> std::optional<std::string> {
                session->contentApi()->bookmarks().import(json::decode<std::vector<sdk::Bookmark>>(req.body));
                return std::nullopt;
            });
        });

        // Files of the catalog's "static" folder, byte for byte: resource packs, configuration files,
        // whatever a named request fetches. Nothing outside that folder is reachable, links included.
        server.Get(R"(/static/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
            const std::string relative = req.matches[1];
            serve(req, res, [&]() -> std::optional<std::string> { return readStaticFile(staticFile(relative)); },
                  contentTypeOf(relative));
        });

        server.Get("/config/query-configuration", [this](const httplib::Request& req, httplib::Response& res) {
            serve(req, res, [&]() -> std::optional<std::string> { return json::encode(session->catalog().configuration); });
        });

        // Every other GET (registered last, so the protocol's routes match first) goes to the pages.
        server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            if (!options.pages) return answerError(res, 404, "unrouted", "nothing is served at " + req.path);
            ++served;
            PageRequest page{req.path, {}};
            for (const auto& [name, value] : req.params) page.params.emplace_back(name, value);
            std::optional<HttpResponse> answer;
            try {
                answer = options.pages(page);
            } catch (const std::exception& error) {
                return answerError(res, 500, "failed", error.what());
            }
            if (!answer) return answerError(res, 404, "unrouted", "nothing is served at " + req.path);
            res.status = static_cast<int>(answer->status);
            std::string type = "text/html; charset=utf-8";
            for (const auto& [name, value] : answer->headers) {
                if (equalIgnoringCase(name, "Content-Type")) type = value;
                else res.set_header(name, value);
            }
            res.set_content(answer->body, type);
        });
    }
};

const std::string* PageRequest::param(std::string_view name) const noexcept {
    for (const auto& [key, value] : params)
        if (key == name) return &value;
    return nullptr;
}

CatalogServer::CatalogServer(std::shared_ptr<CatalogSession> session, CatalogServerOptions options)
    : state_(std::make_unique<State>()) {
    state_->session = std::move(session);
    state_->options = std::move(options);
    state_->server.set_payload_max_length(kMaxRequestBytes);
    // Headers and body go out in separate writes; without this each answer would wait for the
    // client's delayed acknowledgement (40 ms on Linux).
    state_->server.set_tcp_nodelay(true);
    // A kept-alive connection holds its thread while idle: with fewer threads than the clients'
    // connections, a connection would wait in the queue until another one closes.
    state_->server.new_task_queue = [threads = state_->options.threads] { return new httplib::ThreadPool(threads); };
    state_->server.set_keep_alive_max_count(1000);
    // The library listens with a backlog of 5: a burst of new connections beyond it has its SYNs
    // dropped and retried a second later (200 concurrent queries: p99 1 s). The listening socket
    // is remembered here and its backlog raised once bound; listening again on Linux only resizes.
    state_->server.set_socket_options([state = state_.get()](int socket) {
        int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        state->listening = socket;
    });
    state_->routes();
    const std::string& host = state_->options.host;
    if (state_->options.port == 0) {
        state_->port = state_->server.bind_to_any_port(host.c_str());
        if (state_->port < 0) throw std::runtime_error("cannot listen on " + host + ": no free port could be bound");
    } else {
        if (!state_->server.bind_to_port(host.c_str(), state_->options.port))
            throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(state_->options.port) +
                                     " (in use, or not an address of this machine)");
        state_->port = state_->options.port;
    }
    if (state_->listening >= 0) ::listen(state_->listening, kListenBacklog);
    // The socket listens from here on: a client connecting before the thread accepts waits in the
    // backlog rather than being refused.
    state_->thread = std::thread([state = state_.get()] { state->server.listen_after_bind(); });
    // A stop before the accepting loop has started would not reach it; wait for the loop to run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!state_->server.is_running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            state_->server.stop();
            state_->thread.detach();
            throw std::runtime_error("the server on " + host + " did not start accepting");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

CatalogServer::~CatalogServer() { stop(); }

int CatalogServer::port() const noexcept { return state_->port; }

std::string CatalogServer::url() const {
    const std::string& host = state_->options.host;
    const bool ipv6 = host.find(':') != std::string::npos;
    return "http://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(state_->port) + "/";
}

void CatalogServer::stop() {
    std::call_once(state_->stopped, [this] {
        state_->server.stop();
        if (state_->thread.joinable()) state_->thread.join();
    });
}

std::size_t CatalogServer::requestsServed() const noexcept { return state_->served.load(); }

}  // namespace vorlane
