#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>

#include "profinet/network_file.h"
#include "gsdml/catalog_loader.h"
#include "shell/workspace.h"
#include "ui/gsdml/catalog_dialog.h"
#include "ui/profinet/modules_dialog.h"
#include "ui/profinet/network_dialog.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;
using Shown = zvtest::ScriptedPrompter::Shown;

namespace {

const std::string kGsdml = "GSDML-V2.4-Zv-Test-20260101.xml";

// The windows over a workspace whose open project has one device.
struct NetworkGui : zvtest::GuiFixture {
    NetworkGui() {
        create();
        ctx.state.Project_Path = dir / "PROJECTS/P";
        fs::create_directories(ctx.state.Project_Path);
        zv::Set_Files(ctx.state);
        zv::copy_gsdml_into_project(fs::path(ZV_FIXTURES) / "profinet" / kGsdml, ctx.state.Project_Path);
        auto g = std::make_unique<zv::TGSDML>();
        EXPECT_TRUE(zv::decode_project_copy(*g, ctx.state.Project_Path, kGsdml));
        zv::DeviceList l;
        l.push_back(zv::new_network_device(std::move(g), "T_DAP_A", "Test Head A", "Head modules"));
        zv::Save_PROFINET_Netword_Project(l, ctx.state.File_PROFINET_Network);
    }
    zv::ui::TFPROFINET_Network_Access& net() { return *app.profinet_network; }
    zv::ui::TFPROFINET_Modules_Def& mods() { return *app.profinet_modules; }
};

void leave(QWidget* w) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

}  // namespace

TEST(ProfinetDialogs, NetworkDialogShowsTheFileAndChecksTheFields) {
    NetworkGui f;
    auto& d = f.net();
    EXPECT_EQ(d.windowTitle().toStdString(), "PROFINET Network Access");
    d.prepare();
    ASSERT_EQ(d.ACG_ListDevice->rowCount(), 1);
    EXPECT_EQ(d.ACG_ListDevice->item(0, 4)->text().toStdString(), kGsdml);
    EXPECT_EQ(d.ACG_ListDevice->horizontalHeaderItem(1)->text().toStdString(), "Vendor");
    EXPECT_EQ(d.E_Dev_DevProp_NameStation->text().toStdString(), "HEAD-A");
    EXPECT_EQ(d.CB_Dev_CycTime_Update->count(), 4);
    EXPECT_EQ(d.CB_Dev_CycTime_Answer->count(), 253);
    EXPECT_EQ(d.L_Dev_CycTime_Answer_Real->text().toStdString(), "3");

    d.E_Dev_DevProp_IPAddress->setText("10.0.0");
    leave(d.E_Dev_DevProp_IPAddress);
    d.E_Dev_DevProp_IPAddress->setText("10.0.0.9");
    leave(d.E_Dev_DevProp_IPAddress);
    d.CB_Dev_CycTime_Update->setCurrentIndex(0);
    emit d.CB_Dev_CycTime_Update->activated(0);
    EXPECT_EQ(f.prompter.shown, (std::vector<Shown>{{"error", "IP Address must be Valid (Ex. 192.168.1.112)"},
                                                    {"error", "Update Time must be major or equal to 2"}}));
    d.CB_Dev_CycTime_Update->setCurrentIndex(3);
    emit d.CB_Dev_CycTime_Update->activated(3);
    EXPECT_EQ(d.L_Dev_CycTime_Answer_Real->text().toStdString(), "24");
    d.CB_Dev_DevProp_Reset_Data->click();

    d.Btn_OK->click();
    zv::DeviceList back;
    zv::Load_PROFINET_Network_Project(f.ctx.state.File_PROFINET_Network, f.ctx.state.Project_Path, back);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->FIPAddress, "10.0.0.9");
    EXPECT_EQ(back[0]->FUpdateTime, 3);
    EXPECT_TRUE(back[0]->FResetDataOnFail);
}

TEST(ProfinetDialogs, ModulesButtonTakesTheWorkingCopyBackOnOk) {
    NetworkGui f;
    auto& d = f.net();
    d.prepare();
    zvtest::when_modal([&](QWidget* w) {
        ASSERT_EQ(w, &f.mods());
        auto& m = f.mods();
        EXPECT_EQ(m.ASG_SlotModule->rowCount(), 7);
        EXPECT_TRUE(m.ASG_SlotModule->isColumnHidden(zv::kColAddrIn));
        // Slot 1 (row 4 of the form's table) gets the AO module.
        m.slot_cell_edited(4, zv::kColModule, "AO 2 (T-AO)");
        EXPECT_EQ(m.ASG_SlotModule->rowCount(), 10);
        m.slot_cell_edited(4, zv::kColMnemonic, "ao-1");
        m.ASG_SlotModule->item(3, zv::kColStatus)->setCheckState(Qt::Checked);
        m.slot_cell_clicked(4);
        EXPECT_EQ(m.ASG_ModProp->rowCount(), 2);  // header row of one group, one parameter
        EXPECT_EQ(m.ASG_ModProp->item(0, 0)->text().toStdString(), "Range");
        m.param_cell_edited(2, zv::kColParValue, "4..20 mA");
        m.Btn_OK->click();
    });
    d.Btn_Modules->click();
    const zv::TPROFINET_Subslot& s = d.form().List_PROFINET_Device[0]->SlotList[1].SubSlotList.at(0);
    EXPECT_EQ(s.FMnemonic, "ao-1");
    EXPECT_TRUE(s.FStatus);
    EXPECT_EQ(s.ParametersList[0].Parameters_List[0].FValue, "3");

    // Cancel leaves the device as it is.
    zvtest::when_modal([&](QWidget*) {
        f.mods().slot_cell_edited(4, zv::kColModule, "");
        f.mods().Btn_Cancel->click();
    });
    d.Btn_Modules->click();
    EXPECT_EQ(d.form().List_PROFINET_Device[0]->SlotList[1].Selected_Module->FID, "MOD_AO");
    EXPECT_TRUE(f.prompter.shown.empty());
}

TEST(ProfinetDialogs, ProfinetAccessOpensTheNetworkDialog) {
    NetworkGui f;
    f.main().set_catalog_loading(false);
    bool opened = false;
    zvtest::when_modal([&](QWidget* w) {
        opened = w == &f.net();
        EXPECT_EQ(f.net().ACG_ListDevice->rowCount(), 1);
        f.net().Btn_Cancel->click();
    });
    f.main().button(zv::WizardButton::PROFINET_Master_Access)->click();
    EXPECT_TRUE(opened);
}

TEST(ProfinetDialogs, AddFromCatalogCopiesTheChosenDevice) {
    NetworkGui f;
    fs::create_directories(f.ctx.state.Catalog_Path);
    fs::copy_file(fs::path(ZV_FIXTURES) / "profinet" / kGsdml, f.ctx.state.Catalog_Path / kGsdml);
    zv::Load_Catalog(f.ctx.state.Catalog_Path, *f.ctx.Catalog, 1);
    auto& d = f.net();
    d.prepare();
    zvtest::when_modal([&](QWidget* w) {
        auto& cat = *f.app.catalog;
        ASSERT_EQ(w, &cat);
        // The first device node of the tree: "Test Head A (...)".
        int device = -1;
        for (size_t n = 0; n < cat.form().tree.nodes.size() && device < 0; ++n)
            if (cat.form().tree.nodes[n].picture == 1) device = static_cast<int>(n);
        ASSERT_GE(device, 0);
        emit cat.TW_Catalog->itemClicked(cat.item_of(device), 0);
        cat.Btn_OK->click();
    });
    d.Btn_Add_Catalog->click();
    ASSERT_EQ(d.form().List_PROFINET_Device.size(), 2u);
    EXPECT_EQ(d.ACG_ListDevice->rowCount(), 2);
    EXPECT_EQ(d.form().selected_row(), 2);
    EXPECT_EQ(d.form().List_PROFINET_Device[1]->FDeviceNameID, "T_DAP_A");
    EXPECT_EQ(d.form().List_PROFINET_Device[1]->FDeviceCategoryRef, "Head modules");
    EXPECT_EQ(d.E_Dev_DevProp_NameStation->text().toStdString(), "HEAD-A");

    // Cancel in the catalog adds nothing.
    zvtest::when_modal([&](QWidget*) { f.app.catalog->Btn_Cancel->click(); });
    d.Btn_Add_Catalog->click();
    EXPECT_EQ(d.form().List_PROFINET_Device.size(), 2u);
    EXPECT_TRUE(f.prompter.shown.empty());
}

TEST(ProfinetDialogs, ModulesDialogMarksTypedValuesThatDoNotFit) {
    NetworkGui f;
    f.net().prepare();
    auto& m = f.mods();
    m.form().Device = f.net().form().List_PROFINET_Device[0].get();
    m.form().Prepare_Temp_Data();
    m.prepare();
    m.slot_cell_clicked(m.form().slot_row(2, 1));
    // Table row 6 is "Filter time" (0..1000), row 8 "Bits" (3 bits).
    QTableWidgetItem* filter = m.ASG_ModProp->item(5, zv::kColParValue);
    ASSERT_EQ(m.ASG_ModProp->item(5, zv::kColParName)->text().toStdString(), "Filter time");
    EXPECT_EQ(filter->background().color(), QColor(Qt::white));
    EXPECT_TRUE(filter->toolTip().isEmpty());

    m.param_cell_edited(6, zv::kColParValue, "1001");
    filter = m.ASG_ModProp->item(5, zv::kColParValue);
    EXPECT_EQ(filter->background().color(), QColor(0xFF, 0xC8, 0xC8));
    EXPECT_EQ(filter->toolTip().toStdString(), "\"1001\" is not among the allowed values 0..1000");
    EXPECT_EQ(m.form().ASG_ModProp.text(6, zv::kColParValue), "1001");  // kept as typed

    // Shown again, the stored value is still marked; a value that fits is not.
    m.slot_cell_clicked(m.form().slot_row(2, 1));
    EXPECT_EQ(m.ASG_ModProp->item(5, zv::kColParValue)->background().color(), QColor(0xFF, 0xC8, 0xC8));
    m.param_cell_edited(6, zv::kColParValue, "1000");
    EXPECT_EQ(m.ASG_ModProp->item(5, zv::kColParValue)->background().color(), QColor(Qt::white));
    EXPECT_TRUE(m.ASG_ModProp->item(5, zv::kColParValue)->toolTip().isEmpty());
    EXPECT_TRUE(f.prompter.shown.empty());
}
