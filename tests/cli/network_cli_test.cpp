#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/test_support.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {

const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
const std::string kGsdml = "GSDML-V2.4-Zv-Test-20260101.xml";
const fs::path kFixture = fs::path(ZV_FIXTURES) / "profinet" / kGsdml;

zvtest::RunResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), kCli);
    return run_program(args);
}

}  // namespace

TEST(CliNetwork, AddShowResave) {
    zvtest::TempDir project;
    const std::string dir = project.path.string();
    auto r = cli({"network", "add", dir, kFixture.string(), "--name-of-station", "io-a", "--ip", "10.0.0.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(project / ("GSDML/" + kGsdml)));
    r = cli({"network", "add", dir, kFixture.string(), "--dap", "T_DAP_B"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto added = nlohmann::json::parse(r.out);
    EXPECT_EQ(added["device_name"], "Test Head B");
    EXPECT_EQ(added["name_of_station"], "HEAD-B");

    r = cli({"network", "show", dir});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j.size(), 2u);
    const auto& a = j[0];
    EXPECT_EQ(a["gsdml_file"], kGsdml);
    EXPECT_EQ(a["device_name"], "Test Head A");
    EXPECT_EQ(a["device_name_id"], "T_DAP_A");
    EXPECT_EQ(a["category"], "Head modules");
    EXPECT_EQ(a["name_of_station"], "io-a");
    EXPECT_EQ(a["ip_address"], "10.0.0.5");
    EXPECT_EQ(a["new_session_spi"], false);
    EXPECT_EQ(a["update_time_index"], 0);
    EXPECT_EQ(a["send_clock"], 32);
    EXPECT_EQ(a["reduction_ratio"], 2);
    EXPECT_EQ(a["answer_time_index"], 0);
    EXPECT_EQ(a["min_device_interval"], 64);
    EXPECT_EQ(a["update_times"], nlohmann::json({"1", "2", "4", "8"}));
    ASSERT_EQ(a["slots"].size(), 5u);
    const auto& s0 = a["slots"][0];
    EXPECT_EQ(s0["slot"], 0);
    EXPECT_EQ(s0["fixed"], true);
    EXPECT_EQ(s0["module_id"], "DAP_A");
    EXPECT_EQ(s0["module_name"], "Test Head A (TH-A)");
    EXPECT_EQ(s0["subslots"].size(), 3u);
    EXPECT_EQ(s0["subslots"][1]["name"], "Interface");
    const auto& s1 = a["slots"][1];
    EXPECT_TRUE(s1["module_id"].is_null());
    EXPECT_EQ(s1["allowed_modules"], nlohmann::json({"DI 16 (T-DI16)", "AO 2 (T-AO)"}));
    EXPECT_TRUE(s1["subslots"].empty());
    const auto& sub = a["slots"][2]["subslots"][0];
    EXPECT_EQ(sub["subslot"], 1);
    EXPECT_EQ(sub["submodule_id"], "SM_DI");
    EXPECT_EQ(sub["len_in"], 2);
    EXPECT_EQ(sub["len_out"], 0);
    EXPECT_EQ(sub["api"], 0);
    EXPECT_EQ(sub["fixed"], true);
    ASSERT_EQ(sub["parameters"].size(), 2u);
    const auto& g = sub["parameters"][0];
    EXPECT_EQ(g["group"], "Input modes");
    EXPECT_EQ(g["index"], 128);
    EXPECT_EQ(g["length"], 3);
    EXPECT_EQ(g["data_const"], "0x00,0x00,0x00");
    const auto& p = g["params"][0];
    EXPECT_EQ(p["name"], "Mode A");
    EXPECT_EQ(p["data_type"], "Unsigned8");
    EXPECT_EQ(p["default"], "0");
    EXPECT_EQ(p["allowed"], "0..2");
    EXPECT_EQ(p["value"], "");
    EXPECT_EQ(p["choices"], nlohmann::json::parse(R"([[0,"Off"],[1,"On"],[2,"Auto"]])"));
    EXPECT_EQ(j[1]["slots"][1]["subslots"][0]["allowed_submodules"], nlohmann::json({"Voltage", "Current"}));

    const std::string before = zvtest::slurp(project / "PROFINET_Master_Network.xml");
    r = cli({"network", "resave", dir});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(zvtest::slurp(project / "PROFINET_Master_Network.xml"), before);
}

TEST(CliNetwork, Refusals) {
    zvtest::TempDir project;
    const std::string dir = project.path.string();
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"network", "add", dir, kFixture.string(), "--name-of-station", std::string(32, 'n')},
         "PROFINET Name of Station must have 31 characters or less\n"},
        {{"network", "add", dir, kFixture.string(), "--ip", "10.0.0"}, "IP Address must be Valid (Ex. 192.168.1.112)\n"},
        {{"network", "add", dir, kFixture.string(), "--dap", "T_NONE"},
         "No device access point with the name TextId T_NONE (the file has: T_DAP_A, T_DAP_B)\n"},
    };
    for (const auto& c : cases) {
        auto r = cli(c.args);
        EXPECT_EQ(r.code, 1) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(fs::exists(project / "PROFINET_Master_Network.xml"));
    }
    auto r = cli({"network", "add", dir, (project / "none.xml").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot be decoded"), std::string::npos);
    EXPECT_EQ(cli({"network", "show", (project / "nothing").string()}).code, 1);
    EXPECT_EQ(cli({"network", "show"}).code, 2);

    for (int i = 0; i < 10; ++i) ASSERT_EQ(cli({"network", "add", dir, kFixture.string()}).code, 0) << i;
    r = cli({"network", "add", dir, kFixture.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Error!! Maximun number devices are already present\n");
    EXPECT_EQ(nlohmann::json::parse(cli({"network", "show", dir}).out).size(), 10u);

    // A file that cannot be read completely is neither shown nor written over.
    std::string s = zvtest::slurp(project / "PROFINET_Master_Network.xml");
    s.replace(s.rfind("UpdateTime=\"0\""), 14, "UpdateTime=\"z\"");
    zvtest::spit(project / "PROFINET_Master_Network.xml", s);
    for (const char* cmd : {"show", "resave"}) {
        r = cli({"network", cmd, dir});
        EXPECT_EQ(r.code, 1) << cmd;
        EXPECT_NE(r.err.find("device 10"), std::string::npos) << r.err;
    }
    EXPECT_EQ(zvtest::slurp(project / "PROFINET_Master_Network.xml"), s);
}
