#include "shell/http_client.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "shell/product.h"
#include "text/text_util.h"

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;

std::optional<size_t> parse_size(std::string_view s, int base) {
    s = trim(s);
    if (s.empty() || s.size() > 15) return std::nullopt;
    size_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = v * base + d;
    }
    return v;
}

std::optional<std::string> decode_chunked(std::string_view in) {
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t eol = in.find("\r\n", pos);
        if (eol == std::string_view::npos) return std::nullopt;
        std::string_view line = in.substr(pos, eol - pos);
        if (size_t semi = line.find(';'); semi != std::string_view::npos) line = line.substr(0, semi);
        auto size = parse_size(line, 16);
        if (!size) return std::nullopt;
        pos = eol + 2;
        if (*size == 0) return out;  // trailers, if any, are of no interest
        if (in.size() - pos < *size + 2 || in.substr(pos + *size, 2) != "\r\n") return std::nullopt;
        out.append(in.substr(pos, *size));
        pos += *size + 2;
    }
}

int remaining_ms(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for `events` on fd until the deadline; false on time-out or error.
bool wait_for(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        int left = remaining_ms(deadline);
        if (left == 0) return false;
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, left);
        if (r > 0) return true;
        if (r == 0) return false;
        if (errno != EINTR) return false;
    }
}

struct AddrInfoDeleter {
    void operator()(addrinfo* a) const {
        if (a) freeaddrinfo(a);
    }
};
using AddrList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

// getaddrinfo has no time-out of its own: a slow name server would hold the
// window. The lookup runs on a helper thread that is left behind when the
// deadline passes; it frees its result itself.
AddrList resolve(const HttpUrl& u, Clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    std::string port = std::to_string(u.port);

    addrinfo* res = nullptr;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    if (getaddrinfo(u.host.c_str(), port.c_str(), &hints, &res) == 0) return AddrList(res);

    struct Lookup {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        bool abandoned = false;
        addrinfo* result = nullptr;
    };
    auto job = std::make_shared<Lookup>();
    hints.ai_flags = AI_NUMERICSERV;
    try {
        std::thread([job, host = u.host, port, hints] {
            addrinfo* r = nullptr;
            if (getaddrinfo(host.c_str(), port.c_str(), &hints, &r) != 0) r = nullptr;
            std::lock_guard lock(job->m);
            if (job->abandoned) {
                if (r) freeaddrinfo(r);
                return;
            }
            job->result = r;
            job->done = true;
            job->cv.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    std::unique_lock lock(job->m);
    if (!job->cv.wait_until(lock, deadline, [&] { return job->done; })) {
        job->abandoned = true;
        return nullptr;
    }
    return AddrList(job->result);
}

struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

bool connect_any(Socket& s, const addrinfo* list, Clock::time_point deadline) {
    for (const addrinfo* a = list; a; a = a->ai_next) {
        int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        Socket candidate{fd};
        int r = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (r != 0 && errno != EINPROGRESS) continue;
        if (r != 0) {
            if (!wait_for(fd, POLLOUT, deadline)) continue;
            int err = 0;
            socklen_t len = sizeof err;
            if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) continue;
        }
        s.fd = candidate.fd;
        candidate.fd = -1;
        return true;
    }
    return false;
}

bool send_all(int fd, std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove_prefix(static_cast<size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            if (!wait_for(fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<std::string> receive_all(int fd, Clock::time_point deadline, size_t limit) {
    std::string raw;
    char buf[4096];
    for (;;) {
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n > 0) {
            raw.append(buf, static_cast<size_t>(n));
            if (raw.size() > limit) return std::nullopt;
        } else if (n == 0) {
            return raw;  // HTTP/1.0: the server ends the reply by closing
        } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
            if (!wait_for(fd, POLLIN, deadline)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
}

}  // namespace

std::optional<HttpUrl> parse_http_url(const std::string& url) {
    constexpr std::string_view kScheme = "http://";
    if (url.size() < kScheme.size() || !iequals_ascii(std::string_view(url).substr(0, kScheme.size()), kScheme))
        return std::nullopt;
    std::string_view rest = std::string_view(url).substr(kScheme.size());
    size_t end = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, end);
    std::string_view target = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    // The fragment never goes to the server.
    if (size_t hash = target.find('#'); hash != std::string_view::npos) target = target.substr(0, hash);
    if (authority.find('@') != std::string_view::npos) return std::nullopt;

    HttpUrl u;
    std::string_view port;  // empty: the default (also after a bare colon)
    if (!authority.empty() && authority.front() == '[') {
        size_t close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        u.host = std::string(authority.substr(1, close - 1));
        std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') return std::nullopt;
            port = after.substr(1);
        }
    } else {
        size_t colon = authority.find(':');
        u.host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos) port = authority.substr(colon + 1);
    }
    if (u.host.empty()) return std::nullopt;
    for (unsigned char c : u.host)
        if (c <= 32 || c >= 127) return std::nullopt;
    if (!port.empty()) {
        auto p = port.size() <= 5 ? parse_size(port, 10) : std::nullopt;
        if (!p || trim(port).size() != port.size() || *p == 0 || *p > 65535) return std::nullopt;
        u.port = static_cast<int>(*p);
    }
    for (unsigned char c : target)
        if (c <= 32 || c >= 127) return std::nullopt;  // would break the request line
    u.target = std::string(target);
    if (target.empty() || target.front() == '?') u.target = "/" + u.target;
    u.host_header = std::string(authority);
    return u;
}

std::optional<std::string> parse_http_response(const std::string& raw) {
    size_t head_end = raw.find("\r\n\r\n");
    size_t body_start = head_end + 4;
    if (head_end == std::string::npos) {
        head_end = raw.find("\n\n");
        if (head_end == std::string::npos) return std::nullopt;
        body_start = head_end + 2;
    }
    std::string_view head = std::string_view(raw).substr(0, head_end);
    size_t eol = head.find('\n');
    std::string_view status_line = trim(head.substr(0, eol));
    // "HTTP/1.x NNN reason"
    if (!starts_with(to_upper_ascii(status_line.substr(0, 5)), "HTTP/")) return std::nullopt;
    size_t sp = status_line.find(' ');
    if (sp == std::string_view::npos || status_line.size() < sp + 4) return std::nullopt;
    auto status = parse_size(status_line.substr(sp + 1, 3), 10);
    if (!status || *status < 200 || *status > 299) return std::nullopt;

    std::optional<size_t> content_length;
    bool chunked = false;
    while (eol != std::string_view::npos) {
        head.remove_prefix(eol + 1);
        eol = head.find('\n');
        std::string_view line = trim(head.substr(0, eol));
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string name = to_upper_ascii(trim(line.substr(0, colon)));
        std::string value = to_upper_ascii(trim(line.substr(colon + 1)));
        if (name == "CONTENT-LENGTH") {
            content_length = parse_size(value, 10);
            if (!content_length) return std::nullopt;
        } else if (name == "TRANSFER-ENCODING" && value.find("CHUNKED") != std::string::npos) {
            chunked = true;
        }
    }
    std::string body = raw.substr(body_start);
    if (chunked) return decode_chunked(body);
    if (content_length) {
        if (body.size() < *content_length) return std::nullopt;  // cut short
        body.resize(*content_length);
    }
    return body;
}

std::optional<std::string> PosixHttpClient::get(const std::string& url) {
    auto u = parse_http_url(url);
    if (!u) return std::nullopt;
    const auto deadline = Clock::now() + timeout_;
    AddrList addrs = resolve(*u, deadline);
    if (!addrs) return std::nullopt;
    Socket s;
    if (!connect_any(s, addrs.get(), deadline)) return std::nullopt;
    std::string request = "GET " + u->target + " HTTP/1.0\r\n" + "Host: " + u->host_header + "\r\n" +
                          "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                          "User-Agent: Zevirovave/" + kOwnVersion + "\r\n" +
                          "Connection: close\r\n\r\n";
    if (!send_all(s.fd, request, deadline)) return std::nullopt;
    auto raw = receive_all(s.fd, deadline, kMaxReply);
    if (!raw) return std::nullopt;
    return parse_http_response(*raw);
}

}  // namespace zv
