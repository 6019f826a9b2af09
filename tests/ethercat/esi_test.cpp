#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/test_support.h"
#include "ethercat/esi.h"
#include "ethercat/ethercat_files.h"
#include "shell/workspace.h"
#include "text/error.h"

namespace {

struct V {
    const char* enable;
    const char* type;
    const char* length;
    const char* name;
};

struct EsiTest : ::testing::Test {
    zvtest::TempDir dir;
    std::filesystem::path par_gen = dir / "ParGen.xml";
    std::filesystem::path slave = dir / "EtherCAT_Slave.xml";

    void vars(const std::vector<V>& stom, const std::vector<V>& mtos = {}) {
        zv::VariableLists l;
        auto conv = [](const std::vector<V>& in, std::vector<zv::VariableRow>& out) {
            for (const V& v : in) out.push_back({v.enable, v.type, v.length, v.name, "", "0", "0", "", ""});
        };
        conv(stom, l.Slave_To_Master);
        conv(mtos, l.Master_To_Slave);
        zv::write_variables_file(slave, l);
    }

    std::string esi() { return zv::esi_text(zv::Read_ESI_Data(par_gen, slave)); }

    // The lines between the last sync manager and the mailbox: the PDO blocks.
    static std::vector<std::string> pdo_lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t b = text.find("Inputs</Sm>\r\n");
        size_t e = text.find("        <Mailbox DataLinkLayer");
        if (b == std::string::npos || e == std::string::npos) return {"layout broken"};
        b += 13;
        for (size_t p = b; p < e;) {
            size_t n = text.find("\r\n", p);
            lines.push_back(text.substr(p, n - p));
            p = n + 2;
        }
        return lines;
    }

    static std::vector<std::string> entry(const std::string& index, int bits, const std::string& name, const std::string& type) {
        return {"          <Entry>",
                "            <Index>#x" + index + "</Index>",
                "            <SubIndex>0</SubIndex>",
                "            <BitLen>" + std::to_string(bits) + "</BitLen>",
                "            <Name>" + name + "</Name>",
                "            <DataType>" + type + "</DataType>",
                "          </Entry>",
                ""};
    }
    static std::vector<std::string> padding(int bits) {
        return {"\t\t\t\t\t<Entry>", "\t\t\t\t\t\t<Index>#x0</Index>", "\t\t\t\t\t\t<SubIndex>0</SubIndex>",
                "\t\t\t\t\t\t<BitLen>" + std::to_string(bits) + "</BitLen>", "\t\t\t\t\t</Entry>", ""};
    }
    static std::vector<std::string> pdo_open(bool rx, const std::string& index, const std::string& name) {
        return {std::string("        <") + (rx ? "RxPdo" : "TxPdo") + " Mandatory=\"true\" Fixed=\"true\" Sm=\"" +
                    (rx ? "2" : "3") + "\">",
                "          <Index>#x" + index + "</Index>", "          <Name>" + name + "</Name>", ""};
    }
    static std::vector<std::string> cat(std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> out;
        for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
        return out;
    }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    }
};

TEST_F(EsiTest, NewProjectGivesTheFixedFile) {
    const std::string text = esi();
    EXPECT_EQ(text, zvtest::slurp(ZV_FIXTURES "/ethercat/esi_new_project.xml"));
    // The picture is the same 690 digits in its three places.
    const std::string icon = zv::kEsiIcon;
    EXPECT_EQ(icon.size(), 690u);
    EXPECT_EQ(icon.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(count(text, "<ImageData16x14>" + icon + "</ImageData16x14>\r\n"), 3u);
    EXPECT_EQ(text.substr(text.size() - 17), "</EtherCATInfo>\r\n");
    EXPECT_EQ(count(text, "\n"), count(text, "\r\n"));
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(text.c_str()));
}

TEST_F(EsiTest, IdentityFromParGen) {
    zvtest::spit(par_gen,
                 "<Par><EtherCAT_Slave_Revision_Number>4660</EtherCAT_Slave_Revision_Number>"
                 "<EtherCAT_Slave_Name>Conv &amp; Co \"1\"</EtherCAT_Slave_Name>"
                 "<EtherCAT_Slave_Node_Address>258</EtherCAT_Slave_Node_Address></Par>");
    const std::string text = esi();
    const std::string name = "Conv &amp; Co &quot;1&quot;";
    EXPECT_NE(text.find("        <Type ProductCode=\"#x00000B57\" RevisionNo=\"#x1234\">" + name + "</Type>\r\n"
                        "        <Name LcId=\"1033\">" + name + "</Name>\r\n"
                        "        <Name LcId=\"1031\">" + name + "</Name>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("          <ConfigData>800F00CC8813ff00020100800000</ConfigData>\r\n"), std::string::npos);

    zvtest::spit(par_gen, "<Par><EtherCAT_Slave_Revision_Number>x</EtherCAT_Slave_Revision_Number>"
                          "<EtherCAT_Slave_Node_Address>-</EtherCAT_Slave_Node_Address></Par>");
    EXPECT_EQ(esi(), zvtest::slurp(ZV_FIXTURES "/ethercat/esi_new_project.xml"));
}

TEST_F(EsiTest, ThreeBoolsThenAnInt16) {
    vars({{"Y", "Bool", "1", "a"}, {"Y", "Bool", "1", "b"}, {"N", "Int8", "1", "off"}, {"Y", "Bool", "1", "c"},
          {"Y", "Int16", "2", "d"}});
    const std::string text = esi();
    EXPECT_NE(text.find("<Sm StartAddress=\"#x100C\" ControlByte=\"#x64\" DefaultSize=\"1\" Enable=\"1\">Outputs</Sm>"),
              std::string::npos);
    EXPECT_EQ(pdo_lines(text), cat({pdo_open(false, "1A00", "Inputs_000"), entry("6000", 1, "a", "BIT"),
                                    entry("6001", 1, "b", "BIT"), entry("6002", 1, "c", "BIT"), padding(5),
                                    entry("6003", 16, "d", "INT"), {"        </TxPdo>"}}));
}

TEST_F(EsiTest, BoolRunsArePaddedToAByte) {
    std::vector<V> eight(8, {"Y", "Bool", "1", "b"});
    vars(eight);
    EXPECT_EQ(count(esi(), "<Index>#x0</Index>"), 0u);
    std::vector<V> nine(9, {"Y", "bool", "1", "b"});  // the case of a hand-edited type does not matter
    vars({}, nine);
    const auto lines = pdo_lines(esi());
    const auto pad = padding(7);
    ASSERT_GE(lines.size(), pad.size() + 1);
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(pad.size()) - 1, lines.end() - 1), pad);
    EXPECT_EQ(count(esi(), "<Index>#x0</Index>"), 1u);
    EXPECT_NE(esi().find("<Sm StartAddress=\"#x1000\" ControlByte=\"#x64\""), std::string::npos);  // T counts inputs only
}

TEST_F(EsiTest, SeventeenVariablesMakeTwoPdos) {
    std::vector<V> many(17, {"Y", "UInt8", "1", "v"});
    vars(many, {{"Y", "UInt32", "4", "o"}});
    const std::string text = esi();
    std::vector<std::vector<std::string>> parts = {pdo_open(true, "1600", "Outputs_000"), entry("7000", 32, "o", "UDINT"),
                                                   {"        </RxPdo>"}, pdo_open(false, "1A00", "Inputs_000")};
    for (int i = 0; i < 16; ++i) {
        char idx[8];
        std::snprintf(idx, sizeof idx, "%04X", 0x6000 + i);
        parts.push_back(entry(idx, 8, "v", "USINT"));
    }
    parts.push_back({"        </TxPdo>"});
    parts.push_back(pdo_open(false, "1A01", "Inputs_001"));
    parts.push_back(entry("6010", 8, "v", "USINT"));
    parts.push_back({"        </TxPdo>"});
    std::vector<std::string> expect;
    for (const auto& p : parts) expect.insert(expect.end(), p.begin(), p.end());
    EXPECT_EQ(pdo_lines(text), expect);
    // T = 17, so the outputs start at 0x1000 + 52.
    EXPECT_NE(text.find("StartAddress=\"#x1034\" ControlByte=\"#x64\""), std::string::npos);
}

TEST_F(EsiTest, DataTypes) {
    struct Case {
        const char* type;
        const char* length;
        const char* data_type;
        long long bits;
    };
    const std::vector<Case> cases = {
        {"Bool", "1", "BIT", 1},        {"Int8", "1", "SINT", 8},     {"Int16", "2", "INT", 16},
        {"Int32", "4", "DINT", 32},     {"UInt8", "1", "USINT", 8},   {"UInt16", "2", "UINT", 16},
        {"UInt32", "4", "UDINT", 32},   {"Float32", "4", "REAL", 32}, {" float32 ", "4", "REAL", 32},
        {"String", "10", "STRING(10)", 88}, {"Array", "4", "ARRAY [0..3] OF BYTE", 32}, {"Array", "x", "ARRAY [0..-1] OF BYTE", 0},
        {"Word", "2", "BIT", 1},        {"", "", "BIT", 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.type);
        const zv::TEtherCAT_Rule r = zv::ESI_Data_Type(k.type, k.length);
        EXPECT_EQ(r.DataType, k.data_type);
        EXPECT_EQ(r.Length, k.bits);
    }
    // A String counts its Length in the input total, not Length + 1.
    vars({{"Y", "String", "10", "s"}, {"Y", "Array", "4", "a"}});
    const zv::EsiData d = zv::Read_ESI_Data(par_gen, slave);
    EXPECT_EQ(d.T, 14);
    EXPECT_EQ(zv::sm2_start_address(d.T), 0x1000 + 44);
    EXPECT_EQ(pdo_lines(esi()), cat({pdo_open(false, "1A00", "Inputs_000"), entry("6000", 88, "s", "STRING(10)"),
                                     entry("6001", 32, "a", "ARRAY [0..3] OF BYTE"), {"        </TxPdo>"}}));
}

TEST_F(EsiTest, NamesAreEscapedAndWrittenAsUtf8) {
    vars({{"Y", "Int8", "1", "a<b & 'c' \"d\" >"}, {"Y", "Int8", "1", "M\xC3\xBCller \xE2\x82\xAC"},
          {"Y", "Int8", "1", "bad\xFF" "byte\x01"}});
    const std::string text = esi();
    EXPECT_NE(text.find("<Name>a&lt;b &amp; &apos;c&apos; &quot;d&quot; &gt;</Name>"), std::string::npos);
    EXPECT_NE(text.find("<Name>M\xC3\xBCller \xE2\x82\xAC</Name>"), std::string::npos);
    EXPECT_NE(text.find("<Name>bad\xEF\xBF\xBD" "byte</Name>"), std::string::npos);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(text.c_str()));
    auto pdo = doc.child("EtherCATInfo").child("Descriptions").child("Devices").child("Device").child("TxPdo");
    EXPECT_STREQ(pdo.child("Entry").child_value("Name"), "a<b & 'c' \"d\" >");
}

TEST_F(EsiTest, EnabledRowsOnlyAndErrors) {
    // Only Enable="Y" counts; entry indexes count enabled rows only.
    zvtest::spit(slave, "<S><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Type=\"Int8\" Name=\"none\"/>"
                        "<row Enable=\"y\" Type=\"Int8\" Name=\"lower\"/><row Enable=\"Y\" Type=\"Int8\" Name=\"yes\"/>"
                        "</EtherCAT_Slave_To_Master></EtherCAT_Slave_Variables></S>");
    EXPECT_EQ(pdo_lines(esi()), cat({pdo_open(false, "1A00", "Inputs_000"), entry("6000", 8, "yes", "SINT"), {"        </TxPdo>"}}));

    zvtest::spit(slave, "<S><EtherCAT_Slave_Variables>");
    EXPECT_THROW(esi(), zv::Error);
    zvtest::spit(slave, "");
    zvtest::spit(par_gen, "<Par>");
    EXPECT_THROW(esi(), zv::Error);
    std::filesystem::remove(par_gen);

    std::vector<V> too_many(257, {"Y", "Int8", "1", "v"});
    vars({}, too_many);
    try {
        esi();
        FAIL();
    } catch (const zv::Error& e) {
        EXPECT_NE(std::string(e.what()).find("Master To Slave"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("EtherCAT_Slave.xml"), std::string::npos);
    }
    too_many.push_back({"N", "Int8", "1", "v"});
    too_many.resize(256);
    vars(too_many);
    EXPECT_NO_THROW(esi());
}

TEST_F(EsiTest, WriteReplacesTheFileAtomically) {
    const auto out = dir / "device.xml";
    zvtest::spit(out, "old");
    zv::Write_ESI_File(zv::Read_ESI_Data(par_gen, slave), out);
    EXPECT_EQ(zvtest::slurp(out), zvtest::slurp(ZV_FIXTURES "/ethercat/esi_new_project.xml"));
    EXPECT_THROW(zv::Write_ESI_File({}, dir / "missing" / "x.xml"), zv::Error);
}

TEST_F(EsiTest, ButtonAddsXmlAndAsksBeforeOverwriting) {
    zv::ShellState s;
    s.Project_Path = dir.path;
    zv::Set_Files(s);
    zv::StringTable t;
    t.Build_Table();
    zvtest::ScriptedPrompter p;
    vars({{"Y", "Int8", "1", "v"}});
    const std::string expected = esi();

    EXPECT_TRUE(zv::Create_ESI_File(s, dir / "device", t, p));
    EXPECT_EQ(zvtest::slurp(dir / "device.xml"), expected);
    EXPECT_TRUE(p.shown.empty());

    zvtest::spit(dir / "device.xml", "keep");
    p.answers = {false};
    EXPECT_FALSE(zv::Create_ESI_File(s, dir / "device", t, p));
    EXPECT_EQ(p.shown.back(), (zvtest::ScriptedPrompter::Shown{"confirm", "File already exists. Do you want to overwrite?"}));
    EXPECT_EQ(zvtest::slurp(dir / "device.xml"), "keep");
    p.answers = {true};
    EXPECT_TRUE(zv::Create_ESI_File(s, dir / "device.xml", t, p));
    EXPECT_EQ(zvtest::slurp(dir / "device.xml"), expected);
    EXPECT_EQ(zv::esi_file_name("a.b/esi"), "a.b/esi.xml");
    EXPECT_EQ(zv::esi_file_name("esi.txt"), "esi.txt");
}

}  // namespace
