#include <gtest/gtest.h>

#include "common/test_support.h"
#include "params/par_gen.h"
#include "text/error.h"

namespace {

using zv::ParGenValues;

std::string par_gen(const std::string& inner) { return "<Par_Gen>" + inner + "</Par_Gen><!--SW_VERSION = 1.006-->"; }

TEST(ParGenFile, WritesTheThirtyElementsInOrderThenTheVersionComment) {
    ParGenValues v;
    v.device_name = "plc";
    v.dhcp_cable = true;
    v.ip[3] = "010";
    EXPECT_EQ(zv::par_gen_xml(v),
              "<Par_Gen><Eth_Conn_Device_Name>plc</Eth_Conn_Device_Name><Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>"
              "<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi><Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
              "<Eth_Conn_Primary_DNS1>8</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>8</Eth_Conn_Primary_DNS2>"
              "<Eth_Conn_Primary_DNS3>8</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>8</Eth_Conn_Primary_DNS4>"
              "<Eth_Conn_Secondary_DNS1>8</Eth_Conn_Secondary_DNS1><Eth_Conn_Secondary_DNS2>8</Eth_Conn_Secondary_DNS2>"
              "<Eth_Conn_Secondary_DNS3>4</Eth_Conn_Secondary_DNS3><Eth_Conn_Secondary_DNS4>4</Eth_Conn_Secondary_DNS4>"
              "<PROFINET_Master_IP1>192</PROFINET_Master_IP1><PROFINET_Master_IP2>168</PROFINET_Master_IP2>"
              "<PROFINET_Master_IP3>0</PROFINET_Master_IP3><PROFINET_Master_IP4>010</PROFINET_Master_IP4>"
              "<PROFINET_Master_SM1>255</PROFINET_Master_SM1><PROFINET_Master_SM2>255</PROFINET_Master_SM2>"
              "<PROFINET_Master_SM3>255</PROFINET_Master_SM3><PROFINET_Master_SM4>0</PROFINET_Master_SM4>"
              "<PROFINET_Master_GAT1>192</PROFINET_Master_GAT1><PROFINET_Master_GAT2>168</PROFINET_Master_GAT2>"
              "<PROFINET_Master_GAT3>0</PROFINET_Master_GAT3><PROFINET_Master_GAT4>1</PROFINET_Master_GAT4>"
              "<PROFINET_Master_EN_GAT>0</PROFINET_Master_EN_GAT>"
              "<PROFINET_Master_NAME_STA>devicename1</PROFINET_Master_NAME_STA>"
              "<EtherCAT_Slave_Revision_Number>0</EtherCAT_Slave_Revision_Number>"
              "<EtherCAT_Slave_Name>devicename1</EtherCAT_Slave_Name>"
              "<EtherCAT_Slave_Node_Address>1</EtherCAT_Slave_Node_Address>"
              "<EtherCAT_Slave_Clear_Data>0</EtherCAT_Slave_Clear_Data></Par_Gen><!--SW_VERSION = 1.006-->");
}

TEST(ParGenFile, EditorReadsWhatWasWrittenExactly) {
    zvtest::TempDir d;
    ParGenValues v;
    v.device_name = "  host <&> é ";
    v.dhcp_wifi = v.enable_dns = v.enable_gateway = v.clear_data = true;
    v.primary_dns = {"001", "x", "", "-3"};
    v.gateway[0] = "0192";
    v.name_of_station = "plc-1.line2";
    v.revision_number = "4294967295";
    v.slave_name = "   ";
    v.node_address = "07";
    zv::write_par_gen(d / "ParGen.xml", v);
    EXPECT_EQ(zv::read_par_gen_for_editor(d / "ParGen.xml"), v);
}

TEST(ParGenFile, EditorDefaultsForMissingFileAndElements) {
    zvtest::TempDir d;
    EXPECT_EQ(zv::read_par_gen_for_editor(d / "ParGen.xml"), ParGenValues{});

    zvtest::spit(d / "ParGen.xml", par_gen("<PROFINET_Master_IP4>20</PROFINET_Master_IP4>"));
    ParGenValues expected;
    expected.ip[3] = "20";
    EXPECT_EQ(zv::read_par_gen_for_editor(d / "ParGen.xml"), expected);
}

TEST(ParGenFile, OnlyTheExactTextOneIsOnAndTheFirstChildOfANameCounts) {
    zvtest::TempDir d;
    zvtest::spit(d / "ParGen.xml",
                 "<Whatever><Unknown>1</Unknown><Eth_Conn_DHCP_Cable>true</Eth_Conn_DHCP_Cable>"
                 "<Eth_Conn_Enable_DNS> 1</Eth_Conn_Enable_DNS><PROFINET_Master_EN_GAT>1</PROFINET_Master_EN_GAT>"
                 "<EtherCAT_Slave_Clear_Data>1</EtherCAT_Slave_Clear_Data>"
                 "<EtherCAT_Slave_Clear_Data>0</EtherCAT_Slave_Clear_Data>"
                 "<eth_conn_device_name>lower</eth_conn_device_name></Whatever>");
    ParGenValues v = zv::read_par_gen_for_editor(d / "ParGen.xml");
    EXPECT_FALSE(v.dhcp_cable);
    EXPECT_FALSE(v.enable_dns);
    EXPECT_TRUE(v.enable_gateway);
    EXPECT_TRUE(v.clear_data);
    EXPECT_EQ(v.device_name, "");  // names are case-sensitive
}

// A hand-added comment before the parameter element must not turn every value
// into its default: like every project file, the root is the first element.
TEST(ParGenFile, ALeadingCommentHidesNoValue) {
    zvtest::TempDir d;
    zvtest::spit(d / "ParGen.xml", "<!--note-->" + par_gen("<PROFINET_Master_IP4>20</PROFINET_Master_IP4>"));
    EXPECT_EQ(zv::read_par_gen_for_editor(d / "ParGen.xml").ip[3], "20");
    zv::ParGenFile f(d / "ParGen.xml");
    EXPECT_EQ(f.text("PROFINET_Master_IP4"), "20");
}

TEST(ParGenFile, IllFormedFileIsAnErrorNamingIt) {
    zvtest::TempDir d;
    zvtest::spit(d / "ParGen.xml", "<Par_Gen><Eth_Conn_Device_Name>x</Par_Gen>");
    try {
        zv::read_par_gen_for_editor(d / "ParGen.xml");
        FAIL();
    } catch (const zv::Error& e) {
        EXPECT_NE(std::string(e.what()).find("ParGen.xml"), std::string::npos);
    }
}

TEST(ParGenFile, IntegerConversions) {
    struct Row {
        std::string text;
        std::optional<int32_t> i32;
        std::optional<uint32_t> u32;
    };
    for (const Row& r : std::vector<Row>{{"010", 10, 10},
                                         {"-5", -5, std::nullopt},
                                         {"+7", 7, 7},
                                         {" 7", std::nullopt, std::nullopt},
                                         {"7 ", std::nullopt, std::nullopt},
                                         {"0x10", std::nullopt, std::nullopt},
                                         {"", std::nullopt, std::nullopt},
                                         {"2147483647", 2147483647, 2147483647u},
                                         {"2147483648", std::nullopt, 2147483648u},
                                         {"4294967295", std::nullopt, 4294967295u},
                                         {"4294967296", std::nullopt, std::nullopt},
                                         {"99999999999999999999999", std::nullopt, std::nullopt}}) {
        zv::ParGenFile f(par_gen("<N>" + r.text + "</N>"), "test");
        EXPECT_EQ(f.int32("N"), r.i32) << r.text;
        EXPECT_EQ(f.uint32("N"), r.u32) << r.text;
    }
}

}  // namespace
