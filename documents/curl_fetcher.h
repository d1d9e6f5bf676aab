// The HTTP client of the update check, on libcurl.
#pragma once

#include <cstddef>

#include "documents/http_fetcher.h"

namespace umlo {

// Bounds on one request, so that a silent, slow or endless server cannot
// keep the waiting window busy long or fill the memory: the window waits
// for the check, so a server that cannot answer in seconds counts as none.
struct CurlLimits {
    long ConnectSeconds = 5;
    // A transfer that delivers nothing for this long is dropped.
    long StallSeconds = 10;
    // The whole request, connection included.
    long TotalSeconds = 15;
    std::size_t MaxBodyBytes = 1 << 20;
};

class CurlFetcher : public HttpFetcher {
public:
    explicit CurlFetcher(CurlLimits limits = {}) : limits_(limits) {}
    std::optional<std::string> Get(const HttpRequest& request) override;

private:
    CurlLimits limits_;
};

} // namespace umlo
