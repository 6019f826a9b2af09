#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "params/par_gen.h"
#include "ui/params/par_gen_dialog.h"
#include "ui/update/boot_dialog.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using zv::WizardButton;
using Shown = zvtest::ScriptedPrompter::Shown;

namespace {

// A workspace whose restored project is P.
struct ProjectGui : zvtest::GuiFixture {
    fs::path project;
    ProjectGui() {
        project = dir / "PROJECTS/P";
        fs::create_directories(project / "bin");
        zvtest::spit(dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
        create();
    }
    zv::ui::TFParGen& dlg() { return *app.par_gen; }
};

void type(QWidget* d, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(d->focusWidget(), &press);
    }
}

}  // namespace

TEST(ParGenDialog, OpensWithTheFileAndBindsTheControls) {
    ProjectGui f;
    zv::ParGenValues v;
    v.device_name = std::string(40, 'h');  // longer than the edit takes: shown whole
    v.dhcp_wifi = true;
    v.ip[3] = "010";
    zv::write_par_gen(f.project / "ParGen.xml", v);
    auto& d = f.dlg();
    bool shown = false;
    zvtest::when_modal([&](QWidget* w) {
        shown = true;
        EXPECT_EQ(w, &d);
        EXPECT_EQ(d.windowTitle().toStdString(), "Set Communication");
        EXPECT_EQ(d.width(), 460);
        EXPECT_EQ(d.CP_PROFINET_Master->title().toStdString(), "2. PROFINET Master");
        EXPECT_EQ(d.E_EthConn_Device_Name->text().toStdString(), v.device_name);
        EXPECT_EQ(d.E_PROFINET_Master_IP[3]->text(), "010");
        EXPECT_TRUE(d.CB_EthConn_En_DHCP_WiFi->isChecked());
        EXPECT_FALSE(d.CB_EthConn_En_DHCP_WiFi->isEnabled());
        EXPECT_FALSE(d.form().Is_Change);

        // DHCP on the cable disables the thirteen PROFINET address controls only.
        d.CB_EthConn_En_DHCP_Cable->click();
        for (int i = 0; i < 4; ++i) {
            EXPECT_FALSE(d.E_PROFINET_Master_IP[i]->isEnabled());
            EXPECT_FALSE(d.E_PROFINET_Master_SM[i]->isEnabled());
            EXPECT_FALSE(d.E_PROFINET_Master_GAT[i]->isEnabled());
            EXPECT_TRUE(d.E_EthConn_Pri_DNS_IP[i]->isEnabled());
        }
        EXPECT_FALSE(d.CB_PROFINET_Master_GAT->isEnabled());
        EXPECT_TRUE(d.E_PROFINET_Master_NameStation->isEnabled());
        d.CB_EthConn_En_DHCP_Cable->click();
        EXPECT_TRUE(d.CB_PROFINET_Master_GAT->isEnabled());

        // "." walks the address chain; the last gateway byte keeps the focus.
        for (int i = 0; i < 4; ++i) {
            d.E_PROFINET_Master_IP[i]->clear();
            d.E_PROFINET_Master_SM[i]->clear();
        }
        d.E_PROFINET_Master_IP[0]->setFocus();
        type(&d, "192.168.1.20.255.255.255.0");
        EXPECT_EQ(d.E_PROFINET_Master_IP[3]->text(), "20");
        EXPECT_EQ(d.focusWidget(), d.E_PROFINET_Master_SM[3]);
        EXPECT_EQ(d.E_PROFINET_Master_SM[0]->text(), "255");
        EXPECT_EQ(d.E_PROFINET_Master_SM[3]->text(), "0");
        d.E_PROFINET_Master_GAT[3]->setFocus();
        type(&d, ".");
        EXPECT_EQ(d.focusWidget(), d.E_PROFINET_Master_GAT[3]);

        d.E_PROFINET_Master_NameStation->clear();
        d.E_PROFINET_Master_NameStation->setFocus();
        type(&d, "PLC-1");
        EXPECT_EQ(d.E_PROFINET_Master_NameStation->text(), "plc-1");
        d.E_EtherCAT_Slave_Node_Address->clear();
        d.E_EtherCAT_Slave_Node_Address->setFocus();
        type(&d, "1a-9");
        EXPECT_EQ(d.E_EtherCAT_Slave_Node_Address->text(), "19");

        d.E_EtherCAT_Slave_Node_Address->setText("193");
        d.Btn_OK->click();  // refused, the dialog stays
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(f.prompter.last(), f.ctx.String_Table[1878]);
        d.E_EtherCAT_Slave_Node_Address->setText("192");
        d.Btn_OK->click();
        if (d.isVisible()) d.reject();  // never leave a failing test waiting
    });
    f.main().button(WizardButton::Prm_Gen)->click();
    ASSERT_TRUE(shown);
    zv::ParGenValues saved = zv::read_par_gen_for_editor(f.project / "ParGen.xml");
    EXPECT_EQ(saved.ip, (std::array<std::string, 4>{"192", "168", "1", "20"}));
    EXPECT_EQ(saved.subnet_mask, (std::array<std::string, 4>{"255", "255", "255", "0"}));
    EXPECT_EQ(saved.name_of_station, "plc-1");
    EXPECT_EQ(saved.node_address, "192");
    EXPECT_EQ(saved.device_name, v.device_name);
}

TEST(ParGenDialog, CancelAsksOnlyAfterAChangeAndWritesNothing) {
    ProjectGui f;
    auto& d = f.dlg();
    zvtest::when_modal([&](QWidget*) { d.Btn_Cancel->click(); });
    f.main().button(WizardButton::Prm_Gen)->click();
    EXPECT_TRUE(f.prompter.shown.empty());

    f.prompter.answers = {false, true};
    zvtest::when_modal([&](QWidget*) {
        d.CB_EtherCAT_Slave_Clear_Data->click();
        d.Btn_Cancel->click();  // No: stays open with the edit
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.CB_EtherCAT_Slave_Clear_Data->isChecked());
        d.Btn_Cancel->click();  // Yes
    });
    f.main().button(WizardButton::Prm_Gen)->click();
    EXPECT_EQ(f.prompter.shown, (std::vector<Shown>{{"confirm", f.ctx.String_Table[469]},
                                                    {"confirm", f.ctx.String_Table[469]}}));
    EXPECT_FALSE(fs::exists(f.project / "ParGen.xml"));

    // The next showing reloads: Clear Data is unchecked again.
    zvtest::when_modal([&](QWidget*) {
        EXPECT_FALSE(d.CB_EtherCAT_Slave_Clear_Data->isChecked());
        d.reject();
    });
    f.main().button(WizardButton::Prm_Gen)->click();
}

TEST(ParGenDialog, IllFormedFileIsReportedAndTheDialogNotShown) {
    ProjectGui f;
    zvtest::spit(f.project / "ParGen.xml", "<Par_Gen>");
    f.main().button(WizardButton::Prm_Gen)->click();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].kind, "error");
    EXPECT_FALSE(f.dlg().isVisible());
}

TEST(UpdateDevice, CompilesThenOpensTheUpdateDialogOrReportsTheError) {
    ProjectGui f;
    zvtest::spit(f.project / "ParGen.xml", "<Par_Gen><PROFINET_Master_NAME_STA>a-name-that-is-too-long</PROFINET_Master_NAME_STA></Par_Gen>");
    f.main().button(WizardButton::CreateBin)->click();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].kind, "error");
    EXPECT_NE(f.prompter.shown[0].text.find("PROFINET_Master_NAME_STA"), std::string::npos);
    EXPECT_FALSE(fs::exists(f.project / "bin/bank1.bin"));

    zv::write_par_gen(f.project / "ParGen.xml", zv::ParGenValues{});
    fs::remove_all(f.project / "bin");
    bool opened = false;
    zvtest::when_modal([&](QWidget* w) {
        opened = (w == f.app.boot);
        EXPECT_EQ(f.app.boot->form().Form_Type, 1);
        w->close();
    });
    f.main().button(WizardButton::CreateBin)->click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(fs::file_size(f.project / "bin/bank1.bin"), 2048u);
    EXPECT_EQ(fs::file_size(f.project / "bin/bank2.bin"), 1176u);
    EXPECT_EQ(fs::file_size(f.project / "bin/bank3.bin"), 16557u);
}
