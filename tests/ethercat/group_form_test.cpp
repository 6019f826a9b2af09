#include <gtest/gtest.h>

#include "common/test_support.h"
#include "ethercat/group_form.h"
#include "text/error.h"

namespace {

using zv::EtherCATGroupForm;

struct GroupFormTest : ::testing::Test {
    GroupFormTest() { t.Build_Table(); }
    zv::StringTable t;
    zvtest::ScriptedPrompter p;
    zv::CopyRowBuffer buf;
    zvtest::TempDir dir;
    std::filesystem::path file = dir / "EtherCAT_Slave_Group.xml";

    static void set_rows_count(zv::Grid& g, int r, const std::string& n) {
        g.text(r, 1) = std::string("G").append(std::to_string(r));
        g.text(r, 2) = n;
    }
    static void set_rows(zv::Grid& g, const std::vector<std::array<std::string, 3>>& rows) {
        for (size_t i = 0; i < rows.size(); ++i)
            for (int c = 0; c < 3; ++c) g.text(static_cast<int>(i) + 1, c + 1) = rows[i][static_cast<size_t>(c)];
    }
};

TEST_F(GroupFormTest, NewProjectShowsEmptyNumberedTablesAndSavesTwoEmptyLists) {
    EtherCATGroupForm f(t, p, buf);
    f.FormShow(file);
    for (zv::Grid* g : {&f.ACG_Group_StoM, &f.ACG_Group_MtoS}) {
        EXPECT_EQ(g->RowCount(), 17);
        EXPECT_EQ(g->text(0, 1), "Group Name");
        EXPECT_EQ(g->text(0, 2), "Num Variables");
        EXPECT_EQ(g->text(16, 0), "16");
        EXPECT_EQ(g->text(1, 1), "");
    }
    ASSERT_TRUE(f.Btn_OK(file));
    EXPECT_EQ(zvtest::slurp(file),
              "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master/><Master_to_Slave/>"
              "</PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.006-->");
}

TEST_F(GroupFormTest, SavesTheListUpToTheFirstBlankNameAndReadsItBack) {
    EtherCATGroupForm f(t, p, buf);
    f.FormShow(file);
    set_rows(f.ACG_Group_StoM, {{" In ", "2", "first"}, {"Out&<\"", "3", ""}, {"  ", "9", "hidden"}, {"Late", "x", ""}});
    set_rows(f.ACG_Group_MtoS, {{"Cmd", "1", "m"}});
    ASSERT_TRUE(f.Btn_OK(file));
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(zvtest::slurp(file),
              "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>"
              "<row Group_Name=\" In \" Num_Variables=\"2\" Mnemonic=\"first\"/>"
              "<row Group_Name=\"Out&amp;&lt;&quot;\" Num_Variables=\"3\" Mnemonic=\"\"/></Slave_to_Master>"
              "<Master_to_Slave><row Group_Name=\"Cmd\" Num_Variables=\"1\" Mnemonic=\"m\"/></Master_to_Slave>"
              "</PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.006-->");

    EtherCATGroupForm g(t, p, buf);
    g.FormShow(file);
    EXPECT_EQ(g.ACG_Group_StoM.text(1, 1), " In ");
    EXPECT_EQ(g.ACG_Group_StoM.text(2, 1), "Out&<\"");
    EXPECT_EQ(g.ACG_Group_StoM.text(3, 1), "");  // rows after the blank name are gone
    EXPECT_EQ(g.ACG_Group_StoM.text(4, 1), "");
    EXPECT_EQ(g.ACG_Group_MtoS.text(1, 3), "m");
}

TEST_F(GroupFormTest, CountsAreCheckedPerRowAndInTotal) {
    const std::string stom_row = "!! [Slave to Master] Num Variables must be beetween 1 and 256";
    const std::string mtos_row = "!! [Master to Slave] Num Variables must be beetween 1 and 256";
    struct Case {
        std::vector<std::string> stom, mtos;
        std::string message;  // empty: accepted
    };
    const std::vector<std::string> sixteen_of_16(16, "16");
    std::vector<std::string> total_257 = sixteen_of_16;
    total_257[15] = "17";
    const std::vector<Case> cases = {
        {{"0"}, {}, "Error row 1" + stom_row},
        {{"5", "257"}, {}, "Error row 2" + stom_row},
        {{"-1"}, {}, "Error row 1" + stom_row},
        {{"abc"}, {}, "Error row 1" + stom_row},
        {{""}, {}, "Error row 1" + stom_row},
        {{"256"}, {"256"}, ""},
        {sixteen_of_16, sixteen_of_16, ""},
        {total_257, {}, "Error!! [Slave to Master] Num Variables in total must be minor or equal to 256"},
        {{"1"}, {"1", "0"}, "Error row 2" + mtos_row},
        {{"1"}, total_257, "Error!! [Master to Slave] Num Variables in total must be minor or equal to 256"},
        {{"0"}, {"0"}, "Error row 1" + stom_row},  // Slave To Master first
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.message);
        EtherCATGroupForm f(t, p, buf);
        f.FormShow(file);
        for (size_t i = 0; i < k.stom.size(); ++i) set_rows_count(f.ACG_Group_StoM, static_cast<int>(i) + 1, k.stom[i]);
        for (size_t i = 0; i < k.mtos.size(); ++i) set_rows_count(f.ACG_Group_MtoS, static_cast<int>(i) + 1, k.mtos[i]);
        p.shown.clear();
        EXPECT_EQ(f.Btn_OK(file), k.message.empty());
        if (k.message.empty()) {
            EXPECT_TRUE(p.shown.empty());
        } else {
            ASSERT_EQ(p.shown.size(), 1u);
            EXPECT_EQ(p.shown[0], (zvtest::ScriptedPrompter::Shown{"error", k.message}));
            EXPECT_FALSE(std::filesystem::exists(file));
        }
        std::filesystem::remove(file);
    }
}

TEST_F(GroupFormTest, ABlankNameEndsValidation) {
    EtherCATGroupForm f(t, p, buf);
    f.FormShow(file);
    set_rows(f.ACG_Group_StoM, {{"A", "1", ""}, {" ", "0", ""}, {"C", "x", ""}});
    EXPECT_TRUE(f.Controllo_dati());
}

TEST_F(GroupFormTest, HandEditedFiles) {
    std::string rows;
    for (int i = 1; i <= 18; ++i) rows += "<row Group_Name=\"G" + std::to_string(i) + "\" Num_Variables=\"1\"/>";
    zvtest::spit(file, "<!-- note --><R><Slave_to_Master>" + rows +
                           "</Slave_to_Master><Master_to_Slave><x Group_Name=\"NoCount\"/><!-- c --><row Num_Variables=\"4\"/>"
                           "</Master_to_Slave></R>");
    EtherCATGroupForm f(t, p, buf);
    f.FormShow(file);
    EXPECT_EQ(f.ACG_Group_StoM.text(16, 1), "G16");  // only 16 rows fit
    EXPECT_EQ(f.ACG_Group_MtoS.text(1, 1), "NoCount");
    EXPECT_EQ(f.ACG_Group_MtoS.text(1, 2), "");
    EXPECT_EQ(f.ACG_Group_MtoS.text(2, 1), "");  // no name: shown empty, the comment takes no row
    EXPECT_EQ(f.ACG_Group_MtoS.text(2, 2), "4");
    EXPECT_FALSE(f.Controllo_dati());
    EXPECT_EQ(p.last(), "Error row 1!! [Master to Slave] Num Variables must be beetween 1 and 256");

    zvtest::spit(file, "<R><Slave_to_Master><row Group_Name=\"A\"");
    f.ACG_Group_StoM.text(1, 1) = "kept";
    EXPECT_THROW(f.FormShow(file), zv::Error);
    EXPECT_EQ(f.ACG_Group_StoM.text(1, 1), "kept");
}

TEST_F(GroupFormTest, RowButtonsActOnTheActivePage) {
    EtherCATGroupForm f(t, p, buf);
    f.FormShow(file);
    set_rows(f.ACG_Group_StoM, {{"A", "1", "a"}, {"B", "2", "b"}});
    f.ACG_Group_StoM.row = 1;

    p.answers = {false};
    f.Btn_DelRow();
    EXPECT_EQ(p.last(), "Are you sure to delete the Row number 1");
    EXPECT_EQ(f.ACG_Group_StoM.text(1, 1), "A");
    p.answers = {true};
    f.Btn_DelRow();
    EXPECT_EQ(f.ACG_Group_StoM.text(1, 1), "B");

    f.Btn_InsRow();
    EXPECT_EQ(f.ACG_Group_StoM.text(1, 1), "");
    EXPECT_EQ(f.ACG_Group_StoM.text(2, 1), "B");

    f.ACG_Group_StoM.row = 2;
    f.Btn_CopyRow();
    EXPECT_TRUE(f.Do_Copy_StM);
    EXPECT_FALSE(f.Do_Copy_MtS);
    f.page = EtherCATGroupForm::MasterToSlave;
    p.shown.clear();
    f.Btn_PasteRow();  // copied in the other table
    EXPECT_EQ(p.last(), "Error!!! Copy a valid row before Paste it");
    f.page = EtherCATGroupForm::SlaveToMaster;
    f.ACG_Group_StoM.row = 1;
    f.Btn_PasteRow();
    EXPECT_EQ(f.ACG_Group_StoM.text(1, 2), "2");

    f.FormShow(file);  // a new showing forgets the copy
    EXPECT_FALSE(f.Do_Copy_StM);
    EXPECT_EQ(buf.Copy_Row_Buffer.size(), 3u);  // the buffer itself lives on
}

}  // namespace
