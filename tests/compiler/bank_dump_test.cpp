#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include <nlohmann/json.hpp>

#include "bank2_image.h"
#include "compiler/bank_dump.h"
#include "compiler_fixture.h"
#include "ethercat/ethercat_files.h"
#include "params/par_gen.h"

namespace {

using Json = nlohmann::ordered_json;
using zvtest::Be;
using zvtest::Bytes;

// The value of the field a JSON pointer names.
Json v(const Json& j, const std::string& pointer) { return j.at(Json::json_pointer(pointer)).at("value"); }
size_t offset(const Json& j, const std::string& pointer) {
    return j.at(Json::json_pointer(pointer)).at("offset").get<size_t>();
}

bool has_problem(const Json& j, const std::string& words) {
    for (const auto& p : j.at("problems"))
        if (p.get<std::string>().find(words) != std::string::npos) return true;
    return false;
}

Bytes bytes_of(const std::string& img) {
    Bytes b;
    b.b = img;
    return b;
}

// A damaged copy of an image and what the dump must say about it.
struct Damage {
    const char* what;
    std::function<void(Bytes&)> change;
    std::vector<std::string> problems;
    std::function<void(const Json&)> still_shown = [](const Json&) {};
};

void check_damage(int bank, const std::string& img, const std::vector<Damage>& cases) {
    ASSERT_EQ(zv::dump_bank(bank, img).at("problems"), Json::array());
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.what);
        Bytes b = bytes_of(img);
        d.change(b);
        const Json j = zv::dump_bank(bank, b.b);
        for (const auto& w : d.problems) EXPECT_TRUE(has_problem(j, w)) << w << " not in " << j.at("problems").dump();
        d.still_shown(j);
    }
}

// ---------------------------------------------------------------- bank 1

TEST(Bank1Dump, CompiledRecordsShowWhatWasPutIn) {
    struct Row {
        const char* what;
        std::optional<std::string> par_gen;  // inner elements; nullopt: no file
        std::map<std::string, Json> fields;
    };
    const std::string host40(40, 'h');
    const std::vector<Row> rows = {
        {"no ParGen.xml",
         std::nullopt,
         {{"IP_Address", "192.168.2.205"}, {"Gateway", "255.255.255.255"}, {"Name_Of_Station", ""}, {"Version", ""}}},
        {"empty ParGen.xml",
         "",
         {{"IP_Address", "192.168.0.10"},
          {"Subnet_Mask", "255.255.255.0"},
          {"Name_Of_Station", "devicename1"},
          {"EtherCAT_Slave_Name", "devicename1"},
          {"Version", "1.006"},
          {"Network_Flags", 0},
          {"Primary_DNS", "0.0.0.0"}}},
        {"DHCP, DNS, gateway and names",
         "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable><Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>"
         "<PROFINET_Master_EN_GAT>1</PROFINET_Master_EN_GAT><PROFINET_Master_GAT4>254</PROFINET_Master_GAT4>"
         "<Eth_Conn_Device_Name>" + host40 + "</Eth_Conn_Device_Name>"
         "<PROFINET_Master_NAME_STA>caf\xC3\xA9</PROFINET_Master_NAME_STA>",
         {{"Network_Flags", 1},
          {"Primary_DNS", "8.8.8.8"},
          {"Secondary_DNS", "8.8.4.4"},
          {"Gateway", "192.168.0.254"},
          {"Device_Name", host40.substr(0, 31)},
          {"Name_Of_Station", "caf\xC3\xA9"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        zvtest::ProjectFixture p;
        if (r.par_gen) p.par_gen(*r.par_gen);
        p.c.Compile_Banks(p.s);
        const std::string& img = p.c.images()[0];
        const Json j = zv::dump_bank(1, img);
        EXPECT_EQ(j.at("problems"), Json::array());
        EXPECT_EQ(j.at("size"), 2048);
        const Json& g = j.at("general");
        for (const auto& [name, value] : r.fields) EXPECT_EQ(g.at(name).at("value"), value) << name;
        EXPECT_EQ(v(g, "/Fixed_0"), 125000);
        EXPECT_EQ(v(g, "/Fixed_56"), 10001);
        EXPECT_EQ(v(g, "/Device_Count"), 0);
        EXPECT_EQ(v(g, "/Bank2_Address"), 0x80000);
        EXPECT_EQ(offset(g, "/Bank3_Address"), 1776u);
        EXPECT_EQ(v(g, "/Bank3_Address"), 0xA0000);
        EXPECT_EQ(v(g, "/Checksum"), bytes_of(img).get_u32(2044));
        EXPECT_EQ(g.at("Checksum").at("computed"), bytes_of(img).get_u32(2044));
        EXPECT_EQ(g.at("Reserved_Not_Zero"), Json::array());
    }
}

TEST(Bank1Dump, DamagedRecords) {
    zvtest::ProjectFixture p;
    zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{});
    p.c.Compile_Banks(p.s);
    check_damage(1, p.c.images()[0],
                 {
                     {"a reserved byte changed",
                      [](Bytes& b) { b.u8(8, 0x10); },
                      {"checksum"},
                      [](const Json& j) {
                          EXPECT_EQ(j.at("general").at("Reserved_Not_Zero"), Json::parse(R"([{"offset":8,"value":"10"}])"));
                      }},
                     {"the checksum changed",
                      [](Bytes& b) { b.u8(2047, 0x01); },
                      {"checksum", "does not match"},
                      [](const Json& j) { EXPECT_NE(v(j, "/general/Checksum"), j.at("general").at("Checksum").at("computed")); }},
                     {"truncated",
                      [](Bytes& b) { b.b.resize(2000); },
                      {"2000 bytes", "truncated"},
                      [](const Json& j) {
                          EXPECT_EQ(v(j, "/general/Version"), "1.006");
                          EXPECT_FALSE(j.at("general").contains("Checksum"));
                      }},
                     {"empty", [](Bytes& b) { b.b.clear(); }, {"truncated"},
                      [](const Json& j) { EXPECT_EQ(j.at("general").size(), 1u); }},
                     {"bytes after the record",
                      [](Bytes& b) { b.b += "ab"; },
                      {"bytes 2048 to 2049 (2 bytes) are not reached"},
                      [](const Json& j) { EXPECT_EQ(j.at("problems").size(), 1u); }},
                     {"text after the end of a name",
                      [](Bytes& b) { b.u8(80 + 14, 'x'); },
                      {"Name_Of_Station at offset 80: bytes after the end of the text"}},
                 });
}

// ---------------------------------------------------------------- bank 2

// Tables filled by hand with real PROFINET content, the image serialized from them.
std::string bank2_image() {
    zv::ProfinetTables t;
    zv::Reset_PROFINET(t);
    t.Rules[1].IP_Address = {10, 0, 0, 7};
    t.Rules[1].Pos_In_Arr = {{0, 1, 0, 0}, {0, 5, 1, 3}};
    t.Rules[1].Pos_Out_Arr = {{0, 2, 7, 1}};
    t.Rules[1].Time_Poll = 4 * 65536 + 32;
    t.Records[1].Device_Data.push_back({3, 0x3A00, 1, 2, 0x100, "abc", 0});
    t.Records[1].Device_Data.push_back({0, 0, 4, 1, 5, "", 0});
    const std::string esmb =
        Be().esmb_head(0, 0, 0x10, 1).esmb_sub(1, 1, 0, 0).b + Be().esmb_head(7, 0, 0x10, 1).esmb_sub(1, 1, 0, 0).b;
    const std::string esmb2 = Be().esmb_head(0, 1, 32, 2).esmb_sub(1, 33, 2, 3).esmb_sub(2, 34, 0, 4).b;
    t.ESMB[0].Device_ESMB.push_back({static_cast<uint16_t>(esmb.size()), 2, esmb, 0});
    t.ESMB[0].Device_ESMB.push_back({static_cast<uint16_t>(esmb2.size()), 1, esmb2, 0});
    const std::string in = Be().u32(0).defs({{0, 1, 0}, {1, 1, 3}}).defs({{1, 2, 4}}).u32(7).defs({}).defs({}).b;
    const std::string out = Be().u32(0).defs({{1, 2, 2}}).defs({{0, 1, 0}, {1, 1, 1}}).u32(7).defs({}).defs({}).b;
    t.IOCR[9].Device_IOCR.push_back({static_cast<uint16_t>(in.size()), 1, 0x8000, 32, 4, 3, 3, 0xC000, 2, in, 0});
    t.IOCR[9].Device_IOCR.push_back({static_cast<uint16_t>(out.size()), 2, 0xFFFF, 32, 4, 3, 3, 0xC000, 2, out, 0});
    zv::Assign_PROFINET_Addresses(t, zv::kBank2Base);
    std::string img;
    img.resize(zv::Serialize_Bank2(t, img, 0, zv::kBank2Buffer - 1));
    return img;
}

TEST(Bank2Dump, EveryBlockOfTheImageByName) {
    const std::string img = bank2_image();
    const Json j = zv::dump_bank(2, img);
    ASSERT_EQ(j.at("problems"), Json::array());
    EXPECT_EQ(j.at("base"), 0x80000);
    EXPECT_EQ(v(j, "/header/Device_Rules"), 0x80010);

    EXPECT_EQ(v(j, "/devices/1/rule/IP_Address"), "10.0.0.7");
    EXPECT_EQ(offset(j, "/devices/1/rule/IP_Address"), 76u);
    EXPECT_EQ(v(j, "/devices/1/rule/Time_Poll"), 4 * 65536 + 32);
    EXPECT_EQ(v(j, "/devices/1/rule/LocalIndex"), 1);
    EXPECT_EQ(v(j, "/devices/1/input_rules/1/Quantity"), 5);
    EXPECT_EQ(v(j, "/devices/1/input_rules/1/Options"), 3);
    EXPECT_EQ(v(j, "/devices/1/output_rules/0/Offset"), 7);
    EXPECT_EQ(j.at("/devices/1/output_rules"_json_pointer).size(), 1u);

    EXPECT_EQ(v(j, "/devices/1/records/0/API"), 0x3A00);
    EXPECT_EQ(v(j, "/devices/1/records/0/Index"), 0x100);
    EXPECT_EQ(v(j, "/devices/1/records/0/Data"), "61 62 63");
    EXPECT_EQ(v(j, "/devices/1/records/1/Data"), "");

    const Json& e0 = j.at("/devices/0/expected_submodules/0"_json_pointer);
    ASSERT_EQ(e0.at("apis").size(), 2u);
    EXPECT_EQ(v(e0, "/apis/1/API"), 7);
    EXPECT_EQ(v(e0, "/apis/1/Module_Ident_Number"), 0x10);
    EXPECT_EQ(v(e0, "/apis/1/submodules/0/data_descriptions/0/Length"), 0);
    const Json& e1 = j.at("/devices/0/expected_submodules/1"_json_pointer);
    EXPECT_EQ(v(e1, "/apis/0/Slot_Number"), 1);
    EXPECT_EQ(v(e1, "/apis/0/Number_Of_Submodules"), 2);
    EXPECT_EQ(v(e1, "/apis/0/submodules/0/Submodule_Properties"), 3);
    EXPECT_EQ(v(e1, "/apis/0/submodules/0/data_descriptions/1/Type"), 2);
    EXPECT_EQ(v(e1, "/apis/0/submodules/0/data_descriptions/1/Length"), 3);
    EXPECT_EQ(v(e1, "/apis/0/submodules/1/Submodule_Ident_Number"), 34);
    EXPECT_EQ(e1.at("/apis/0/submodules/1/data_descriptions"_json_pointer).size(), 1u);
    EXPECT_EQ(v(e1, "/apis/0/submodules/1/data_descriptions/0/Type"), 2);

    const Json& in = j.at("/devices/9/iocrs/0"_json_pointer);
    EXPECT_EQ(v(in, "/FrameID"), 0x8000);
    EXPECT_EQ(v(in, "/Num_Api"), 2);
    EXPECT_EQ(v(in, "/apis/0/data_objects/1/Subslot"), 1);
    EXPECT_EQ(v(in, "/apis/0/data_objects/1/Frame_Offset"), 3);
    EXPECT_EQ(v(in, "/apis/0/iocs/0/Frame_Offset"), 4);
    EXPECT_EQ(v(in, "/apis/1/API"), 7);
    EXPECT_EQ(in.at("/apis/1/data_objects"_json_pointer).size(), 0u);
    EXPECT_EQ(v(j, "/devices/9/iocrs/1/apis/0/iocs/1/Frame_Offset"), 1);

    // Each entry's address is where its first field was found.
    size_t entries = 0;
    for (const auto& dev : j.at("devices"))
        for (const char* list : {"records", "expected_submodules", "iocrs"})
            for (const auto& e : dev.at(list)) {
                EXPECT_EQ(v(e, "/Address").get<size_t>() - 0x80000, offset(e, "/Len"));
                ++entries;
            }
    EXPECT_EQ(entries, 6u);
}

TEST(Bank2Dump, DamagedImages) {
    const std::string img = bank2_image();
    const Json good = zv::dump_bank(2, img);
    const size_t records = offset(good, "/devices/1/records/0/Address");
    const size_t esmb_len = offset(good, "/devices/0/expected_submodules/1/Len");
    const size_t iocr_apis = offset(good, "/devices/9/iocrs/1/Num_Api");
    check_damage(2, img,
                 {
                     {"record section outside",
                      [](Bytes& b) { b.u32(4, 0x7FFF0); },
                      {"header Records: address 0x7FFF0", "outside the image"},
                      [](const Json& j) {
                          EXPECT_EQ(j.at("/devices/1/records"_json_pointer).size(), 0u);
                          EXPECT_EQ(v(j, "/devices/1/input_rules/1/Quantity"), 5);
                          EXPECT_EQ(j.at("/devices/9/iocrs"_json_pointer).size(), 2u);
                      }},
                     {"record address past the end",
                      [&](Bytes& b) { b.u32(records, static_cast<uint32_t>(0x80000 + b.b.size())); },
                      {"device 1 records 0: address", "outside the image"},
                      [](const Json& j) { EXPECT_EQ(v(j, "/devices/1/records/1/Index"), 5); }},
                     {"position rules outside",
                      [](Bytes& b) { b.u32(16 + 60 + 4, 0x10); },
                      {"device 1 input rule: address 0x10"}},
                     {"two addresses of one record",
                      [&](Bytes& b) { b.u32(records + 4, b.get_u32(records)); },
                      {"device 1 records 1", "overlaps bytes already decoded"}},
                     {"truncated", [](Bytes& b) { b.b.resize(b.b.size() - 3); }, {"truncated"}},
                     {"bytes after the image",
                      [](Bytes& b) { b.b += std::string(4, '\0'); },
                      {"(4 bytes) are not reached by any structure"}},
                     {"expected-submodule Len too short",
                      [&](Bytes& b) { b.u16(esmb_len, static_cast<uint16_t>(b.b[esmb_len] - 6)); },
                      {"device 0 expected_submodules 1, API block 0 submodule 1 data description", "runs past"},
                      [](const Json& j) { EXPECT_EQ(v(j, "/devices/0/expected_submodules/1/apis/0/Slot_Number"), 1); }},
                     {"IOCR with one API more than its content",
                      [&](Bytes& b) { b.u16(iocr_apis, 3); },
                      {"device 9 iocrs 1, API list 2", "runs past"}},
                     {"data description of the wrong type",
                      [&](Bytes& b) { b.u8(esmb_len + 4 + 14 + 8 + 1, 2); },
                      {"data description of type 2", "call for type 1"}},
                 });
}

// ---------------------------------------------------------------- bank 3

struct Bank3Dump : ::testing::Test {
    zvtest::ProjectFixture p;
    Bank3Dump() { zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{}); }

    static zv::VariableRow row(const char* type, const char* length, const char* name, const char* init = "",
                               const char* pos = "0") {
        return {"Y", type, length, name, init, pos, "0", "", ""};
    }
    std::string example() {
        zv::write_variables_file(p.s.File_EtherCAT_Slave,
                                 {{row("Bool", "1", "Run", "1"), row("Int16", "2", "Speed", "300", "1"),
                                   row("String", "4", "Tag", "AB", "3"), row("Int8", "1", "T\xC3\xA9", "-1", "7"),
                                   row("Float32", "4", "", "1.5", "8")},
                                  {row("UInt8", "1", "Cmd")}});
        zv::write_group_file(p.s.File_EtherCAT_Group, {{{"In", "2", ""}}, {{"Out", "1", ""}}});
        zv::compile_project(p.s);
        return p.bank(3);
    }
};

TEST_F(Bank3Dump, EntriesWithTheirNamesGroupsAndInitialValues) {
    const Json j = zv::dump_bank(3, example());
    ASSERT_EQ(j.at("problems"), Json::array());
    EXPECT_EQ(v(j, "/header/Eeprom_Config"), "80 0F 00 CC 88 13 FF 00 00 00 00 80 00 00");
    EXPECT_EQ(v(j, "/header/Node_Address"), 1);
    EXPECT_EQ(v(j, "/header/Num_Slave_To_Master"), 5);
    EXPECT_EQ(v(j, "/groups/Num_Slave_To_Master_Groups"), 1);
    EXPECT_EQ(v(j, "/groups/master_to_slave/0/Name"), "Out");

    struct Entry {
        const char* name;
        const char* type;
        Json init;
        const char* init_bytes;
        const char* group;
    };
    const Entry expected[] = {{"Run", "Bool", 1, "01", "In"},
                              {"Speed", "Int16", 300, "2C 01", "In"},
                              {"Tag", "String", "AB", "41 42 00 00", nullptr},
                              {"T\xC3\xA9", "Int8", -1, "FF", nullptr},
                              {"", "Float32", 1.5, "00 00 C0 3F", nullptr}};
    const Json& stom = j.at("slave_to_master");
    ASSERT_EQ(stom.size(), std::size(expected));
    for (size_t k = 0; k < stom.size(); ++k) {
        SCOPED_TRACE(k);
        const Json& e = stom[k];
        const Entry& x = expected[k];
        EXPECT_EQ(v(e, "/Name"), x.name);
        EXPECT_EQ(e.at("Type_Code").at("name"), x.type);
        EXPECT_EQ(v(e, "/Index"), k);
        EXPECT_EQ(v(e, "/Direction"), 1);
        EXPECT_EQ(v(e, "/Init_Value"), x.init);
        EXPECT_EQ(e.at("Init_Value").at("bytes"), x.init_bytes);
        if (x.group)
            EXPECT_EQ(v(e, "/Group"), x.group);
        else
            EXPECT_FALSE(e.contains("Group"));
    }
    EXPECT_EQ(offset(stom[0], "/Name"), 16557u);
    EXPECT_EQ(v(stom[4], "/Name_Address"), 0xA0000 + 16556);
    const Json& mtos = j.at("master_to_slave");
    ASSERT_EQ(mtos.size(), 1u);
    EXPECT_EQ(v(mtos[0], "/Name"), "Cmd");
    EXPECT_EQ(v(mtos[0], "/Group"), "Out");
    EXPECT_FALSE(mtos[0].contains("Init_Value"));
}

TEST_F(Bank3Dump, AProjectWithoutVariablesHasNoEntries) {
    zv::compile_project(p.s);
    const Json j = zv::dump_bank(3, p.bank(3));
    EXPECT_EQ(j.at("problems"), Json::array());
    EXPECT_EQ(j.at("size"), 16557);
    EXPECT_EQ(j.at("slave_to_master"), Json::array());
    EXPECT_EQ(j.at("master_to_slave"), Json::array());
    EXPECT_EQ(j.at("/groups/slave_to_master"_json_pointer), Json::array());
}

TEST_F(Bank3Dump, DamagedImages) {
    check_damage(3, example(),
                 {
                     {"name address outside",
                      [](Bytes& b) { b.u32(40 + 28, 0x12345); },
                      {"Slave To Master entry 0 name: address 0x12345", "outside"},
                      [](const Json& j) {
                          EXPECT_FALSE(j.at("slave_to_master")[0].contains("Name"));
                          EXPECT_EQ(v(j, "/slave_to_master/1/Name"), "Speed");
                      }},
                     {"group tables outside",
                      [](Bytes& b) { b.u32(20, 0xA0000 + 20000); },
                      {"header Group_Table_Address", "outside"},
                      [](const Json& j) {
                          EXPECT_FALSE(j.at("slave_to_master")[0].contains("Group"));
                          EXPECT_EQ(v(j, "/slave_to_master/0/Name"), "Run");
                      }},
                     {"initial value outside",
                      [](Bytes& b) { b.u32(72 + 20, 0xB0000); },
                      {"Slave To Master entry 1 initial value: address 0xB0000"}},
                     {"truncated in the texts", [](Bytes& b) { b.b.resize(16560); }, {"truncated"}},
                     {"bytes after the image", [](Bytes& b) { b.b += "x"; }, {"(1 bytes) are not reached"}},
                     {"count too small",
                      [](Bytes& b) { b.u16(28, 4); },
                      {"Slave To Master entry 4 at offset 168 past the count 4 is not empty"},
                      [](const Json& j) { EXPECT_EQ(j.at("slave_to_master").size(), 5u); }},
                     {"group index past the groups",
                      [](Bytes& b) { b.u32(40 + 16, 5); },
                      {"group index 5"}},
                     {"table address outside",
                      [](Bytes& b) { b.u32(36, 0xA0000 + 16000); },
                      {"header Master_To_Slave_Address", "outside"},
                      [](const Json& j) { EXPECT_EQ(j.at("master_to_slave"), Json::array()); }},
                 });
}

// ---------------------------------------------------------------- any image

// Cut short anywhere, an image has problems, and nothing is read past its end.
TEST(BankDump, EveryTruncationIsReported) {
    zvtest::ProjectFixture p;
    zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{});
    p.c.Compile_Banks(p.s);
    const std::string images[] = {p.c.images()[0], bank2_image(), p.c.images()[2]};
    for (int bank = 1; bank <= 3; ++bank) {
        const std::string& img = images[bank - 1];
        const size_t step = bank == 3 ? 61 : 1;
        for (size_t size = 0; size < img.size(); size += step)
            ASSERT_NE(zv::dump_bank(bank, img.substr(0, size)).at("problems"), Json::array()) << bank << " " << size;
    }
}

TEST(BankDump, TheBankOfAFileName) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"bank1.bin", 1},       {"BANK2.BIN", 2},         {"/p/bin/Bank3.Bin", 3}, {"bank4.bin", std::nullopt},
        {"bank2.bin.old", std::nullopt}, {"mybank2.bin", std::nullopt}, {"bank2", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [name, bank] : cases) EXPECT_EQ(zv::bank_of_file_name(name), bank) << name;
}

}  // namespace
