#include <gtest/gtest.h>

#include "common/test_support.h"
#include "ethercat/slave_form.h"
#include "text/error.h"

namespace {

using zv::EtherCATSlaveForm;
using zv::Grid;

struct Var {
    bool on;
    std::string type, length, name = {}, init = {};
};

struct SlaveFormTest : ::testing::Test {
    SlaveFormTest() { f.FormShow(slave, groups); }
    zv::StringTable t = [] {
        zv::StringTable s;
        s.Build_Table();
        return s;
    }();
    zvtest::ScriptedPrompter p;
    zv::CopyRowBuffer buf;
    zvtest::TempDir dir;
    std::filesystem::path slave = dir / "EtherCAT_Slave.xml";
    std::filesystem::path groups = dir / "EtherCAT_Slave_Group.xml";
    EtherCATSlaveForm f{t, p, buf};

    Grid& stom() { return f.ASG_SlaveMaster; }
    Grid& mtos() { return f.ASG_MasterSlave; }

    void set(Grid& g, const std::vector<Var>& vars) {
        const zv::VarColumns& k = f.columns_of(g);
        for (size_t i = 0; i < vars.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            g.set_checked(r, k.Enable, vars[i].on);
            g.text(r, k.Type) = vars[i].type;
            g.text(r, k.Length) = vars[i].length;
            g.text(r, k.Name) = vars[i].name;
            if (k.InitValue >= 0) g.text(r, k.InitValue) = vars[i].init;
        }
    }

    // "position:bit" of rows 1..n.
    std::vector<std::string> positions(Grid& g, int n) {
        const zv::VarColumns& k = f.columns_of(g);
        std::vector<std::string> v;
        for (int r = 1; r <= n; ++r) v.push_back(g.text(r, k.Position) + ":" + g.text(r, k.StartBit));
        return v;
    }

    std::vector<std::string> group_column(Grid& g, int n) {
        std::vector<std::string> v;
        for (int r = 1; r <= n; ++r) v.push_back(g.text(r, f.columns_of(g).Group));
        return v;
    }
};

TEST_F(SlaveFormTest, NewProjectHasEnabledEmptyRowsAndSavesEmptyLists) {
    for (Grid* g : {&stom(), &mtos()}) {
        EXPECT_EQ(g->RowCount(), 257);
        for (int r : {1, 128, 256}) {
            EXPECT_TRUE(g->has_check(r, 1));
            EXPECT_TRUE(g->checked(r, 1));
            EXPECT_EQ(g->text(r, 0), std::to_string(r));
            EXPECT_EQ(g->text(r, 2), "");
        }
    }
    EXPECT_EQ(stom().col_count(), 10);
    EXPECT_EQ(mtos().col_count(), 9);
    EXPECT_EQ(stom().text(0, 5), "Init Value");
    EXPECT_EQ(mtos().text(0, 5), "Position");
    EXPECT_EQ(stom().columns[8].hint, "Select the Group of EtherCAT Slave Variable");
    ASSERT_TRUE(f.Btn_OK(slave));
    EXPECT_EQ(zvtest::slurp(slave),
              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/><EtherCAT_Master_To_Slave/>"
              "</EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.006-->");
}

TEST_F(SlaveFormTest, PositionsAndStartBits) {
    struct Case {
        const char* what;
        std::vector<Var> vars;
        std::vector<std::string> expect;
    };
    std::vector<Var> fourteen = {{true, "Bool", "1"}, {true, "Bool", "1"}, {true, "Int16", "2"}};
    for (int i = 0; i < 9; ++i) fourteen.push_back({true, "Bool", "1"});
    fourteen.push_back({true, "String", "5"});
    fourteen.push_back({true, "Array", "3"});
    fourteen.push_back({true, "UInt8", "1"});  // shows where the image ends
    const std::vector<Case> cases = {
        {"the 14-byte example", fourteen,
         {"0:0", "0:1", "1:0", "3:0", "3:1", "3:2", "3:3", "3:4", "3:5", "3:6", "3:7", "4:0", "5:0", "11:0", "14:0"}},
        {"nine Bools",
         std::vector<Var>(9, {true, "Bool", "1"}),
         {"0:0", "0:1", "0:2", "0:3", "0:4", "0:5", "0:6", "0:7", "1:0"}},
        {"a run of Bools closed by an Int8", {{true, "Bool", "1"}, {true, "Int8", "1"}, {true, "Int32", "4"}, {true, "Float32", "4"}, {true, "Int8", "1"}},
         {"0:0", "1:0", "2:0", "6:0", "10:0"}},
        {"disabled Int8 inside a run", {{true, "Bool", "1"}, {false, "Int8", "1"}, {true, "Bool", "1"}, {true, "UInt16", "2"}, {true, "Int8", "1"}},
         {"0:0", "0:0", "0:1", "1:0", "3:0"}},
        {"String takes L + 1, Array L", {{true, "String", "10"}, {true, "Array", "10"}, {true, "Int8", "1"}},
         {"0:0", "11:0", "21:0"}},
        {"unknown type takes its Length", {{true, "Thing", "x"}, {true, "Other", "3"}, {true, "Int8", "1"}},
         {"0:0", "0:0", "3:0"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        for (Grid* g : {&stom(), &mtos()}) {
            f.FormShow(slave, groups);
            set(*g, k.vars);
            f.Calc_Position_Bit(*g);
            auto got = positions(*g, static_cast<int>(k.expect.size()));
            EXPECT_EQ(got, k.expect);
        }
    }
}

TEST_F(SlaveFormTest, AnEmptyTypeEndsTheList) {
    set(stom(), {{true, "Int8", "1"}, {true, "", ""}, {true, "Int8", "1"}});
    stom().text(3, 6) = "old";
    f.Calc_Position_Bit(stom());
    EXPECT_EQ(stom().text(3, 6), "old");
    ASSERT_TRUE(f.Btn_OK(slave));
    const std::string saved = zvtest::slurp(slave);
    EXPECT_NE(saved.find("<row"), std::string::npos);
    EXPECT_EQ(saved.find("<row", saved.find("<row") + 1), std::string::npos);
}

TEST_F(SlaveFormTest, GroupsAreLaidOverTheEnabledRows) {
    zvtest::spit(groups,
                 "<G><Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"3\"/><row Group_Name=\"Z\" Num_Variables=\"x\"/>"
                 "<row Group_Name=\"B\" Num_Variables=\"2\"/></Slave_to_Master>"
                 "<Master_to_Slave><row Group_Name=\"M\" Num_Variables=\"300\"/><row Group_Name=\"Late\"/></Master_to_Slave></G>");
    f.FormShow(slave, groups);
    ASSERT_EQ(f.Group_StoM.size(), 3u);
    EXPECT_EQ(f.Group_StoM[1].Num_Var, 0);
    std::vector<Var> six(6, {true, "Int8", "1"});
    six[1].on = false;
    set(stom(), six);
    f.enable_changed(stom(), 2, false);
    EXPECT_EQ(group_column(stom(), 8), (std::vector<std::string>{"A", "", "A", "A", "B", "B", "", ""}));
    // Enabling row 2 pulls it into group A and pushes row 4 into B.
    f.enable_changed(stom(), 2, true);
    EXPECT_EQ(group_column(stom(), 7), (std::vector<std::string>{"A", "A", "A", "B", "B", "", ""}));
    // Counts running past the end of the table are cut short; rows below the list get groups too.
    EXPECT_EQ(mtos().text(256, 7), "M");
    EXPECT_EQ(mtos().text(1, 7), "M");
}

TEST_F(SlaveFormTest, ChoosingATypeSetsItsLength) {
    struct Case {
        const char* type;
        const char* length;
        bool editable;
    };
    const std::vector<Case> cases = {{"Bool", "1", false},   {"Int8", "1", false},   {"UInt8", "1", false},
                                     {"Int16", "2", false},  {"UInt16", "2", false}, {"Int32", "4", false},
                                     {"UInt32", "4", false}, {"Float32", "4", false}, {"Array", "10", true},
                                     {"String", "10", true}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.type);
        stom().text(1, 3) = "20";
        f.type_chosen(stom(), 1, k.type);
        EXPECT_EQ(stom().text(1, 2), k.type);
        EXPECT_EQ(stom().text(1, 3), k.length);
        EXPECT_EQ(stom().editable(1, 3), k.editable);
    }
    stom().text(1, 3) = "20";
    f.VarSetLength(stom(), "Other", 1);
    EXPECT_EQ(stom().text(1, 3), "20");
}

TEST_F(SlaveFormTest, Validation) {
    auto row = [](int n, const char* rule) { return "Error row " + std::to_string(n) + rule; };
    struct Case {
        std::vector<Var> stom, mtos;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{{true, "Array", "0"}}, {}, row(1, "!! [Slave to Master] Length must be beetween 1 and 255")},
        {{{true, "Int8", "1"}, {true, "Array", "256"}}, {}, row(2, "!! [Slave to Master] Length must be beetween 1 and 255")},
        {{{true, "Array", "x"}}, {}, row(1, "!! [Slave to Master] Length must be beetween 1 and 255")},
        {{{true, "Array", "2", "", "ABC"}}, {}, row(1, "!! [Slave to Master] Init Value the number of characters must be even")},
        {{{true, "Array", "1", "", "ABCD"}}, {}, row(1, "!! [Slave to Master] Init Value the number of byte must be equal or minor of Length")},
        {{{true, "Array", "2", "", "0G"}}, {}, row(1, "!! [Slave to Master] Init Value one or more characters is not admited. Use 0..9 and A..F")},
        {{{true, "Array", "2", "", "0a1f"}}, {}, ""},
        {{{true, "Array", "2", "", ""}}, {}, ""},
        {{{true, "String", "0"}}, {}, row(1, "!! [Slave to Master] Length must be beetween 1 and 255")},
        {{{true, "String", "3", "", "abc"}}, {}, ""},
        {{{true, "String", "3", "", "abcd"}}, {}, row(1, "!! [Slave to Master] Init Value the dimension of string must be equal or minor of Length")},
        {{{true, "String", "3", "", "\xC3\xA4\xC3\xB6\xC3\xBC"}}, {}, ""},  // three characters, six bytes
        {{{false, "Array", "0", "", "Z"}}, {}, ""},  // disabled rows are skipped
        {{{true, "Int8", "1", "", "not a number"}}, {}, ""},
        {{}, {{true, "Bool", "zzz"}, {true, "Array", "256"}}, row(2, "!! [Master to Slave] Length must be beetween 1 and 255")},
        {{}, {{true, "String", "0"}}, row(1, "!! [Master to Slave] Length must be beetween 1 and 255")},
        {{{true, "Array", "0"}}, {{true, "String", "0"}}, row(1, "!! [Slave to Master] Length must be beetween 1 and 255")},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.message);
        f.FormShow(slave, groups);
        set(stom(), k.stom);
        set(mtos(), k.mtos);
        p.shown.clear();
        EXPECT_EQ(f.Btn_OK(slave), k.message.empty());
        if (!k.message.empty()) {
            ASSERT_EQ(p.shown.size(), 1u);
            EXPECT_EQ(p.shown[0], (zvtest::ScriptedPrompter::Shown{"error", k.message}));
            EXPECT_FALSE(std::filesystem::exists(slave));
        }
        std::filesystem::remove(slave);
    }
}

TEST_F(SlaveFormTest, FileRoundTripWithComputedColumns) {
    zvtest::spit(groups, "<G><Slave_to_Master><row Group_Name=\"In\" Num_Variables=\"1\"/></Slave_to_Master></G>");
    f.FormShow(slave, groups);
    set(stom(), {{true, "Bool", "1", "Run", "1"}, {false, "Int16", "2", "Sp<&>", ""}, {true, "String", "4", "T\xC3\xA4g", "AB"}});
    stom().text(1, 9) = "mn";
    set(mtos(), {{true, "UInt8", "1", "Cmd"}});
    f.Calc_Position_Bit(stom());
    f.Show_Group(stom());
    ASSERT_TRUE(f.Btn_OK(slave));
    const std::string expected =
        "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
        "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"Run\" InitValue=\"1\" Position=\"0\" BitStart=\"0\" Group=\"In\" Mnemonic=\"mn\"/>"
        "<row Enable=\"N\" Type=\"Int16\" Length=\"2\" Name=\"Sp&lt;&amp;>\" InitValue=\"\" Position=\"0\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"/>"
        "<row Enable=\"Y\" Type=\"String\" Length=\"4\" Name=\"T\xC3\xA4g\" InitValue=\"AB\" Position=\"1\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"/>"
        "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
        "<row Enable=\"Y\" Type=\"UInt8\" Length=\"1\" Name=\"Cmd\" Position=\"\" BitStart=\"\" Group=\"\" Mnemonic=\"\"/>"
        "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.006-->";
    EXPECT_EQ(zvtest::slurp(slave), expected);

    EtherCATSlaveForm g(t, p, buf);
    g.FormShow(slave, groups);
    EXPECT_EQ(g.ASG_MasterSlave.text(1, 5), "0");  // recomputed at Show
    EXPECT_FALSE(g.ASG_SlaveMaster.checked(2, 1));
    EXPECT_EQ(g.ASG_SlaveMaster.text(2, 4), "Sp<&>");
    EXPECT_TRUE(g.ASG_SlaveMaster.editable(3, 3));
    EXPECT_FALSE(g.ASG_SlaveMaster.editable(1, 3));
    ASSERT_TRUE(g.Btn_OK(slave));
    EXPECT_NE(zvtest::slurp(slave).find("Name=\"Cmd\" Position=\"0\" BitStart=\"0\""), std::string::npos);
}

TEST_F(SlaveFormTest, HandEditedFile) {
    std::string rows;
    for (int i = 0; i < 300; ++i) rows += "<row Type=\"Int8\" Name=\"v" + std::to_string(i) + "\"/>";
    zvtest::spit(slave, "<S><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                        "<row Enable=\"N\" Type=\"Int8\"/><row Enable=\"x\" Type=\"Int8\" Group=\"ignored\"/><other Type=\"Int8\"/>"
                        "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>" +
                            rows + "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></S>");
    f.FormShow(slave, groups);
    EXPECT_FALSE(stom().checked(1, 1));
    EXPECT_TRUE(stom().checked(2, 1));  // anything but N is enabled here
    EXPECT_TRUE(stom().checked(3, 1));  // a missing Enable too
    EXPECT_EQ(stom().text(2, 8), "");
    EXPECT_EQ(stom().text(2, 3), "");   // a missing Length stays empty
    EXPECT_EQ(stom().text(3, 6), "1");  // positions are recomputed
    EXPECT_EQ(mtos().text(256, 4), "v255");  // only 256 rows fit

    zvtest::spit(slave, "<S><EtherCAT_Slave_Variables>");
    stom().text(1, 4) = "kept";
    EXPECT_THROW(f.FormShow(slave, groups), zv::Error);
    EXPECT_EQ(stom().text(1, 4), "kept");
}

TEST_F(SlaveFormTest, MoveUpAndDown) {
    set(stom(), {{true, "Int8", "1", "a"}, {false, "Int16", "2", "b"}, {true, "String", "7", "c"}});
    f.apply_length_rule(stom());
    stom().row = 1;
    f.Btn_MoveUp();  // row 1: nothing moves, the current row stays
    EXPECT_EQ(stom().text(1, 4), "a");
    EXPECT_EQ(stom().row, 1);
    stom().row = 2;
    f.Btn_MoveUp();
    EXPECT_EQ(stom().text(1, 4), "b");
    EXPECT_FALSE(stom().checked(1, 1));
    EXPECT_TRUE(stom().checked(2, 1));
    EXPECT_EQ(stom().text(2, 6), "0");  // positions follow
    EXPECT_EQ(stom().row, 1);
    EXPECT_EQ(stom().text(1, 0), "1");
    stom().row = 2;
    f.Btn_MoveDown();
    EXPECT_EQ(stom().text(3, 4), "a");
    EXPECT_EQ(stom().text(2, 4), "c");
    EXPECT_TRUE(stom().editable(2, 3));  // the String's Length stays editable where it went
    EXPECT_FALSE(stom().editable(3, 3));
    EXPECT_EQ(stom().row, 3);

    stom().text(255, 4) = "x255";
    stom().text(256, 4) = "x256";
    stom().row = 255;
    f.Btn_MoveDown();  // 255 is never moved down, but the current row goes on
    EXPECT_EQ(stom().text(255, 4), "x255");
    EXPECT_EQ(stom().row, 256);
    f.Btn_MoveDown();
    EXPECT_EQ(stom().text(256, 4), "x256");
    EXPECT_EQ(stom().row, 256);
}

TEST_F(SlaveFormTest, RowButtons) {
    set(stom(), {{true, "String", "20", "s", "hi"}, {false, "Int8", "1", "i"}});
    stom().row = 1;
    f.Btn_CopyRow();
    f.page = EtherCATSlaveForm::MasterToSlave;
    f.Btn_PasteRow();
    EXPECT_EQ(p.last(), "Error!!! Copy a valid row before Paste it");
    f.page = EtherCATSlaveForm::SlaveToMaster;
    stom().row = 3;
    f.Btn_PasteRow();
    EXPECT_EQ(stom().text(3, 3), "20");
    EXPECT_TRUE(stom().editable(3, 3));
    EXPECT_EQ(stom().text(3, 6), "21");  // recomputed after the paste

    // Delete asks, and recomputes whatever the answer.
    stom().text(1, 6) = "stale";
    stom().row = 1;
    p.answers = {false};
    f.Btn_DelRow();
    EXPECT_EQ(p.last(), "Are you sure to delete the Row number 1");
    EXPECT_EQ(stom().text(1, 6), "0");
    p.answers = {true};
    f.Btn_DelRow();
    EXPECT_EQ(stom().text(1, 4), "i");
    EXPECT_TRUE(stom().checked(256, 1));
    EXPECT_FALSE(stom().editable(1, 3));

    f.Btn_InsRow();
    EXPECT_EQ(stom().text(1, 2), "");
    EXPECT_TRUE(stom().checked(1, 1));
    EXPECT_TRUE(stom().editable(1, 3));
    EXPECT_EQ(stom().text(2, 4), "i");
}

}  // namespace
