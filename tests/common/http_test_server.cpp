#include "common/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace zvtest {
namespace {

int bind_loopback(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket");
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        throw std::runtime_error("bind 127.0.0.1");
    }
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    return fd;
}

}  // namespace

HttpTestServer::HttpTestServer() {
    listen_fd_ = bind_loopback(port_);
    if (::listen(listen_fd_, 8) != 0 || ::pipe(stop_pipe_) != 0) throw std::runtime_error("listen");
    response_ = ok("");
    thread_ = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer() {
    char c = 'x';
    (void)!::write(stop_pipe_[1], &c, 1);
    thread_.join();
    ::close(listen_fd_);
    ::close(stop_pipe_[0]);
    ::close(stop_pipe_[1]);
}

std::string HttpTestServer::ok(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

void HttpTestServer::respond(std::string raw) {
    std::lock_guard lock(m_);
    response_ = std::move(raw);
}

void HttpTestServer::silent(bool on) {
    std::lock_guard lock(m_);
    silent_ = on;
}

std::string HttpTestServer::base_url() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> HttpTestServer::requests() const {
    std::lock_guard lock(m_);
    return requests_;
}

void HttpTestServer::serve() {
    for (;;) {
        pollfd p[2] = {{listen_fd_, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) continue;
        if (p[1].revents) return;
        if (!(p[0].revents & POLLIN)) continue;
        int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        handle(fd);
        ::close(fd);
    }
}

void HttpTestServer::handle(int fd) {
    std::string head;
    char buf[2048];
    // Reads the request head; gives up after 5 s of silence from the client.
    while (head.find("\r\n\r\n") == std::string::npos) {
        pollfd p[2] = {{fd, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
        if (::poll(p, 2, 5000) <= 0 || p[1].revents) return;
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) return;
        head.append(buf, static_cast<size_t>(n));
    }
    std::string response;
    bool silent;
    {
        std::lock_guard lock(m_);
        requests_.push_back(head);
        response = response_;
        silent = silent_;
    }
    if (silent) {
        // Hold the line until the client gives up (or the server stops).
        for (;;) {
            pollfd p[2] = {{fd, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
            if (::poll(p, 2, 30000) <= 0 || p[1].revents) return;
            if (::recv(fd, buf, sizeof buf, 0) <= 0) return;
        }
    }
    size_t sent = 0;
    while (sent < response.size()) {
        ssize_t n = ::send(fd, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

int closed_port() {
    int port = 0;
    int fd = bind_loopback(port);
    ::close(fd);  // bound but never listening, and now released: connects are refused
    return port;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* v = std::getenv(name)) {
        had_ = true;
        old_ = v;
    }
    ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_)
        ::setenv(name_.c_str(), old_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

}  // namespace zvtest
