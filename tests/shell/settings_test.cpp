#include <gtest/gtest.h>

#include "common/test_support.h"
#include "shell/workspace.h"

namespace fs = std::filesystem;
using zv::ShellState;

namespace {

ShellState start_in(const fs::path& dir) {
    ShellState s;
    zv::Create_Workspace(s, dir);
    zv::Load_Setting(s);
    return s;
}

const char* kFull =
    "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd><lastlang><language>Italiano</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
    "</lastinternet></Conf_Settings>";

}  // namespace

TEST(Workspace, FirstStartCreatesFoldersAndUsesDefaults) {
    zvtest::TempDir dir;
    ShellState s = start_in(dir.path);
    for (const char* f : {"MASTER", "PROJECTS", "LANGUAGE", "PROFINET_Catalog"}) EXPECT_TRUE(fs::is_directory(dir / f)) << f;
    EXPECT_EQ(s.Device_IP, "192.168.2.205");
    EXPECT_EQ(s.Language_Name, "English");
    EXPECT_FALSE(s.Enable_Internet || s.Enable_Update || s.Enable_Jump_Field_Tables || s.Double_Click_Auto_Size);
    EXPECT_FALSE(s.project_open());
    ASSERT_TRUE(zv::Save_Setting(s));
    EXPECT_EQ(zvtest::slurp(dir / "Zevirovave.xml"),
              "<Conf_Settings><lastproj><projectname></projectname></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress>"
              "</lastipadd><lastlang><language>English</language></lastlang><lastinternet><enable_internet>0"
              "</enable_internet><enable_update>0</enable_update><enable_jump_field_tables>0</enable_jump_field_tables>"
              "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>");
}

TEST(Workspace, ReadWriteRoundTrip) {
    zvtest::TempDir dir;
    zvtest::spit(dir / "Zevirovave.xml", kFull);
    ShellState s = start_in(dir.path);
    EXPECT_EQ(s.Project_Name, "Plant A");
    EXPECT_EQ(s.Device_IP, "10.0.0.7");
    EXPECT_EQ(s.Language_Name, "Italiano");
    EXPECT_TRUE(s.Enable_Internet && s.Enable_Update && s.Enable_Jump_Field_Tables && s.Double_Click_Auto_Size);
    ASSERT_TRUE(zv::Save_Setting(s));
    EXPECT_EQ(zvtest::slurp(dir / "Zevirovave.xml"), kFull);
}

struct SettingsCase {
    const char* name;
    const char* xml;
    const char* project, *ip, *language;
    bool internet, update, jump, autosize;
};

class SettingsRead : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsRead, LooksUpEachItemOnItsOwn) {
    const SettingsCase& c = GetParam();
    zvtest::TempDir dir;
    zvtest::spit(dir / "Zevirovave.xml", c.xml);
    ShellState s = start_in(dir.path);
    EXPECT_EQ(s.Project_Name, c.project);
    EXPECT_EQ(s.Device_IP, c.ip);
    EXPECT_EQ(s.Language_Name, c.language);
    EXPECT_EQ(s.Enable_Internet, c.internet);
    EXPECT_EQ(s.Enable_Update, c.update);
    EXPECT_EQ(s.Enable_Jump_Field_Tables, c.jump);
    EXPECT_EQ(s.Double_Click_Auto_Size, c.autosize);
    EXPECT_TRUE(s.Read_Back);
    EXPECT_EQ(s.Update_Option, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    ::testing::Values(
        SettingsCase{"OtherRootName", "<Whatever><lastipadd><ipaddress>1.2.3.4</ipaddress></lastipadd></Whatever>", "",
                     "1.2.3.4", "English", false, false, false, false},
        SettingsCase{"FlagsOnlyExactOne",
                     "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
                     "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size/></lastinternet></Conf_Settings>",
                     "", "192.168.2.205", "English", false, false, true, false},
        SettingsCase{"NoLastInternet",
                     "<Conf_Settings><lastproj><projectname>P</projectname></lastproj><lastlang><language>Deutsch</language>"
                     "</lastlang></Conf_Settings>",
                     "P", "192.168.2.205", "Deutsch", false, false, false, false},
        SettingsCase{"CaseSensitiveNames",
                     "<Conf_Settings><LastIpAdd><ipaddress>9.9.9.9</ipaddress></LastIpAdd><lastinternet>"
                     "<double_click_auto_size>1</double_click_auto_size></lastinternet></Conf_Settings>",
                     "", "192.168.2.205", "English", false, false, false, false},
        SettingsCase{"TextsAsTheyStand",
                     "<Conf_Settings><lastproj><projectname> spaced </projectname></lastproj><lastipadd><ipaddress></ipaddress>"
                     "</lastipadd></Conf_Settings>",
                     " spaced ", "", "English", false, false, false, false},
        SettingsCase{"LeadingCommentAndDeclaration",
                     "<?xml version=\"1.0\"?><!-- hand edited --><Conf_Settings><lastlang><language>Italiano</language>"
                     "</lastlang></Conf_Settings>",
                     "", "192.168.2.205", "Italiano", false, false, false, false},
        SettingsCase{"NotWellFormed", "<Conf_Settings><lastproj><projectname>P</lastproj>", "", "192.168.2.205", "English",
                     false, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Workspace, RestoreKeepsNameOfVanishedProject) {
    zvtest::TempDir dir;
    zvtest::spit(dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj></Conf_Settings>");
    zv::StringTable t;
    ShellState s;
    zv::Start_Up(s, t, dir.path);
    EXPECT_FALSE(s.project_open());
    EXPECT_EQ(s.Project_Name, "Gone");
    EXPECT_EQ(zv::status_lines(t, s), std::make_pair(t[9], t[10]));
    ASSERT_TRUE(zv::Save_Setting(s));
    EXPECT_NE(zvtest::slurp(dir / "Zevirovave.xml").find("<projectname>Gone</projectname>"), std::string::npos);

    fs::create_directories(dir / "PROJECTS/Gone");
    zv::Start_Up(s, t, dir.path);
    EXPECT_EQ(s.Project_Path, dir / "PROJECTS/Gone");
    EXPECT_EQ(s.File_ParGen, dir / "PROJECTS/Gone/ParGen.xml");
    EXPECT_EQ(s.File_PROFINET_Network, dir / "PROJECTS/Gone/PROFINET_Master_Network.xml");
    EXPECT_EQ(s.File_EtherCAT_Slave, dir / "PROJECTS/Gone/EtherCAT_Slave.xml");
    EXPECT_EQ(s.File_EtherCAT_Group, dir / "PROJECTS/Gone/EtherCAT_Slave_Group.xml");
    EXPECT_EQ(zv::status_lines(t, s), std::make_pair(t[11], std::string("Gone")));
}

TEST(Workspace, StoredNameThatLeavesProjectsIsNotOpened) {
    zvtest::TempDir dir;
    fs::create_directories(dir / "outside");
    zvtest::spit(dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>../outside</projectname></lastproj></Conf_Settings>");
    zv::StringTable t;
    ShellState s;
    zv::Start_Up(s, t, dir.path);
    EXPECT_FALSE(s.project_open());
    EXPECT_EQ(s.Project_Name, "../outside");
}

TEST(Workspace, UnwritableSettingsReportFalse) {
    zvtest::TempDir dir;
    ShellState s = start_in(dir.path);
    s.Program_Path = dir / "no/such/folder";
    EXPECT_FALSE(zv::Save_Setting(s));
}
