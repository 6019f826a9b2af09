#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTabWidget>

#include "ethercat/esi.h"
#include "ui/ethercat/group_dialog.h"
#include "ui/ethercat/slave_dialog.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using zv::WizardButton;

namespace {

// All windows over a workspace whose last project P is restored.
struct EtherCATFixture : zvtest::GuiFixture {
    EtherCATFixture() {
        fs::create_directories(dir / "PROJECTS/P/bin");
        zvtest::spit(dir / "Zevirovave.xml",
                     "<Conf_Settings><lastproj><projectname>P</projectname></lastproj>"
                     "<lastinternet><enable_jump_field_tables>1</enable_jump_field_tables></lastinternet></Conf_Settings>");
        create();
    }
    fs::path project() const { return dir / "PROJECTS/P"; }
    static bool edit(zv::ui::GridView* v, int row, int col, const QVariant& value, int role = Qt::EditRole) {
        return v->model()->setData(v->model()->index(row - 1, col - 1), value, role);
    }
};

TEST(EtherCATDialogs, GroupsDialogEditsAndSavesTheFile) {
    EtherCATFixture f;
    zvtest::spit(f.project() / "EtherCAT_Slave_Group.xml",
                 "<R><Slave_to_Master><row Group_Name=\"In\" Num_Variables=\"2\" Mnemonic=\"m\"/></Slave_to_Master></R>");
    auto& dlg = *f.app.ethercat_group;
    zvtest::when_modal([&](QWidget* w) {
        EXPECT_EQ(w, &dlg);
        EXPECT_EQ(dlg.size(), QSize(800, 337));
        EXPECT_EQ(dlg.windowTitle().toStdString(), "EtherCAT Slave Set Group");
        EXPECT_EQ(dlg.ACG_Group_StoM->model()->rowCount(), 16);
        EXPECT_EQ(dlg.ACG_Group_StoM->model()->index(0, 0).data().toString().toStdString(), "In");
        EXPECT_EQ(dlg.ACG_Group_StoM->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "Num Variables");
        dlg.PC_Group->setCurrentIndex(1);
        EtherCATFixture::edit(dlg.ACG_Group_MtoS, 1, 1, "Out");
        EtherCATFixture::edit(dlg.ACG_Group_MtoS, 1, 2, "0");
        dlg.Btn_OK->click();  // count 0: refused, the dialog stays
        EXPECT_TRUE(dlg.isVisible());
        EtherCATFixture::edit(dlg.ACG_Group_MtoS, 1, 2, "3");
        dlg.Btn_OK->click();
    });
    f.main().button(WizardButton::EtherCAT_Set_Group)->click();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].text, "Error row 1!! [Master to Slave] Num Variables must be beetween 1 and 256");
    EXPECT_EQ(zvtest::slurp(f.project() / "EtherCAT_Slave_Group.xml"),
              "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master><row Group_Name=\"In\" Num_Variables=\"2\" "
              "Mnemonic=\"m\"/></Slave_to_Master><Master_to_Slave><row Group_Name=\"Out\" Num_Variables=\"3\" "
              "Mnemonic=\"\"/></Master_to_Slave></PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.006-->");
    EXPECT_EQ(dlg.PC_Group->currentIndex(), 1);  // the next showing opens on the page last used
}

TEST(EtherCATDialogs, RowButtonsFollowTheCurrentCell) {
    EtherCATFixture f;
    auto& dlg = *f.app.ethercat_group;
    ASSERT_TRUE(dlg.prepare());
    EtherCATFixture::edit(dlg.ACG_Group_StoM, 1, 1, "A");
    EtherCATFixture::edit(dlg.ACG_Group_StoM, 2, 1, "B");
    dlg.ACG_Group_StoM->setCurrentIndex(dlg.ACG_Group_StoM->model()->index(1, 0));
    dlg.Btn_CopyRow->click();
    dlg.ACG_Group_StoM->setCurrentIndex(dlg.ACG_Group_StoM->model()->index(0, 0));
    f.prompter.answers = {true};
    dlg.Btn_PasteRow->click();
    EXPECT_EQ(f.prompter.last(), "Row Already used. Do you want to overwrite the values?");
    EXPECT_EQ(dlg.form().ACG_Group_StoM.text(1, 1), "B");
    f.prompter.answers = {true};
    dlg.Btn_DelRow->click();
    EXPECT_EQ(f.prompter.last(), "Are you sure to delete the Row number 1");
    EXPECT_EQ(dlg.ACG_Group_StoM->model()->index(0, 0).data().toString().toStdString(), "B");
    EXPECT_EQ(dlg.ACG_Group_StoM->model()->index(1, 0).data().toString().toStdString(), "");

    // Enter moves on to the next cell (the setting is on in this workspace).
    dlg.ACG_Group_StoM->setCurrentIndex(dlg.ACG_Group_StoM->model()->index(0, 2));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(dlg.ACG_Group_StoM, &enter);
    EXPECT_EQ(dlg.ACG_Group_StoM->currentIndex().row(), 1);
    EXPECT_EQ(dlg.ACG_Group_StoM->currentIndex().column(), 0);

    // A header double click fits the column only with its setting on.
    auto* header = dlg.ACG_Group_StoM->horizontalHeader();
    EXPECT_EQ(dlg.ACG_Group_StoM->columnWidth(0), 300);
    emit header->sectionDoubleClicked(0);
    EXPECT_EQ(dlg.ACG_Group_StoM->columnWidth(0), 300);
    f.ctx.state.Double_Click_Auto_Size = true;
    emit header->sectionDoubleClicked(0);
    EXPECT_LT(dlg.ACG_Group_StoM->columnWidth(0), 300);
    EXPECT_GT(dlg.ACG_Group_StoM->columnWidth(0), 0);
}

TEST(EtherCATDialogs, VariablesDialogKeepsTheComputedColumnsCurrent) {
    EtherCATFixture f;
    zvtest::spit(f.project() / "EtherCAT_Slave_Group.xml",
                 "<R><Slave_to_Master><row Group_Name=\"G\" Num_Variables=\"1\"/></Slave_to_Master></R>");
    auto& dlg = *f.app.ethercat_slave;
    zvtest::when_modal([&](QWidget* w) {
        EXPECT_EQ(w, &dlg);
        EXPECT_EQ(dlg.size(), QSize(1200, 337));
        auto* v = dlg.ASG_SlaveMaster;
        auto* m = v->model();
        EXPECT_EQ(m->rowCount(), 256);
        EXPECT_EQ(m->columnCount(), 9);
        EXPECT_EQ(m->headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString().toStdString(),
                  "Select the Group of EtherCAT Slave Variable");
        EtherCATFixture::edit(v, 1, 2, "Bool");
        EtherCATFixture::edit(v, 2, 2, "String");
        EtherCATFixture::edit(v, 3, 2, "Int8");
        EXPECT_EQ(m->index(1, 2).data().toString().toStdString(), "10");  // Length of a String
        EXPECT_TRUE(m->flags(m->index(1, 2)) & Qt::ItemIsEditable);
        EXPECT_FALSE(m->flags(m->index(0, 2)) & Qt::ItemIsEditable);
        EXPECT_FALSE(m->flags(m->index(0, 5)) & Qt::ItemIsEditable);  // Position is computed
        EXPECT_EQ(m->index(2, 5).data().toString().toStdString(), "12");
        EtherCATFixture::edit(v, 2, 3, "4");
        EXPECT_EQ(m->index(2, 5).data().toString().toStdString(), "6");
        EXPECT_EQ(m->index(0, 7).data().toString().toStdString(), "G");
        EtherCATFixture::edit(v, 1, 1, Qt::Unchecked, Qt::CheckStateRole);
        EXPECT_EQ(m->index(0, 7).data().toString().toStdString(), "");
        EXPECT_EQ(m->index(1, 7).data().toString().toStdString(), "G");
        EXPECT_EQ(m->index(2, 5).data().toString().toStdString(), "5");

        v->setCurrentIndex(m->index(2, 3));
        dlg.Btn_MoveUp->click();
        EXPECT_EQ(m->index(1, 1).data().toString().toStdString(), "Int8");
        EXPECT_EQ(v->currentIndex().row(), 1);

        dlg.Btn_CopyRow->click();
        dlg.PC_Slave->setCurrentIndex(1);
        dlg.Btn_PasteRow->click();  // copied in the other table
        EXPECT_EQ(f.prompter.last(), "Error!!! Copy a valid row before Paste it");
        dlg.PC_Slave->setCurrentIndex(0);
        dlg.Btn_OK->click();
    });
    f.main().button(WizardButton::EtherCAT_Set_Access)->click();
    const std::string saved = zvtest::slurp(f.project() / "EtherCAT_Slave.xml");
    EXPECT_NE(saved.find("<row Enable=\"N\" Type=\"Bool\" Length=\"1\" Name=\"\" InitValue=\"\" Position=\"0\""), std::string::npos);
    EXPECT_NE(saved.find("Type=\"String\" Length=\"4\" Name=\"\" InitValue=\"\" Position=\"1\" BitStart=\"0\" Group=\"\""),
              std::string::npos);
}

TEST(EtherCATDialogs, AnIllFormedFileIsReportedAndNothingOpens) {
    EtherCATFixture f;
    zvtest::spit(f.project() / "EtherCAT_Slave.xml", "<EtherCAT_Slave><x>");
    bool opened = false;
    zvtest::when_modal([&](QWidget* w) {
        opened = w != nullptr;
        if (w) static_cast<QDialog*>(w)->reject();
    });
    f.main().button(WizardButton::EtherCAT_Set_Access)->click();
    QApplication::processEvents();
    EXPECT_FALSE(opened);
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].kind, "error");
    EXPECT_NE(f.prompter.shown[0].text.find("EtherCAT_Slave.xml"), std::string::npos);
}

TEST(EtherCATDialogs, EsiButtonSavesInTheProjectFolder) {
    EtherCATFixture f;
    fs::path asked_in;
    fs::path answer = f.project() / "device";
    f.app.ask_save_file = [&](QWidget*, const fs::path& folder, const std::string& filter) {
        asked_in = folder;
        EXPECT_EQ(filter, "EtherCAT ESI File (*.xml)");
        return answer;
    };
    f.main().button(WizardButton::EtherCAT_ESI_File)->click();
    EXPECT_EQ(asked_in, f.project());
    const std::string expected = zv::esi_text(zv::Read_ESI_Data(f.project() / "ParGen.xml", f.project() / "EtherCAT_Slave.xml"));
    EXPECT_EQ(zvtest::slurp(f.project() / "device.xml"), expected);
    EXPECT_TRUE(f.prompter.shown.empty());

    zvtest::spit(f.project() / "device.xml", "mine");
    f.prompter.answers = {false};
    f.main().button(WizardButton::EtherCAT_ESI_File)->click();
    EXPECT_EQ(f.prompter.last(), "File already exists. Do you want to overwrite?");
    EXPECT_EQ(zvtest::slurp(f.project() / "device.xml"), "mine");

    answer.clear();  // Cancel
    f.prompter.shown.clear();
    f.main().button(WizardButton::EtherCAT_ESI_File)->click();
    EXPECT_TRUE(f.prompter.shown.empty());

    zvtest::spit(f.project() / "ParGen.xml", "<Par_Gen>");
    answer = f.project() / "other.xml";
    f.main().button(WizardButton::EtherCAT_ESI_File)->click();
    EXPECT_EQ(f.prompter.shown.back().kind, "error");
    EXPECT_FALSE(fs::exists(f.project() / "other.xml"));
}

}  // namespace
