#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/netns.h"
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

namespace {

// A workspace with a project and a script as the updater that records its
// command line and the job it found.
struct UpdateWorkspace {
    zvtest::TempDir ws;
    fs::path project;
    explicit UpdateWorkspace(const std::string& updater_body =
                                 "echo \"[$*]\" > \"$(dirname \"$0\")/args\"\n"
                                 "cp \"$(dirname \"$0\")/Ethernet_Update.xml\" \"$(dirname \"$0\")/seen.xml\"\n") {
        project = ws / "PROJECTS/Plant";
        fs::create_directories(project);
        if (!updater_body.empty()) {
            zvtest::spit(ws / "Ethernet_Update.exe", "#!/bin/sh\n" + updater_body);
            fs::permissions(ws / "Ethernet_Update.exe", fs::perms::owner_all);
        }
    }
    std::vector<std::string> argv(const std::string& ip, std::vector<std::string> extra = {}) const {
        std::vector<std::string> v = {kCli, "update", "--workspace", ws.path.string(), "--project", project.string(),
                                      "--ip", ip};
        v.insert(v.end(), extra.begin(), extra.end());
        return v;
    }
    std::string settings() const { return zvtest::slurp(ws / "Zevirovave.xml"); }
};

bool have_icmp_socket() {
    auto r = run_program({kCli, "ping", "127.0.0.1"});
    return r.code == 0;
}

}  // namespace

TEST(CliUpdate, AnsweringDeviceGetsItsJobAndTheUpdaterRuns) {
    if (!have_icmp_socket()) GTEST_SKIP() << "no ICMP socket here";
    UpdateWorkspace u;
    auto r = run_program(u.argv("127.0.0.1", {"--option", "2", "--no-read-back"}));
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    for (const char* step : {"compiled: ", "ping: 127.0.0.1 answered", "settings: ", "job: ", "updater: ", "updater: ended"})
        EXPECT_NE(r.out.find(step), std::string::npos) << step << "\n" << r.out;
    for (const char* bank : {"bank1.bin", "bank2.bin", "bank3.bin"}) EXPECT_TRUE(fs::exists(u.project / "bin" / bank));
    EXPECT_EQ(zvtest::slurp(u.ws / "args"), "[]\n");
    std::string job = zvtest::slurp(u.ws / "seen.xml");
    EXPECT_EQ(job, zvtest::slurp(u.ws / "Ethernet_Update.xml"));
    EXPECT_NE(job.find("<Ope_Read_Back>0</Ope_Read_Back>"), std::string::npos);
    EXPECT_EQ(job.find("Vir48I15.sim"), std::string::npos);  // configuration only
    EXPECT_NE(u.settings().find("<ipaddress>127.0.0.1</ipaddress>"), std::string::npos) << u.settings();
}

TEST(CliUpdate, UnusableAddressCompilesButStoresWritesAndStartsNothing) {
    UpdateWorkspace u;
    for (const char* ip : {"127.0..1", "127.0.0", "127.0.0.1.5", "127.0.0.300"}) {
        auto r = run_program(u.argv(ip));
        EXPECT_EQ(r.code, 1) << ip;
        EXPECT_NE(r.err.find("Error!!! Check the Ip Address"), std::string::npos) << r.err;
        EXPECT_NE(r.out.find("compiled: "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("(ping_res 0, 0 attempts"), std::string::npos) << r.out;
        EXPECT_TRUE(fs::exists(u.project / "bin/bank1.bin"));
        EXPECT_FALSE(fs::exists(u.ws / "Ethernet_Update.xml"));
        EXPECT_FALSE(fs::exists(u.ws / "args"));
        EXPECT_EQ(u.settings().find("<ipaddress>127"), std::string::npos) << u.settings();
    }
}

TEST(CliUpdate, UpdaterMissingOrTooSlow) {
    if (!have_icmp_socket()) GTEST_SKIP() << "no ICMP socket here";
    UpdateWorkspace missing("");
    auto r = run_program(missing.argv("127.0.0.1"));
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.err.find("could not be started"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(missing.ws / "Ethernet_Update.xml"));  // written just before the start

    UpdateWorkspace slow("sleep 2\n");
    r = run_program(slow.argv("127.0.0.1", {"--timeout-ms", "200"}));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("still running after 200 ms"), std::string::npos) << r.out;

    UpdateWorkspace bare("");
    zvtest::spit(bare.ws / "Ethernet_Update", "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
    fs::permissions(bare.ws / "Ethernet_Update", fs::perms::owner_all);
    r = run_program(bare.argv("127.0.0.1"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(bare.ws / "ran"));
}

TEST(CliUpdate, SilentDeviceIsNotFound) {
    UpdateWorkspace u;
    std::string why;
    auto out = zvtest::in_new_namespace({true, true, nullptr}, [&] {
        auto r = run_program(u.argv("127.0.0.1"));
        return std::to_string(r.code) + "\n" + r.out + r.err;
    }, why);
    if (!out) GTEST_SKIP() << why;
    EXPECT_EQ(out->substr(0, 2), "1\n") << *out;
    EXPECT_NE(out->find("Device Not Found!"), std::string::npos) << *out;
    EXPECT_NE(out->find("did not answer (ping_res 2"), std::string::npos) << *out;
    EXPECT_FALSE(fs::exists(u.ws / "Ethernet_Update.xml"));
    EXPECT_FALSE(fs::exists(u.ws / "args"));
}
