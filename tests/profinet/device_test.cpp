// Building a network device from its description: slots, subslots, the three
// kinds of plugging, parameters and timing.
#include <gtest/gtest.h>

#include "profinet_fixture.h"

using namespace zv;
using zvtest::TestProject;

namespace {

std::vector<int> slot_numbers(const TPROFINET_Device& d) {
    std::vector<int> out;
    for (const auto& s : d.SlotList) out.push_back(s.FSlotNum);
    return out;
}

std::vector<int> subslot_numbers(const SubslotList& l) {
    std::vector<int> out;
    for (const auto& s : l) out.push_back(s.FSubslotNum);
    return out;
}

const TPROFINET_Module& module(const TPROFINET_Device& d, const std::string& id) {
    for (const auto& m : d.ModulesList)
        if (m->FID == id) return *m;
    throw std::runtime_error("no module " + id);
}

}  // namespace

TEST(SlotList, NumbersAndRanges) {
    struct Case {
        const char* text;
        std::vector<int32_t> want;
    } cases[] = {
        {"0..3", {0, 1, 2, 3}},
        {"1..3 5", {1, 2, 3, 5}},
        {"3..1", {}},
        {"x 2", {2}},
        {"  7  ", {7}},
        {"1 .. 2", {1, 2}},  // blanks split the token
        {"0x10", {16}},
        {"-1..2 4", {4}},
        {"2..2", {2}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_slot_list(c.text), c.want) << c.text;
}

TEST(Device, SlotsFromPhysicalSlotsAndImports) {
    TestProject p;
    auto d = p.device();
    ASSERT_TRUE(d);
    // The access point's slot first, then the physical slots, then a slot only
    // an import made (FixedInSlots 5).
    EXPECT_EQ(slot_numbers(*d), (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_TRUE(d->SlotList[0].FFixed);
    for (size_t i = 1; i < d->SlotList.size(); ++i) EXPECT_FALSE(d->SlotList[i].FFixed);

    // Allowed in 1..3 and used in 2; the unknown module reference is ignored.
    EXPECT_EQ(d->SlotList[1].ModNameList, (std::vector<std::string>{"DI 16 (T-DI16)", "AO 2 (T-AO)"}));
    EXPECT_EQ(d->SlotList[2].ModNameList, (std::vector<std::string>{"DI 16 (T-DI16)"}));
    EXPECT_EQ(d->SlotList[3].ModNameList,
              (std::vector<std::string>{"DI 16 (T-DI16)", "AO 2 (T-AO)", "Reverse (T-REV)"}));
    EXPECT_EQ(d->SlotList[1].Selected_Module, nullptr);
    ASSERT_TRUE(d->SlotList[2].Selected_Module);
    EXPECT_EQ(d->SlotList[2].Selected_Module->FID, "MOD_DI");
    EXPECT_EQ(d->SlotList[2].SubSlotList.size(), 1u);
    EXPECT_EQ(d->SlotList[3].Selected_Module, nullptr);
    EXPECT_TRUE(d->SlotList[3].SubSlotList.empty());

    // Fixed in a slot that did not exist: a new slot with the module plugged.
    const TPROFINET_Slot& fixed = d->SlotList[4];
    ASSERT_TRUE(fixed.Selected_Module);
    EXPECT_EQ(fixed.Selected_Module->FID, "MOD_FIX");
    EXPECT_EQ(fixed.ModNameList, (std::vector<std::string>{"Power (T-PS)"}));
    ASSERT_EQ(fixed.SubSlotList.size(), 1u);
    EXPECT_EQ(fixed.SubSlotList[0].Selected_SubModule->FDataLenOut, 1);

    EXPECT_EQ(d->SlotList[1].GetIndexModule("AO 2 (T-AO)"), 1);
    EXPECT_EQ(d->SlotList[1].GetIndexModule("AO 2"), -1);
}

TEST(Device, AccessPointSlotHoldsFixedSubslots) {
    TestProject p;
    auto d = p.device();
    const TPROFINET_Slot& s = d->SlotList[0];
    ASSERT_TRUE(s.Selected_Module);
    EXPECT_EQ(s.Selected_Module->FID, "DAP_A");
    EXPECT_EQ(s.Selected_Module->FName, "Test Head A");
    EXPECT_EQ(s.Selected_Module->FOrderNumber, "TH-A");
    EXPECT_EQ(s.Selected_Module->FModuleIdentNumber, 0x80000100u);  // the access point's own number
    EXPECT_TRUE(s.ModNameList.empty());
    EXPECT_EQ(s.ModulesList.size(), 1u);

    ASSERT_EQ(subslot_numbers(s.SubSlotList), (std::vector<int>{1, 32768, 32769}));
    const char* names[] = {"Head", "Interface", "Port 1"};
    const char* subs[] = {"Head submodule", "X1", "X1 P1"};
    for (size_t i = 0; i < 3; ++i) {
        const TPROFINET_Subslot& ss = s.SubSlotList[i];
        EXPECT_TRUE(ss.FFixed);
        EXPECT_EQ(ss.FSubSlotName, names[i]);
        ASSERT_TRUE(ss.Selected_SubModule);
        EXPECT_EQ(ss.Selected_SubModule->FName, subs[i]);
        EXPECT_EQ(ss.SubmodulesList.size(), 1u);
    }
    // The virtual submodule's record, copied into the subslot.
    ASSERT_EQ(s.SubSlotList[0].ParametersList.size(), 1u);
    const TParametersGroup& g = s.SubSlotList[0].ParametersList[0];
    EXPECT_EQ(g.FGroupName, "Head parameters");
    EXPECT_EQ(g.FInd, 1);
    EXPECT_EQ(g.FDataConst, "0x01,0x02");
    EXPECT_EQ(g.FLength, 2);
    EXPECT_TRUE(s.SubSlotList[1].Selected_SubModule->FParameterizationDisallowed);
    EXPECT_EQ(s.SubSlotList[1].Selected_SubModule->FIdentNumber, 0x8000u);
}

TEST(Device, SubslotsOfModulesFixedAllowedUsed) {
    TestProject p;
    auto d = p.device();
    // PhysicalSubslots "1..3 5", named from the module's own subslot list.
    const TPROFINET_Module& ao = module(*d, "MOD_AO");
    ASSERT_EQ(subslot_numbers(ao.SubslotsList), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(ao.SubslotsList[0].FSubSlotName, "Channel 0");
    EXPECT_EQ(ao.SubslotsList[2].FSubSlotName, "");
    EXPECT_EQ(ao.SubslotsList[0].SubModNameList, (std::vector<std::string>{"Voltage", "Current"}));
    EXPECT_EQ(ao.SubslotsList[1].SubModNameList, (std::vector<std::string>{"Voltage", "Current"}));
    // A port entry of the submodule list can be offered like any other.
    EXPECT_EQ(ao.SubslotsList[2].SubModNameList, (std::vector<std::string>{"Voltage", "X1 P3"}));
    EXPECT_EQ(ao.SubslotsList[3].SubModNameList, (std::vector<std::string>{"Diag"}));
    // Used in 1: plugged with its groups; fixed in 5: plugged, the only entry.
    ASSERT_TRUE(ao.SubslotsList[0].Selected_SubModule);
    EXPECT_EQ(ao.SubslotsList[0].Selected_SubModule->FID, "SM_V");
    EXPECT_EQ(ao.SubslotsList[0].Selected_SubModule->FAPI, 0x3A00u);
    EXPECT_EQ(ao.SubslotsList[0].ParametersList.size(), 1u);
    EXPECT_EQ(ao.SubslotsList[1].Selected_SubModule, nullptr);
    EXPECT_TRUE(ao.SubslotsList[1].ParametersList.empty());
    ASSERT_TRUE(ao.SubslotsList[3].Selected_SubModule);
    EXPECT_EQ(ao.SubslotsList[3].Selected_SubModule->FDataLenIn, 1);
    EXPECT_EQ(ao.SubslotsList[3].SubmodulesList.size(), 1u);
    for (const auto& s : ao.SubslotsList) EXPECT_FALSE(s.FFixed);
    EXPECT_EQ(ao.SubslotsList[0].GetIndexSubmodule("Current"), 1);
    EXPECT_EQ(ao.SubslotsList[0].GetIndexSubmodule("Nothing"), -1);

    // A reversed range makes no subslot; "x 2" makes only 2, by the fixed import.
    const TPROFINET_Module& rev = module(*d, "MOD_REV");
    ASSERT_EQ(subslot_numbers(rev.SubslotsList), (std::vector<int>{2}));
    ASSERT_TRUE(rev.SubslotsList[0].Selected_SubModule);
    EXPECT_EQ(rev.SubslotsList[0].Selected_SubModule->FID, "SM_V");
    EXPECT_EQ(rev.SubslotsList[0].SubModNameList, (std::vector<std::string>{"Voltage"}));

    // A virtual submodule makes a fixed subslot, named from the access point's list.
    const TPROFINET_Module& di = module(*d, "MOD_DI");
    ASSERT_EQ(di.SubslotsList.size(), 1u);
    EXPECT_TRUE(di.SubslotsList[0].FFixed);
    EXPECT_EQ(di.SubslotsList[0].FSubSlotName, "Head");
    EXPECT_EQ(di.SubslotsList[0].Selected_SubModule->FDataLenIn, 2);
    EXPECT_EQ(di.FModuleIdentNumber, 0x2010u);
}

TEST(Device, ParameterGroupsAndValueLists) {
    TestProject p;
    auto d = p.device();
    const ParamGroups& gs = module(*d, "MOD_DI").SubslotsList[0].ParametersList;
    ASSERT_EQ(gs.size(), 2u);
    EXPECT_EQ(gs[0].FGroupName, "Input modes");
    EXPECT_EQ(gs[0].FInd, 128);
    EXPECT_EQ(gs[0].FDataConst, "0x00,0x00,0x00");
    EXPECT_EQ(gs[1].FDataConst, "0x00,0x10,0x00,0x00");
    ASSERT_EQ(gs[0].Parameters_List.size(), 3u);
    const TParam& a = gs[0].Parameters_List[0];
    EXPECT_EQ(a.FName, "Mode A");
    EXPECT_EQ(a.DiscreteSL, (std::vector<std::string>{"Off", "On", "Auto"}));
    EXPECT_EQ(a.GetDiscreteByValue(2), "Auto");
    EXPECT_EQ(a.GetDiscreteByValue(7), "");
    EXPECT_EQ(a.GetValueByDiscrete("On"), 1);
    EXPECT_EQ(a.GetValueByDiscrete("Nope"), -1);
    EXPECT_EQ(a.FValue, "");
    // No value list, and a target that names no value item: free input.
    ASSERT_EQ(gs[1].Parameters_List.size(), 3u);
    EXPECT_TRUE(gs[1].Parameters_List[0].DiscreteList.empty());
    EXPECT_TRUE(gs[1].Parameters_List[1].DiscreteList.empty());
    const TParam& f = gs[1].Parameters_List[2];
    EXPECT_EQ(f.FByteOffset, 3);
    EXPECT_EQ(f.FBitOffset, 4);
    EXPECT_EQ(f.FBitLength, 3);
    EXPECT_EQ(f.FDataType, "BitArea");
    EXPECT_EQ(f.FDefaultValue, "5");
    EXPECT_EQ(gs[1].Parameters_List[0].FAllowedValues, "0..1000");
}

TEST(Device, UserValuesLiveInCopiesNotInTheCatalog) {
    TestProject p;
    auto d = p.device();
    TPROFINET_Slot& slot2 = d->SlotList[2];
    slot2.SubSlotList[0].ParametersList[0].Parameters_List[0].FValue = "2";
    slot2.SubSlotList[0].FMnemonic = "in1";
    const TPROFINET_Module& di = module(*d, "MOD_DI");
    EXPECT_EQ(di.SubslotsList[0].ParametersList[0].Parameters_List[0].FValue, "");
    EXPECT_EQ(di.SubslotsList[0].FMnemonic, "");
    // Plugging again starts from the description's layout.
    slot2.plug(slot2.ModulesList[0]);
    EXPECT_EQ(slot2.SubSlotList[0].ParametersList[0].Parameters_List[0].FValue, "");
    // A copied slot list is independent of its source.
    TPROFINET_Slot other;
    other.Copy_SubSlot_List(slot2.SubSlotList);
    other.SubSlotList[0].FStatus = true;
    EXPECT_FALSE(slot2.SubSlotList[0].FStatus);
}

TEST(Device, UpdateTimesAndTheMinimumInterval) {
    TestProject p;
    auto d = p.device();
    EXPECT_EQ(d->UpdateTimeVal, (std::vector<std::string>{"1", "2", "4", "8"}));
    EXPECT_EQ(d->FMinDevInterval, 64);
    EXPECT_FALSE(d->CheckUpdateTime(0));  // 1 ms below 2 ms
    EXPECT_EQ(d->FSendClock, 32);
    EXPECT_EQ(d->FReductionRadio, 2);
    EXPECT_TRUE(d->CheckUpdateTime(2));  // send clock 32, ratio 4
    EXPECT_EQ(d->FSendClock, 32);
    EXPECT_EQ(d->FReductionRadio, 4);
    EXPECT_TRUE(d->CheckUpdateTime(1));
    EXPECT_FALSE(d->CheckUpdateTime(4));  // outside the list
    EXPECT_FALSE(d->CheckUpdateTime(-1));
}

TEST(Device, AnswerTimeLimit) {
    TestProject p;
    auto d = p.device();
    d->FUpdateTime = 3;  // 8 ms
    double t = 0;
    EXPECT_TRUE(d->CheckAnswerTime(237, t));
    EXPECT_DOUBLE_EQ(t, 1920);
    EXPECT_FALSE(d->CheckAnswerTime(238, t));
    EXPECT_DOUBLE_EQ(t, 1928);
    d->FUpdateTime = 0;
    EXPECT_TRUE(d->CheckAnswerTime(0, t));
    EXPECT_DOUBLE_EQ(t, 3);
}

TEST(Device, ListsWithoutNumbersKeepTheDefaults) {
    TestProject p;
    auto d = p.device("T_DAP_B", "Test Head B", "");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Values_SendClock, (std::vector<int32_t>{32}));
    EXPECT_EQ(d->Values_ReductionRadio, (std::vector<int32_t>{2}));
    EXPECT_EQ(d->UpdateTimeVal, (std::vector<std::string>{"2"}));
    EXPECT_TRUE(d->CheckUpdateTime(0));
    EXPECT_EQ(slot_numbers(*d), (std::vector<int>{0, 1}));
    EXPECT_EQ(d->SlotList[1].Selected_Module->FID, "MOD_AO");
    EXPECT_EQ(d->FNameOfStation, "HEAD-B");
}

TEST(Device, AccessPointLookup) {
    TestProject p;
    // By TextId with the category text; by name text when no TextId is stored.
    EXPECT_EQ(p.device("T_DAP_A", "", "Head modules")->SlotList.size(), 5u);
    EXPECT_EQ(p.device("", "Test Head A", "Head modules")->SlotList.size(), 5u);
    EXPECT_EQ(p.device("", "Test Head A", "")->SlotList.size(), 5u);
    // Wrong category or unknown name: nothing built, the default timing.
    for (auto [id, cat] : {std::pair{"T_DAP_A", "Other"}, std::pair{"T_DAP_X", ""}}) {
        auto d = p.device(id, "x", cat);
        EXPECT_TRUE(d->SlotList.empty());
        EXPECT_TRUE(d->UpdateTimeVal.empty());
        EXPECT_EQ(d->FSendClock * d->FReductionRadio, 64);
        EXPECT_EQ(d->access_point(), nullptr);
    }
}

TEST(Device, NameOfStationFromImplementationType) {
    TestProject p;
    EXPECT_EQ(p.device()->FNameOfStation, "HEAD-A");
    EXPECT_EQ(p.device("T_DAP_A", "no such name", "")->FNameOfStation, "");
}

TEST(Device, FormatOfMilliseconds) {
    EXPECT_EQ(format_ms(0.5), "0.5");
    EXPECT_EQ(format_ms(256), "256");
    EXPECT_EQ(format_ms(1), "1");
    EXPECT_EQ(format_ms(0.03125 * 3), "0.09375");
}
