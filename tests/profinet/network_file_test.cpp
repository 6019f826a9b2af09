// The network file: exact writing, reading back by position, and the rules for
// files that do not match the descriptions or are damaged.
#include <gtest/gtest.h>

#include "profinet_fixture.h"
#include "text/error.h"

using namespace zv;
using zvtest::TestProject;

namespace {

// A network of the two test access points with something set everywhere.
DeviceList two_devices(const TestProject& p) {
    DeviceList l;
    l.push_back(p.device());
    l.push_back(p.device("T_DAP_B", "Test Head B", ""));
    TPROFINET_Device& a = *l[0];
    a.FNameOfStation = "station-a";
    a.FIPAddress = "192.168.10.20";
    a.FNewSessionSPI = true;
    a.FUpdateTime = 3;
    EXPECT_TRUE(a.CheckUpdateTime(3));
    a.FAnswerTime = 7;
    // Every slot plugged, every subslot with a submodule.
    a.SlotList[1].plug(a.SlotList[1].ModulesList[0]);
    a.SlotList[3].plug(a.SlotList[3].ModulesList[0]);
    TPROFINET_Subslot& in = a.SlotList[2].SubSlotList[0];
    in.FMnemonic = "inputs";
    in.FStatus = true;
    in.FStartAddIn = 10;
    in.FQuantityIn = 2;
    in.ParametersList[0].Parameters_List[1].FValue = "2";
    in.ParametersList[1].Parameters_List[0].FValue = "250";
    in.ParametersList[1].Parameters_List[0].FMnemonic = "filter";
    TPROFINET_Device& b = *l[1];
    b.FResetDataOnFail = true;
    b.FIPAddress = "10.0.0.2";
    TPROFINET_Subslot& v = b.SlotList[1].SubSlotList[0];
    v.ParametersList[0].Parameters_List[0].FValue = "3";  // the value-list entry 3
    v.FWord_Pos = true;
    b.SlotList[1].SubSlotList[1].plug(b.SlotList[1].SubSlotList[1].SubmodulesList[1]);
    b.SlotList[1].SubSlotList[2].plug(b.SlotList[1].SubSlotList[2].SubmodulesList[1]);
    return l;
}

DeviceList load(const TestProject& p) {
    DeviceList l;
    Load_PROFINET_Network_Project(p.network_file(), p.path(), l);
    return l;
}

std::string replace(std::string s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

// The same, for the first `from` after `anchor`.
std::string replace_after(const std::string& s, const std::string& anchor, const std::string& from,
                          const std::string& to) {
    const size_t at = s.find(anchor);
    EXPECT_NE(at, std::string::npos) << anchor;
    if (at == std::string::npos) return s;
    return s.substr(0, at) + replace(s.substr(at), from, to);
}

}  // namespace

TEST(NetworkFile, SaveReadSaveGivesTheSameFile) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    const std::string first = zvtest::slurp(p.network_file());

    DeviceList back = load(p);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(network_to_string(back), first);

    const TPROFINET_Device& a = *back[0];
    EXPECT_EQ(a.FNameOfStation, "station-a");
    EXPECT_EQ(a.FIPAddress, "192.168.10.20");
    EXPECT_TRUE(a.FNewSessionSPI);
    EXPECT_FALSE(a.FResetDataOnFail);
    EXPECT_EQ(a.FUpdateTime, 3);
    EXPECT_EQ(a.FReductionRadio, 8);
    EXPECT_EQ(a.FAnswerTime, 7);
    EXPECT_EQ(a.SlotList[1].Selected_Module->FID, "MOD_DI");
    const TPROFINET_Subslot& in = a.SlotList[2].SubSlotList[0];
    EXPECT_EQ(in.FMnemonic, "inputs");
    EXPECT_TRUE(in.FStatus);
    EXPECT_EQ(in.FStartAddIn, 10);
    EXPECT_EQ(in.FQuantityIn, 2);
    EXPECT_EQ(in.ParametersList[0].Parameters_List[1].FValue, "2");
    EXPECT_EQ(in.ParametersList[1].Parameters_List[0].FMnemonic, "filter");
    EXPECT_EQ(back[1]->SlotList[1].SubSlotList[1].Selected_SubModule->FID, "SM_I");
    EXPECT_TRUE(back[1]->SlotList[1].SubSlotList[0].FWord_Pos);
}

TEST(NetworkFile, ExactBytes) {
    TestProject p;
    DeviceList l;
    l.push_back(p.device("T_DAP_B", "Test Head B", ""));
    TPROFINET_Device& b = *l[0];
    b.FIPAddress = "10.0.0.2";
    b.FNewSessionSPI = true;
    b.SlotList[1].SubSlotList[0].ParametersList[0].Parameters_List[0].FValue = "3";
    b.SlotList[1].SubSlotList[0].FMnemonic = "a<\"&";
    b.SlotList[1].SubSlotList[3].FStatus = true;
    const std::string want =
        "<PROFINET_Master_Network><Network>"
        "<Device GSDML_FileName=\"GSDML-V2.4-Zv-Test-20260101.xml\" NameOfStation=\"HEAD-B\" DeviceName=\"Test Head B\""
        " DeviceNameID=\"T_DAP_B\" DeviceCategoryRef=\"\" IPAddress=\"10.0.0.2\" NewSessionSPI=\"1\""
        " ResetDataOnFail=\"0\" UpdateTime=\"0\" SendClock=\"32\" ReductionRadio=\"2\" AnswerTime=\"0\""
        " ObjectUUID_LocalIndex=\"0\"><Slots>"
        "<Slot Module_ID=\"DAP_B\" ModuleIdentNumber=\"512\" SlotNumber=\"0\"><Subslots>"
        "<Subslot SubslotNumber=\"32768\" Submodule_ID=\"IF_B\" Submodule_IdentNumber=\"32768\" Submodule_LenIN=\"0\""
        " Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\" QuantityIn=\"0\""
        " StartAddOut=\"0\" QuantityOut=\"0\" Status=\"N\" Word_Pos=\"N\" Mnemonic=\"\"/>"
        "</Subslots></Slot>"
        "<Slot Module_ID=\"MOD_AO\" ModuleIdentNumber=\"12320\" SlotNumber=\"1\"><Subslots>"
        "<Subslot SubslotNumber=\"1\" Submodule_ID=\"SM_V\" Submodule_IdentNumber=\"12321\" Submodule_LenIN=\"0\""
        " Submodule_LenOUT=\"2\" API=\"14848\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\" QuantityIn=\"0\""
        " StartAddOut=\"0\" QuantityOut=\"0\" Status=\"N\" Word_Pos=\"N\" Mnemonic=\"a&lt;&quot;&amp;\">"
        "<Parameters><ParamGroup GroupName=\"Range\" Index=\"130\" DataConst=\"0x00\" DataByteOffset=\"0\" Length=\"1\">"
        "<Param Value=\"3\" Mnemonic=\"\" ByteOffset=\"0\" BitOffset=\"0\" BitLength=\"0\" Name=\"Output range\""
        " Length=\"0\" DataType=\"Unsigned8\" DefaultValue=\"0\"/></ParamGroup></Parameters></Subslot>"
        "<Subslot SubslotNumber=\"2\" Submodule_ID=\"\" Submodule_IdentNumber=\"0\" Submodule_LenIN=\"0\""
        " Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\" QuantityIn=\"0\""
        " StartAddOut=\"0\" QuantityOut=\"0\" Status=\"N\" Word_Pos=\"N\" Mnemonic=\"\"/>"
        "<Subslot SubslotNumber=\"3\" Submodule_ID=\"\" Submodule_IdentNumber=\"0\" Submodule_LenIN=\"0\""
        " Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\" QuantityIn=\"0\""
        " StartAddOut=\"0\" QuantityOut=\"0\" Status=\"N\" Word_Pos=\"N\" Mnemonic=\"\"/>"
        "<Subslot SubslotNumber=\"5\" Submodule_ID=\"SM_DIAG\" Submodule_IdentNumber=\"12323\" Submodule_LenIN=\"1\""
        " Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\" QuantityIn=\"0\""
        " StartAddOut=\"0\" QuantityOut=\"0\" Status=\"Y\" Word_Pos=\"N\" Mnemonic=\"\"/>"
        "</Subslots></Slot></Slots></Device></Network></PROFINET_Master_Network>"
        "<!--SW_VERSION = 1.000-->";
    EXPECT_EQ(network_to_string(l), want);
}

TEST(NetworkFile, UnsignedNumbersAndTheAccessPointIndex) {
    TestProject p;
    DeviceList l;
    l.push_back(p.device());
    l.push_back(p.device("T_DAP_X", "Unknown", ""));
    const std::string s = network_to_string(l);
    EXPECT_NE(s.find("<Slot Module_ID=\"DAP_A\" ModuleIdentNumber=\"2147483904\" SlotNumber=\"0\">"), std::string::npos);
    EXPECT_NE(s.find("ObjectUUID_LocalIndex=\"7\"><Slots>"), std::string::npos);
    // An access point the copy lacks: index 1 and no Slots element.
    EXPECT_NE(s.find("ObjectUUID_LocalIndex=\"1\"/>"), std::string::npos);
    EXPECT_NE(s.find("ParameterizationDisallowed=\"true\""), std::string::npos);
}

TEST(NetworkFile, UnpluggedSlotAndEmptySubslot) {
    TestProject p;
    DeviceList l = two_devices(p);
    l[0]->SlotList[2].plug(nullptr);
    TPROFINET_Subslot& empty = l[1]->SlotList[1].SubSlotList[1];
    empty.plug(nullptr);
    empty.FStatus = true;
    empty.FMnemonic = "lost";
    empty.FStartAddIn = 4;
    Save_PROFINET_Netword_Project(l, p.network_file());
    const std::string s = zvtest::slurp(p.network_file());
    EXPECT_NE(s.find("<Slot Module_ID=\"\" ModuleIdentNumber=\"0\" SlotNumber=\"2\"/>"), std::string::npos);
    EXPECT_NE(s.find("Submodule_ID=\"\" Submodule_IdentNumber=\"0\" Submodule_LenIN=\"0\" Submodule_LenOUT=\"0\" API=\"0\""
                     " ParameterizationDisallowed=\"false\" StartAddIn=\"4\" QuantityIn=\"0\" StartAddOut=\"0\""
                     " QuantityOut=\"0\" Status=\"Y\" Word_Pos=\"N\" Mnemonic=\"lost\"/>"),
              std::string::npos);

    DeviceList back = load(p);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0]->SlotList[2].Selected_Module, nullptr);
    EXPECT_TRUE(back[0]->SlotList[2].SubSlotList.empty());
    const TPROFINET_Subslot& e = back[1]->SlotList[1].SubSlotList[1];
    EXPECT_EQ(e.Selected_SubModule, nullptr);
    EXPECT_FALSE(e.FStatus);
    EXPECT_EQ(e.FMnemonic, "");
    EXPECT_EQ(e.FStartAddIn, 0);
}

TEST(NetworkFile, CountsThatDoNotMatchDropTheChoicesBelow) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    const std::string good = zvtest::slurp(p.network_file());
    const std::string slot3 = "<Slot Module_ID=\"MOD_DI\" ModuleIdentNumber=\"8208\" SlotNumber=\"3\">";
    const std::string slot2 = "SlotNumber=\"2\">";  // device A's slot 2 comes first

    struct Case {
        const char* what;
        std::string file;
        bool slots_kept, subslot_kept, groups_kept, group1_kept;
    } cases[] = {
        {"extra slot", replace(good, slot3, "<Slot/>" + slot3), false, false, false, false},
        {"extra group",
         replace_after(good, slot2, "<ParamGroup GroupName=\"Filter\"", "<ParamGroup/><ParamGroup GroupName=\"Filter\""),
         true, true, false, false},
        {"extra param", replace_after(good, slot2, "Name=\"Filter time\"", "Name=\"Filter time\"/><Param x=\"\""), true, true, true,
         false},
    };
    for (const auto& c : cases) {
        zvtest::spit(p.network_file(), c.file);
        DeviceList back = load(p);
        ASSERT_EQ(back.size(), 2u) << c.what;
        const TPROFINET_Device& a = *back[0];
        // Name, address and timing survive every drop.
        EXPECT_EQ(a.FNameOfStation, "station-a") << c.what;
        EXPECT_EQ(a.FUpdateTime, 3) << c.what;
        EXPECT_EQ(a.SlotList[1].Selected_Module != nullptr, c.slots_kept) << c.what;
        const TPROFINET_Subslot& in = a.SlotList[2].SubSlotList[0];
        EXPECT_EQ(in.FMnemonic == "inputs", c.subslot_kept) << c.what;
        EXPECT_EQ(in.ParametersList[0].Parameters_List[1].FValue == "2", c.groups_kept) << c.what;
        EXPECT_EQ(in.ParametersList[1].Parameters_List[0].FValue == "250", c.group1_kept) << c.what;
    }

    // One subslot more than the module has: that slot's subslot choices go.
    std::string more = replace_after(good, slot2, "<Subslot SubslotNumber=\"1\" Submodule_ID=\"SM_DI\"",
                               "<Subslot/><Subslot SubslotNumber=\"1\" Submodule_ID=\"SM_DI\"");
    zvtest::spit(p.network_file(), more);
    DeviceList back = load(p);
    EXPECT_EQ(back[0]->SlotList[1].Selected_Module->FID, "MOD_DI");
    EXPECT_EQ(back[0]->SlotList[2].SubSlotList[0].FMnemonic, "");
}

TEST(NetworkFile, ModuleAndSubmoduleIdsThatMatchNothing) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    std::string s = zvtest::slurp(p.network_file());
    s = replace(s, "<Slot Module_ID=\"MOD_DI\" ModuleIdentNumber=\"8208\" SlotNumber=\"1\">",
                "<Slot Module_ID=\"MOD_GONE\" ModuleIdentNumber=\"8208\" SlotNumber=\"1\">");
    s = replace(s, "Submodule_ID=\"SM_I\"", "Submodule_ID=\"SM_GONE\"");
    zvtest::spit(p.network_file(), s);
    DeviceList back = load(p);
    // Slot 1 keeps the plugging it was built with (none); the subslot too.
    EXPECT_EQ(back[0]->SlotList[1].Selected_Module, nullptr);
    EXPECT_EQ(back[1]->SlotList[1].SubSlotList[1].Selected_SubModule, nullptr);
}

TEST(NetworkFile, DevicesWhoseCopyIsMissingOrOutsideAreLeftOut) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    const std::string good = zvtest::slurp(p.network_file());
    // The same description reachable outside the copy folder.
    zvtest::spit(p.path() / "outside.xml", zvtest::slurp(zvtest::profinet_fixture(zvtest::kTestGsdml)));
    std::filesystem::create_directories(p.path() / "GSDML" / "sub");
    zvtest::spit(p.path() / "GSDML" / "sub" / "inner.xml", zvtest::slurp(zvtest::profinet_fixture(zvtest::kTestGsdml)));
    const std::string first = "GSDML_FileName=\"" + zvtest::kTestGsdml + "\" NameOfStation=\"station-a\"";
    for (const char* name : {"missing.xml", "../outside.xml", "..\\outside.xml", "sub/inner.xml", "..", ""}) {
        zvtest::spit(p.network_file(),
                     replace(good, first, std::string("GSDML_FileName=\"") + name + "\" NameOfStation=\"station-a\""));
        DeviceList back = load(p);
        ASSERT_EQ(back.size(), 1u) << name;
        EXPECT_EQ(back[0]->FDeviceNameID, "T_DAP_B") << name;
    }
    // A copy that does not decode is left out too.
    zvtest::spit(p.path() / "GSDML" / "broken.xml", "<ISO15745Profile/>");
    zvtest::spit(p.network_file(), replace(good, first, "GSDML_FileName=\"broken.xml\" NameOfStation=\"station-a\""));
    EXPECT_EQ(load(p).size(), 1u);
}

TEST(NetworkFile, RequiredAttributesStopTheReading) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    const std::string good = zvtest::slurp(p.network_file());
    // Each breaks the second device; the first stays read.
    const std::string dev2 = "NameOfStation=\"HEAD-B\"";
    struct Case {
        std::string file, message;
    } cases[] = {
        {replace(good, "ReductionRadio=\"2\" AnswerTime=\"0\"", "ReductionRadio=\"2\""), "the attribute AnswerTime is missing"},
        {replace(good, "UpdateTime=\"0\" SendClock=\"32\" ReductionRadio=\"2\"", "UpdateTime=\"x\" SendClock=\"32\" ReductionRadio=\"2\""),
         "the attribute UpdateTime \"x\" is not an integer"},
        {replace(good, "SendClock=\"32\" ReductionRadio=\"2\"", "SendClock=\"3.5\" ReductionRadio=\"2\""),
         "the attribute SendClock \"3.5\" is not an integer"},
        {replace(good, "SendClock=\"32\" ReductionRadio=\"2\"", "SendClock=\"32\" ReductionRadio=\"99999999999\""),
         "the attribute ReductionRadio \"99999999999\" is not an integer"},
        {replace(good, "Submodule_ID=\"SM_DIAG\" Submodule_IdentNumber=\"12323\" Submodule_LenIN=\"1\" Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\" StartAddIn=\"0\"",
                 "Submodule_ID=\"SM_DIAG\" Submodule_IdentNumber=\"12323\" Submodule_LenIN=\"1\" Submodule_LenOUT=\"0\" API=\"0\" ParameterizationDisallowed=\"false\""),
         "slot 1, subslot 5: the attribute StartAddIn is missing"},
    };
    for (const auto& c : cases) {
        zvtest::spit(p.network_file(), c.file);
        DeviceList back;
        try {
            Load_PROFINET_Network_Project(p.network_file(), p.path(), back);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("device 2"), std::string::npos) << e.what();
        }
        EXPECT_EQ(back.size(), 1u) << c.message;
    }
    ASSERT_NE(good.find(dev2), std::string::npos);
}

TEST(NetworkFile, DamagedFiles) {
    TestProject p;
    DeviceList l;
    EXPECT_NO_THROW(Load_PROFINET_Network_Project(p.network_file(), p.path(), l));  // no file: empty
    EXPECT_TRUE(l.empty());

    struct Case {
        const char* file;
        const char* message;
    } cases[] = {
        {"<Other><Network/></Other>", "the root element PROFINET_Master_Network is missing"},
        {"<!--x--><PROFINET_Master_Network/>", "the element Network is missing"},
        {"<PROFINET_Master_Network><Network>", "PROFINET_Master_Network.xml"},
        {"", "PROFINET_Master_Network"},
    };
    for (const auto& c : cases) {
        zvtest::spit(p.network_file(), c.file);
        try {
            Load_PROFINET_Network_Project(p.network_file(), p.path(), l);
            ADD_FAILURE() << c.file;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    // An empty network and a comment among the devices.
    zvtest::spit(p.network_file(), "<PROFINET_Master_Network><Network><!--x--></Network></PROFINET_Master_Network>");
    l.clear();
    Load_PROFINET_Network_Project(p.network_file(), p.path(), l);
    EXPECT_TRUE(l.empty());

    // A copy that is not well-formed stops the reading; the first device stays.
    DeviceList two = two_devices(p);
    zvtest::spit(p.path() / "GSDML" / "bad.xml", "<ISO15745Profile>");
    std::string s = network_to_string(two);
    s = replace(s, "GSDML_FileName=\"" + zvtest::kTestGsdml + "\" NameOfStation=\"HEAD-B\"",
                "GSDML_FileName=\"bad.xml\" NameOfStation=\"HEAD-B\"");
    zvtest::spit(p.network_file(), s);
    l.clear();
    EXPECT_THROW(Load_PROFINET_Network_Project(p.network_file(), p.path(), l), Error);
    EXPECT_EQ(l.size(), 1u);
}

TEST(NetworkFile, ReplacedCopyWithOneSlotMoreDropsTheSlotChoices) {
    TestProject p;
    DeviceList l = two_devices(p);
    Save_PROFINET_Netword_Project(l, p.network_file());
    std::string g = zvtest::slurp(zvtest::profinet_fixture(zvtest::kTestGsdml));
    g = replace(g, "PhysicalSlots=\"0..3\"", "PhysicalSlots=\"0..4\"");
    zvtest::spit(p.path() / "GSDML" / zvtest::kTestGsdml, g);
    DeviceList back = load(p);
    ASSERT_EQ(back.size(), 2u);
    const TPROFINET_Device& a = *back[0];
    EXPECT_EQ(a.SlotList.size(), 6u);
    EXPECT_EQ(a.SlotList[1].Selected_Module, nullptr);  // as built, not as saved
    EXPECT_EQ(a.SlotList[2].SubSlotList[0].FMnemonic, "");
    EXPECT_EQ(a.FNameOfStation, "station-a");
    EXPECT_EQ(a.FIPAddress, "192.168.10.20");
    EXPECT_EQ(a.FUpdateTime, 3);
    EXPECT_EQ(a.FSendClock, 32);
    EXPECT_EQ(a.FReductionRadio, 8);
}

TEST(NetworkFile, TextsWithBlanksAndMarkupSurviveTheRoundTrip) {
    TestProject p;
    DeviceList l;
    l.push_back(p.device());
    const std::string odd = "a\tb\nc\r d <&> \"q\" 'x' \xC3\xA8";
    l[0]->FNameOfStation = odd;
    l[0]->SlotList[2].SubSlotList[0].FMnemonic = odd;
    l[0]->SlotList[2].SubSlotList[0].ParametersList[1].Parameters_List[0].FValue = odd;
    Save_PROFINET_Netword_Project(l, p.network_file());
    DeviceList back = load(p);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->FNameOfStation, odd);
    EXPECT_EQ(back[0]->SlotList[2].SubSlotList[0].FMnemonic, odd);
    EXPECT_EQ(back[0]->SlotList[2].SubSlotList[0].ParametersList[1].Parameters_List[0].FValue, odd);
}
