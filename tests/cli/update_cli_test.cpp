#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/test_support.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {
const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
}

TEST(CliUpdate, JobIsTheDialogsJobForTheGivenValues) {
    zvtest::TempDir ws;
    fs::create_directories(ws / "PROJECTS/Plant A");
    struct Case {
        std::vector<std::string> extra;
        const char* fixture;
    };
    const Case cases[] = {{{}, "job_fw_cfg_rb1.xml"},
                          {{"--option", "1", "--no-read-back"}, "job_fw_rb0.xml"},
                          {{"--option=2"}, "job_cfg_rb1.xml"}};
    for (const Case& c : cases) {
        std::vector<std::string> argv = {kCli, "job", "--workspace", ws.path.string(), "--project",
                                         (ws / "PROJECTS/Plant A/").string(), "--ip", "127.0.0.1"};
        argv.insert(argv.end(), c.extra.begin(), c.extra.end());
        auto r = run_program(argv);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, (ws / "Ethernet_Update.xml").string() + "\n");
        // The fixtures name /ws as the workspace.
        std::string expected = zvtest::slurp(fs::path(ZV_FIXTURES) / "update" / c.fixture);
        for (size_t at; (at = expected.find(">/ws/")) != std::string::npos;)
            expected.replace(at + 1, 3, ws.path.string());
        EXPECT_EQ(zvtest::slurp(ws / "Ethernet_Update.xml"), expected) << c.fixture;
    }
}

TEST(CliUpdate, JobRefusesBadValues) {
    zvtest::TempDir ws;
    fs::create_directories(ws / "PROJECTS/P");
    const std::string w = ws.path.string(), p = (ws / "PROJECTS/P").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{"--project", p, "--ip", "127.0.0.1", "--option", "3"}, 2, "--option"},
        {{"--project", p, "--ip", "127.0.0.1", "--option", "one"}, 2, "--option"},
        {{"--project", p}, 2, "--ip"},
        {{"--ip", "127.0.0.1"}, 2, "--project"},
        {{"--project", p, "--ip", "127.0..1"}, 1, "Check the Ip Address"},
        {{"--project", (ws / "PROJECTS/none").string(), "--ip", "127.0.0.1"}, 1, "Project folder not found"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = {kCli, "job", "--workspace", w};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        auto r = run_program(argv);
        EXPECT_EQ(r.code, c.code) << c.says << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(ws / "Ethernet_Update.xml")) << c.says;
    }
}

TEST(CliUpdate, PingReportsTheOutcome) {
    auto bad = run_program({kCli, "ping", "127.0.0.256"});
    EXPECT_EQ(bad.code, 1);
    auto j = nlohmann::json::parse(bad.out);
    EXPECT_EQ(j["answered"], false);
    EXPECT_EQ(j["ping_res"], 0);
    EXPECT_EQ(j["attempts"], 0);
    EXPECT_TRUE(j.contains("ms"));
    EXPECT_NE(bad.err.find("127.0.0.256"), std::string::npos);

    auto r = run_program({kCli, "ping", "127.0.0.1"});
    j = nlohmann::json::parse(r.out);
    if (j.contains("error")) GTEST_SKIP() << "no ICMP socket here: " << j["error"];
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(j["answered"], true);
    EXPECT_EQ(j["ping_res"], 1);
    EXPECT_EQ(j["attempts"], 2);
}
