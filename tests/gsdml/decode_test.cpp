// Decoding whole files: required elements at every level, files that are not
// well-formed, the file name rule, encodings and namespaces.
#include <gtest/gtest.h>

#include "gsdml/gsdml_test_support.h"
#include "text/error.h"

using namespace zv;
using gsdtest::replaced;

namespace {
const std::string kMinimal = gsdtest::fixture_text("GSDML-minimal.xml");
}

TEST(Decode, MinimalFileAndNameFields) {
    TGSDML g;
    const std::string folder = gsdtest::fixture("").string();  // ends with the separator
    ASSERT_TRUE(g.Decode_GSDML(folder, "GSDML-minimal.xml")) << g.Decode_Failure;
    EXPECT_EQ(g.FGSDML_FileName, "GSDML-minimal.xml");
    EXPECT_EQ(g.FGSDML_Path, folder);
    EXPECT_EQ(g.ProfileBody.DeviceIdentity.FVendorID, 0xAA);
    EXPECT_EQ(g.ProfileBody.DeviceFunction.Family.FProductFamily, "Small");
    EXPECT_EQ(g.ProfileHeader.FProfileRevision, "1.00");
    EXPECT_EQ(g.GetString_ExternalTextList("T_M1"), "Module one");
}

TEST(Decode, FolderAndNameAreRunTogether) {
    TGSDML g;
    std::string folder = gsdtest::fixture("").string();
    folder.pop_back();  // no trailing separator: ".../gsdmlGSDML-minimal.xml" does not exist
    EXPECT_FALSE(g.Decode_GSDML(folder, "GSDML-minimal.xml"));
    EXPECT_EQ(g.FGSDML_FileName, "") << "left untouched";
    EXPECT_FALSE(g.Decode_GSDML(gsdtest::fixture("").string(), "GSDML-none.xml"));
    EXPECT_FALSE(g.Decode_GSDML(gsdtest::fixture("").parent_path().parent_path().string() + "/", "gsdml"))
        << "a folder is not a file";
}

// The file with the n-th element `tag` (0 = first) renamed to tagX, so it is
// still well-formed but that element is gone.
std::string without(std::string text, const std::string& tag, int nth = 0) {
    size_t at = std::string::npos, from = 0;
    for (int i = 0; i <= nth; ++i) {
        at = text.find("<" + tag, from);
        while (at != std::string::npos && text[at + 1 + tag.size()] != ' ' && text[at + 1 + tag.size()] != '>' &&
               text[at + 1 + tag.size()] != '/')
            at = text.find("<" + tag, at + 1);
        if (at == std::string::npos) break;
        from = at + 1;
    }
    EXPECT_NE(at, std::string::npos) << tag;
    if (at == std::string::npos) return text;
    size_t gt = text.find('>', at);
    text.insert(at + 1 + tag.size(), "X");
    if (text[gt] != '/') {  // gt is now one before '>' of the opening tag
        size_t close = text.find("</" + tag + ">", gt);
        if (close != std::string::npos) text.insert(close + 2 + tag.size(), "X");
    }
    return text;
}

TEST(Decode, MissingRequiredElementAtEveryLevel) {
    struct Case {
        const char* tag;
        int nth;
        const char* what;
    } cases[] = {
        {"ISO15745Profile", 0, "root"},
        {"ProfileHeader", 0, "header"},
        {"ProfileBody", 0, "body"},
        {"DeviceIdentity", 0, "identity"},
        {"DeviceFunction", 0, "function"},
        {"Family", 0, "family"},
        {"ApplicationProcess", 0, "application process"},
        {"DeviceAccessPointList", 0, "access point list"},
        {"ExternalTextList", 0, "texts"},
        {"ModuleInfo", 0, "access point's module info"},
        {"Name", 0, "access point's name"},
        {"InfoText", 0, "access point's info text"},
        {"IOConfigData", 0, "io config"},
        {"ModuleInfo", 1, "module's module info"},
        {"IOData", 0, "submodule's io data"},
    };
    zvtest::TempDir dir;
    for (const Case& c : cases) {
        TGSDML g;
        EXPECT_FALSE(gsdtest::decode_bytes(g, dir, without(kMinimal, c.tag, c.nth))) << c.what;
        EXPECT_NE(g.Decode_Failure.find(std::string("element ") + c.tag + " is missing"), std::string::npos)
            << c.what << ": " << g.Decode_Failure;
    }
}

TEST(Decode, ItemFailuresFailTheFileButIgnoredChildrenDoNot) {
    zvtest::TempDir dir;
    struct Case {
        const char* what;
        std::string from, to;
        bool decodes;
    } cases[] = {
        {"channel without Data",
         "<DataItem DataType=\"Unsigned8\" TextId=\"T_In\"/>",
         "<DataItem DataType=\"Unsigned8\" TextId=\"T_In\"/><Channel Number=\"1\"/>", false},
        {"port delay not a number in the submodule list",
         "<ExternalTextList>",
         "<SubmoduleList><PortSubmoduleItem ID=\"P\" MaxPortRxDelay=\"fast\"/></SubmoduleList><ExternalTextList>",
         false},
        {"port delay not a number under an access point (ignored there)",
         "<IOConfigData MaxInputLength=\"10\" MaxOutputLength=\"10\"/>",
         "<IOConfigData/><SystemDefinedSubmoduleList><InterfaceSubmoduleItem ID=\"IF\"/>"
         "<PortSubmoduleItem ID=\"P\" MaxPortTxDelay=\"1.5\"/></SystemDefinedSubmoduleList>",
         true},
        {"measurement number not a number",
         "<IOData>",
         "<PROFIenergy><MeasurementList><MeasurementItem Number=\"n\"/></MeasurementList></PROFIenergy><IOData>",
         false},
        {"diagnosis without Name",
         "<ExternalTextList>",
         "<ChannelDiagList><ChannelDiagItem ErrorType=\"1\"/></ChannelDiagList><ExternalTextList>", false},
        {"safety record without F_SIL (ignored by its list)",
         "<IOData>",
         "<RecordDataList><F_ParameterRecordDataItem F_ParamDescCRC=\"1\"><F_Check_iPar/></F_ParameterRecordDataItem>"
         "</RecordDataList><IOData>",
         true},
    };
    for (const Case& c : cases) {
        std::string text = replaced(kMinimal, c.from, c.to);
        TGSDML g;
        EXPECT_EQ(gsdtest::decode_bytes(g, dir, text), c.decodes) << c.what << ": " << g.Decode_Failure;
        if (c.decodes) {
            EXPECT_EQ(g.Decode_Failure, "") << c.what;
        }
    }
}

TEST(Decode, WithoutPrimaryLanguageEveryLookupGivesTheId) {
    zvtest::TempDir dir;
    std::string text = without(kMinimal, "PrimaryLanguage");
    TGSDML g;
    ASSERT_TRUE(gsdtest::decode_bytes(g, dir, text));
    EXPECT_EQ(g.GetString_ExternalTextList("T_M1"), "T_M1");
}

TEST(Decode, SafetyParametersKeepTheirOwnDefaults) {
    zvtest::TempDir dir;
    std::string record =
        "<RecordDataList><F_ParameterRecordDataItem F_ParamDescCRC=\"0x1234\" Index=\"100\">"
        "<F_Check_iPar/><F_SIL DefaultValue=\"SIL2\"/><F_CRC_Length/><F_Block_ID DefaultValue=\"3\"/>"
        "<F_Par_Version/><F_Source_Add DefaultValue=\"0x10\" Changeable=\"false\"/><F_Dest_Add/><F_WD_Time/>"
        "<F_Par_CRC/><F_iPar_CRC DefaultValue=\"0xFFFFFFFF\"/></F_ParameterRecordDataItem></RecordDataList><IOData>";
    TGSDML g;
    ASSERT_TRUE(gsdtest::decode_bytes(g, dir, replaced(kMinimal, "<IOData>", record))) << g.Decode_Failure;
    const auto& vs = g.ProfileBody.ApplicationProcess.ModuleList->ModuleItemList[0]
                         .VirtualSubmoduleList->VirtualSubmoduleItelList[0];
    ASSERT_TRUE(vs.RecordDataList && vs.RecordDataList->F_ParameterRecordDataItem);
    const TF_ParameterRecordDataItem& f = *vs.RecordDataList->F_ParameterRecordDataItem;
    EXPECT_EQ(f.FF_ParamDescCRC, 0x1234);
    EXPECT_EQ(f.F_SIL.FDefaultValue, "SIL2");
    EXPECT_TRUE(f.F_SIL.FChangeable);
    EXPECT_FALSE(f.F_Check_iPar.FVisible);
    EXPECT_TRUE(f.F_Block_ID.FVisible);
    EXPECT_FALSE(f.F_Block_ID.FChangeable);
    EXPECT_EQ(f.F_Block_ID.FDefaultValue, 3);
    EXPECT_EQ(f.F_Source_Add.FDefaultValue, 16);
    EXPECT_FALSE(f.F_Source_Add.FChangeable);
    EXPECT_FALSE(f.F_CRC_Seed) << "optional and absent";
    ASSERT_TRUE(f.F_iPar_CRC);
    EXPECT_EQ(f.F_iPar_CRC->FDefaultValue, 0xFFFFFFFFu);
}

TEST(Decode, NotWellFormedRaisesWithPosition) {
    TGSDML g;
    try {
        decode_gsdml_file(g, gsdtest::fixture("not-well-formed.xml"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("not-well-formed.xml"), std::string::npos) << m;
        EXPECT_NE(m.find("line 4"), std::string::npos) << m;
    }
}

TEST(Decode, EncodingsReachTheUserAsTheRightCharacters) {
    // "Gerät" and "±" in the file's own encoding; the model always holds UTF-8.
    const std::string utf8_text = "Ger\xC3\xA4t \xC2\xB1";
    const std::string latin1_text = "Ger\xE4t \xB1";
    auto doc = [&](const std::string& decl, const std::string& value, const std::string& eol) {
        std::string t = replaced(kMinimal, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n", decl);
        t = replaced(t, "Value=\"Module one\"", "Value=\"" + value + "\"");
        std::string out;
        for (char c : t) out += c == '\n' ? eol : std::string(1, c);
        return out;
    };
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8 declared", doc("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", utf8_text, "\n")},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + doc("<?xml version=\"1.0\"?>\r\n", utf8_text, "\r\n")},
        {"UTF-8 without declaration", doc("", utf8_text, "\n")},
        {"ISO-8859-1 declared, CR LF", doc("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n", latin1_text, "\r\n")},
        {"iso-8859-1 in single quotes", doc("<?xml version='1.0' encoding='iso-8859-1'?>\n", latin1_text, "\n")},
        {"windows-1252 declared", doc("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n", latin1_text, "\n")},
        {"Latin-1 bytes without declaration", doc("", latin1_text, "\r\n")},
        {"Latin-1 bytes declared UTF-8", doc("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n", latin1_text, "\n")},
    };
    zvtest::TempDir dir;
    for (const Case& c : cases) {
        TGSDML g;
        ASSERT_TRUE(gsdtest::decode_bytes(g, dir, c.bytes)) << c.what << ": " << g.Decode_Failure;
        EXPECT_EQ(g.GetString_ExternalTextList("T_M1"), utf8_text) << c.what;
    }
}

TEST(Decode, Utf16WithByteOrderMark) {
    std::string t = replaced(kMinimal, "encoding=\"utf-8\"", "encoding=\"UTF-16\"");
    t = replaced(t, "Value=\"Module one\"", "Value=\"Ger\xC3\xA4t\"");
    std::string bytes = "\xFF\xFE";
    for (size_t i = 0; i < t.size();) {
        auto b = static_cast<unsigned char>(t[i]);
        char16_t u = b < 0x80 ? b : static_cast<char16_t>(((b & 0x1F) << 6) | (static_cast<unsigned char>(t[i + 1]) & 0x3F));
        i += b < 0x80 ? 1 : 2;
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    zvtest::TempDir dir;
    TGSDML g;
    ASSERT_TRUE(gsdtest::decode_bytes(g, dir, bytes)) << g.Decode_Failure;
    EXPECT_EQ(g.GetString_ExternalTextList("T_M1"), "Ger\xC3\xA4t");
}

TEST(Decode, ChildrenAreFoundByLocalNameInTheParentsNamespace) {
    zvtest::TempDir dir;
    const std::string ns = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";
    // A prefix bound to the same namespace is found ...
    std::string same = replaced(kMinimal, "<ISO15745Profile xmlns=\"" + ns + "\">",
                                "<ISO15745Profile xmlns=\"" + ns + "\" xmlns:g=\"" + ns + "\">");
    same = replaced(replaced(same, "<ProfileHeader>", "<g:ProfileHeader>"), "</ProfileHeader>", "</g:ProfileHeader>");
    TGSDML g1;
    EXPECT_TRUE(gsdtest::decode_bytes(g1, dir, same)) << g1.Decode_Failure;
    // ... one bound to another namespace is not.
    std::string other = replaced(kMinimal, "<ProfileBody>", "<o:ProfileBody xmlns:o=\"urn:other\">");
    other = replaced(other, "</ProfileBody>", "</o:ProfileBody>");
    TGSDML g2;
    EXPECT_FALSE(gsdtest::decode_bytes(g2, dir, other));
    // An unprefixed child that declares another default namespace is not either.
    std::string redeclared = replaced(kMinimal, "<DeviceFunction>", "<DeviceFunction xmlns=\"urn:other\">");
    TGSDML g3;
    EXPECT_FALSE(gsdtest::decode_bytes(g3, dir, redeclared));
    EXPECT_NE(g3.Decode_Failure.find("DeviceFunction"), std::string::npos) << g3.Decode_Failure;
}

TEST(Decode, DemoLatin1FileWithCrLf) {
    TGSDML g;
    const auto demo = std::filesystem::path(ZV_SOURCE_DIR) / "demo" / "PROFINET_Catalog";
    ASSERT_TRUE(decode_gsdml_file(g, demo / "GSDML-V2.34-Kestrel-KD4-20240915.xml")) << g.Decode_Failure;
    EXPECT_EQ(g.GetString_ExternalTextList("T_DAP_Info"), "Servo drive with one port; speed control, 0...100 % torque \xC2\xB1 5 %");
    const auto& de = g.ProfileBody.ApplicationProcess.ExternalTextList->LanguageList.at(0);
    bool found = false;
    for (const TTextItem& t : de.TextList) found |= t.FValue == "Rampe abw\xC3\xA4rts";
    EXPECT_TRUE(found);
}
