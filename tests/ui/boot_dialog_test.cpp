#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "ui/update/boot_dialog.h"
#include "ui_fixture.h"
#include "update/job_file.h"

namespace fs = std::filesystem;
using Shown = zvtest::ScriptedPrompter::Shown;

namespace {

// Answers every request, or lets each reply wait run out on its own clock.
struct Device : zv::EchoClient, zv::Clock {
    bool answers = true;
    std::string host;
    std::int64_t t = 0;
    void set_host(const std::string& h) override { host = h; }
    zv::EchoReply send(const std::string&, int wait) override {
        t += answers ? 1 : wait;
        return {answers ? 1044u : 0u};
    }
    std::int64_t now_ms() override { return t; }
    void sleep_ms(int ms) override { t += ms; }
};

void type(zv::ui::TFBoot& d, const QString& text) {
    for (QChar c : text) {
        QWidget* w = d.focusWidget();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

std::string boxes(const zv::ui::TFBoot& d) {
    std::string s;
    for (auto* e : d.E_IP) s += e->text().toStdString() + "|";
    return s;
}

}  // namespace

TEST(BootDialog, ShowsTheRememberedValuesAndMovesOnAtEachDot) {
    zvtest::GuiFixture f;
    f.create();
    zv::ui::TFBoot& d = *f.app.boot;
    EXPECT_EQ(d.windowTitle().toStdString(), "Update Device by Ethernet (UDP)");
    EXPECT_EQ(d.width(), 449);
    EXPECT_EQ(d.CB_Update_Options->count(), 3);
    EXPECT_EQ(d.CB_Update_Options->itemText(2).toStdString(), "Configuration");
    EXPECT_TRUE(d.CB_Update_Option_Read_Back->isChecked());

    f.ctx.state.Device_IP = "not an address";
    d.prepare();
    EXPECT_EQ(boxes(d), "0|0|0|0|");
    f.ctx.state.Device_IP = "10.20.30.40";
    f.ctx.state.Update_Option = 1;
    f.ctx.state.Read_Back = false;
    d.prepare();
    EXPECT_EQ(boxes(d), "10|20|30|40|");
    EXPECT_EQ(d.CB_Update_Options->currentIndex(), 1);
    EXPECT_FALSE(d.CB_Update_Option_Read_Back->isChecked());

    for (auto* e : d.E_IP) e->clear();
    d.E_IP[0]->setFocus();
    type(d, "127.0.0.7.");
    EXPECT_EQ(boxes(d), "127|0|0|7|");
}

TEST(BootDialog, UpdateButtonStartsTheUpdaterOnlyAfterAnAnswer) {
    zvtest::GuiFixture f;
    f.create();
    zv::ui::TFBoot& d = *f.app.boot;
    Device dev;
    d.set_echo_client(&dev);
    d.set_clock(&dev);
    std::vector<fs::path> started;
    d.start_program = [&](const fs::path& p, const std::string&, bool) { started.push_back(p); };
    d.prepare();

    dev.answers = false;
    for (auto* e : d.E_IP) e->setText("127");
    d.Btn_Update->click();
    EXPECT_EQ(f.prompter.shown, (std::vector<Shown>{{"warning", "Device Not Found!"}}));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(f.ctx.state.Device_IP, "192.168.2.205");

    dev.answers = true;
    d.CB_Update_Options->setCurrentIndex(2);
    d.Btn_Update->click();
    EXPECT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(dev.host, "127.127.127.127");
    EXPECT_EQ(f.ctx.state.Device_IP, "127.127.127.127");
    EXPECT_EQ(f.ctx.state.Update_Option, 2);
    ASSERT_EQ(started, std::vector<fs::path>{f.dir / "Ethernet_Update.exe"});
    EXPECT_NE(zvtest::slurp(f.dir / "Ethernet_Update.xml").find("<IP_Address_Dev>127.127.127.127<"), std::string::npos);
}

TEST(BootDialog, UpdateDeviceCompilesBeforeTheDialogOpens) {
    zvtest::GuiFixture f;
    fs::create_directories(f.dir / "PROJECTS/P");
    zvtest::spit(f.dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    f.create();
    const fs::path bank1 = f.dir / "PROJECTS/P/bin/bank1.bin";
    std::string shown;
    bool banks_there = false;
    zvtest::when_modal([&](QWidget* w) {
        shown = w ? w->objectName().toStdString() : "";
        banks_there = fs::exists(bank1) && fs::exists(f.dir / "PROJECTS/P/bin/bank3.bin");
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    });
    f.main().button(zv::WizardButton::CreateBin)->click();
    EXPECT_EQ(shown, "TFBoot");
    EXPECT_TRUE(banks_there);
    EXPECT_TRUE(f.prompter.shown.empty());

    // A project file that does not compile: its error, and no dialog.
    fs::remove(bank1);
    zvtest::spit(f.dir / "PROJECTS/P/ParGen.xml", "<ParGen><unclosed>");
    shown.clear();
    zvtest::when_modal([&](QWidget* w) {
        shown = w ? w->objectName().toStdString() : "";
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    });
    f.main().button(zv::WizardButton::CreateBin)->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, "");
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].kind, "error");
    EXPECT_FALSE(fs::exists(bank1));
}
