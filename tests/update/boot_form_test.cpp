#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/stat.h>

#include "common/test_support.h"
#include "shell/start_program.h"
#include "shell/workspace.h"
#include "update/boot_form.h"
#include "update/job_file.h"

namespace fs = std::filesystem;
using Result = zv::BootForm::UpdateResult;
using Shown = zvtest::ScriptedPrompter::Shown;

namespace {

struct StepClock : zv::Clock {
    std::int64_t t = 0;
    std::int64_t now_ms() override { return t; }
    void sleep_ms(int ms) override { t += ms; }
};

// 'y' answers, 'n' stays silent, 'x' cannot be sent; silent past the script.
struct Device : zv::EchoClient {
    StepClock& clock;
    std::string script;
    size_t n = 0;
    std::string host;
    Device(StepClock& c, std::string s) : clock(c), script(std::move(s)) {}
    void set_host(const std::string& h) override { host = h; }
    zv::EchoReply send(const std::string&, int wait) override {
        char c = n < script.size() ? script[n] : 'n';
        ++n;
        if (c == 'x') throw std::runtime_error("no route");
        clock.t += c == 'y' ? 1 : wait;
        return {c == 'y' ? 1044u : 0u};
    }
};

struct Started {
    fs::path file;
    std::string parameters;
    bool hidden;
};

struct Fixture {
    zvtest::TempDir dir;
    zv::ShellState state;
    zv::StringTable table;
    zvtest::ScriptedPrompter prompter;
    StepClock clock;
    Device device{clock, ""};
    std::vector<Started> started;
    zv::BootForm form{table, prompter, state, device,
                      [this](const fs::path& f, const std::string& p, bool h) { started.push_back({f, p, h}); }, clock};
    Fixture() {
        table.Build_Table();
        zv::Create_Workspace(state, dir.path);
        zv::Load_Setting(state);
        state.Project_Path = state.Projects_Path / "Plant";
        fs::create_directories(state.Project_Path / "bin");
    }
    fs::path job() const { return dir / "Ethernet_Update.xml"; }
};

}  // namespace

TEST(BootForm, TextsForTheUpdateOverEthernet) {
    Fixture f;
    zv::BootForm::Texts x = f.form.Set_Lang();
    EXPECT_EQ(x.caption, "Update Device by Ethernet (UDP)");
    EXPECT_EQ(x.sw_desc, "Update Device Using the Ethernet Port");
    EXPECT_EQ(x.options, (std::array<std::string, 3>{"Firmware + Configuration", "Firmware", "Configuration"}));
    EXPECT_EQ(x.ip_hints[3], "Insert fourth byte of IP Address");
    EXPECT_EQ(x.update, "Execute Update Firmware");
    EXPECT_EQ(x.cancel_hint, "Exit without to do the Update");
}

TEST(BootForm, ShowHandlerTakesOnlyAValidRememberedAddress) {
    Fixture f;
    EXPECT_EQ(f.form.E_IP, (std::array<std::string, 4>{"0", "0", "0", "0"}));
    f.state.Device_IP = " 10. 1 .2.3 ";
    f.state.Update_Option = 2;
    f.state.Read_Back = false;
    f.form.FormShow();
    EXPECT_EQ(f.form.E_IP, (std::array<std::string, 4>{"10", "1", "2", "3"}));
    EXPECT_EQ(f.form.update_option, 2);
    EXPECT_FALSE(f.form.read_back);

    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "a.b.c.d"}) {
        f.state.Device_IP = bad;
        f.form.FormShow();
        EXPECT_EQ(f.form.E_IP, (std::array<std::string, 4>{"10", "1", "2", "3"})) << bad;
    }
}

TEST(BootForm, DotMovesToTheNextBoxAndIsNeverInserted) {
    // Typing a whole dotted address into the first box fills the four boxes.
    std::array<std::string, 4> boxes{"", "", "", ""};
    int focus = 0;
    for (char c : std::string("192.168.2.205.7")) {
        auto r = zv::BootForm::key_press(focus, c);
        if (r.insert) boxes[focus] += c;
        if (r.focus >= 0) focus = r.focus;
    }
    EXPECT_EQ(boxes, (std::array<std::string, 4>{"192", "168", "2", "2057"}));
    EXPECT_EQ(focus, 3);
    auto letter = zv::BootForm::key_press(1, 'x');  // no digit filter
    EXPECT_TRUE(letter.insert);
    EXPECT_EQ(letter.focus, -1);
}

TEST(BootForm, AnswerStoresTheValuesWritesTheJobAndStartsTheUpdater) {
    Fixture f;
    f.device.script = "yy";
    f.form.E_IP = {"127", "0", "0", "9"};
    f.form.update_option = 1;
    f.form.read_back = false;
    EXPECT_EQ(f.form.Btn_UpdateClick(), Result::Answered);
    EXPECT_TRUE(f.prompter.shown.empty());
    EXPECT_EQ(f.device.host, "127.0.0.9");
    EXPECT_EQ(f.form.ping_res, 1);
    EXPECT_EQ(f.state.Device_IP, "127.0.0.9");
    EXPECT_EQ(f.state.Update_Option, 1);
    EXPECT_FALSE(f.state.Read_Back);

    zv::JobValues v{"127.0.0.9", 1, false, f.state.Master_Path, f.state.Project_Path};
    EXPECT_EQ(zvtest::slurp(f.job()), zv::job_file_xml(v));
    ASSERT_EQ(f.started.size(), 1u);
    EXPECT_EQ(f.started[0].file, f.dir / "Ethernet_Update.exe");
    EXPECT_EQ(f.started[0].parameters, "");
    EXPECT_FALSE(f.started[0].hidden);

    // Reopened: the same address, option and Read Back.
    f.form.E_IP = {"1", "1", "1", "1"};
    f.form.update_option = 0;
    f.form.read_back = true;
    f.form.FormShow();
    EXPECT_EQ(f.form.address(), "127.0.0.9");
    EXPECT_EQ(f.form.update_option, 1);
    EXPECT_FALSE(f.form.read_back);
}

TEST(BootForm, NoAnswerKeepsTheRememberedValuesAndWritesNothing) {
    struct Case {
        const char* script;
        Shown message;
        Result result;
    };
    const Case cases[] = {
        {"", {"warning", "Device Not Found!"}, Result::NotFound},
        {"y", {"warning", "Device Not Found!"}, Result::NotFound},  // answered only the first time
        {"x", {"error", "Error!!! Check the Ip Address"}, Result::CheckFailed},
        {"yx", {"error", "Error!!! Check the Ip Address"}, Result::CheckFailed},  // failure after an answer
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.Device_IP = "127.0.0.5";
        f.state.Update_Option = 2;
        f.state.Read_Back = true;
        f.form.FormShow();
        f.device.script = c.script;
        f.form.E_IP = {"127", "0", "0", "6"};
        f.form.update_option = 1;
        f.form.read_back = false;
        EXPECT_EQ(f.form.Btn_UpdateClick(), c.result) << c.script;
        EXPECT_EQ(f.prompter.shown, std::vector<Shown>{c.message}) << c.script;
        EXPECT_EQ(f.state.Device_IP, "127.0.0.5") << c.script;
        EXPECT_EQ(f.state.Update_Option, 2) << c.script;
        EXPECT_TRUE(f.state.Read_Back) << c.script;
        EXPECT_FALSE(fs::exists(f.job())) << c.script;
        EXPECT_TRUE(f.started.empty()) << c.script;
        f.form.FormShow();
        EXPECT_EQ(f.form.address(), "127.0.0.5") << c.script;
        EXPECT_EQ(f.form.update_option, 2) << c.script;
    }
}

// The real echo client and a real updater on loopback.
TEST(BootForm, EmptyBoxIsAnUnusableAddress) {
    zvtest::TempDir dir;
    zv::ShellState s;
    zv::Create_Workspace(s, dir.path);
    zv::StringTable t;
    t.Build_Table();
    zvtest::ScriptedPrompter p;
    zv::IcmpEchoClient echo;
    int starts = 0;
    zv::BootForm form(t, p, s, echo, [&](const fs::path&, const std::string&, bool) { ++starts; });
    form.E_IP = {"127", "", "0", "1"};
    EXPECT_EQ(form.Btn_UpdateClick(), Result::CheckFailed);
    EXPECT_EQ(form.ping_res, 0);
    EXPECT_EQ(p.shown, (std::vector<Shown>{{"error", t[1037]}}));
    EXPECT_FALSE(fs::exists(dir / "Ethernet_Update.xml"));
    EXPECT_EQ(starts, 0);
}

TEST(BootForm, UpdaterFindsItsJobOnLoopback) {
    zvtest::TempDir dir;
    zv::ShellState s;
    zv::Create_Workspace(s, dir.path);
    s.Project_Path = s.Projects_Path / "P";
    zv::StringTable t;
    t.Build_Table();
    zvtest::ScriptedPrompter p;
    zv::IcmpEchoClient echo;
    {
        zv::IcmpEchoClient probe;
        probe.set_host("127.0.0.1");
        try {
            probe.send("127.0.0.1", 400);
        } catch (const std::exception& e) {
            GTEST_SKIP() << "no ICMP socket here: " << e.what();
        }
    }
    fs::path updater = dir / "Ethernet_Update.exe";
    zvtest::spit(updater, "#!/bin/sh\ncp \"$(dirname \"$0\")/Ethernet_Update.xml\" \"$(dirname \"$0\")/seen.xml\"\n");
    chmod(updater.c_str(), 0755);
    zv::BootForm form(t, p, s, echo, [](const fs::path& f, const std::string& a, bool h) {
        zv::Start_Program(f, a, h, 5000);
    });
    form.E_IP = {"127", "0", "0", "1"};
    EXPECT_EQ(form.Btn_UpdateClick(), Result::Answered);
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(zvtest::slurp(dir / "seen.xml"), zvtest::slurp(dir / "Ethernet_Update.xml"));
    EXPECT_EQ(s.Device_IP, "127.0.0.1");
}
