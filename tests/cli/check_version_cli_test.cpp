#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/http_test_server.h"
#include "common/test_support.h"

namespace {

const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";

nlohmann::json run_check(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> argv{kCli, "check-version"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    zvtest::RunResult r = zvtest::run_program(argv);
    EXPECT_EQ(r.code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

}  // namespace

TEST(CliCheckVersion, PrintsTheAnswerOfTheConfiguredServer) {
    zvtest::HttpTestServer server;
    zvtest::ScopedEnv env("ZEVIROVAVE_SERVER", server.base_url() + "/");

    server.respond(zvtest::HttpTestServer::ok(" VER. 1.007 \r\n"));
    EXPECT_EQ(run_check(), (nlohmann::json{{"reply", "VER. 1.007"}, {"own", 1006}, {"remote", 1007}, {"newer", true}}));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /home/download/GetversionSW.asp?nomesw=SW48T15 HTTP/1.0\r\n", 0), 0u);

    server.respond(zvtest::HttpTestServer::ok("VER. 0.000"));
    EXPECT_EQ(run_check(), (nlohmann::json{{"reply", "VER. 0.000"}, {"own", 1006}, {"remote", -1}, {"newer", false}}));

    // A reply that is not UTF-8 is still printed as valid JSON.
    server.respond(zvtest::HttpTestServer::ok("VER. 1.\xff"));
    nlohmann::json j = run_check();
    EXPECT_EQ(j["remote"], -1);
    EXPECT_EQ(j["newer"], false);

    server.respond("HTTP/1.0 404 Not Found\r\n\r\nVER. 9.999");
    EXPECT_EQ(run_check()["reply"], "");

    server.silent(true);
    j = run_check({"--timeout-ms", "200"});
    EXPECT_EQ(j["reply"], "");
    EXPECT_EQ(j["newer"], false);
}

TEST(CliCheckVersion, UnreachableServerStillExitsZero) {
    zvtest::ScopedEnv env("ZEVIROVAVE_SERVER", "http://127.0.0.1:" + std::to_string(zvtest::closed_port()));
    EXPECT_EQ(run_check(), (nlohmann::json{{"reply", ""}, {"own", 1006}, {"remote", -1}, {"newer", false}}));
}

TEST(CliCheckVersion, RejectsBadTimeout) {
    for (const char* bad : {"0", "abc", "999999"}) {
        zvtest::RunResult r = zvtest::run_program({kCli, "check-version", "--timeout-ms", bad});
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_FALSE(r.err.empty());
    }
}
