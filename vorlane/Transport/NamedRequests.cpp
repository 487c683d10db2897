#include "vorlane/Transport/NamedRequests.hpp"

namespace vorlane {

HttpRequest httpRequest(const Request& request) {
    HttpRequest http;
    http.method = std::string(json::wireString(request.method));
    http.url = request.url;
    for (const auto& [name, value] : request.headers) http.headers.emplace_back(name, value);
    http.body = request.body;
    return http;
}

rx::Single<HttpResponse> sendRequest(const HttpClient& client, std::shared_ptr<RequestManager> manager, Request request) {
    HttpRequest http = httpRequest(request);
    return client.send(std::move(http)).map([manager = std::move(manager), request = std::move(request)](HttpResponse response) {
        if (manager) manager->storeResponse(request, response);
        return response;
    });
}

}  // namespace vorlane
