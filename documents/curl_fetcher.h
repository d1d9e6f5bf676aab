// The HTTP client of the update check, on libcurl.
#pragma once

#include <cstddef>

#include "documents/http_fetcher.h"

namespace umlo {

// Bounds on one request, so that a silent or endless server cannot keep the
// waiting window busy or fill the memory.
struct CurlLimits {
    long ConnectSeconds = 15;
    // A transfer that delivers nothing for this long is dropped.
    long StallSeconds = 20;
    long TotalSeconds = 60;
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
