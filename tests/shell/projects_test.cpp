#include <gtest/gtest.h>

#include "common/test_support.h"
#include "shell/projects.h"
#include "shell/wizard.h"
#include "shell/workspace.h"

namespace fs = std::filesystem;
using zv::ShellState;

namespace {

struct Env {
    zvtest::TempDir dir;
    zv::StringTable t;
    ShellState s;
    zvtest::ScriptedPrompter p;
    Env() { zv::Start_Up(s, t, dir.path); }
};

}  // namespace

TEST(NewProject, RefusalsAndSuccess) {
    struct Case {
        std::string name;
        int entry;  // refusal entry, 0 for success
    };
    Env e;
    fs::create_directories(e.s.Projects_Path / "Existing");
    const Case cases[] = {{"", 107},       {"Existing", 106}, {"a/b", 105},     {"..", 105},   {".", 105},
                          {"a\\b", 105},   {"what?", 105},    {"c:d", 105},     {"Plant 1", 0}};
    for (const auto& c : cases) {
        e.p.shown.clear();
        bool ok = zv::Create_Project(e.s, e.t, e.p, c.name);
        if (c.entry) {
            EXPECT_FALSE(ok) << c.name;
            ASSERT_EQ(e.p.shown.size(), 1u) << c.name;
            EXPECT_EQ(e.p.shown[0], (zvtest::ScriptedPrompter::Shown{"error", e.t[c.entry]})) << c.name;
            EXPECT_FALSE(e.s.project_open()) << c.name;
        } else {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(e.p.shown.empty());
        }
    }
    EXPECT_FALSE(fs::exists(e.dir / "b"));
    EXPECT_EQ(e.s.Project_Name, "Plant 1");
    EXPECT_EQ(e.s.Project_Path, e.s.Projects_Path / "Plant 1");
    EXPECT_EQ(e.s.File_ParGen, e.s.Projects_Path / "Plant 1/ParGen.xml");
    EXPECT_TRUE(fs::is_directory(e.s.Project_Path / "bin"));
    EXPECT_TRUE(fs::is_empty(e.s.Project_Path / "bin"));
    EXPECT_EQ(std::distance(fs::directory_iterator(e.s.Project_Path), {}), 1);
}

TEST(OpenProject, ListsFoldersAndPreselects) {
    Env e;
    zv::OpenConfForm f;
    f.Load_Existing_Configuration(e.s);
    EXPECT_TRUE(f.entries.empty());
    EXPECT_EQ(f.selected, -1);
    zv::Open_Project(e.s, f.Name_Conf);
    EXPECT_FALSE(e.s.project_open());

    fs::create_directories(e.s.Projects_Path / "Alpha");
    fs::create_directories(e.s.Projects_Path / "Beta");
    fs::create_directories(e.s.Projects_Path / ".hidden");
    zvtest::spit(e.s.Projects_Path / "file.txt", "x");
    f.Load_Existing_Configuration(e.s);
    std::vector<std::string> sorted = f.entries;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(f.selected, 0);
    EXPECT_EQ(f.Name_Conf, f.entries[0]);

    // The open project is found whatever the case of its stored name.
    e.s.Project_Path = e.s.Projects_Path / "BETA";
    f.Load_Existing_Configuration(e.s);
    EXPECT_EQ(f.Name_Conf, "Beta");

    f.select(f.Search_Open_Conf("alpha"));
    zv::Open_Project(e.s, f.Name_Conf);
    EXPECT_EQ(e.s.Project_Name, "Alpha");
    EXPECT_EQ(e.s.Project_Path, e.s.Projects_Path / "Alpha");
    EXPECT_EQ(e.s.File_EtherCAT_Group, e.s.Projects_Path / "Alpha/EtherCAT_Slave_Group.xml");
}

TEST(Wizard, ClickOrderAndRefusals) {
    using B = zv::WizardButton;
    using A = zv::WizardAction;
    struct Case {
        B button;
        bool project, loading;
        A action;
        int message;  // 0 none, 18 error, 27 information
    };
    const Case cases[] = {
        {B::New, false, true, A::CreateNewProject, 0},   {B::Open, false, true, A::OpenProject, 0},
        {B::Close, false, false, A::Close, 0},           {B::Info, false, false, A::ShowAbout, 0},
        {B::Opz, false, false, A::ShowOptions, 0},       {B::Prm_Gen, false, false, A::None, 18},
        {B::PROFINET_Master_Access, false, true, A::None, 18},
        {B::EtherCAT_Set_Group, false, false, A::None, 18}, {B::EtherCAT_Set_Access, false, false, A::None, 18},
        {B::EtherCAT_ESI_File, false, false, A::None, 18},  {B::CreateBin, false, false, A::None, 18},
        {B::Prm_Gen, true, true, A::ShowParGen, 0},
        {B::PROFINET_Master_Access, true, true, A::None, 27},
        {B::PROFINET_Master_Access, true, false, A::ShowNetwork, 0},
        {B::EtherCAT_Set_Access, true, false, A::ShowEtherCATSlave, 0},
        {B::EtherCAT_Set_Group, true, false, A::ShowEtherCATGroup, 0},
        {B::EtherCAT_ESI_File, true, false, A::WriteESI, 0}, {B::CreateBin, true, false, A::UpdateDevice, 0},
    };
    Env e;
    for (const auto& c : cases) {
        e.s.Project_Path = c.project ? e.s.Projects_Path / "P" : fs::path();
        e.p.shown.clear();
        EXPECT_EQ(zv::Btn_Click(c.button, e.s, c.loading, e.t, e.p), c.action);
        if (c.message == 0) {
            EXPECT_TRUE(e.p.shown.empty());
        } else {
            ASSERT_EQ(e.p.shown.size(), 1u);
            EXPECT_EQ(e.p.shown[0].kind, c.message == 18 ? "error" : "information");
            EXPECT_EQ(e.p.shown[0].text, e.t[c.message]);
        }
    }
}
