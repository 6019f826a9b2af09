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

namespace {

// A project with device 0 "io-a" (head A: slots 0, 1, 2 with DI, 3, 5) and
// device 1 "HEAD-B" (head B).
struct EditProject {
    zvtest::TempDir project;
    std::string dir = project.path.string();
    fs::path file = project / "PROFINET_Master_Network.xml";
    EditProject() {
        EXPECT_EQ(cli({"network", "add", dir, kFixture.string(), "--name-of-station", "io-a"}).code, 0);
        EXPECT_EQ(cli({"network", "add", dir, kFixture.string(), "--dap", "T_DAP_B"}).code, 0);
    }
    // Runs a command that must succeed; its JSON output.
    nlohmann::json ok(std::vector<std::string> args) {
        args.insert(args.begin() + 2, dir);
        auto r = cli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        return r.code == 0 && !r.out.empty() && r.out[0] == '{' ? nlohmann::json::parse(r.out) : nlohmann::json();
    }
    nlohmann::json show() { return nlohmann::json::parse(cli({"network", "show", dir}).out); }
};

const nlohmann::json& param(const nlohmann::json& dev, int slot, int sub, int group, int p) {
    return dev["slots"][slot]["subslots"][sub]["parameters"][group]["params"][p];
}

}  // namespace

TEST(CliNetworkEdit, PlugUnplugAndSubplug) {
    EditProject e;
    auto d = e.ok({"network", "plug", "io-a", "1", "MOD_AO"});
    EXPECT_EQ(d["name_of_station"], "io-a");
    EXPECT_EQ(d["slots"][1]["module_id"], "MOD_AO");
    ASSERT_EQ(d["slots"][1]["subslots"].size(), 4u);
    EXPECT_EQ(d["slots"][1]["subslots"][0]["submodule_id"], "SM_V");  // its default submodule
    EXPECT_TRUE(d["slots"][1]["subslots"][1]["submodule_id"].is_null());

    d = e.ok({"network", "subplug", "0", "1", "2", "SM_I"});
    EXPECT_EQ(d["slots"][1]["subslots"][1]["submodule_id"], "SM_I");
    EXPECT_EQ(d["slots"][1]["subslots"][1]["len_out"], 2);
    d = e.ok({"network", "unplug", "0", "2"});
    EXPECT_TRUE(d["slots"][2]["module_id"].is_null());

    // Saved as the dialogs save it: read back, the same network.
    const auto j = e.show();
    EXPECT_EQ(j[0]["slots"][1]["subslots"][1]["submodule_id"], "SM_I");
    EXPECT_TRUE(j[0]["slots"][2]["module_id"].is_null());
    EXPECT_EQ(j[1]["slots"][1]["module_id"], "MOD_AO");  // the other device untouched
}

TEST(CliNetworkEdit, SetTakesListTextsOrValuesAndWarnsAboutTypedValues) {
    EditProject e;
    e.ok({"network", "set", "0", "2", "1", "Mode A", "Auto"});
    e.ok({"network", "set", "0", "2", "1", "Mode B", "1"});
    e.ok({"network", "set", "0", "2", "1", "129:Spare", "7"});
    auto r = cli({"network", "set", e.dir, "io-a", "2", "1", "Filter time", "1500"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "Warning: Filter time: \"1500\" is not among the allowed values 0..1000\n");
    r = cli({"network", "set", e.dir, "io-a", "2", "1", "Bits", "9"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "Warning: Bits: \"9\" does not fit BitArea of 3 bits (0..7)\n");
    r = cli({"network", "set", e.dir, "0", "0", "1", "Mode", "2"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");

    const auto j = e.show();
    EXPECT_EQ(param(j[0], 2, 0, 0, 0)["value"], "2");
    EXPECT_EQ(param(j[0], 2, 0, 0, 1)["value"], "1");
    EXPECT_EQ(param(j[0], 2, 0, 1, 0)["value"], "1500");  // kept as typed
    EXPECT_EQ(param(j[0], 2, 0, 1, 0)["warning"], "\"1500\" is not among the allowed values 0..1000");
    EXPECT_EQ(param(j[0], 2, 0, 1, 1)["warning"], "");
    EXPECT_EQ(param(j[0], 2, 0, 1, 1)["value"], "7");
    EXPECT_EQ(param(j[0], 2, 0, 1, 2)["value"], "9");
    EXPECT_EQ(param(j[0], 0, 0, 0, 0)["value"], "2");
}

TEST(CliNetworkEdit, DeviceProperties) {
    EditProject e;
    auto d = e.ok({"network", "device", "HEAD-B", "--name-of-station", std::string(31, 'b'), "--ip", "10.0.0.7",
                   "--new-session-spi", "1", "--reset-data", "1"});
    EXPECT_EQ(d["name_of_station"], std::string(31, 'b'));
    EXPECT_EQ(d["ip_address"], "10.0.0.7");
    EXPECT_EQ(d["new_session_spi"], true);
    EXPECT_EQ(d["reset_data_on_fail"], true);

    d = e.ok({"network", "device", "0", "--update-time", "8", "--answer-factor", "240"});  // 1920 ms
    EXPECT_EQ(d["update_time_index"], 3);
    EXPECT_EQ(d["send_clock"], 32);
    EXPECT_EQ(d["reduction_ratio"], 8);
    EXPECT_EQ(d["answer_time_index"], 237);
    d = e.ok({"network", "device", "0", "--update-time", "2", "--answer-factor", "255"});
    // 8 ms with factor 255 is too long, but a new factor in the same call decides.
    d = e.ok({"network", "device", "0", "--update-time", "8", "--answer-factor", "3"});
    EXPECT_EQ(d["update_time_index"], 3);
    EXPECT_EQ(d["answer_time_index"], 0);
    d = e.ok({"network", "device", "0", "--new-session-spi", "0"});
    EXPECT_EQ(d["update_time_index"], 3);  // what is not named stays
    EXPECT_EQ(e.show()[0]["answer_time_index"], 0);
}

TEST(CliNetworkEdit, Remove) {
    EditProject e;
    e.ok({"network", "add", kFixture.string(), "--name-of-station", "io-c"});
    auto r = cli({"network", "remove", e.dir, "io-a"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Removed device 0 (io-a); 2 device(s) left in " + e.file.string() + "\n");
    ASSERT_EQ(cli({"network", "remove", e.dir, "1"}).code, 0);
    const auto j = e.show();
    ASSERT_EQ(j.size(), 1u);
    EXPECT_EQ(j[0]["name_of_station"], "HEAD-B");
    EXPECT_TRUE(fs::exists(e.project / ("GSDML/" + kGsdml)));  // the copy stays
}

TEST(CliNetworkEdit, RefusalsLeaveTheFileAsItWas) {
    EditProject e;
    e.ok({"network", "device", "0", "--answer-factor", "255"});
    e.ok({"network", "add", kFixture.string(), "--name-of-station", "io-a"});  // a second io-a
    const std::string before = zvtest::slurp(e.file);
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // the whole of stderr, or its first line for usage errors
    } cases[] = {
        // Devices.
        {{"plug", "io-x", "1", "MOD_AO"}, 1,
         "No device has the name of station \"io-x\" (devices: 0 \"io-a\", 1 \"HEAD-B\", 2 \"io-a\")\n"},
        {{"plug", "io-a", "1", "MOD_AO"}, 1,
         "Devices 0, 2 all have the name of station \"io-a\": give the device number instead\n"},
        {{"remove", "3"}, 1, "The network has no device 3 (its devices are numbered 0 to 2)\n"},
        // Plugging.
        {{"plug", "0", "4", "MOD_AO"}, 1, "The device has no slot 4 (its slots: 0, 1, 2, 3, 5)\n"},
        {{"plug", "0", "0", "MOD_AO"}, 1, "The module of slot 0 cannot be changed\n"},
        {{"unplug", "0", "0"}, 1, "The module of slot 0 cannot be changed\n"},
        {{"plug", "0", "1", "MOD_FIX"}, 1, "The module MOD_FIX cannot be plugged in slot 1 (it takes: MOD_DI, MOD_AO)\n"},
        {{"subplug", "0", "1", "1", "SM_V"}, 1, "No module is plugged in slot 1\n"},
        {{"subplug", "0", "2", "2", "SM_V"}, 1, "The module in slot 2 has no subslot 2 (its subslots: 1)\n"},
        {{"subplug", "0", "2", "1", "SM_V"}, 1, "The submodule of slot 2 subslot 1 cannot be changed\n"},
        {{"subplug", "1", "1", "2", "SM_DIAG"}, 1,
         "The submodule SM_DIAG cannot be plugged in slot 1 subslot 2 (it takes: SM_V, SM_I)\n"},
        // Parameters.
        {{"set", "0", "2", "1", "Mode B", "7"}, 1,
         "\"7\" is not in the value list of Mode B (0 \"Off\", 1 \"On\", 2 \"Auto\")\n"},
        {{"set", "0", "2", "1", "Mode", "1"}, 1,
         "The submodule in slot 2 subslot 1 has no parameter \"Mode\" (its parameters: 128:Mode A, 128:Mode B, "
         "128:Mode C, 129:Filter time, 129:Spare, 129:Bits)\n"},
        {{"set", "0", "0", "32768", "Mode", "1"}, 1, "The submodule in slot 0 subslot 32768 has no parameters\n"},
        {{"set", "1", "1", "2", "Mode", "1"}, 1, "No submodule is plugged in slot 1 subslot 2\n"},
        // The properties panel, with the dialog's messages.
        {{"device", "1", "--name-of-station", std::string(32, 'n')}, 1,
         "PROFINET Name of Station must have 31 characters or less\n"},
        {{"device", "1", "--ip", "10.0.0.256"}, 1, "IP Address must be Valid (Ex. 192.168.1.112)\n"},
        {{"device", "0", "--update-time", "1"}, 1, "Update Time must be major or equal to 2\n"},
        {{"device", "0", "--update-time", "8"}, 1, "Answer Time must be lower or equal to 1920\n"},
        {{"device", "0", "--update-time", "8", "--answer-factor", "241"}, 1, "Answer Time must be lower or equal to 1920\n"},
        {{"device", "0", "--update-time", "3"}, 1, "The device offers no update time of 3 ms (it offers: 1, 2, 4, 8)\n"},
        {{"device", "0", "--answer-factor", "256"}, 1, "The answer factor is 3 to 255\n"},
        // A valid name does not save when a later option is refused.
        {{"device", "1", "--name-of-station", "new", "--ip", "1.2.3"}, 1, "IP Address must be Valid (Ex. 192.168.1.112)\n"},
        // Usage.
        {{"device", "0"}, 2, "zevirovave-cli network device: nothing to change\n"},
        {{"device", "0", "--reset-data", "yes"}, 2, "zevirovave-cli network device: --reset-data takes 1 or 0\n"},
        {{"device", "0", "--update-time", "fast"}, 2,
         "zevirovave-cli network device: --update-time takes milliseconds, e.g. 2 or 0.5\n"},
        {{"device", "0", "--answer-factor", "x"}, 2, "zevirovave-cli network device: --answer-factor takes a whole number\n"},
        {{"plug", "0", "one", "MOD_AO"}, 2, "zevirovave-cli network plug: SLOT takes a whole number\n"},
        {{"set", "0", "2", "1", "Mode A"}, 2, "zevirovave-cli network set: missing arguments\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"network", args[0], e.dir});
        args.erase(args.begin() + 3);
        auto r = cli(args);
        const std::string what = c.args[0] + " " + c.args[1] + " " + (c.args.size() > 2 ? c.args[2] : "");
        EXPECT_EQ(r.code, c.code) << what;
        EXPECT_EQ(c.code == 2 ? r.err.substr(0, r.err.find('\n') + 1) : r.err, c.err) << what;
        EXPECT_EQ(zvtest::slurp(e.file), before) << what;
    }
    auto r = cli({"network", "plug", (e.project / "none").string(), "0", "1", "MOD_AO"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("Project folder not found", 0), 0u) << r.err;
}

TEST(CliNetworkEdit, HelpNamesTheDeviceIdentification) {
    for (const char* cmd : {"plug", "unplug", "subplug", "set", "device", "remove"}) {
        auto r = cli({"network", cmd, "--help"});
        EXPECT_EQ(r.code, 0) << cmd;
        EXPECT_NE(r.out.find("DEVICE is the device's number"), std::string::npos) << cmd;
    }
}
