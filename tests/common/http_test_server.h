#pragma once
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zvtest {

// An HTTP server on 127.0.0.1 (a free port) answering every request with one
// canned raw response, or holding the connection without a word when silent.
// Connections are served one after another on its own thread.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    static std::string ok(const std::string& body);  // a 200 reply with that body
    void respond(std::string raw);
    void silent(bool on);

    int port() const { return port_; }
    std::string base_url() const;  // "http://127.0.0.1:PORT"
    std::vector<std::string> requests() const;  // each request head as received

private:
    void serve();
    void handle(int fd);

    int listen_fd_ = -1;
    int stop_pipe_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex m_;
    std::string response_;
    bool silent_ = false;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens (connections are refused).
int closed_port();

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

}  // namespace zvtest
