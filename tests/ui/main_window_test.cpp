#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>

#include "shell/workspace.h"
#include "ui/shell/project_dialogs.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using zv::WizardButton;

TEST(MainWindow, RefusesStepsWithoutProjectAndShowsStatus) {
    zvtest::GuiFixture f;
    f.create();
    auto& w = f.main();
    const auto& t = f.ctx.String_Table;
    EXPECT_EQ(w.windowTitle().toStdString(), "Velmor - Configurator SW48T15 - EtherCAT Slave / PROFINET Master ");
    EXPECT_EQ(w.size(), QSize(694, 140 + 5 * 44 + 152));
    EXPECT_EQ(w.L_Name_Conf->text().toStdString(), t[9]);
    EXPECT_EQ(w.L_Name_Conf_L2->text().toStdString(), t[10]);
    EXPECT_EQ(w.button(WizardButton::New)->text().toStdString(), "New Configuration");
    EXPECT_EQ(w.button(WizardButton::CreateBin)->toolTip().toStdString(), t[26]);
    EXPECT_FALSE(w.catalog_loading());

    for (WizardButton b : {WizardButton::Prm_Gen, WizardButton::PROFINET_Master_Access, WizardButton::EtherCAT_Set_Group,
                           WizardButton::EtherCAT_Set_Access, WizardButton::EtherCAT_ESI_File, WizardButton::CreateBin}) {
        f.prompter.shown.clear();
        w.button(b)->click();
        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_EQ(f.prompter.shown[0], (zvtest::ScriptedPrompter::Shown{"error", t[18]}));
    }
}

TEST(MainWindow, CatalogIndicatorRefusesNetworkWith27) {
    zvtest::GuiFixture f;
    fs::create_directories(f.dir / "PROJECTS/P");
    zvtest::spit(f.dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    f.create();
    auto& w = f.main();
    EXPECT_EQ(w.L_Name_Conf_L2->text().toStdString(), "P");
    w.set_catalog_loading(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.catalog_loading());
    w.button(WizardButton::PROFINET_Master_Access)->click();
    EXPECT_EQ(f.prompter.shown.back(), (zvtest::ScriptedPrompter::Shown{"information", f.ctx.String_Table[27]}));
    w.set_catalog_loading(false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.catalog_loading());
}

TEST(MainWindow, CloseBoxAndCloseButtonWriteTheSettings) {
    for (bool by_button : {false, true}) {
        zvtest::GuiFixture f;
        f.create();
        f.ctx.state.Device_IP = "10.1.2.3";
        fs::remove(f.dir / "Zevirovave.xml");
        if (by_button)
            f.main().button(WizardButton::Close)->click();
        else
            f.main().close();
        EXPECT_EQ(zvtest::slurp(f.dir / "Zevirovave.xml"), zv::settings_xml(f.ctx.state));
        EXPECT_NE(zvtest::slurp(f.dir / "Zevirovave.xml").find("10.1.2.3"), std::string::npos);
    }
}

TEST(MainWindow, NewProjectDialogRefusesThenCreates) {
    zvtest::GuiFixture f;
    f.create();
    auto& dlg = *f.app.new_project;
    zvtest::when_modal([&](QWidget* w) {
        EXPECT_EQ(w, &dlg);
        EXPECT_TRUE(dlg.E_New_Proj->text().isEmpty());
        dlg.Btn_OK->click();  // empty name
        EXPECT_TRUE(dlg.isVisible());
        dlg.E_New_Proj->setText("Line 4");
        emit dlg.E_New_Proj->returnPressed();  // Enter does what OK does
    });
    f.main().button(WizardButton::New)->click();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].text, f.ctx.String_Table[107]);
    EXPECT_TRUE(fs::is_directory(f.dir / "PROJECTS/Line 4/bin"));
    EXPECT_EQ(f.main().L_Name_Conf->text().toStdString(), f.ctx.String_Table[11]);
    EXPECT_EQ(f.main().L_Name_Conf_L2->text().toStdString(), "Line 4");
}

TEST(MainWindow, OpenDialogPreselectsAndOpens) {
    zvtest::GuiFixture f;
    fs::create_directories(f.dir / "PROJECTS/Only");
    f.create();
    auto& dlg = *f.app.open_conf;
    zvtest::when_modal([&](QWidget*) {
        EXPECT_EQ(dlg.ListBox1->count(), 1);
        EXPECT_EQ(dlg.ListBox1->currentRow(), 0);
        dlg.Btn_OK->click();
    });
    f.main().button(WizardButton::Open)->click();
    EXPECT_EQ(f.ctx.state.Project_Path, f.dir / "PROJECTS/Only");
    EXPECT_EQ(f.main().L_Name_Conf_L2->text().toStdString(), "Only");

    fs::create_directories(f.dir / "PROJECTS/Second");
    zvtest::when_modal([&](QWidget*) {
        dlg.ListBox1->setCurrentRow(dlg.form.Search_Open_Conf("Second"));
        dlg.Btn_Cancel->click();
    });
    f.main().button(WizardButton::Open)->click();
    EXPECT_EQ(f.ctx.state.Project_Name, "Only");
}

TEST(MainWindow, ChangeLanguageReachesEveryWindow) {
    zvtest::GuiFixture f;
    zvtest::spit(f.dir / "LANGUAGE/Italiano.lng", "STR15 = Nuova Configurazione\nSTR100 = Crea\nSTR200 = Apri\nSTR9 = Nessuna\n");
    f.create();
    f.ctx.state.Language_Name = "Italiano";
    zv::Lng_Load(f.ctx.String_Table, f.ctx.state.Language_Path, f.ctx.state.Language_Name);
    f.app.Change_Language();
    EXPECT_EQ(f.main().button(WizardButton::New)->text().toStdString(), "Nuova Configurazione");
    EXPECT_EQ(f.main().L_Name_Conf->text().toStdString(), "Nessuna");
    EXPECT_EQ(f.app.new_project->windowTitle().toStdString(), "Crea");
    EXPECT_EQ(f.app.open_conf->windowTitle().toStdString(), "Apri");
}
