#include <gtest/gtest.h>

#include <functional>

#include "compiler/bank1.h"
#include "compiler_fixture.h"
#include "params/par_gen.h"
#include "text/error.h"

namespace {

using zvtest::Bytes;

// Bank 1 of a project without ParGen.xml, before its checksum.
Bytes reset_bank1() {
    Bytes g(2048);
    g.u32(0, 125000);
    g.u32(4, 125000);
    g.u32(12, 9600);
    g.octets(40, 192, 168, 2, 205);
    g.octets(44, 255, 255, 255, 0);
    g.octets(48, 255, 255, 255, 255);
    g.u16(52, 5000);
    g.u16(54, 10001);
    g.u16(56, 10001);
    g.u32(1560, 0);
    g.u32(1564, 0x80000);
    g.u32(1776, 0xA0000);
    return g;
}

// What every existing ParGen.xml changes, whatever it holds.
Bytes file_bank1() {
    Bytes g = reset_bank1();
    g.text(1644, "1.006");
    g.octets(40, 192, 168, 0, 10);
    g.text(80, "devicename1");
    g.text(1396, "devicename1");
    return g;
}

std::string with_checksum(Bytes g) {
    uint32_t sum = 0;
    for (size_t i = 0; i < 2044; ++i) sum += static_cast<uint8_t>(g.b[i]);
    g.u32(2044, sum);
    return g.b;
}

TEST(Bank1, WithoutParGenItHoldsTheResetRecord) {
    zvtest::ProjectFixture p;
    p.c.Compile_Banks(p.s);
    const std::string& b1 = p.c.images()[0];
    EXPECT_TRUE(zvtest::same_bytes(b1, with_checksum(reset_bank1())));
    // The identity of bank 3 stays reset too: no EEPROM bytes, node address 0.
    EXPECT_EQ(p.c.images()[2].substr(0, 20), std::string(20, '\0'));
}

TEST(Bank1, EditorDefaultsGiveTheDocumentedBytes) {
    zvtest::ProjectFixture p;
    zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{});
    p.c.Compile_Banks(p.s);
    const std::string& b1 = p.c.images()[0];
    EXPECT_TRUE(zvtest::same_bytes(b1, with_checksum(file_bank1())));
    EXPECT_EQ(b1.substr(40, 12), std::string("\xC0\xA8\x00\x0A\xFF\xFF\xFF\x00\xFF\xFF\xFF\xFF", 12));
    EXPECT_EQ(b1.substr(80, 16), std::string("devicename1\0\0\0\0\0", 16));
    EXPECT_EQ(b1.substr(1644, 8), std::string("\x31\x2E\x30\x30\x36\0\0\0", 8));
}

TEST(Bank1, ParGenValuesReachTheirFields) {
    struct Row {
        const char* what;
        std::string inner;
        std::function<void(Bytes&)> expect;
    };
    const std::string dns =
        "<Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>2</Eth_Conn_Primary_DNS2>"
        "<Eth_Conn_Primary_DNS3>3</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>4</Eth_Conn_Primary_DNS4>"
        "<Eth_Conn_Secondary_DNS1>5</Eth_Conn_Secondary_DNS1><Eth_Conn_Secondary_DNS2>6</Eth_Conn_Secondary_DNS2>"
        "<Eth_Conn_Secondary_DNS3>7</Eth_Conn_Secondary_DNS3><Eth_Conn_Secondary_DNS4>8</Eth_Conn_Secondary_DNS4>";
    const std::string gat =
        "<PROFINET_Master_GAT1>10</PROFINET_Master_GAT1><PROFINET_Master_GAT2>0</PROFINET_Master_GAT2>"
        "<PROFINET_Master_GAT3>0</PROFINET_Master_GAT3><PROFINET_Master_GAT4>254</PROFINET_Master_GAT4>";
    const std::string host40(40, 'h');
    const std::vector<Row> rows = {
        {"empty parameter element", "", [](Bytes&) {}},
        {"DHCP on", "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>",
         [](Bytes& g) { g.u16(1256, 1); }},
        {"DHCP true is off", "<Eth_Conn_DHCP_Cable>true</Eth_Conn_DHCP_Cable>", [](Bytes&) {}},
        {"DNS on with values", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>" + dns,
         [](Bytes& g) {
             g.octets(1420, 1, 2, 3, 4);
             g.octets(1340, 5, 6, 7, 8);
         }},
        {"DNS on, elements missing", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>",
         [](Bytes& g) {
             g.octets(1420, 8, 8, 8, 8);
             g.octets(1340, 8, 8, 4, 4);
         }},
        {"DNS off ignores values", "<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>" + dns, [](Bytes&) {}},
        {"gateway on with values", "<PROFINET_Master_EN_GAT>1</PROFINET_Master_EN_GAT>" + gat,
         [](Bytes& g) { g.octets(48, 10, 0, 0, 254); }},
        {"gateway on, elements missing", "<PROFINET_Master_EN_GAT>1</PROFINET_Master_EN_GAT>",
         [](Bytes& g) { g.octets(48, 192, 168, 0, 1); }},
        {"gateway off ignores values", gat, [](Bytes&) {}},
        {"octets: 300, -1, letters, leading zero",
         "<PROFINET_Master_IP1>300</PROFINET_Master_IP1><PROFINET_Master_IP2>-1</PROFINET_Master_IP2>"
         "<PROFINET_Master_IP3>x</PROFINET_Master_IP3><PROFINET_Master_IP4>010</PROFINET_Master_IP4>"
         "<PROFINET_Master_SM4> 7</PROFINET_Master_SM4>",
         [](Bytes& g) { g.octets(40, 44, 255, 0, 10); }},
        {"only IP4", "<PROFINET_Master_IP4>20</PROFINET_Master_IP4>", [](Bytes& g) { g.octets(40, 192, 168, 0, 20); }},
        {"host name of 40 characters", "<Eth_Conn_Device_Name>" + host40 + "</Eth_Conn_Device_Name>",
         [&](Bytes& g) { g.text(1300, host40.substr(0, 31)); }},
        {"host name with a non-ASCII character", "<Eth_Conn_Device_Name>caf\xC3\xA9</Eth_Conn_Device_Name>",
         [](Bytes& g) { g.text(1300, "caf\xE9"); }},
        {"names of 15 characters fit",
         "<PROFINET_Master_NAME_STA>abcdefghijklmno</PROFINET_Master_NAME_STA>"
         "<EtherCAT_Slave_Name>ABCDEFGHIJKLMNO</EtherCAT_Slave_Name>",
         [](Bytes& g) {
             g.text(80, "abcdefghijklmno");
             g.text(1396, "ABCDEFGHIJKLMNO");
         }},
        {"empty names stay empty",
         "<PROFINET_Master_NAME_STA></PROFINET_Master_NAME_STA><EtherCAT_Slave_Name/>",
         [](Bytes& g) {
             g.text(80, std::string(16, '\0'));
             g.text(1396, std::string(16, '\0'));
         }},
    };
    for (const Row& r : rows) {
        zvtest::ProjectFixture p;
        p.par_gen(r.inner);
        p.c.Compile_Banks(p.s);
        Bytes expected = file_bank1();
        r.expect(expected);
        EXPECT_TRUE(zvtest::same_bytes(p.c.images()[0], with_checksum(expected))) << r.what;
        EXPECT_TRUE(zvtest::decodes_cleanly(1, p.c.images()[0])) << r.what;
    }
}

TEST(Bank1, ALeadingCommentHidesNoValue) {
    zvtest::ProjectFixture p;
    const std::string body = "<Par_Gen><PROFINET_Master_IP4>20</PROFINET_Master_IP4></Par_Gen>";
    zvtest::spit(p.s.File_ParGen, body);
    p.c.Compile_Banks(p.s);
    const auto plain = p.c.images()[0];
    zvtest::spit(p.s.File_ParGen, "<!--x-->" + body);
    p.c.Compile_Banks(p.s);
    EXPECT_TRUE(zvtest::same_bytes(p.c.images()[0], plain));
    EXPECT_FALSE(zvtest::same_bytes(p.c.images()[0], with_checksum(file_bank1())));
}

TEST(Bank1, ChecksumIsTheSumOfTheFirst2044Bytes) {
    zv::TGeneral_Param g;
    zv::Reset_General(g);
    std::string a, b;
    zv::Serialize_Bank1(g, a, 0, 131071);
    g.bytes[7] = 0x10;  // a reserved byte
    EXPECT_EQ(zv::Serialize_Bank1(g, b, 0, 131071), 2048u);
    Bytes ia{}, ib{};
    ia.b = a;
    ib.b = b;
    EXPECT_EQ(ib.get_u32(2044), ia.get_u32(2044) + 0x10);
    uint32_t sum = 0;
    for (size_t i = 0; i < 2044; ++i) sum += static_cast<uint8_t>(b[i]);
    EXPECT_EQ(ib.get_u32(2044), sum);
}

TEST(Bank1, EepromConfigPieces) {
    struct Row {
        std::string text;
        std::vector<uint8_t> bytes;
    };
    for (const Row& r : std::vector<Row>{
             {zv::kDefaultEepromConfig, {0x80, 0x0F, 0x00, 0xCC, 0x88, 0x13, 0xFF, 0, 0, 0, 0, 0x80, 0, 0}},
             {"zz0F1", {0x0F, 0x01}},
             {"g10F1", {0x0F, 0x01}},  // "g1" holds a letter that is no hexadecimal digit
             {"", {}},
             {"0 0F", {0x0F}},
             {"abC", {0xAB, 0x0C}},
             {"-1ff", {0xFF}},
         }) {
        EXPECT_EQ(zv::eeprom_config_bytes(r.text), r.bytes) << r.text;
    }
}

TEST(Bank1, ParGenIdentityReachesTheBank3Header) {
    zvtest::ProjectFixture p;
    p.par_gen("<EtherCAT_Slave_Eeprom_Config>0102</EtherCAT_Slave_Eeprom_Config>"
              "<EtherCAT_Slave_Revision_Number>4294967295</EtherCAT_Slave_Revision_Number>"
              "<EtherCAT_Slave_Node_Address>65537</EtherCAT_Slave_Node_Address>"
              "<EtherCAT_Slave_Clear_Data>1</EtherCAT_Slave_Clear_Data>");
    p.c.Compile_Banks(p.s);
    const std::string h = p.c.images()[2].substr(0, 40);
    EXPECT_EQ(h.substr(0, 17), std::string("\x01\x02\0\0\0\0\0\0\0\0\0\0\0\0\x01\x00\x01", 17));
    EXPECT_EQ(h.substr(24, 4), "\xFF\xFF\xFF\xFF");
}

TEST(Bank1, FieldsThatDoNotFitAreRejectedNamingTheElement) {
    struct Row {
        std::string inner;
        const char* element;
    };
    for (const Row& r : std::vector<Row>{
             {"<PROFINET_Master_NAME_STA>abcdefghijklmnop</PROFINET_Master_NAME_STA>", "PROFINET_Master_NAME_STA"},
             {"<EtherCAT_Slave_Name>ABCDEFGHIJKLMNOP</EtherCAT_Slave_Name>", "EtherCAT_Slave_Name"},
             {"<EtherCAT_Slave_Eeprom_Config>800F00CC8813ff0000000080000001</EtherCAT_Slave_Eeprom_Config>",
              "EtherCAT_Slave_Eeprom_Config"},
         }) {
        zvtest::ProjectFixture p;
        p.par_gen(r.inner);
        try {
            p.c.Compile_Banks(p.s);
            ADD_FAILURE() << r.element;
        } catch (const zv::Error& e) {
            EXPECT_NE(std::string(e.what()).find(r.element), std::string::npos) << e.what();
        }
        EXPECT_TRUE(p.c.images()[0].empty());
    }
    // 28 digits with skipped pieces around them still fit.
    zvtest::ProjectFixture p;
    p.par_gen("<EtherCAT_Slave_Eeprom_Config>zz800F00CC8813ff00000000800000</EtherCAT_Slave_Eeprom_Config>");
    EXPECT_NO_THROW(p.c.Compile_Banks(p.s));
}

}  // namespace
