#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/test_support.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {
const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
}

TEST(CliShell, InfoOnAnEmptyWorkspace) {
    zvtest::TempDir ws;
    auto r = run_program({kCli, "info", "--workspace", ws.path.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["program_path"], ws.path.string());
    EXPECT_EQ(j["projects_path"], (ws / "PROJECTS").string());
    EXPECT_EQ(j["catalog_path"], (ws / "PROFINET_Catalog").string());
    EXPECT_EQ(j["project_path"], "");
    EXPECT_EQ(j["device_ip"], "192.168.2.205");
    EXPECT_EQ(j["language_name"], "English");
    EXPECT_EQ(j["enable_internet"], false);
    EXPECT_EQ(j["double_click_auto_size"], false);
    EXPECT_EQ(j["files"].size(), 4u);
    EXPECT_TRUE(fs::is_directory(ws / "MASTER"));
}

TEST(CliShell, NewProjectIsRestoredNextTimeAndRefusalsExitOne) {
    zvtest::TempDir ws;
    auto r = run_program({kCli, "new-project", "--workspace", ws.path.string(), "Plant 7"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto info = nlohmann::json::parse(run_program({kCli, "info", "--workspace", ws.path.string()}).out);
    EXPECT_EQ(info["project_name"], "Plant 7");
    EXPECT_EQ(info["project_path"], (ws / "PROJECTS/Plant 7").string());
    EXPECT_EQ(info["files"]["ParGen"], (ws / "PROJECTS/Plant 7/ParGen.xml").string());

    struct Case {
        std::string name, message;
    };
    for (const Case& c : {Case{"Plant 7", "Error! Name project is not valid because directory already exists"},
                          Case{"", "Error! Name Project is not valid"}, Case{"../escape", "Error! Name project is not valid"}}) {
        auto refused = run_program({kCli, "new-project", "--workspace", ws.path.string(), c.name});
        EXPECT_EQ(refused.code, 1) << c.name;
        EXPECT_EQ(refused.err, c.message + "\n");
    }
    EXPECT_FALSE(fs::exists(ws.path.parent_path() / "escape"));
}

TEST(CliShell, StringsEscapesAndLanguageOption) {
    zvtest::TempDir ws;
    zvtest::spit(ws / "LANGUAGE/Test.lng", "STR15 = a\\b\tc\n");
    auto r = run_program({kCli, "strings", "--workspace", ws.path.string(), "--language", "Test"});
    ASSERT_EQ(r.code, 0);
    std::vector<std::string> lines;
    for (size_t p = 0, q; (q = r.out.find('\n', p)) != std::string::npos; p = q + 1) lines.push_back(r.out.substr(p, q - p));
    ASSERT_EQ(lines.size(), 3600u);
    EXPECT_EQ(lines[15], "15\ta\\\\b\\tc");
    EXPECT_EQ(lines[9], "9\tNone Configuration Opened ");
    // The language named on the command line is for this run only.
    auto info = nlohmann::json::parse(run_program({kCli, "info", "--workspace", ws.path.string()}).out);
    EXPECT_EQ(info["language_name"], "English");
}

TEST(CliShell, UsageErrorsExitTwo) {
    EXPECT_EQ(run_program({kCli}).code, 2);
    EXPECT_EQ(run_program({kCli, "no-such-command"}).code, 2);
    EXPECT_EQ(run_program({kCli, "info", "--bogus"}).code, 2);
    EXPECT_EQ(run_program({kCli, "new-project"}).code, 2);
    auto help = run_program({kCli, "info", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: zevirovave-cli info"), std::string::npos);
}
