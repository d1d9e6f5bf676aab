// One synchronous HTTP GET, behind an interface so that the update check can
// be exercised without a network.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace umlo {

struct HttpRequest {
    std::string Url;
    // Sent as they are, in this order; they replace the client's own of the same name.
    std::vector<std::pair<std::string, std::string>> Headers;
    // An HTTP proxy; an empty host means a direct connection.
    std::string ProxyHost;
    int ProxyPort = 0;
};

class HttpFetcher {
public:
    virtual ~HttpFetcher() = default;
    // The body of a successful (2xx) response. Anything else, a redirect
    // included, is a failure and gives no body.
    virtual std::optional<std::string> Get(const HttpRequest& request) = 0;
};

} // namespace umlo
