// What the model keeps from one file: attribute conversions, defaults and
// fallbacks, repeated items, the mixed submodule list and the lookups.
#include <gtest/gtest.h>

#include "gsdml/gsdml_read.h"
#include "gsdml/gsdml_test_support.h"
#include "text/text_util.h"

using namespace zv;

TEST(GsdmlInt, PrefixesSignsAndFallbacks) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"32", 32},         {"  32", 32},       {"-7", -7},          {"+7", 7},
        {"0x20", 32},       {"0X20", 32},       {"x20", 32},         {"X1f", 31},
        {"$FF", 255},       {"-$10", -16},      {"0xFFFFFFFF", -1},  {"0x80000000", INT32_MIN},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},           {"0x100000000", std::nullopt},
        {"", std::nullopt}, {"32 ", std::nullopt}, {"1.5", std::nullopt}, {"0x", std::nullopt},
        {"$", std::nullopt}, {"12ab", std::nullopt}, {"- 1", std::nullopt}, {"0", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(parse_gsdml_int(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(gsdml_int_or("junk", 1), 1);
    EXPECT_EQ(gsdml_int_or("0x10", 1), 16);
}

TEST(GsdmlInt, IsTrueIgnoresCaseAndBlanksOnly) {
    for (const char* t : {"TRUE", "true", " True ", "tRuE\t"}) EXPECT_TRUE(Is_TRUE(t)) << t;
    for (const char* f : {"1", "yes", "", "TRUEX", "T RUE", "false"}) EXPECT_FALSE(Is_TRUE(f)) << f;
}

class RulesFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(decode_gsdml_file(g, gsdtest::fixture("GSDML-rules.xml"))) << g.Decode_Failure; }
    const TApplicationProcess& ap() const { return g.ProfileBody.ApplicationProcess; }
    const TDeviceAccessPointItem& dap(size_t i) const { return ap().DeviceAccessPointList->DevAccPointItemList.at(i); }
    TGSDML g;
};

TEST_F(RulesFile, IdentityAndHeader) {
    EXPECT_EQ(g.ProfileBody.DeviceIdentity.FVendorID, 0xFFFF);
    EXPECT_EQ(g.ProfileBody.DeviceIdentity.FDeviceID, 1) << "fallback of DeviceID";
    EXPECT_EQ(g.ProfileBody.DeviceIdentity.FInfoText, "T_Info");
    EXPECT_EQ(g.ProfileBody.DeviceIdentity.FVendorName, "Rules Vendor");
    EXPECT_EQ(g.ProfileHeader.ISO15745Reference.FISO15745Part, "4");
    EXPECT_EQ(g.ProfileHeader.ISO15745Reference.FISO15745Technology, "GSDML");
    EXPECT_EQ(g.ProfileHeader.IASInterfaceType, (std::vector<std::string>{"CSI", "GenericInterface"}));
}

TEST_F(RulesFile, AccessPointAttributesDefaultsAndFallbacks) {
    EXPECT_EQ(dap(0).FModuleIdentNumber, 0u) << "absent on an access point";
    EXPECT_EQ(dap(1).FModuleIdentNumber, 1u) << "does not parse: fallback";
    EXPECT_EQ(dap(0).FMinDeviceInterval, 32);
    EXPECT_EQ(dap(0).FFixedInSlots, "0") << "default";
    EXPECT_EQ(dap(1).FFixedInSlots, "1");
    EXPECT_TRUE(dap(0).FMultipleWriteSupported);
    EXPECT_FALSE(dap(0).FIOXS_Required) << "1 is not TRUE";
    EXPECT_TRUE(dap(0).FSharedDeviceSupported);
    EXPECT_TRUE(dap(0).FAssetManagement);
    EXPECT_FALSE(dap(1).FAssetManagement);
    EXPECT_EQ(dap(0).ModuleInfo.FOrderNumber, "ORD-A");
    ASSERT_TRUE(dap(0).ApplicationRelations && dap(0).ApplicationRelations->TimingProperties);
    EXPECT_EQ(dap(0).ApplicationRelations->TimingProperties->FSendClock, "64");
    EXPECT_EQ(dap(0).ApplicationRelations->TimingProperties->FReductionRatio, "1 2 4 8 16 32 64 128 256 512");
    EXPECT_FALSE(dap(1).SubslotList) << "absent child stays null";
}

TEST_F(RulesFile, IgnoredChildOfAccessPointKeepsItemsBeforeTheFailure) {
    ASSERT_TRUE(dap(0).VirtualSubmoduleList);
    const auto& list = dap(0).VirtualSubmoduleList->VirtualSubmoduleItelList;
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].FID, "VS_OK");
    EXPECT_EQ(list[0].FSubmoduleIdentNumber, 0xFFFFFFFFu) << "top bit survives";
    EXPECT_EQ(list[0].FFixedInSubslots, "1");
}

TEST_F(RulesFile, InterfaceAndPorts) {
    ASSERT_TRUE(dap(0).SystemDefinedSubmoduleList);
    const auto& sd = *dap(0).SystemDefinedSubmoduleList;
    EXPECT_EQ(sd.InterfaceSubmoduleItem.FSubmoduleIdentNumber, 0x8000u);
    EXPECT_EQ(sd.InterfaceSubmoduleItem.FSubslotNumber, 32768);
    ASSERT_TRUE(sd.InterfaceSubmoduleItem.ApplicationRelationsIntSubItem &&
                sd.InterfaceSubmoduleItem.ApplicationRelationsIntSubItem->TimingProperties);
    const auto& tp = *sd.InterfaceSubmoduleItem.ApplicationRelationsIntSubItem->TimingProperties;
    EXPECT_EQ(tp.FSendClock, "8 16  32");
    EXPECT_EQ(tp.FReductionRatioPow2, "") << "no default on the interface";
    ASSERT_EQ(sd.PortSubmoduleItemList.size(), 1u);
    EXPECT_EQ(sd.PortSubmoduleItemList[0].FMaxPortTxDelay, 16);
    EXPECT_EQ(sd.PortSubmoduleItemList[0].FSubslotNumber, 32769);
}

TEST_F(RulesFile, ModulesSkipCommentsAndForeignElements) {
    const auto& mods = ap().ModuleList->ModuleItemList;
    ASSERT_EQ(mods.size(), 3u);
    EXPECT_EQ(mods[0].FModuleIdentNumber, 32u);
    EXPECT_EQ(mods[1].FModuleIdentNumber, 1u) << "does not parse: fallback";
    EXPECT_EQ(mods[2].FModuleIdentNumber, 1u) << "absent on a module";
    EXPECT_EQ(ap().ModuleList->Get_ModuleItem("M_ABSENT"), &mods[2]);
    EXPECT_EQ(ap().ModuleList->Get_ModuleItem("m_absent"), nullptr) << "exact case";
}

TEST_F(RulesFile, MixedSubmoduleListKeepsOrderAndKind) {
    const TSubmoduleList& sl = *ap().SubmoduleList;
    ASSERT_EQ(sl.SubmoduleList.size(), 3u);
    EXPECT_FALSE(sl.SubmoduleList[0].is_port());
    EXPECT_TRUE(sl.SubmoduleList[1].is_port());
    EXPECT_FALSE(sl.SubmoduleList[2].is_port());
    EXPECT_EQ(sl.SubmoduleList[0].FSubmoduleIdentNumber(), 0x80000001u);
    const TSubmoduleListEntry* port = sl.Get_SubmoduleItem("PORT_X");
    ASSERT_TRUE(port && port->port());
    EXPECT_EQ(port->port()->FTextId, "T_PX");
    ASSERT_TRUE(sl.Get_SubmoduleItem("S2"));
    EXPECT_TRUE(sl.Get_SubmoduleItem("S2")->submodule());
    EXPECT_EQ(sl.Get_SubmoduleItem("S3"), nullptr);
}

TEST_F(RulesFile, DataLengths) {
    const TSubmoduleItem& s1 = *ap().SubmoduleList->SubmoduleList[0].submodule();
    const auto& in = s1.IOData.Input->DataItemList;
    ASSERT_EQ(in.size(), 4u);
    EXPECT_EQ(in[0].GetLenData(), 2) << "Unsigned16";
    EXPECT_EQ(in[1].GetLenData(), 6) << "Length wins";
    EXPECT_EQ(in[2].GetLenData(), 0) << "VisibleString without Length";
    EXPECT_EQ(in[3].GetLenData(), 6) << "TimeStamp";
    EXPECT_EQ(s1.IOData.Get_Input(), 14);
    EXPECT_EQ(s1.IOData.Get_Output(), 5);
    const TSubmoduleItem& s2 = *ap().SubmoduleList->SubmoduleList[2].submodule();
    EXPECT_EQ(s2.IOData.Get_Input(), 0) << "no Input element";
    EXPECT_EQ(s2.IOData.Get_Output(), 0);
}

TEST_F(RulesFile, RecordsReferencesAndConstData) {
    const TSubmoduleItem& s1 = *ap().SubmoduleList->SubmoduleList[0].submodule();
    const auto& recs = s1.RecordDataList->ParameterRecordDataItemList;
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].FIndex_, 0x100);
    EXPECT_EQ(recs[0].FName, "T_Rec");
    EXPECT_EQ(recs[0].GetConstData(), "0x00,0x01,0x02,0x03") << "300 takes no position, 0x04 falls outside";
    EXPECT_EQ(recs[1].GetConstData(), "0x00,0x00,0x00");
    EXPECT_EQ(recs[2].GetConstData(), "");
    const auto& refs = recs[0].RecordDataReferenceList;
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0].FBitOffset, 2);
    EXPECT_EQ(refs[0].FBitLength, 3);
    EXPECT_EQ(refs[0].FAllowedValues, "0..3 7");
    EXPECT_TRUE(refs[0].FChangeable) << "true in lower case";
    EXPECT_TRUE(refs[0].FVisible) << "absent: true";
    EXPECT_FALSE(refs[1].FChangeable) << "1 is not TRUE";
    EXPECT_FALSE(refs[1].FVisible);
}

TEST_F(RulesFile, ValueListAndCategories) {
    const TValueItem& vi = ap().ValueList->ValueItemList.at(0);
    EXPECT_EQ(vi.FHelp, "T_Help");
    ASSERT_EQ(vi.AssignmentsList.size(), 2u);
    EXPECT_EQ(vi.AssignmentsList[1].FContent, "1");
    EXPECT_EQ(vi.AssignmentsList[1].FTextId, "T_On");
    const TCategoryItem& c = ap().CategoryList->CategoryList.at(0);
    EXPECT_EQ(c.FTextId, "T_Cat");
    EXPECT_EQ(c.FInfoText, "T_CatInfo");
}

TEST_F(RulesFile, TextLookupUsesFirstPrimaryDefinition) {
    EXPECT_EQ(g.GetString_ExternalTextList("T_DAP_A"), "Device A") << "primary language only";
    EXPECT_EQ(g.GetString_ExternalTextList("T_Twice"), "first");
    EXPECT_EQ(g.GetString_ExternalTextList("CAT_1"), "Category one");
    EXPECT_EQ(g.GetString_ExternalTextList("NO_SUCH"), "NO_SUCH");
    EXPECT_EQ(g.GetString_ExternalTextList(""), "");
    const auto& langs = ap().ExternalTextList->LanguageList;
    ASSERT_EQ(langs.size(), 2u);
    EXPECT_EQ(langs[0].FLang, "de");
    EXPECT_EQ(langs[0].TextList.at(0).FValue, "Ger\xC3\xA4t A");
    EXPECT_EQ(langs[1].FLang, "it");
}

TEST_F(RulesFile, AccessPointLookups) {
    const TDeviceAccessPointList& l = *ap().DeviceAccessPointList;
    EXPECT_EQ(l.Get_DeviceAccessPointItem("Device A", "", g), &dap(0)) << "first match";
    EXPECT_EQ(l.Get_DeviceAccessPointItem("Device A", "Category one", g), &dap(0));
    EXPECT_EQ(l.Get_DeviceAccessPointItem("Device A", "Other", g), nullptr);
    EXPECT_EQ(l.Get_DeviceAccessPointItem("T_DAP_A", "", g), nullptr) << "compares the text, not the id";
    EXPECT_EQ(l.Get_DeviceAccessPointItemByID("T_DAP_A", "Category one", g), &dap(0));
    EXPECT_EQ(l.Get_DeviceAccessPointItemByID("T_DAP_C", "", g), &dap(2));
    EXPECT_EQ(l.Get_DeviceAccessPointItemByID("Device A", "", g), nullptr);
    EXPECT_EQ(dap(0).Get_SubslotName(1), "T_Sub1");
    EXPECT_EQ(dap(0).Get_SubslotName(0x8000), "T_SubIF");
    EXPECT_EQ(dap(0).Get_SubslotName(2), "");
    EXPECT_EQ(dap(1).Get_SubslotName(1), "") << "no SubslotList";
}

TEST(ValueLists, BlankSeparatedNumbers) {
    struct Case {
        const char* text;
        std::vector<int32_t> values;
    } cases[] = {
        {"8 16  32", {8, 16, 32}},     {"32", {32}},   {"", {}},
        {"1..4 8", {8}},               {" 4 5", {4, 5}}, {"1 -2 x 0x10 $20", {1, 16, 32}},
        {"1 2 4 8 16 32 64 128 256 512", {1, 2, 4, 8, 16, 32, 64, 128, 256, 512}},
    };
    TGSDML g;
    for (const Case& c : cases) {
        g.ArrValueList = {99};
        EXPECT_TRUE(g.GetValuesFromValueList(c.text));
        EXPECT_EQ(g.ArrValueList, c.values) << '"' << c.text << '"';
    }
}

// An element with more attributes than are listed up front still gives each
// of them, whichever order they are asked in.
TEST(GsdmlAttrs, ElementWithManyAttributes) {
    zvtest::TempDir dir;
    std::string many;
    for (int i = 0; i < 40; ++i) many += " X" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    std::string t = gsdtest::replaced(gsdtest::fixture_text("GSDML-rules.xml"), "<DeviceAccessPointItem ID=\"DAP_B\"",
                                      "<DeviceAccessPointItem" + many +
                                          " NumberOfSubmodules=\"7\" CheckDeviceID_Allowed=\"true\" ID=\"DAP_B\"");
    TGSDML g;
    ASSERT_TRUE(gsdtest::decode_bytes(g, dir, t)) << g.Decode_Failure;
    const TDeviceAccessPointItem& d = g.ProfileBody.ApplicationProcess.DeviceAccessPointList->DevAccPointItemList.at(1);
    EXPECT_EQ(d.FID, "DAP_B");
    EXPECT_EQ(d.FFixedInSlots, "1");
    EXPECT_EQ(d.FNumberOfSubmodules, 7);
    EXPECT_TRUE(d.FCheckDeviceID_Allowed);
    EXPECT_EQ(d.FModuleIdentNumber, 1u) << "junk: fallback";
}

// Texts are kept in shared blocks: thousands of them, empty ones and ones far
// longer than a block must all come back whole, in every section.
TEST(GsdmlTexts, ManyShortAndSomeLongTextsStayWhole) {
    zvtest::TempDir dir;
    auto value_of = [](int i) {
        const size_t len = i % 500 == 7 ? 70000 : static_cast<size_t>(i * 37 % 300);
        std::string v(len, static_cast<char>('a' + i % 26));
        if (!v.empty()) v.back() = '#';
        return v;
    };
    std::string texts;
    for (int i = 0; i < 3000; ++i)
        texts += "<Text TextId=\"N" + std::to_string(i) + "\" Value=\"" + value_of(i) + "\"/>";
    std::string t = gsdtest::replaced(gsdtest::fixture_text("GSDML-rules.xml"), "<PrimaryLanguage>",
                                      "<PrimaryLanguage>" + texts);
    t = gsdtest::replaced(t, "<Language xml:lang=\"de\">", "<Language xml:lang=\"de\">" + texts);
    TGSDML g;
    ASSERT_TRUE(gsdtest::decode_bytes(g, dir, t)) << g.Decode_Failure;
    const TLanguage& de = g.ProfileBody.ApplicationProcess.ExternalTextList->LanguageList.at(0);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(g.GetString_ExternalTextList("N" + std::to_string(i)), value_of(i)) << i;
        ASSERT_EQ(de.TextList.at(static_cast<size_t>(i)).FTextId, "N" + std::to_string(i));
        ASSERT_EQ(de.TextList.at(static_cast<size_t>(i)).FValue, value_of(i)) << i;
    }
    EXPECT_EQ(g.GetString_ExternalTextList("T_Twice"), "first") << "the file's own texts follow";
    EXPECT_EQ(de.TextList.back().FValue, "Ger\xC3\xA4t A");
}
