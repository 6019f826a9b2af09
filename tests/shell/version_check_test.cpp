#include <gtest/gtest.h>

#include <chrono>

#include "common/http_test_server.h"
#include "shell/http_client.h"
#include "shell/product.h"
#include "shell/version_check.h"

using zvtest::HttpTestServer;

TEST(ConvVersion, Table) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"VER. 1.007", 1007},
        {"VER. 1.006", 1006},
        {"VER. 0.000", 0},
        {"VER. 1.1", -1},          // too short
        {"", -1},
        {"VER.", -1},              // nothing after the (missing) blank but four characters
        {"1.006", 1006},           // no blank: the whole text
        {"VER.   2.345  ", 2345},  // blanks around the version
        {"VER. 1.0071", 1007},     // characters after the fifth are ignored
        {"VER. 1x007", 1007},      // the second character is never read
        {"VER. a.bcd", -1},
        {"VER. 1.0 7", -1},
        {"VER 1.006 beta", 1006},  // only the first blank splits
    };
    for (const auto& c : cases) EXPECT_EQ(zv::Conv_Version(c.text), c.expected) << '"' << c.text << '"';
}

TEST(HttpUrl, ParsesOnlyPlainHttpAddresses) {
    auto u = zv::parse_http_url("http://127.0.0.1:8080/home/x.asp?a=b#frag");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->host, "127.0.0.1");
    EXPECT_EQ(u->port, 8080);
    EXPECT_EQ(u->target, "/home/x.asp?a=b");
    EXPECT_EQ(u->host_header, "127.0.0.1:8080");

    u = zv::parse_http_url("HTTP://[::1]/");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->host, "::1");
    EXPECT_EQ(u->port, 80);
    u = zv::parse_http_url("http://example.test?x=1");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->target, "/?x=1");

    for (const char* bad : {"https://127.0.0.1/", "ftp://h/", "127.0.0.1/x", "http://", "http://:80/",
                            "http://h:0/", "http://h:70000/", "http://h:8a/", "http://user@h/", "http://[::1/",
                            "http://h/a b", "http://h/a\r\nX: y"})
        EXPECT_FALSE(zv::parse_http_url(bad)) << bad;
}

TEST(HttpResponse, BodyOnlyFor2xx) {
    struct Case {
        std::string raw;
        std::optional<std::string> body;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\n\r\nVER. 1.007", "VER. 1.007"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", "abc"},
        {"HTTP/1.1 200 OK\r\ncontent-length: 10\r\n\r\nabc", std::nullopt},  // cut short
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nVER.\r\n6; x=y\r\n 1.007\r\n0\r\n\r\n",
         "VER. 1.007"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nVER.\r\n", std::nullopt},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n40\r\nVER.\r\n0\r\n\r\n", std::nullopt},
        {"HTTP/1.0 204 No Content\r\n\r\n", ""},
        {"HTTP/1.0 404 Not Found\r\n\r\nVER. 9.999", std::nullopt},
        {"HTTP/1.0 302 Found\r\nLocation: /x\r\n\r\n", std::nullopt},
        {"HTTP/1.0 500 Oops\r\n\r\n", std::nullopt},
        {"HTTP/1.0 200 OK\nServer: x\n\nbare newlines", "bare newlines"},
        {"VER. 1.007", std::nullopt},
        {"HTTP/1.0 2", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(zv::parse_http_response(c.raw), c.body) << c.raw;
}

TEST(CheckVersion, AgainstLocalServer) {
    HttpTestServer server;
    zvtest::ScopedEnv env("ZEVIROVAVE_SERVER", server.base_url());
    zv::PosixHttpClient http{std::chrono::milliseconds(2000)};
    struct Case {
        std::string response;
        std::string reply;
        int remote;
        bool newer;
    };
    const Case cases[] = {
        {HttpTestServer::ok("VER. 1.007"), "VER. 1.007", 1007, true},
        {HttpTestServer::ok("  VER. 1.007\r\n"), "VER. 1.007", 1007, true},
        {HttpTestServer::ok("VER. 1.006"), "VER. 1.006", 1006, false},
        {HttpTestServer::ok("VER. 1.005"), "VER. 1.005", 1005, false},
        {HttpTestServer::ok("VER. 0.000"), "VER. 0.000", -1, false},
        {HttpTestServer::ok("ver. 0.000"), "ver. 0.000", -1, false},
        {HttpTestServer::ok("VER. 1.1"), "VER. 1.1", -1, false},
        {HttpTestServer::ok(""), "", -1, false},
        {"HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\nVER. 9.999", "", -1, false},
        {HttpTestServer::ok(std::string(zv::PosixHttpClient::kMaxReply + 10, '9')), "", -1, false},
    };
    for (const auto& c : cases) {
        server.respond(c.response);
        zv::VersionReply r = zv::query_version(http);
        EXPECT_EQ(r.reply, c.reply) << c.response.substr(0, 80);
        EXPECT_EQ(r.own, 1006);
        EXPECT_EQ(r.remote, c.remote) << c.reply;
        EXPECT_EQ(r.newer, c.newer) << c.reply;
        EXPECT_EQ(zv::Check_Version(http), c.newer) << c.reply;
    }

    // What goes over the wire: one plain HTTP/1.0 GET of the version page.
    auto requests = server.requests();
    ASSERT_FALSE(requests.empty());
    const std::string& req = requests.front();
    EXPECT_EQ(req.rfind("GET /home/download/GetversionSW.asp?nomesw=SW48T15 HTTP/1.0\r\n", 0), 0u) << req;
    EXPECT_NE(req.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"), std::string::npos);
    EXPECT_NE(req.find("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"),
              std::string::npos);
    EXPECT_EQ(req.find("Cookie"), std::string::npos);
}

TEST(CheckVersion, SilentOrMissingServerCountsAsEmptyReply) {
    HttpTestServer server;
    server.respond(HttpTestServer::ok("VER. 1.007"));
    server.silent(true);
    zv::PosixHttpClient http{std::chrono::milliseconds(300)};

    auto start = std::chrono::steady_clock::now();
    zv::VersionReply r = zv::query_version(http, server.base_url() + "/home/download/GetversionSW.asp");
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.reply, "");
    EXPECT_FALSE(r.newer);
    // Gives up on its own instead of hanging on the open connection.
    EXPECT_LT(waited, std::chrono::seconds(10));
    EXPECT_EQ(server.requests().size(), 1u);

    zvtest::ScopedEnv env("ZEVIROVAVE_SERVER", "http://127.0.0.1:" + std::to_string(zvtest::closed_port()));
    EXPECT_FALSE(zv::Check_Version(http));
    zvtest::ScopedEnv env2("ZEVIROVAVE_SERVER", "https://127.0.0.1:1");
    EXPECT_EQ(zv::query_version(http).reply, "");
}
