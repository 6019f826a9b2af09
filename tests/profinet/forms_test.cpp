// The network dialog and the modules dialog without windows: every message,
// the timing rules, adding and deleting, the slot and parameter tables.
#include <gtest/gtest.h>

#include "profinet/modules_form.h"
#include "profinet/network_form.h"
#include "profinet_fixture.h"

using namespace zv;
using zvtest::ScriptedPrompter;
using zvtest::TestProject;

namespace {

struct NetworkFixture : ::testing::Test {
    StringTable t;
    ScriptedPrompter p;
    TestProject project;
    zvtest::TempDir catalog;
    TGSDML catalog_model;  // as the catalog dialog hands it over
    NetworkFixture() {
        t.Build_Table();
        std::filesystem::copy_file(zvtest::profinet_fixture(zvtest::kTestGsdml), catalog / zvtest::kTestGsdml);
        EXPECT_TRUE(decode_gsdml_file(catalog_model, catalog / zvtest::kTestGsdml));
    }
    bool add(ProfinetNetworkForm& f) {
        return f.can_add_device() && f.add_device(catalog_model, "T_DAP_A", "Test Head A", "Head modules", project.path());
    }
    std::vector<ScriptedPrompter::Shown> errors(std::initializer_list<int> entries) {
        std::vector<ScriptedPrompter::Shown> out;
        for (int e : entries) out.push_back({"error", t[e]});
        return out;
    }
};

}  // namespace

TEST_F(NetworkFixture, EmptyNetwork) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(f.ACG_ListDevice.RowCount(), 2);
    EXPECT_EQ(f.ACG_ListDevice.text(0, 0), "Device #");
    EXPECT_EQ(f.ACG_ListDevice.text(0, 5), "Mnemonic");
    EXPECT_EQ(f.ACG_ListDevice.text(1, 0), "");
    EXPECT_TRUE(f.panel.update_items.empty());
    EXPECT_EQ(f.panel.answer_label, "");
    EXPECT_EQ(f.modules_device(), nullptr);
    f.delete_device();
    EXPECT_EQ(p.shown, errors({1130, 1128}));
    EXPECT_EQ(f.answer_items.size(), 253u);
    EXPECT_EQ(f.answer_items.front(), "3");
    EXPECT_EQ(f.answer_items.back(), "255");
}

TEST_F(NetworkFixture, AddCopiesIntoTheProjectAndSelectsTheDevice) {
    std::filesystem::remove_all(project.path() / "GSDML");
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    ASSERT_TRUE(add(f));
    EXPECT_TRUE(std::filesystem::exists(project.path() / "GSDML" / zvtest::kTestGsdml));
    ASSERT_TRUE(add(f));  // the same device twice: two devices, one copy
    ASSERT_EQ(f.List_PROFINET_Device.size(), 2u);
    EXPECT_EQ(f.selected_row(), 2);
    EXPECT_EQ(f.ACG_ListDevice.RowCount(), 3);
    const char* row[] = {"1", "Test Vendor", "I/O", "Test Station", "GSDML-V2.4-Zv-Test-20260101.xml", ""};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(f.ACG_ListDevice.text(2, c), row[c]);
    EXPECT_EQ(f.panel.name_of_station, "HEAD-A");
    EXPECT_EQ(f.panel.update_items, (std::vector<std::string>{"1", "2", "4", "8"}));
    EXPECT_EQ(f.panel.update_index, 0);
    EXPECT_EQ(f.panel.answer_label, "3");  // update time index 0 (1 ms), factor 3
    EXPECT_TRUE(p.shown.empty());
}

TEST_F(NetworkFixture, TenDevicesAndNoMore) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(add(f)) << i;
    EXPECT_TRUE(p.shown.empty());
    EXPECT_FALSE(add(f));
    EXPECT_EQ(p.shown, errors({1129}));
    EXPECT_EQ(f.List_PROFINET_Device.size(), 10u);
}

TEST_F(NetworkFixture, ACopyThatDoesNotDecodeAddsNothing) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    zvtest::spit(catalog / zvtest::kTestGsdml, "<ISO15745Profile/>");
    EXPECT_FALSE(f.add_device(catalog_model, "T_DAP_A", "Test Head A", "", project.path()));
    EXPECT_TRUE(f.List_PROFINET_Device.empty());
    EXPECT_TRUE(p.shown.empty());
}

TEST_F(NetworkFixture, NameOfStationAndAddress) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    ASSERT_TRUE(add(f));
    TPROFINET_Device& d = *f.List_PROFINET_Device[0];
    EXPECT_TRUE(f.name_of_station_left(std::string(31, 'n')));
    EXPECT_EQ(d.FNameOfStation, std::string(31, 'n'));
    EXPECT_FALSE(f.name_of_station_left(std::string(32, 'x')));
    EXPECT_EQ(d.FNameOfStation, std::string(31, 'n'));
    // Characters, not bytes: 31 accented letters pass.
    std::string accented;
    for (int i = 0; i < 31; ++i) accented += "\xC3\xA8";
    EXPECT_TRUE(f.name_of_station_left(accented));

    EXPECT_TRUE(f.ip_address_left(" 10.1.2.3"));
    EXPECT_EQ(d.FIPAddress, " 10.1.2.3");  // as typed
    for (const char* bad : {"10.1.2", "10.1.2.256", "a.b.c.d", ""}) EXPECT_FALSE(f.ip_address_left(bad)) << bad;
    EXPECT_EQ(d.FIPAddress, " 10.1.2.3");
    f.new_session_spi_clicked(true);
    f.reset_data_clicked(true);
    EXPECT_TRUE(d.FNewSessionSPI);
    EXPECT_TRUE(d.FResetDataOnFail);
    EXPECT_EQ(p.shown, errors({1131, 1132, 1132, 1132, 1132}));
}

TEST_F(NetworkFixture, UpdateAndAnswerTimes) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    ASSERT_TRUE(add(f));
    TPROFINET_Device& d = *f.List_PROFINET_Device[0];
    ASSERT_TRUE(f.update_time_changed(1) == Focus::None);  // 2 ms, the minimum

    // 1 ms is below the device's 2 ms.
    EXPECT_TRUE(f.update_time_changed(0) == Focus::UpdateTime);
    EXPECT_EQ(p.last(), "Update Time must be major or equal to 2");
    EXPECT_EQ(d.FUpdateTime, 1);
    EXPECT_EQ(d.FReductionRadio, 2);

    // 8 ms: factor 240 gives 1920 ms, accepted; 241 refused.
    EXPECT_TRUE(f.update_time_changed(3) == Focus::None);
    EXPECT_EQ(f.panel.answer_label, "24");
    EXPECT_TRUE(f.answer_time_changed(237) == Focus::None);
    EXPECT_EQ(f.panel.answer_label, "1920");
    EXPECT_EQ(d.FAnswerTime, 237);
    EXPECT_TRUE(f.answer_time_changed(238) == Focus::AnswerTime);
    EXPECT_EQ(f.panel.answer_label, "1928");
    EXPECT_EQ(d.FAnswerTime, 237);
    EXPECT_EQ(p.last(), t[1135]);

    // A longer update time under a large factor: taken, then 1134.
    f.update_time_changed(1);
    ASSERT_TRUE(f.answer_time_changed(238) == Focus::None);  // 2 ms x 241
    EXPECT_TRUE(f.update_time_changed(3) == Focus::AnswerTime);
    EXPECT_EQ(d.FUpdateTime, 3);
    EXPECT_EQ(d.FReductionRadio, 8);
    EXPECT_EQ(f.panel.answer_label, "1928");
    EXPECT_EQ(p.last(), t[1134]);

    // The saved file keeps the last accepted timing.
    ASSERT_TRUE(f.Btn_OK(project.network_file()));
    DeviceList back;
    Load_PROFINET_Network_Project(project.network_file(), project.path(), back);
    EXPECT_EQ(back[0]->FUpdateTime, 3);
    EXPECT_EQ(back[0]->FAnswerTime, 238);
}

TEST_F(NetworkFixture, DeleteSelectsWhatIsLeft) {
    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    ASSERT_TRUE(add(f));
    ASSERT_TRUE(f.add_device(catalog_model, "T_DAP_B", "Test Head B", "", project.path()));
    f.select_row(2);
    f.delete_device();
    ASSERT_EQ(f.List_PROFINET_Device.size(), 1u);
    EXPECT_EQ(f.selected_row(), 1);
    EXPECT_EQ(f.panel.name_of_station, "HEAD-A");
    f.delete_device();
    EXPECT_TRUE(f.List_PROFINET_Device.empty());
    EXPECT_EQ(f.ACG_ListDevice.RowCount(), 2);
    EXPECT_EQ(f.panel.name_of_station, "");
    EXPECT_TRUE(f.panel.update_items.empty());
    EXPECT_TRUE(std::filesystem::exists(project.path() / "GSDML" / zvtest::kTestGsdml));
    EXPECT_TRUE(p.shown.empty());
}

TEST_F(NetworkFixture, OkSavesAndShowReadsBack) {
    {
        ProfinetNetworkForm f(t, p);
        f.FormShow(project.network_file(), project.path());
        ASSERT_TRUE(add(f));
        f.name_of_station_left("io-1");
        ASSERT_TRUE(f.Btn_OK(project.network_file()));
    }
    ProfinetNetworkForm g(t, p);
    g.FormShow(project.network_file(), project.path());
    ASSERT_EQ(g.List_PROFINET_Device.size(), 1u);
    EXPECT_EQ(g.selected_row(), 1);
    EXPECT_EQ(g.panel.name_of_station, "io-1");
    EXPECT_TRUE(p.shown.empty());
}

TEST_F(NetworkFixture, AHalfReadFileIsReportedAndNotSilentlyReplaced) {
    DeviceList two;
    two.push_back(project.device());
    two.push_back(project.device());
    std::string s = network_to_string(two);
    const size_t second = s.find("<Device", s.find("<Device") + 1);
    s.replace(s.find("UpdateTime=\"0\"", second), 14, "UpdateTime=\"?\"");
    zvtest::spit(project.network_file(), s);

    ProfinetNetworkForm f(t, p);
    f.FormShow(project.network_file(), project.path());
    ASSERT_EQ(p.shown.size(), 1u);
    EXPECT_EQ(p.shown[0].kind, "error");
    EXPECT_NE(p.shown[0].text.find("UpdateTime"), std::string::npos);
    EXPECT_EQ(f.List_PROFINET_Device.size(), 1u);
    EXPECT_TRUE(f.load_incomplete());
    p.answers = {false};
    EXPECT_FALSE(f.Btn_OK(project.network_file()));
    EXPECT_EQ(zvtest::slurp(project.network_file()), s);
    p.answers = {true};
    EXPECT_TRUE(f.Btn_OK(project.network_file()));
    EXPECT_NE(zvtest::slurp(project.network_file()), s);
}

// ---------------------------------------------------------------- modules dialog

namespace {

struct ModulesFixture : ::testing::Test {
    StringTable t;
    TestProject project;
    std::unique_ptr<TPROFINET_Device> device;
    std::unique_ptr<ProfinetModulesForm> f;
    ModulesFixture() {
        t.Build_Table();
        device = project.device();
        f = std::make_unique<ProfinetModulesForm>(t);
        f->Device = device.get();
        f->Prepare_Temp_Data();
        f->FormShow();
    }
    // The first row whose slot column reads `slot` and subslot column starts with `subslot`.
    int row(int slot, const std::string& subslot = "") {
        const Grid& g = f->ASG_SlotModule;
        for (int r = 1; r < g.RowCount(); ++r)
            if (g.text(r, kColSlot) == std::to_string(slot) && g.text(r, kColSubslot).rfind(subslot, 0) == 0) return r;
        return -1;
    }
};

}  // namespace

TEST_F(ModulesFixture, SlotTableRows) {
    const Grid& g = f->ASG_SlotModule;
    // Slot 0: three fixed subslots; slots 1 and 3 unplugged; 2 and 5 one subslot each.
    ASSERT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.text(0, kColSlot), "Slot");
    EXPECT_EQ(g.text(0, kColMnemonic), "Mnemonic");
    const char* r1[] = {"0", "1 - Head", "Test Head A (TH-A)", "Head A, two ports", "Head submodule", "Station head",
                        "0", "0", "0", "0", "", "", "0", "0", ""};
    for (int c = 0; c < kSlotCols; ++c) EXPECT_EQ(g.text(1, c), r1[c]) << c;
    EXPECT_EQ(g.text(2, kColSubslot), "32768 - Interface");
    EXPECT_EQ(g.text(3, kColSubmodule), "X1 P1");
    // The fixed slot has no module editor, its fixed subslots no submodule editor.
    EXPECT_FALSE(f->slot_choices(1, kColModule));
    EXPECT_FALSE(f->slot_choices(1, kColSubmodule));
    EXPECT_FALSE(g.editable(1, kColSubmodule));
    EXPECT_TRUE(g.editable(1, kColMnemonic));
    EXPECT_TRUE(g.has_check(1, kColStatus));
    EXPECT_FALSE(g.editable(1, kColLenIn));

    // An unplugged slot: one row, only the module cell and the check boxes.
    const int r = row(1);
    EXPECT_EQ(g.text(r, kColSubslot), "");
    EXPECT_TRUE(g.editable(r, kColModule));
    EXPECT_FALSE(g.editable(r, kColSubmodule));
    EXPECT_FALSE(g.editable(r, kColMnemonic));
    EXPECT_TRUE(g.has_check(r, kColStatus));
    EXPECT_FALSE(g.checked(r, kColStatus));
    EXPECT_EQ(f->slot_choices(r, kColModule), (std::vector<std::string>{"", "DI 16 (T-DI16)", "AO 2 (T-AO)"}));

    // Slot 2 with the DI module: its data lengths and a fixed submodule.
    const int di = row(2);
    EXPECT_EQ(g.text(di, kColLenIn), "2");
    EXPECT_EQ(g.text(di, kColLenOut), "0");
    EXPECT_EQ(g.text(di, kColSubslot), "1 - Head");

    for (int c = kColAddrIn; c <= kColQtyOut; ++c) EXPECT_TRUE(g.columns[c].hidden);
    EXPECT_EQ(g.columns[kColSlot].colour, 0xFFD8B0u);
    EXPECT_EQ(g.columns[kColSubmodule].colour, 0xE0FAFEu);
    EXPECT_EQ(g.columns[kColWordPos].colour, 0xFCD6F4u);
    EXPECT_EQ(g.columns[kColLenOut].colour, 0xCAFFCAu);
    EXPECT_EQ(g.columns[kColMnemonic].colour, 0xFFFFFFu);
    EXPECT_EQ(g.columns[kColModuleDesc].width, 200);
    EXPECT_EQ(f->ASG_ModProp.RowCount(), 2);
}

TEST_F(ModulesFixture, ChoosingModulesAndSubmodules) {
    f->choose_module(row(1), "AO 2 (T-AO)");
    const Grid& g = f->ASG_SlotModule;
    ASSERT_EQ(g.RowCount(), 11);  // slot 1 now shows subslots 1, 2, 3, 5
    EXPECT_EQ(g.text(row(1, "1 "), kColSubmodule), "Voltage");
    const int ch1 = row(1, "2 ");
    EXPECT_EQ(g.text(ch1, kColSubslot), "2 - Channel 1");
    EXPECT_EQ(g.text(ch1, kColSubmodule), "");
    EXPECT_EQ(g.text(ch1, kColLenOut), "");
    EXPECT_EQ(f->slot_choices(ch1, kColSubmodule), (std::vector<std::string>{"", "Voltage", "Current"}));
    EXPECT_EQ(f->selected_slot_row, row(1));

    f->choose_submodule(ch1, "Current");
    EXPECT_EQ(g.text(ch1, kColSubmodule), "Current");
    EXPECT_EQ(g.text(ch1, kColLenOut), "2");
    f->choose_submodule(ch1, "no such");
    EXPECT_EQ(g.text(ch1, kColSubmodule), "");

    // The empty item unplugs: one row for the slot with empty module cells.
    f->choose_module(row(1), "");
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.text(row(1), kColModule), "");
    EXPECT_EQ(f->SlotList[1].Selected_Module, nullptr);
    // The device is untouched by all of it.
    EXPECT_EQ(device->SlotList[1].Selected_Module, nullptr);
    EXPECT_EQ(device->SlotList[2].SubSlotList.size(), 1u);
}

TEST_F(ModulesFixture, ParameterTable) {
    const int di = row(2);
    f->click_slot_cell(di);
    const Grid& t2 = f->ASG_ModProp;
    // Two groups of three parameters: header + 2 + 6.
    ASSERT_EQ(t2.RowCount(), 9);
    EXPECT_EQ(t2.text(0, 0), "Parameter Name");
    EXPECT_TRUE(f->param_group_row(1));
    EXPECT_EQ(t2.text(1, 0), "Input modes");
    EXPECT_FALSE(t2.editable(1, kColParValue));
    EXPECT_FALSE(f->param_group_row(2));
    const char* r2[] = {"Mode A", "Off", "0..2", "0", ""};  // empty value: the entry of value 0
    for (int c = 0; c < kParamCols; ++c) EXPECT_EQ(t2.text(2, c), r2[c]) << c;
    EXPECT_TRUE(t2.editable(2, kColParValue));
    EXPECT_FALSE(t2.editable(2, kColParAllowed));
    EXPECT_TRUE(t2.editable(2, kColParMnemonic));
    EXPECT_EQ(f->param_choices(2, kColParValue), (std::vector<std::string>{"Off", "On", "Auto"}));
    EXPECT_FALSE(f->param_choices(6, kColParValue));  // free input
    EXPECT_TRUE(f->param_group_row(5));

    // A value list stores the value, free input the text as typed.
    f->choose_param_value(2, "Auto");
    f->choose_param_value(3, "Nothing");
    f->set_param_value(6, " 250 ms");
    f->set_param_mnemonic(7, "spare");
    const ParamGroups& gs = f->SlotList[2].SubSlotList[0].ParametersList;
    EXPECT_EQ(gs[0].Parameters_List[0].FValue, "2");
    EXPECT_EQ(gs[0].Parameters_List[1].FValue, "-1");
    EXPECT_EQ(gs[1].Parameters_List[0].FValue, " 250 ms");
    EXPECT_EQ(gs[1].Parameters_List[1].FMnemonic, "spare");
    EXPECT_EQ(t2.text(2, kColParValue), "Auto");
    f->click_slot_cell(di);
    EXPECT_EQ(f->ASG_ModProp.text(2, kColParValue), "Auto");
    EXPECT_EQ(f->ASG_ModProp.text(3, kColParValue), "");  // -1 is no entry

    // A subslot without groups, and a row without a subslot: one empty row.
    f->click_slot_cell(row(0, "32768"));
    EXPECT_EQ(f->ASG_ModProp.RowCount(), 2);
    EXPECT_TRUE(f->ASG_ModProp.editable(1, 1));
    f->click_slot_cell(row(1));
    EXPECT_EQ(f->ASG_ModProp.RowCount(), 2);
    f->set_param_value(1, "ignored");
}

TEST_F(ModulesFixture, OkHandsTheWorkingCopyBackAndCancelLeavesTheDevice) {
    StringTable& tt = t;
    ScriptedPrompter p;
    const std::string before = [&] {
        DeviceList l;
        l.push_back(project.device());
        return network_to_string(l);
    }();
    const int di = row(2);
    f->set_mnemonic(di, "inputs");
    f->set_status(di, true);
    f->set_word_pos(di, true);
    f->click_slot_cell(di);
    f->choose_param_value(3, "On");
    f->choose_module(row(1), "AO 2 (T-AO)");
    f->set_mnemonic(row(1, "1 "), "ao");
    f->set_status(row(1), false);

    // Cancel: the device as it was.
    DeviceList l;
    l.push_back(std::move(device));
    EXPECT_EQ(network_to_string(l), before);

    // OK: the network dialog takes the working copy.
    ProfinetNetworkForm net(tt, p);
    net.apply_modules(*l[0], f->SlotList);
    const TPROFINET_Device& d = *l[0];
    EXPECT_EQ(d.SlotList[1].Selected_Module->FID, "MOD_AO");
    EXPECT_EQ(d.SlotList[1].SubSlotList[0].FMnemonic, "ao");
    EXPECT_EQ(d.SlotList[2].SubSlotList[0].FMnemonic, "inputs");
    EXPECT_TRUE(d.SlotList[2].SubSlotList[0].FStatus);
    EXPECT_TRUE(d.SlotList[2].SubSlotList[0].FWord_Pos);
    EXPECT_EQ(d.SlotList[2].SubSlotList[0].ParametersList[0].Parameters_List[1].FValue, "1");
    Save_PROFINET_Netword_Project(l, project.network_file());
    const std::string s = zvtest::slurp(project.network_file());
    EXPECT_NE(s.find("Mnemonic=\"inputs\""), std::string::npos);
    EXPECT_NE(s.find("<Param Value=\"1\""), std::string::npos);

    // A working copy that no longer fits the device is not taken.
    f->SlotList.pop_back();
    net.apply_modules(*l[0], f->SlotList);
    EXPECT_EQ(l[0]->SlotList.size(), 5u);
    EXPECT_TRUE(p.shown.empty());
}

TEST_F(ModulesFixture, RowHelpers) {
    EXPECT_EQ(ProfinetModulesForm::DeleteDescFromSubSlotIndex("32768 - Interface"), "32768");
    EXPECT_EQ(ProfinetModulesForm::DeleteDescFromSubSlotIndex(" 5"), "");
    EXPECT_EQ(ProfinetModulesForm::DeleteDescFromSubSlotIndex("7"), "7");
    EXPECT_EQ(f->GetSlotIndex(5), 4);
    EXPECT_EQ(f->GetSlotIndex(4), -1);
    EXPECT_EQ(ProfinetModulesForm::GetSubslotIndex(32769, f->SlotList[0].Selected_Module.get()), 2);
    EXPECT_EQ(ProfinetModulesForm::GetSubslotIndex(1, nullptr), -1);
    // Rows outside the table locate nothing and change nothing.
    f->set_mnemonic(99, "x");
    f->choose_module(0, "AO 2 (T-AO)");
    EXPECT_EQ(f->SlotList[1].Selected_Module, nullptr);
}

TEST_F(ModulesFixture, TypedValuesThatDoNotFitAreMarkedAndKept) {
    f->click_slot_cell(row(2));
    // Rows: 1 "Input modes", 2..4 its value-list modes, 5 "Filter", 6 filter time
    // (Unsigned16, 0..1000), 7 spare (Unsigned8, free input), 8 bits (BitArea of 3).
    ASSERT_EQ(f->param_table_row(1, 2), 8);
    EXPECT_EQ(f->param_table_row(2, 0), -1);
    EXPECT_EQ(f->param_warning(6), "");
    f->set_param_value(6, "1001");
    f->set_param_value(7, "256");
    f->set_param_value(8, "8");
    f->set_param_value(2, "Nothing");  // a value list is chosen from, never judged
    EXPECT_EQ(f->param_warning(6), "\"1001\" is not among the allowed values 0..1000");
    EXPECT_EQ(f->param_warning(7), "\"256\" does not fit Unsigned8 (0..255)");
    EXPECT_EQ(f->param_warning(8), "\"8\" does not fit BitArea of 3 bits (0..7)");
    EXPECT_EQ(f->param_warning(2), "");
    EXPECT_EQ(f->param_warning(1), "");
    EXPECT_EQ(f->SlotList[2].SubSlotList[0].ParametersList[1].Parameters_List[0].FValue, "1001");

    // Shown again, the stored values are marked; a fitting value clears the mark.
    f->click_slot_cell(row(2));
    EXPECT_NE(f->param_warning(6), "");
    f->set_param_value(6, " 1000 ");
    EXPECT_EQ(f->param_warning(6), "");
    EXPECT_NE(f->param_warning(8), "");
}

TEST_F(ModulesFixture, RowsBySlotNumberAndPlugging) {
    EXPECT_EQ(f->slot_row(0), 1);
    EXPECT_EQ(f->slot_row(0, 32769), 3);
    EXPECT_EQ(f->slot_row(1), row(1));
    EXPECT_EQ(f->slot_row(1, 1), -1);  // nothing plugged
    EXPECT_EQ(f->slot_row(4), -1);
    EXPECT_EQ(f->slot_row(0, -1), -1);
    f->plug_module(row(1), f->SlotList[1].ModulesList[1]);
    EXPECT_EQ(f->SlotList[1].Selected_Module->FID, "MOD_AO");
    const int diag = f->slot_row(1, 5);
    EXPECT_EQ(f->ASG_SlotModule.text(diag, kColSubslot), "5 - Diagnosis");
    f->plug_submodule(f->slot_row(1, 2), f->SlotList[1].SubSlotList[1].SubmodulesList[1]);
    EXPECT_EQ(f->ASG_SlotModule.text(f->slot_row(1, 2), kColSubmodule), "Current");
    f->plug_submodule(f->slot_row(1, 1), nullptr);
    EXPECT_EQ(f->SlotList[1].SubSlotList[0].Selected_SubModule, nullptr);

    // A slot without a list of modules offers nothing to choose: no editor at all.
    f->SlotList[3].ModNameList.clear();
    f->Compile_Def_Val_Table();
    EXPECT_FALSE(f->ASG_SlotModule.editable(row(3), kColModule));
    EXPECT_FALSE(f->slot_choices(row(3), kColModule));
}
