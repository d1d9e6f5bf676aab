// The libcurl client against a one-connection HTTP server on the loopback
// interface: headers sent, proxy use, and every way a request fails.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "documents/curl_fetcher.h"
#include "documents/update_check.h"

namespace umlo {
namespace {

// Accepts one connection, reads the request head and sends the canned
// response; a silent server answers nothing and waits for the client to go.
class OneShotServer {
public:
    // trickle: the response goes out one byte every half second, the pace of
    // a server that is slow but never quite stalls.
    explicit OneShotServer(std::string response, bool silent = false, bool trickle = false)
        : response_(std::move(response)), silent_(silent), trickle_(trickle) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (listener_ < 0 ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 1) != 0) {
            return;
        }
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~OneShotServer() {
        if (thread_.joinable()) {
            thread_.join();
        }
        if (listener_ >= 0) {
            close(listener_);
        }
    }
    int Port() const { return port_; }
    // The request head; complete once the fetch has returned.
    std::string Request() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return request_;
    }
    int Connections() {
        Request();
        return connections_;
    }

private:
    static bool Readable(int fd, int milliseconds) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, milliseconds) > 0;
    }
    void Serve() {
        if (!Readable(listener_, 10000)) {
            return;
        }
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) {
            return;
        }
        ++connections_;
        char buffer[4096];
        while (request_.find("\r\n\r\n") == std::string::npos && Readable(client, 10000)) {
            const ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) {
                break;
            }
            request_.append(buffer, static_cast<size_t>(n));
        }
        if (silent_) {
            // Until the client gives up and closes.
            while (Readable(client, 10000) && recv(client, buffer, sizeof buffer, 0) > 0) {
            }
        } else {
            size_t sent = 0;
            while (sent < response_.size()) {
                if (trickle_ && sent > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(500));
                }
                const size_t head = response_.find("\r\n\r\n") + 4;
                const size_t chunk = !trickle_ ? response_.size() - sent : sent == 0 ? head : 1;
                const ssize_t n = send(client, response_.data() + sent, chunk, MSG_NOSIGNAL);
                if (n <= 0) {
                    break;
                }
                sent += static_cast<size_t>(n);
            }
        }
        close(client);
        // A second connection would mean a redirect was followed.
        if (Readable(listener_, 200)) {
            ++connections_;
        }
    }

    std::string response_;
    bool silent_ = false;
    bool trickle_ = false;
    int listener_ = -1;
    int port_ = 0;
    int connections_ = 0;
    std::string request_;
    std::thread thread_;
};

std::string Response(const std::string& status, const std::string& body,
                     const std::string& extra = {}) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extra + "\r\n" + body;
}

HttpRequest LocalRequest(int port) {
    HttpRequest request = UpdateRequest("", 3128);
    request.Url = "http://127.0.0.1:" + std::to_string(port) + "/umlo/umlo_get.html";
    return request;
}

CurlLimits ShortLimits() {
    CurlLimits limits;
    limits.ConnectSeconds = 5;
    limits.StallSeconds = 1;
    limits.TotalSeconds = 10;
    limits.MaxBodyBytes = 1000;
    return limits;
}

// The environment's proxy for the time of one test.
class ProxyEnvironment {
public:
    explicit ProxyEnvironment(const char* proxy) {
        setenv("http_proxy", proxy, 1);
        unsetenv("no_proxy");
        unsetenv("NO_PROXY");
    }
    ~ProxyEnvironment() { unsetenv("http_proxy"); }
};

TEST(CurlFetcher, DirectRequestSendsTheHeadersAndIgnoresTheEnvironmentProxy) {
    const ProxyEnvironment environment("http://127.0.0.1:1");
    OneShotServer server(Response("200 OK", "line 1\r\nline 2\r\n"));
    ASSERT_GT(server.Port(), 0);
    CurlFetcher fetcher(ShortLimits());
    const std::optional<std::string> body = fetcher.Get(LocalRequest(server.Port()));
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(*body, "line 1\r\nline 2\r\n");
    const std::string request = server.Request();
    EXPECT_EQ(request.rfind("GET /umlo/umlo_get.html HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
              std::string::npos)
        << request;
}

TEST(CurlFetcher, GoesThroughTheProxyWhenOneIsNamed) {
    OneShotServer proxy(Response("200 OK", "via proxy"));
    ASSERT_GT(proxy.Port(), 0);
    HttpRequest request = UpdateRequest("127.0.0.1", proxy.Port());
    request.Url = "http://update.invalid/umlo/umlo_get.html";
    CurlFetcher fetcher(ShortLimits());
    EXPECT_EQ(fetcher.Get(request), std::optional<std::string>("via proxy"));
    EXPECT_EQ(proxy.Request().rfind("GET http://update.invalid/umlo/umlo_get.html HTTP/1.1\r\n", 0),
              0u);
}

TEST(CurlFetcher, StatusOtherThanSuccessAndRedirectsFail) {
    CurlFetcher fetcher(ShortLimits());
    {
        OneShotServer server(Response("404 Not Found", "missing"));
        EXPECT_FALSE(fetcher.Get(LocalRequest(server.Port())).has_value());
    }
    {
        OneShotServer server(
            Response("302 Found", "", "Location: http://127.0.0.1:1/elsewhere\r\n"));
        EXPECT_FALSE(fetcher.Get(LocalRequest(server.Port())).has_value());
        EXPECT_EQ(server.Connections(), 1);
    }
}

TEST(CurlFetcher, OversizedSilentOrAbsentServersFail) {
    CurlFetcher fetcher(ShortLimits());
    {
        OneShotServer server(Response("200 OK", std::string(1001, 'x')));
        EXPECT_FALSE(fetcher.Get(LocalRequest(server.Port())).has_value());
    }
    {
        OneShotServer server("", true);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(fetcher.Get(LocalRequest(server.Port())).has_value());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    }
    // Nobody listens on a port that was bound and given back.
    int closedPort = 0;
    {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        closedPort = ntohs(address.sin_port);
        close(s);
    }
    EXPECT_FALSE(fetcher.Get(LocalRequest(closedPort)).has_value());
}

// The update check waits with the window blocked: its client must give up
// on a slow server after 15 seconds in all, and on one that does not take
// the connection after 5.
TEST(CurlFetcher, TheUpdateChecksLimitsEndASlowTransferAfterFifteenSeconds) {
    CurlFetcher fetcher;
    // The head arrives at once, the body a byte at a time.
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
    OneShotServer server(head + std::string(1000, 'x'), false, true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(fetcher.Get(LocalRequest(server.Port())).has_value());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::seconds(14));
    EXPECT_LT(waited, std::chrono::milliseconds(16500));
}

TEST(CurlFetcher, TheUpdateChecksLimitsEndAConnectionAttemptAfterFiveSeconds) {
    // A listener whose queue is full: new connections are never taken.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> waiting;
    for (int i = 0; i < 3; ++i) {
        const int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        waiting.push_back(s);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    CurlFetcher fetcher;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(fetcher.Get(LocalRequest(ntohs(address.sin_port))).has_value());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(4500));
    EXPECT_LT(waited, std::chrono::milliseconds(7000));
    for (int s : waiting) {
        close(s);
    }
    close(listener);
}

TEST(CurlFetcher, ProxyPortOutOfRangeFailsWithoutConnecting) {
    CurlFetcher fetcher(ShortLimits());
    HttpRequest request = UpdateRequest("127.0.0.1", 70000);
    request.Url = "http://update.invalid/";
    EXPECT_FALSE(fetcher.Get(request).has_value());
    request.ProxyPort = 0;
    EXPECT_FALSE(fetcher.Get(request).has_value());
}

} // namespace
} // namespace umlo
