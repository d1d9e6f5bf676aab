#include "documents/curl_fetcher.h"

#include <curl/curl.h>

#include <memory>

namespace umlo {

namespace {

struct EasyCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct Body {
    std::string text;
    std::size_t limit = 0;
};

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
    Body& body = *static_cast<Body*>(user);
    const size_t bytes = size * count;
    if (body.text.size() + bytes > body.limit) {
        return 0; // curl ends the transfer with a write error
    }
    body.text.append(data, bytes);
    return bytes;
}

bool GlobalInit() {
    static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ok;
}

} // namespace

std::optional<std::string> CurlFetcher::Get(const HttpRequest& request) {
    if (!request.ProxyHost.empty() && (request.ProxyPort < 1 || request.ProxyPort > 65535)) {
        return std::nullopt;
    }
    if (!GlobalInit()) {
        return std::nullopt;
    }
    const std::unique_ptr<CURL, EasyCleanup> curl(curl_easy_init());
    if (!curl) {
        return std::nullopt;
    }
    CURL* h = curl.get();
    std::unique_ptr<curl_slist, ListCleanup> headers;
    for (const auto& [name, value] : request.Headers) {
        const std::string line = name + ": " + value;
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (!grown) {
            return std::nullopt;
        }
        headers.release();
        headers.reset(grown);
    }
    Body body;
    body.limit = limits_.MaxBodyBytes;

    bool set = curl_easy_setopt(h, CURLOPT_URL, request.Url.c_str()) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_HTTPGET, 1L) == CURLE_OK;
    // A redirect is a failure, not something to follow.
    set = set && curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK;
    // An empty proxy also keeps curl from taking one from the environment:
    // without a proxy name in the settings the connection is direct.
    set = set && curl_easy_setopt(h, CURLOPT_PROXY, request.ProxyHost.c_str()) == CURLE_OK;
    if (!request.ProxyHost.empty()) {
        set = set &&
              curl_easy_setopt(h, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)) == CURLE_OK;
        set = set && curl_easy_setopt(h, CURLOPT_PROXYPORT, static_cast<long>(request.ProxyPort)) ==
                         CURLE_OK;
    }
    set = set && curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits_.ConnectSeconds) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_TIMEOUT, limits_.TotalSeconds) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits_.StallSeconds) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, AppendBody) == CURLE_OK;
    set = set && curl_easy_setopt(h, CURLOPT_WRITEDATA, &body) == CURLE_OK;
    if (!set || curl_easy_perform(h) != CURLE_OK) {
        return std::nullopt;
    }
    long status = 0;
    if (curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status < 200 ||
        status > 299) {
        return std::nullopt;
    }
    return std::move(body.text);
}

} // namespace umlo
