#pragma once
#include <chrono>
#include <optional>
#include <string>

namespace zv {

// One HTTP GET. nullopt for every kind of failure (bad address, no
// connection, time-out, an HTTP status other than 2xx, a malformed reply);
// callers that only want "the text or nothing" need no other cases.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual std::optional<std::string> get(const std::string& url) = 0;
};

// The parts of an "http://host[:port]/path?query" address; nullopt for any
// other scheme or a malformed address.
struct HttpUrl {
    std::string host;  // without the brackets of an IPv6 literal
    int port = 80;
    std::string target;  // path and query, at least "/"
    std::string host_header;
};
std::optional<HttpUrl> parse_http_url(const std::string& url);

// Splits a raw HTTP/1.x response; the body of a 2xx status, else nullopt.
// Chunked bodies are decoded; a Content-Length longer than the data is a failure.
std::optional<std::string> parse_http_response(const std::string& raw);

// A small HTTP/1.0 client over POSIX sockets. The whole request (name lookup,
// connect, send, receive) must finish within `timeout`, so a dead server never
// holds the caller for long.
class PosixHttpClient : public HttpClient {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{4000};
    // Replies larger than this are not version texts: they count as failures.
    static constexpr size_t kMaxReply = 1 << 20;

    explicit PosixHttpClient(std::chrono::milliseconds timeout = kDefaultTimeout) : timeout_(timeout) {}
    std::optional<std::string> get(const std::string& url) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zv
