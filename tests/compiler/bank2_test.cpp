#include <gtest/gtest.h>

#include <map>
#include <pugixml.hpp>

#include "bank2_image.h"
#include "compiler_fixture.h"
#include "text/error.h"
#include "text/file_io.h"

namespace {

namespace fs = std::filesystem;
using zvtest::Be;
using zvtest::Bytes;
using PosRule = zvtest::Bank2Image::PosRule;

const fs::path kGsdml = fs::path(ZV_FIXTURES) / "bank2" / "GSDML-bank2.xml";

// ---------------------------------------------------------------- network file texts

using Attrs = std::map<std::string, std::string>;

std::string attrs_text(const Attrs& a) {
    std::string t;
    for (const auto& [k, v] : a) t += " " + k + "=\"" + v + "\"";
    return t;
}

// `over` replaces attributes or, with the value "-", removes them.
void apply(Attrs& a, const Attrs& over) {
    for (const auto& [k, v] : over)
        if (v == "-")
            a.erase(k);
        else
            a[k] = v;
}

// A device of the fixture description with the attributes the dialog writes.
std::string device(const std::string& slots, const Attrs& over = {}) {
    Attrs a{{"GSDML_FileName", "GSDML-bank2.xml"}, {"NameOfStation", "io-dev"}, {"DeviceName", "Test device"},
            {"DeviceNameID", "T_DAP1"},           {"DeviceCategoryRef", ""},   {"IPAddress", "192.168.0.10"},
            {"NewSessionSPI", "1"},               {"ResetDataOnFail", "1"},    {"UpdateTime", "0"},
            {"SendClock", "32"},                  {"ReductionRadio", "4"},     {"AnswerTime", "0"},
            {"ObjectUUID_LocalIndex", "3"}};
    apply(a, over);
    return "<Device" + attrs_text(a) + ">" + slots + "</Device>";
}

std::string slots(const std::string& inner) { return "<Slots>" + inner + "</Slots>"; }

std::string slot(const std::string& number, const std::string& module, const std::string& ident,
                 const std::string& subslots) {
    return "<Slot Module_ID=\"" + module + "\" ModuleIdentNumber=\"" + ident + "\" SlotNumber=\"" + number + "\">" +
           (subslots.empty() ? "" : "<Subslots>" + subslots + "</Subslots>") + "</Slot>";
}

std::string sub(const std::string& number, const std::string& id, const std::string& ident, int len_in, int len_out,
                const Attrs& over = {}, const std::string& params = "") {
    Attrs a{{"SubslotNumber", number},
            {"Submodule_ID", id},
            {"Submodule_IdentNumber", ident},
            {"Submodule_LenIN", std::to_string(len_in)},
            {"Submodule_LenOUT", std::to_string(len_out)},
            {"API", "0"},
            {"ParameterizationDisallowed", "false"},
            {"Status", "N"},
            {"Word_Pos", "N"}};
    apply(a, over);
    return "<Subslot" + attrs_text(a) + ">" + (params.empty() ? "" : "<Parameters>" + params + "</Parameters>") +
           "</Subslot>";
}

std::string group(const Attrs& a, const std::string& params = "") {
    return "<ParamGroup" + attrs_text(a) + ">" + params + "</ParamGroup>";
}

std::string param(const Attrs& a) { return "<Param" + attrs_text(a) + "/>"; }

std::string network(const std::string& devices) {
    return "<PROFINET_Master_Network><Network>" + devices + "</Network></PROFINET_Master_Network>"
           "<!--SW_VERSION = 1.000-->";
}

// The access point slot with its one submodule of no data, as the dialog plugs it.
std::string dap_slot() { return slot("0", "DAP1", "16", sub("1", "DAP1_SUB", "1", 0, 0)); }

// ---------------------------------------------------------------- compiling

struct Bank2Project : zvtest::ProjectFixture {
    Bank2Project() {
        fs::create_directories(s.Project_Path / "GSDML");
        fs::copy_file(kGsdml, s.Project_Path / "GSDML" / kGsdml.filename());
    }
    void net(const std::string& devices) { zvtest::spit(s.File_PROFINET_Network, network(devices)); }
    // Builds and serializes the tables; returns the image.
    std::string image(int* devices = nullptr) {
        zv::ProfinetTables t;
        zv::Reset_PROFINET(t);
        int n = zv::Build_PROFINET_Tables(t, zv::kBank2Base, s);
        if (devices) *devices = n;
        std::string img;
        img.resize(zv::Serialize_Bank2(t, img, 0, zv::kBank2Buffer - 1));
        return img;
    }
    zvtest::Bank2Image decoded(int* devices = nullptr) {
        // Throws for bytes no address leads to, or an address outside the image.
        return zvtest::read_bank2(image(devices));
    }
    std::string error() {
        try {
            image();
        } catch (const zv::Error& e) {
            return e.what();
        }
        return "no error";
    }
};

// ---------------------------------------------------------------- whole images

// The access point with a submodule of no data and a module with 4 input bytes:
// every byte of the image, laid out as the device reads it.
TEST(Bank2, OneDeviceImageByteForByte) {
    Bank2Project p;
    p.net(device(slots(dap_slot() + slot("1", "M_IN4", "32",
                                         sub("1", "VS_IN4", "33", 4, 0, {{"Status", "Y"}, {"Word_Pos", "Y"}})))));
    int count = 0;
    std::string img = p.image(&count);
    EXPECT_EQ(count, 1);

    Bytes b(1396);
    const uint32_t B = 0x80000;
    b.u32(0, B + 16);
    b.u32(4, B + 1000);
    b.u32(8, B + 1080);
    b.u32(12, B + 1232);
    // Rule of device 0.
    b.octets(16, 192, 168, 0, 10);
    b.u32(20, B + 616);
    b.u32(24, B + 664);
    b.text(28, "io-dev");
    b.u16(60, 6);
    b.u16(62, 2);
    b.u32(64, 4 * 65536 + 32);
    b.u32(68, 5);
    b.u16(72, 3);
    for (size_t i = 1; i < 10; ++i) {
        size_t r = 16 + 60 * i;
        b.u32(r + 4, B + 712 + 32 * (i - 1));
        b.u32(r + 8, B + 712 + 32 * (i - 1) + 16);
        b.u16(r + 56, 1);
    }
    // Position rules: {0, 1, 0, 0}, {0, 5, 1, 3} in; {0, 1, 0, 0}, {0, 1, 1, 3} out.
    const int32_t rules[4][4] = {{0, 1, 0, 0}, {0, 5, 1, 3}, {0, 1, 0, 0}, {0, 1, 1, 3}};
    for (size_t k = 0; k < 4; ++k)
        for (size_t f = 0; f < 4; ++f) b.u32(616 + 16 * k + (k >= 2 ? 16 : 0) + 4 * f, static_cast<uint32_t>(rules[k][f]));
    b.text(648, std::string(16, '\xFF'));
    b.text(696, std::string(16, '\xFF'));
    for (size_t i = 0; i < 9; ++i) b.text(712 + 32 * i, std::string(32, '\xFF'));
    // Records: ten empty lists.
    for (size_t i = 0; i < 10; ++i) b.u32(1000 + 4 * i, B + 1040 + 4 * i);
    // Expected submodules: device 0 has the access point slot and the module slot.
    b.u32(1080, B + 1120);
    for (size_t i = 1; i < 10; ++i) b.u32(1080 + 4 * i, B + 1196 + 4 * (i - 1));
    b.u32(1120, B + 1132);
    b.u32(1124, B + 1164);
    std::string dap = Be().esmb_head(0, 0, 0x10, 1).esmb_sub(1, 1, 0, 0).b;
    std::string mod = Be().esmb_head(0, 1, 32, 1).esmb_sub(1, 33, 4, 0).b;
    ASSERT_EQ(mod.size(), 28u);
    b.u16(1132, 28);
    b.u16(1134, 1);
    b.text(1136, dap);
    b.u16(1164, 28);
    b.u16(1166, 1);
    b.text(1168, mod);
    // IOCRs: two data objects at 0 and 1 in, two IOCS at 0 and 1 out.
    b.u32(1232, B + 1272);
    for (size_t i = 1; i < 10; ++i) b.u32(1232 + 4 * i, B + 1360 + 4 * (i - 1));
    b.u32(1272, B + 1284);
    b.u32(1276, B + 1322);
    std::string in = Be().u32(0).defs({{0, 1, 0}, {1, 1, 1}}).defs({}).b;
    std::string out = Be().u32(0).defs({}).defs({{0, 1, 0}, {1, 1, 1}}).b;
    const uint16_t in_head[9] = {20, 1, 0x8000, 32, 4, 3, 3, 0xC000, 1};
    const uint16_t out_head[9] = {20, 2, 0xFFFF, 32, 4, 3, 3, 0xC000, 1};
    for (size_t f = 0; f < 9; ++f) {
        b.u16(1284 + 2 * f, in_head[f]);
        b.u16(1322 + 2 * f, out_head[f]);
    }
    b.text(1302, in);
    b.text(1340, out);
    EXPECT_TRUE(zvtest::same_bytes(img, b.b));
}

TEST(Bank2, DevicesShareTheRunningOffsetsAndKeepTheirIndex) {
    Bank2Project p;
    std::string two = slots(dap_slot() + slot("1", "M_IN4", "32", sub("1", "VS_IN4", "33", 4, 0)));
    // The second child names no device: index 1 stays empty, the third is index 2.
    p.net(device(two) + device(two, {{"DeviceName", "-"}}) + device(two, {{"NameOfStation", "third"}}));
    int count = 0;
    auto m = p.decoded(&count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(m.rules[1].in.size(), 0u);
    EXPECT_EQ(m.rules[1].local_index, 1);
    EXPECT_EQ(m.rules[1].ip, (std::array<uint8_t, 4>{}));
    EXPECT_EQ(m.esmb[1].size(), 0u);
    EXPECT_EQ(m.iocr[1].size(), 0u);
    EXPECT_EQ(m.rules[2].in, (std::vector<PosRule>{{0, 1, 6, 0}, {0, 5, 7, 0}}));
    EXPECT_EQ(m.rules[2].out, (std::vector<PosRule>{{0, 1, 2, 0}, {0, 1, 3, 0}}));
    EXPECT_EQ(m.rules[2].len_in, 6);
    EXPECT_EQ(m.rules[2].name.substr(0, 6), std::string("third\0", 6));
    // The frames of each device start at 0 again.
    EXPECT_EQ(m.iocr[2][0].data, m.iocr[0][0].data);
}

TEST(Bank2, NoNetworkFileGivesTheEmptyImage) {
    Bank2Project p;
    int count = -1;
    std::string img = p.image(&count);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(img.size(), 1176u);
    auto m = zvtest::read_bank2(img);
    EXPECT_EQ(m.header, (std::array<uint32_t, 4>{0x80010, 0x803A8, 0x803F8, 0x80448}));
    for (const auto& r : m.rules) {
        EXPECT_EQ(r.local_index, 1);
        EXPECT_EQ(r.in.size() + r.out.size(), 0u);
    }
    // An empty Network element is the same network.
    p.net("");
    EXPECT_EQ(p.image(), img);
}

// ---------------------------------------------------------------- submodules

TEST(Bank2, InputAndOutputSubmoduleHasStatusBytesOnBothSides) {
    Bank2Project p;
    p.net(device(slots(dap_slot() + slot("1", "M_IN4", "32", sub("2", "VS_IN4", "33", 2, 3)))));
    auto m = p.decoded();
    EXPECT_EQ(m.rules[0].in[1], (PosRule{0, 4, 1, 0}));
    EXPECT_EQ(m.rules[0].out[1], (PosRule{0, 5, 1, 0}));
    EXPECT_EQ(m.rules[0].len_in, 5);
    EXPECT_EQ(m.rules[0].len_out, 6);
    // In: the data object (3 bytes) then the IOCS; out: the IOCS then the data object (4 bytes).
    EXPECT_EQ(m.iocr[0][0].data, Be().u32(0).defs({{0, 1, 0}, {1, 2, 1}}).defs({{1, 2, 4}}).b);
    EXPECT_EQ(m.iocr[0][1].data, Be().u32(0).defs({{1, 2, 2}}).defs({{0, 1, 0}, {1, 2, 1}}).b);
    std::string entry = Be().esmb_head(0, 1, 32, 1).esmb_sub(2, 33, 2, 3).b;
    EXPECT_EQ(entry.size(), 14u + 20u);
    EXPECT_EQ(m.esmb[0][1].data, entry);
    EXPECT_EQ(static_cast<uint8_t>(entry[14 + 7]), 3);  // submodule properties
}

TEST(Bank2, DisallowedSubmoduleKeepsOnlyItsRecords) {
    Bank2Project p;
    std::string params = group({{"Index", "0x100"}, {"Length", "2"}, {"DataConst", "0x05,0x06"}, {"DataByteOffset", "0"}});
    p.net(device(slots(dap_slot() + slot("1", "M_IN4", "32",
                                         sub("1", "VS_IN4", "33", 4, 0) +
                                             sub("2", "VS_IN4", "33", 4, 0, {{"ParameterizationDisallowed", "true"}},
                                                 params)))));
    auto m = p.decoded();
    EXPECT_EQ(m.rules[0].in.size(), 2u);
    EXPECT_EQ(m.esmb[0][1].data, Be().esmb_head(0, 1, 32, 1).esmb_sub(1, 33, 4, 0).b);
    EXPECT_EQ(m.iocr[0][0].data, Be().u32(0).defs({{0, 1, 0}, {1, 1, 1}}).defs({}).b);
    ASSERT_EQ(m.records[0].size(), 1u);
    const auto& r = m.records[0][0];
    EXPECT_EQ(r.slot, 1);
    EXPECT_EQ(r.subslot, 2);
    EXPECT_EQ(r.index, 0x100);
    EXPECT_EQ(r.data, "\x05\x06");
}

TEST(Bank2, ApiListsOfAccessPointsAndModules) {
    Bank2Project p;
    std::string api7 = sub("1", "S_API7", "49", 1, 0, {{"API", "7"}});
    p.net(
        // An access point in APIs 0x3A00 and 5 with the interface (API 0).
        device(slots(slot("0", "DAP2", "17", sub("1", "DAP2_A", "0", 0, 0))),
               {{"DeviceNameID", "T_DAP2"}, {"DeviceName", "Profile device"}}) +
        // An access point in no API; a module from the submodule list; a module
        // the description does not know.
        device(slots(slot("0", "DAP3", "18", sub("1", "X", "0", 0, 0)) + slot("1", "M_FREE", "48", api7) +
                     slot("2", "M_GONE", "99", sub("1", "Y", "7", 0, 0))),
               {{"DeviceNameID", "T_DAP3"}, {"DeviceName", "Bare device"}}) +
        // Found by its name text when the TextId is empty.
        device(slots(dap_slot()), {{"DeviceNameID", ""}}));
    int count = 0;
    auto m = p.decoded(&count);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(m.esmb[0].size(), 1u);
    EXPECT_EQ(m.esmb[0][0].num_api, 3);
    Be apis;
    for (uint32_t api : {0x3A00u, 5u, 0u}) apis.esmb_head(api, 0, 0x11, 1).esmb_sub(1, 0, 0, 0);
    EXPECT_EQ(m.esmb[0][0].data, apis.b);

    ASSERT_EQ(m.esmb[1].size(), 2u);  // nothing for the access point without API
    EXPECT_EQ(m.esmb[1][0].data, Be().esmb_head(7, 1, 48, 1).esmb_sub(1, 49, 1, 0).b);
    EXPECT_EQ(m.esmb[1][1].data, Be().esmb_head(0, 2, 99, 1).esmb_sub(1, 7, 0, 0).b);
    // The IOCR: APIs in order of first appearance, frame offsets running on across them.
    ASSERT_EQ(m.iocr[1].size(), 2u);
    EXPECT_EQ(m.iocr[1][0].num_api, 2);
    EXPECT_EQ(m.iocr[1][0].data,
              Be().u32(0).defs({{0, 1, 0}, {2, 1, 1}}).defs({}).u32(7).defs({{1, 1, 2}}).defs({}).b);
    EXPECT_EQ(m.iocr[1][1].data,
              Be().u32(0).defs({}).defs({{0, 1, 0}, {2, 1, 1}}).u32(7).defs({}).defs({{1, 1, 2}}).b);

    ASSERT_EQ(m.esmb[2].size(), 1u);
    EXPECT_EQ(m.esmb[2][0].data, Be().esmb_head(0, 0, 0x10, 1).esmb_sub(1, 1, 0, 0).b);
}

TEST(Bank2, DeviceWithoutSlotsHasOnlyItsRule) {
    Bank2Project p;
    p.net(device("", {{"IPAddress", " 10.1.300.4 "}, {"NewSessionSPI", "0"}, {"ObjectUUID_LocalIndex", "x"}}));
    int count = 0;
    auto m = p.decoded(&count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(m.rules[0].ip, (std::array<uint8_t, 4>{10, 1, 0, 4}));
    EXPECT_EQ(m.rules[0].options, 4u);
    EXPECT_EQ(m.rules[0].local_index, 1);
    EXPECT_EQ(m.rules[0].time_poll, 4u * 65536 + 32);
    EXPECT_EQ(m.rules[0].in.size() + m.esmb[0].size() + m.iocr[0].size() + m.records[0].size(), 0u);
}

TEST(Bank2, NameOfStationTakesAtMost32Characters) {
    Bank2Project p;
    std::string name = "abcdefghij-abcdefghij-abcdefghij-abcdefg";
    ASSERT_EQ(name.size(), 40u);
    p.net(device("", {{"NameOfStation", "  " + name}}));
    EXPECT_EQ(p.decoded().rules[0].name, name.substr(0, 32));
}

TEST(Bank2, LeftOutDevicesUseUpTheirIndex) {
    struct Case {
        const char* what;
        Attrs over;
    } cases[] = {
        {"empty DeviceName", {{"DeviceName", ""}}},
        {"no GSDML_FileName", {{"GSDML_FileName", "-"}}},
        {"copy missing", {{"GSDML_FileName", "GSDML-none.xml"}}},
        {"not a description", {{"GSDML_FileName", "other.xml"}}},
        {"name with a folder", {{"GSDML_FileName", "../GSDML/GSDML-bank2.xml"}}},
    };
    for (const auto& c : cases) {
        Bank2Project p;
        zvtest::spit(p.s.Project_Path / "GSDML" / "other.xml", "<Other/>");
        p.net(device(slots(dap_slot()), c.over) + device(slots(dap_slot()), {{"NameOfStation", "second"}}));
        int count = 0;
        auto m = p.decoded(&count);
        EXPECT_EQ(count, 1) << c.what;
        EXPECT_EQ(m.rules[0].local_index, 1) << c.what;
        EXPECT_EQ(m.esmb[0].size(), 0u) << c.what;
        EXPECT_EQ(m.rules[1].in, (std::vector<PosRule>{{0, 1, 0, 0}})) << c.what;
    }
}

// ---------------------------------------------------------------- records

TEST(Bank2, RecordsTakeTheirConstantBytesThenTheParameters) {
    Bank2Project p;
    std::string params =
        group({{"Index", "$10"}, {"Length", "4"}, {"DataConst", " 1, 300, 2 "}, {"DataByteOffset", "1"}},
              param({{"DataType", "Unsigned8"}, {"Value", ""}, {"DefaultValue", "7"}, {"ByteOffset", "0"}}) +
                  param({{"DataType", "Unsigned8"}, {"Value", ""}, {"DefaultValue", ""}, {"ByteOffset", "1"}})) +
        group({{"Index", "3"}, {"Length", "0"}, {"DataConst", ""}});
    // An empty slot still carries records.
    p.net(device(slots(dap_slot() + slot("5", "", "0", sub("2", "", "0", 0, 0, {{"API", " 0x3A00"}}, params)))));
    auto m = p.decoded();
    ASSERT_EQ(m.records[0].size(), 2u);
    const auto& r = m.records[0][0];
    EXPECT_EQ(r.api, 0x3A00u);
    EXPECT_EQ(r.slot, 5);
    EXPECT_EQ(r.subslot, 2);
    EXPECT_EQ(r.index, 0x10);
    EXPECT_EQ(r.data, std::string("\x07\x01\x02\x00", 4));
    EXPECT_EQ(m.records[0][1].len, 0u);
    EXPECT_EQ(m.esmb[0].size(), 1u);  // the empty slot has no expected submodule
}

struct Encoding {
    Attrs param;
    std::string before, after;
};

TEST(Bank2, ParameterValueEncodings) {
    const std::string z4(4, '\0');
    const Encoding cases[] = {
        {{{"DataType", "Unsigned16"}, {"Value", "258"}, {"ByteOffset", "2"}}, z4, std::string("\0\0\x01\x02", 4)},
        {{{"DataType", "Unsigned16"}, {"Value", "0x102"}, {"ByteOffset", "0"}}, z4, std::string("\x01\x02\0\0", 4)},
        {{{"DataType", "Integer8"}, {"Value", "-1"}, {"ByteOffset", "1"}}, z4, std::string("\0\xFF\0\0", 4)},
        {{{"DataType", "Integer32"}, {"Value", "-2"}, {"ByteOffset", "0"}}, z4, "\xFF\xFF\xFF\xFE"},
        {{{"DataType", "Unsigned64"}, {"Value", "$0102030405060708"}, {"ByteOffset", "-4"}}, z4, "\x05\x06\x07\x08"},
        {{{"DataType", "Float32"}, {"Value", "1"}, {"ByteOffset", "0"}}, z4, std::string("\x3F\x80\0\0", 4)},
        {{{"DataType", "Float32"}, {"Value", "-1,5"}, {"ByteOffset", "0"}}, z4, std::string("\xBF\xC0\0\0", 4)},
        {{{"DataType", "Float64"}, {"Value", "2.5"}, {"ByteOffset", "0"}}, std::string(8, '\0'),
         std::string("\x40\x04\0\0\0\0\0\0", 8)},
        {{{"DataType", "BitArea"}, {"Value", "3"}, {"ByteOffset", "0"}, {"BitOffset", "4"}, {"BitLength", "2"}},
         "\x81", "\xB1"},
        {{{"DataType", "BitArea"}, {"Value", "2"}, {"ByteOffset", "0"}, {"BitOffset", "4"}, {"BitLength", "2"}},
         "\xFF", "\xEF"},
        {{{"DataType", "Bit"}, {"Value", "1"}, {"ByteOffset", "1"}, {"BitOffset", "7"}}, std::string("\0\x01", 2),
         std::string("\0\x81", 2)},
        {{{"DataType", "Bit"}, {"Value", "0"}, {"ByteOffset", "0"}, {"BitOffset", "0"}}, "\x0F", "\x0E"},
        {{{"DataType", "VisibleString"}, {"Value", "AB\xC3\xA9Z"}, {"ByteOffset", "1"}}, z4, std::string("\0AB\xE9", 4)},
        {{{"DataType", "OctetString"}, {"Value", "0x11, 256, x, 34"}, {"ByteOffset", "2"}}, z4,
         std::string("\0\0\x11\x22", 4)},
        {{{"DataType", "Unsigned8"}, {"Value", ""}, {"DefaultValue", " 7 "}, {"ByteOffset", "0"}}, z4,
         std::string("\x07\0\0\0", 4)},
        {{{"DataType", "Unsigned8"}, {"Value", ""}, {"DefaultValue", ""}, {"ByteOffset", "x"}}, "\x09", "\x09"},
        {{{"DataType", ""}, {"Value", "5"}, {"ByteOffset", "x"}}, "\x09", "\x09"},
        {{{"DataType", "Unsigned8"}, {"Value", "5 apples"}, {"ByteOffset", "0"}}, "\x09", "\x09"},
        {{{"DataType", "Float32"}, {"Value", "1e39"}, {"ByteOffset", "0"}}, z4, z4},
        {{{"DataType", "Float32"}, {"Value", "nan"}, {"ByteOffset", "0"}}, z4, z4},
        {{{"DataType", "Date"}, {"Value", "5"}, {"ByteOffset", "0"}}, "\x09", "\x09"},
        // Positions outside the record are dropped, never written.
        {{{"DataType", "Integer32"}, {"Value", "0x01020304"}, {"ByteOffset", "2"}}, z4, std::string("\0\0\x01\x02", 4)},
        {{{"DataType", "Unsigned8"}, {"Value", "1"}, {"ByteOffset", "4"}}, z4, z4},
        {{{"DataType", "Bit"}, {"Value", "1"}, {"ByteOffset", "0"}, {"BitOffset", "8"}}, std::string(1, '\0'), std::string(1, '\0')},
        {{{"DataType", "BitArea"}, {"Value", "15"}, {"ByteOffset", "0"}, {"BitOffset", "-2"}, {"BitLength", "4"}},
         std::string(1, '\0'), "\x03"},
        {{{"DataType", "Bit"}, {"Value", "1"}, {"ByteOffset", "-1"}, {"BitOffset", "0"}}, std::string(1, '\0'),
         std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        pugi::xml_document doc;
        pugi::xml_node n = doc.append_child("Param");
        for (const auto& [k, v] : c.param) n.append_attribute(k.c_str()) = v.c_str();
        std::string data = c.before;
        zv::Encode_Param_Value(n, data, "here");
        EXPECT_EQ(data, c.after) << attrs_text(c.param);
    }
}

// ---------------------------------------------------------------- errors

TEST(Bank2, ErrorsNameTheDeviceSlotSubslotAndAttribute) {
    auto with_group = [](const Attrs& g, const std::string& params = "") {
        return device(slots(dap_slot() + slot("1", "M_IN4", "32", sub("1", "VS_IN4", "33", 4, 0, {}, group(g, params)))));
    };
    const Attrs g{{"Index", "1"}, {"Length", "2"}, {"DataConst", ""}, {"DataByteOffset", "0"}};
    auto g_with = [&](const Attrs& over) {
        Attrs a = g;
        apply(a, over);
        return a;
    };
    auto eleven_devices = [] {
        std::string d;
        for (int i = 0; i < 11; ++i) d += device("");
        return d;
    };
    struct Case {
        std::string devices;
        std::vector<std::string> words;
    } cases[] = {
        {device("", {{"SendClock", "-"}}), {"device 0 (io-dev):", "SendClock", "missing"}},
        {device("", {{"ReductionRadio", "4x"}}), {"device 0 (io-dev):", "ReductionRadio", "\"4x\"", "not an integer"}},
        {device("") + device(slots(dap_slot() + slot("one", "M_IN4", "32", sub("1", "VS_IN4", "33", 4, 0)))),
         {"device 1 (io-dev), slot 1, subslot 0:", "SlotNumber", "\"one\""}},
        {device(slots(dap_slot() + slot("1", "M_IN4", "32", sub("", "VS_IN4", "33", 4, 0)))),
         {"device 0 (io-dev), slot 1, subslot 0:", "SubslotNumber"}},
        {with_group(g_with({{"Length", "two"}})), {"device 0 (io-dev), slot 1, subslot 0, parameter group 0:", "Length"}},
        {with_group(g_with({{"Length", "-1"}})), {"parameter group 0:", "Length", "not a record length of 0 to 262144"}},
        {with_group(g_with({{"Index", " "}})), {"parameter group 0:", "Index"}},
        {with_group(g_with({{"DataConst", "0x01"}, {"DataByteOffset", ""}})), {"parameter group 0:", "DataByteOffset"}},
        {with_group(g, param({{"DataType", "Unsigned8"}, {"Value", "1"}, {"ByteOffset", "0"}}) + param({{"DataType", "Unsigned8"}, {"Value", "1"}, {"ByteOffset", "z"}})),
         {"device 0 (io-dev), slot 1, subslot 0, parameter group 0, parameter 1:", "ByteOffset"}},
        {with_group(g, param({{"DataType", "Bit"}, {"Value", "1"}, {"ByteOffset", "0"}})),
         {"parameter 0:", "BitOffset", "missing"}},
        {with_group(g, param({{"DataType", "BitArea"}, {"Value", "1"}, {"ByteOffset", "0"}, {"BitOffset", "0"}})),
         {"parameter 0:", "BitLength"}},
        {with_group(g_with({{"Length", "300000"}})), {"Length"}},
        {with_group(g_with({{"Length", "200000"}})) + with_group(g_with({{"Length", "200000"}})),
         {"device 1 (io-dev):", "262144"}},
        {eleven_devices(),
         {"11 devices", "10"}},
    };
    for (const auto& c : cases) {
        Bank2Project p;
        p.net(c.devices);
        std::string e = p.error();
        for (const auto& w : c.words) EXPECT_NE(e.find(w), std::string::npos) << w << " not in: " << e;
        EXPECT_NE(e.find("PROFINET_Master_Network.xml"), std::string::npos) << e;
    }
}

TEST(Bank2, UnreadableFilesStopTheCompilationAndKeepTheBanks) {
    struct Case {
        std::string network, gsdml, word;
    } cases[] = {
        {"<PROFINET_Master_Network><Network>", "", "PROFINET_Master_Network.xml"},
        {"<PROFINET_Master_Network/>", "", "Network"},
        {"<Other><Network/></Other>", "", "PROFINET_Master_Network"},
        {network(device("")), "<ISO15745Profile>", "device 0"},
    };
    for (const auto& c : cases) {
        Bank2Project p;
        zvtest::spit(p.s.File_PROFINET_Network, c.network);
        if (!c.gsdml.empty()) zvtest::spit(p.s.Project_Path / "GSDML" / "GSDML-bank2.xml", c.gsdml);
        for (int n = 1; n <= 3; ++n) zvtest::spit(p.s.Project_Path / "bin" / ("bank" + std::to_string(n) + ".bin"), "old");
        try {
            zv::compile_project(p.s);
            ADD_FAILURE() << c.network;
        } catch (const zv::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.word), std::string::npos) << e.what();
        }
        for (int n = 1; n <= 3; ++n) EXPECT_EQ(p.bank(n), "old");
    }
}

TEST(Bank2, NetworkIntegerTexts) {
    struct Case {
        const char* text;
        std::optional<int32_t> i32;
        std::optional<uint32_t> u32;
    } cases[] = {
        {"12", 12, 12u},
        {"  -5", -5, std::nullopt},
        {"+7", 7, 7u},
        {"0x1F", 31, 31u},
        {"$ff", 255, 255u},
        {"-$10", -16, std::nullopt},
        {"0xFFFFFFFF", -1, 0xFFFFFFFFu},
        {"4294967295", std::nullopt, 0xFFFFFFFFu},
        {"2147483648", std::nullopt, 2147483648u},
        {"-2147483648", INT32_MIN, std::nullopt},
        {"0x100000000", std::nullopt, std::nullopt},
        {"12 ", std::nullopt, std::nullopt},
        {"0X1F", std::nullopt, std::nullopt},
        {"x1F", std::nullopt, std::nullopt},
        {"1.5", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"0x", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zv::network_int32(c.text), c.i32) << c.text;
        EXPECT_EQ(zv::network_uint32(c.text), c.u32) << c.text;
    }
    EXPECT_EQ(zv::network_int64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(zv::network_int64("0xFFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(zv::network_int64("9223372036854775808"), std::nullopt);
}

}  // namespace
