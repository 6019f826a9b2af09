#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>

#include "gsdml/catalog_loader.h"
#include "ui/gsdml/catalog_dialog.h"
#include "ui/profinet/network_dialog.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using zv::WizardButton;

namespace {
const fs::path kDemo = fs::path(ZV_SOURCE_DIR) / "demo" / "PROFINET_Catalog";

void copy_demo_catalog(const fs::path& workspace) {
    fs::create_directories(workspace / "PROFINET_Catalog");
    for (const auto& e : fs::directory_iterator(kDemo))
        fs::copy_file(e.path(), workspace / "PROFINET_Catalog" / e.path().filename());
}
}  // namespace

TEST(CatalogDialog, TextsTreeAndSelectionByClick) {
    zvtest::GuiFixture f;
    f.create();
    copy_demo_catalog(f.dir.path);
    zv::Load_Catalog(f.ctx.state.Catalog_Path, *f.ctx.Catalog, 1);
    auto& d = *f.app.catalog;
    d.prepare();
    EXPECT_EQ(d.windowTitle().toStdString(), f.ctx.String_Table[1300]);
    EXPECT_EQ(d.Btn_AddDevice->text().toStdString(), "Add Device");
    EXPECT_EQ(d.Btn_OK->toolTip().toStdString(), f.ctx.String_Table[1303]);
    EXPECT_EQ(d.size(), QSize(800, 500));
    ASSERT_EQ(d.TW_Catalog->topLevelItemCount(), 2);
    EXPECT_EQ(d.TW_Catalog->topLevelItem(0)->text(0).toStdString(), "I/O");
    ASSERT_EQ(static_cast<size_t>(d.TW_Catalog->topLevelItem(0)->childCount()), 2u);

    const auto& nodes = d.form().tree.nodes;
    int device = -1, group = -1;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].text == "NX200 head, fiber optic (GSDML-V2.35-Norvale-NX200-20250301.xml)") device = static_cast<int>(i);
        if (nodes[i].text == "Fiber optic") group = static_cast<int>(i);
    }
    ASSERT_GE(device, 0);
    ASSERT_GE(group, 0);
    emit d.TW_Catalog->itemClicked(d.item_of(device), 0);
    ASSERT_TRUE(d.form().Selected_GSDML);
    EXPECT_EQ(d.form().Selected_Device_ID, "T_DAP_FO");
    EXPECT_EQ(d.form().Selected_CategoryRef, "Head stations");
    // Keyboard moves do not choose; a click on a group clears the choice.
    d.TW_Catalog->setCurrentItem(d.item_of(group));
    EXPECT_EQ(d.form().Selected_Device_ID, "T_DAP_FO");
    emit d.TW_Catalog->itemClicked(d.item_of(group), 0);
    EXPECT_EQ(d.form().Selected_GSDML, nullptr);
}

TEST(CatalogDialog, AddDeviceReportsFilesThatAreNotWellFormed) {
    zvtest::GuiFixture f;
    f.create();
    auto& d = *f.app.catalog;
    d.prepare();
    zvtest::spit(f.dir / "GSDML-broken.xml", "<ISO15745Profile>");
    d.OD_GSDML = [&] { return QString::fromStdString((f.dir / "GSDML-broken.xml").string()); };
    d.Btn_AddDeviceClick();
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].kind, "error");
    EXPECT_NE(f.prompter.shown[0].text.find("not well-formed"), std::string::npos);
    EXPECT_FALSE(fs::exists(f.ctx.state.Catalog_Path / "GSDML-broken.xml"));

    d.OD_GSDML = [&] { return QString::fromStdString((kDemo / "GSDML-V2.34-Kestrel-KD4-20240915.xml").string()); };
    d.Btn_AddDeviceClick();
    EXPECT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_TRUE(fs::exists(f.ctx.state.Catalog_Path / "GSDML-V2.34-Kestrel-KD4-20240915.xml"));
    EXPECT_EQ(d.TW_Catalog->topLevelItemCount(), 1);
}

TEST(CatalogDialog, LoaderDrivesTheIndicatorAndAccessOpensTheCatalog) {
    zvtest::GuiFixture f;
    fs::create_directories(f.dir / "PROJECTS/P");
    zvtest::spit(f.dir / "Zevirovave.xml", "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>");
    copy_demo_catalog(f.dir.path);
    f.create();
    auto& w = f.main();
    w.show();  // the first show starts the loader
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!f.ctx.Catalog->MainFamily_list.empty() && !w.catalog_loading()) break;
    }
    EXPECT_FALSE(w.catalog_loading());
    ASSERT_EQ(f.ctx.Catalog->MainFamily_list.size(), 2u);

    bool opened = false;
    zvtest::when_modal([&](QWidget* m) {
        opened = m == static_cast<QWidget*>(f.app.profinet_network);  // the catalog opens from there
        if (m) static_cast<QDialog*>(m)->reject();
    });
    w.button(WizardButton::PROFINET_Master_Access)->click();
    EXPECT_TRUE(opened);
    w.hide();
}
