#include <gtest/gtest.h>

#include <functional>

#include "compiler_fixture.h"
#include "params/par_gen.h"
#include "text/error.h"
#include "text/file_io.h"

namespace {

namespace fs = std::filesystem;
using zvtest::Bytes;

// bank2.bin of a project without IO devices, built from its layout.
std::string empty_bank2() {
    Bytes b(1176);
    b.u32(0, 0x80010);
    b.u32(4, 0x803A8);
    b.u32(8, 0x803F8);
    b.u32(12, 0x80448);
    for (size_t i = 0; i < 10; ++i) {
        size_t rule = 16 + 60 * i;
        b.u32(rule + 4, 0x80000 + 616 + 32 * i);       // Pos_Add_In
        b.u32(rule + 8, 0x80000 + 616 + 32 * i + 16);  // Pos_Add_Out
        b.u16(rule + 56, 1);                           // LocalIndex
        b.text(616 + 32 * i, std::string(32, '\xFF'));
    }
    // Three sections: ten list addresses, then ten lists holding only their closing 0.
    for (size_t section : {936u, 1016u, 1096u})
        for (size_t i = 0; i < 10; ++i) b.u32(section + 4 * i, 0x80000 + section + 40 + 4 * i);
    return b.b;
}

TEST(Compiler, NewProjectWritesTheThreeEmptyImages) {
    zvtest::ProjectFixture p;
    zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{});
    p.c.Compile_Banks(p.s);
    p.c.Write_Banks(p.s);
    EXPECT_EQ(p.bank(1).size(), 2048u);
    EXPECT_TRUE(zvtest::same_bytes(p.bank(2), empty_bank2()));

    Bytes b3(16557);
    b3.text(0, std::string("\x80\x0F\x00\xCC\x88\x13\xFF\x00\x00\x00\x00\x80\x00\x00\x01\x00", 16));
    b3.text(20, "\x28\x40\x0A\x00");
    b3.text(32, std::string("\x28\x00\x0A\x00\x28\x20\x0A\x00", 8));
    for (size_t e = 0; e < 512; ++e) b3.u32(40 + 32 * e + 16, 0xFFFFFFFF);
    EXPECT_TRUE(zvtest::same_bytes(p.bank(3), b3.b));
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(zvtest::decodes_cleanly(n, p.bank(n)));
}

TEST(Compiler, CompilingTwiceGivesIdenticalFiles) {
    zvtest::ProjectFixture p;
    p.par_gen("<Eth_Conn_Device_Name>plc</Eth_Conn_Device_Name><Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>");
    zv::compile_project(p.s);
    std::string b1 = p.bank(1), b2 = p.bank(2), b3 = p.bank(3);
    zv::compile_project(p.s);
    EXPECT_TRUE(zvtest::same_bytes(p.bank(1), b1));
    EXPECT_TRUE(zvtest::same_bytes(p.bank(2), b2));
    EXPECT_TRUE(zvtest::same_bytes(p.bank(3), b3));
}

TEST(Compiler, TheBinFolderIsCreatedWhenMissing) {
    zvtest::ProjectFixture p;
    fs::remove_all(p.s.Project_Path / "bin");
    zv::compile_project(p.s);
    EXPECT_EQ(p.bank(1).size(), 2048u);
    EXPECT_EQ(p.bank(2).size(), 1176u);
    EXPECT_EQ(p.bank(3).size(), 16557u);
}

// Every refusal leaves the bank files as they were: old ones untouched, and
// none created where there were none.
TEST(Compiler, ARefusedCompileLeavesEveryBankAsItWas) {
    struct Row {
        const char* what;
        std::function<void(zvtest::ProjectFixture&)> setup;
    };
    const std::vector<Row> rows = {
        {"ill-formed ParGen.xml", [](auto& p) { zvtest::spit(p.s.File_ParGen, "<Par_Gen><a></Par_Gen>"); }},
        {"name of station too long",
         [](auto& p) { p.par_gen("<PROFINET_Master_NAME_STA>abcdefghijklmnop</PROFINET_Master_NAME_STA>"); }},
        {"ill-formed network file", [](auto& p) { zvtest::spit(p.s.File_PROFINET_Network, "<x"); }},
        {"network file without Network",
         [](auto& p) { zvtest::spit(p.s.File_PROFINET_Network, "<PROFINET_Master_Network/>"); }},
        {"network of eleven devices",
         [](auto& p) {
             std::string devices;
             for (int i = 0; i < 11; ++i) devices += "<Device DeviceName=\"d\"/>";
             zvtest::spit(p.s.File_PROFINET_Network,
                          "<PROFINET_Master_Network><Network>" + devices + "</Network></PROFINET_Master_Network>");
         }},
        {"ill-formed EtherCAT variables", [](auto& p) { zvtest::spit(p.s.File_EtherCAT_Slave, "<a><b></a>"); }},
        {"257 enabled EtherCAT variables",
         [](auto& p) {
             std::string rows;
             for (int i = 0; i < 257; ++i) rows += "<row Enable=\"Y\" Type=\"Int8\"/>";
             zvtest::spit(p.s.File_EtherCAT_Slave, "<r><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>" + rows +
                                                       "</EtherCAT_Slave_To_Master></EtherCAT_Slave_Variables></r>");
         }},
        {"17 named EtherCAT groups",
         [](auto& p) {
             std::string rows;
             for (int i = 0; i < 17; ++i) rows += "<g Group_Name=\"G\" Num_Variables=\"1\"/>";
             zvtest::spit(p.s.File_EtherCAT_Group, "<r><Master_to_Slave>" + rows + "</Master_to_Slave></r>");
         }},
        {"bin is a file", [](auto& p) {
             fs::remove_all(p.s.Project_Path / "bin");
             zvtest::spit(p.s.Project_Path / "bin", "not a folder");
         }},
    };
    for (bool banks_before : {false, true}) {
        for (const Row& r : rows) {
            zvtest::ProjectFixture p;
            if (banks_before)
                for (int n = 1; n <= 3; ++n) zvtest::spit(p.s.Project_Path / "bin" / ("bank" + std::to_string(n) + ".bin"), "old" + std::to_string(n));
            r.setup(p);
            EXPECT_THROW(zv::compile_project(p.s), zv::Error) << r.what;
            if (fs::is_directory(p.s.Project_Path / "bin")) {
                for (int n = 1; n <= 3; ++n) {
                    fs::path f = p.s.Project_Path / "bin" / ("bank" + std::to_string(n) + ".bin");
                    if (banks_before)
                        EXPECT_TRUE(zvtest::slurp(f) == "old" + std::to_string(n)) << r.what;
                    else
                        EXPECT_FALSE(fs::exists(f)) << r.what;
                }
                EXPECT_EQ(std::distance(fs::directory_iterator(p.s.Project_Path / "bin"), fs::directory_iterator{}),
                          banks_before ? 3 : 0)
                    << r.what;
            }
        }
    }
}

TEST(Compiler, AFolderInABanksPlaceStopsAllThreeFiles) {
    zvtest::ProjectFixture p;
    zvtest::spit(p.s.Project_Path / "bin" / "bank1.bin", "old1");
    fs::create_directories(p.s.Project_Path / "bin" / "bank3.bin" / "x");
    EXPECT_THROW(zv::compile_project(p.s), zv::Error);
    EXPECT_EQ(zvtest::slurp(p.s.Project_Path / "bin" / "bank1.bin"), "old1");
    EXPECT_FALSE(fs::exists(p.s.Project_Path / "bin" / "bank2.bin"));
    EXPECT_EQ(std::distance(fs::directory_iterator(p.s.Project_Path / "bin"), fs::directory_iterator{}), 2);
}

TEST(Compiler, EmptyEtherCATAndNetworkFilesCompileToTheEmptyImages) {
    zvtest::ProjectFixture p;
    zvtest::spit(p.s.File_PROFINET_Network,
                 "<PROFINET_Master_Network><Network/></PROFINET_Master_Network><!--SW_VERSION = 1.000-->");
    zvtest::spit(p.s.File_EtherCAT_Slave,
                 "<r><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Enable=\"N\" Name=\"a\"/><row Name=\"b\"/>"
                 "</EtherCAT_Slave_To_Master></EtherCAT_Slave_Variables></r>");
    zvtest::spit(p.s.File_EtherCAT_Group, "<r><Slave_to_Master><g Group_Name=\"\"/></Slave_to_Master></r>");
    zv::compile_project(p.s);
    EXPECT_TRUE(zvtest::same_bytes(p.bank(2), empty_bank2()));
    EXPECT_EQ(p.bank(3).size(), 16557u);
}

TEST(Compiler, WriteBanksRefusesBeforeACompilation) {
    zvtest::ProjectFixture p;
    EXPECT_THROW(p.c.Write_Banks(p.s), zv::Error);
    EXPECT_FALSE(fs::exists(p.s.Project_Path / "bin" / "bank1.bin"));
}

}  // namespace
