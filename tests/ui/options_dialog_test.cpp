#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "shell/product.h"
#include "shell/workspace.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/options_dialog.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using zv::WizardButton;

namespace {

struct CannedHttp : zv::HttpClient {
    std::optional<std::string> body;
    int calls = 0;
    std::optional<std::string> get(const std::string&) override {
        ++calls;
        return body;
    }
};

// The options and about windows over a workspace with two languages.
struct OptionsGui : zvtest::GuiFixture {
    CannedHttp* http = nullptr;
    std::vector<std::string> opened;

    OptionsGui() {
        zvtest::spit(dir / "LANGUAGE/English.lng", "STR0 = Begin\n");
        zvtest::spit(dir / "LANGUAGE/Italiano.lng", "STR15 = Nuova Configurazione\nSTR302 = Lingua\n");
        auto canned = std::make_unique<CannedHttp>();
        http = canned.get();
        ctx.Http_Client = std::move(canned);
        app.open_url = [this](const std::string& url) { opened.push_back(url); };
        create();
    }
    zv::ui::TFSoftOptions& options() { return *app.soft_options; }
};

void left_click(QWidget* w) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

}  // namespace

TEST(AboutBox, FixedTextsAndHomePageLinks) {
    OptionsGui f;
    auto& about = *f.app.about;
    EXPECT_EQ(about.size(), QSize(425, 148));
    EXPECT_EQ(about.windowTitle().toStdString(), "About...");
    EXPECT_EQ(about.Image1->size(), QSize(81, 81));
    zvtest::when_modal([&](QWidget* w) {
        EXPECT_EQ(w, &about);
        left_click(about.Image1);
        left_click(about.L_Web);
        about.Btn_OK->click();
    });
    f.main().button(WizardButton::Info)->click();
    EXPECT_EQ(f.opened, (std::vector<std::string>{zv::home_page_url(), zv::home_page_url()}));
    EXPECT_FALSE(about.isVisible());
}

TEST(OptionsDialog, LanguageChosenThenCancelNeitherSavesNorArmsTimer) {
    OptionsGui f;
    auto& dlg = f.options();
    EXPECT_EQ(dlg.size(), QSize(509, 373));
    EXPECT_EQ(dlg.PC_Options->count(), 3);
    dlg.PC_Options->setCurrentIndex(2);
    fs::remove(f.dir / "Zevirovave.xml");

    f.prompter.answers = {true};
    zvtest::when_modal([&](QWidget* w) {
        EXPECT_EQ(w, &dlg);
        EXPECT_EQ(dlg.PC_Options->currentWidget(), dlg.TS_Language);  // every Show
        EXPECT_EQ(dlg.L_L[0]->text().toStdString(), "English");
        EXPECT_EQ(dlg.L_L[1]->text().toStdString(), "Italiano");
        EXPECT_TRUE(dlg.L_L[1]->isVisible());
        EXPECT_FALSE(dlg.L_L[2]->isVisible());
        EXPECT_FALSE(dlg.I_L[1]->isVisible());  // no flag pictures in this workspace
        EXPECT_EQ(dlg.L_Page_Lang->text().toStdString(), "Page 1 / 1");
        left_click(dlg.L_L[1]);
        // Every window speaks the new language at once.
        EXPECT_EQ(f.main().button(WizardButton::New)->text().toStdString(), "Nuova Configurazione");
        EXPECT_EQ(dlg.PC_Options->tabText(0).toStdString(), "Lingua");
        EXPECT_EQ(dlg.L_Sel_Lang->text().toStdString(), "Selected Language : Italiano");
        dlg.CB_En_Con->setChecked(true);
        dlg.CB_Update->setChecked(true);
        dlg.Btn_Cancel->click();
    });
    f.main().button(WizardButton::Opz)->click();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].text, "Do you want to change the Language from English to Italiano?");
    EXPECT_FALSE(fs::exists(f.dir / "Zevirovave.xml"));
    EXPECT_EQ(f.ctx.state.Language_Name, "English");
    EXPECT_FALSE(f.ctx.state.Enable_Internet);
    EXPECT_FALSE(f.main().Timer_Update.isActive());
    EXPECT_EQ(f.main().button(WizardButton::New)->text().toStdString(), "Nuova Configurazione");
}

TEST(OptionsDialog, CheckBoxesManualCheckAndOk) {
    OptionsGui f;
    auto& dlg = f.options();
    f.http->body = "VER. 1.007";
    zvtest::when_modal([&](QWidget*) {
        EXPECT_FALSE(dlg.CB_Update->isEnabled());
        EXPECT_FALSE(dlg.Btn_Check_Update->isEnabled());
        EXPECT_TRUE(dlg.LL_Check_Update->isHidden());
        dlg.CB_Update->setChecked(true);
        EXPECT_FALSE(dlg.Btn_Check_Update->isEnabled());  // still needs the internet option
        dlg.CB_En_Con->setChecked(true);
        EXPECT_TRUE(dlg.CB_Update->isEnabled());
        EXPECT_TRUE(dlg.Btn_Check_Update->isEnabled());

        dlg.Btn_Check_Update->click();
        EXPECT_FALSE(dlg.LL_Check_Update->isHidden());
        EXPECT_EQ(dlg.LL_Check_Update->text(),
                  zv::ui::link_html(zv::download_page_url(), f.ctx.String_Table[314]));
        emit dlg.LL_Check_Update->linkActivated(QString::fromStdString(zv::download_page_url()));
        f.http->body.reset();  // the server is gone
        dlg.Btn_Check_Update->click();
        EXPECT_EQ(dlg.LL_Check_Update->text().toStdString(), "No Update Available");
        EXPECT_EQ(dlg.LL_Check_Update->textFormat(), Qt::PlainText);

        dlg.CB_DoubleClick_Auto_Size->setChecked(true);
        dlg.Btn_OK->click();
    });
    f.main().button(WizardButton::Opz)->click();
    EXPECT_EQ(f.http->calls, 2);
    EXPECT_EQ(f.opened, (std::vector<std::string>{zv::download_page_url()}));
    EXPECT_TRUE(f.ctx.state.Enable_Internet && f.ctx.state.Enable_Update && f.ctx.state.Double_Click_Auto_Size);
    EXPECT_FALSE(f.ctx.state.Enable_Jump_Field_Tables);
    EXPECT_EQ(zvtest::slurp(f.dir / "Zevirovave.xml"), zv::settings_xml(f.ctx.state));
    EXPECT_TRUE(f.main().Timer_Update.isActive());
    EXPECT_EQ(f.main().Timer_Update.interval(), 60000);

    // The next Show hides the old result and shows the saved boxes.
    zvtest::when_modal([&](QWidget*) {
        EXPECT_TRUE(dlg.LL_Check_Update->isHidden());
        EXPECT_TRUE(dlg.CB_En_Con->isChecked());
        EXPECT_TRUE(dlg.Btn_Check_Update->isEnabled());
        dlg.CB_En_Con->setChecked(false);
        dlg.Btn_OK->click();
    });
    f.main().button(WizardButton::Opz)->click();
    EXPECT_FALSE(f.main().Timer_Update.isActive());
}

TEST(MainWindowUpdate, PeriodicCheckShowsOrHidesTheLink) {
    OptionsGui f;
    auto& w = f.main();
    ASSERT_TRUE(w.update_check);
    EXPECT_TRUE(w.LL_Update->isHidden());

    f.http->body = "VER. 1.007";
    w.update_check();
    EXPECT_FALSE(w.LL_Update->isHidden());
    EXPECT_EQ(w.LL_Update->text(), zv::ui::link_html(zv::download_page_url(), f.ctx.String_Table[19]));
    EXPECT_TRUE(w.Timer_Update.isActive());
    EXPECT_EQ(w.Timer_Update.interval(), 7200000);
    emit w.LL_Update->linkActivated(QString::fromStdString(zv::download_page_url()));
    EXPECT_EQ(f.opened, (std::vector<std::string>{zv::download_page_url()}));

    for (std::optional<std::string> body : {std::optional<std::string>("VER. 1.005"), std::optional<std::string>()}) {
        f.http->body = body;
        w.update_check();
        EXPECT_TRUE(w.LL_Update->isHidden());
        EXPECT_TRUE(w.Timer_Update.isActive());
    }
    EXPECT_EQ(f.http->calls, 3);
}
