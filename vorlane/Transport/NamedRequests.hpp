#pragma once
// Named requests over HTTP: a request the manager built, sent with an HTTP client; a successful
// answer is offered to the manager's cache, which writes it only when the request's cache-write
// policy allows.

#include "vorlane/Requests/RequestManager.hpp"
#include "vorlane/Transport/HttpClient.hpp"

#include <memory>

namespace vorlane {

// The HTTP exchange a request stands for.
HttpRequest httpRequest(const Request& request);

// Sends `request` when subscribed; ends with the response, or the HttpError of the exchange.
rx::Single<HttpResponse> sendRequest(const HttpClient& client, std::shared_ptr<RequestManager> manager, Request request);

}  // namespace vorlane
