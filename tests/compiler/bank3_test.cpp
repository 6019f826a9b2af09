#include <gtest/gtest.h>

#include "compiler/bank3.h"
#include "compiler_fixture.h"
#include "ethercat/ethercat_files.h"
#include "params/par_gen.h"
#include "text/error.h"

namespace {

using zvtest::Bytes;
constexpr uint32_t B = 0xA0000;

struct Entry {
    uint8_t type, length, direction, bit;
    uint32_t position, index;
    int32_t group;
    uint32_t init, name_length, name;
};

void put_entry(Bytes& b, size_t off, const Entry& e) {
    b.u8(off, e.type);
    b.u8(off + 1, e.length);
    b.u8(off + 2, e.direction);
    b.u8(off + 3, e.bit);
    b.u32(off + 4, e.position);
    b.u32(off + 8, e.index);
    b.u32(off + 16, static_cast<uint32_t>(e.group));
    b.u32(off + 20, e.init);
    b.u32(off + 24, e.name_length);
    b.u32(off + 28, e.name);
}

// The image of a project with default parameters and no variables, grown to n bytes.
Bytes empty_image(size_t n) {
    Bytes b(n);
    b.text(0, std::string("\x80\x0F\x00\xCC\x88\x13\xFF\x00\x00\x00\x00\x80\x00\x00\x01\x00", 16));
    b.u32(20, B + 16424);
    b.u32(32, B + 40);
    b.u32(36, B + 8232);
    for (size_t e = 0; e < 512; ++e) b.u32(40 + 32 * e + 16, 0xFFFFFFFF);
    return b;
}

struct Bank3Test : ::testing::Test {
    zvtest::ProjectFixture p;
    Bank3Test() { zv::write_par_gen(p.s.File_ParGen, zv::ParGenValues{}); }

    void vars(const std::vector<zv::VariableRow>& stom, const std::vector<zv::VariableRow>& mtos = {}) {
        zv::write_variables_file(p.s.File_EtherCAT_Slave, {stom, mtos});
    }
    static zv::VariableRow row(const char* type, const char* length, const char* name, const char* init = "",
                               const char* pos = "0", const char* bit = "0", const char* enable = "Y") {
        return {enable, type, length, name, init, pos, bit, "", ""};
    }
    std::string compile() {
        zv::compile_project(p.s);
        EXPECT_TRUE(zvtest::decodes_cleanly(3, p.bank(3)));
        return p.bank(3);
    }
};

TEST_F(Bank3Test, RunSpeedTagCmdExample) {
    vars({row("Bool", "1", "Run", "1", "0", "0"), row("Int16", "2", "Speed", "300", "1"), row("String", "4", "Tag", "AB", "3")},
         {row("UInt8", "1", "Cmd")});
    zv::write_group_file(p.s.File_EtherCAT_Group, {{{"In", "2", ""}}, {}});

    Bytes b = empty_image(16585);
    b.u16(28, 3);
    b.u16(30, 1);
    put_entry(b, 40, {1, 1, 1, 0, 0, 0, 0, B + 16578, 3, B + 16557});
    put_entry(b, 72, {3, 2, 1, 0, 1, 1, 0, B + 16579, 5, B + 16561});
    put_entry(b, 104, {9, 4, 1, 0, 3, 2, -1, B + 16581, 3, B + 16567});
    put_entry(b, 8232, {5, 1, 0, 0, 0, 0, -1, 0, 3, B + 16571});
    b.u32(16424, B + 16575);
    b.u8(16552, 1);
    b.text(16557, std::string("Run\0Speed\0Tag\0Cmd\0In\0", 21));
    b.text(16578, std::string("\x01\x2C\x01" "AB\0\0", 7));
    EXPECT_TRUE(zvtest::same_bytes(compile(), b.b));
}

TEST_F(Bank3Test, InitialValueEncodings) {
    struct Case {
        const char* type;
        const char* length;
        const char* init;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"Bool", "1", "1", "\x01"},
        {"Bool", "1", "2", std::string(1, '\0')},
        {"Bool", "1", "3", "\x01"},
        {"Int8", "1", "-1", "\xFF"},
        {"UInt8", "1", "$1F", "\x1F"},
        {"Int16", "2", "70000", "\x70\x11"},
        {"UInt16", "2", "0x1234", "\x34\x12"},
        {"Int32", "4", "-2", "\xFE\xFF\xFF\xFF"},
        {"UInt32", "4", "4294967295", "\xFF\xFF\xFF\xFF"},
        {"Int16", "2", "12x", std::string(2, '\0')},
        {"Float32", "4", "1.5", std::string("\x00\x00\xC0\x3F", 4)},
        {"Float32", "4", "-0.25e1", std::string("\x00\x00\x20\xC0", 4)},
        {"Float32", "4", "abc", std::string(4, '\0')},
        {"String", "4", "AB", std::string("AB\0\0", 4)},
        {"String", "2", "ABC", "AB"},
        {"String", "3", "\xC3\xA9\xE2\x82\xAC", std::string("\xE9\xAC\0", 3)},  // low byte of each character
        {"Array", "3", "0A0B", std::string("\x0A\x0B\0", 3)},
        {"Array", "2", "ff0", std::string("\xFF\0", 2)},
        {"Array", "2", "0G11", std::string("\0\x11", 2)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.type) + " " + k.init);
        vars({row(k.type, k.length, "", k.init)});
        const std::string img = compile();
        ASSERT_EQ(img.size(), 16557 + k.bytes.size());
        EXPECT_EQ(img.substr(16557), k.bytes);
        Bytes got{};
        got.b = img;
        EXPECT_EQ(got.get_u32(40 + 20), B + 16557);
        EXPECT_EQ(got.get_u32(40 + 28), B + 16556);  // an empty name points at the empty text
    }
}

TEST_F(Bank3Test, EntriesFollowTheEnabledRows) {
    // Disabled rows and rows without Enable take no entry; a hand-edited unknown type
    // gets code 0 and no initial value; lengths default to 1; an empty init takes no room.
    vars({row("Int8", "1", "off", "5", "0", "0", "N"), {std::nullopt, "Int8", "1", "missing", "", "", "", "", ""},
          row("Word", "3", "w", "7", "x", "9"), {"Y", "Array", std::nullopt, "\xC3\xA4", "", "2", "", "", ""},
          row("UInt8", "1", "u", "", "5")},
         {row("Bool", "1", "m", "1", "0", "3")});
    const std::string img = compile();
    Bytes b = empty_image(16557 + 9);  // names only: no entry here has an initial value
    b.u16(28, 3);
    b.u16(30, 1);
    put_entry(b, 40, {0, 3, 1, 9, 0, 0, -1, 0, 1, B + 16557});
    put_entry(b, 72, {10, 1, 1, 0, 2, 1, -1, 0, 2, B + 16559});
    put_entry(b, 104, {5, 1, 1, 0, 5, 2, -1, 0, 1, B + 16562});
    put_entry(b, 8232, {1, 1, 0, 3, 0, 0, -1, 0, 1, B + 16564});
    b.text(16557, std::string("w\0\xC3\xA4\0u\0m\0", 9));
    EXPECT_TRUE(zvtest::same_bytes(img, b.b));
}

TEST_F(Bank3Test, GroupsAndTheirIndexes) {
    std::vector<zv::VariableRow> six(6, row("Int8", "1", ""));
    vars(six, {row("Int8", "1", "")});
    // An unnamed row takes no place in the list; a count that is not a number adds nothing.
    zv::write_group_file(p.s.File_EtherCAT_Group,
                         {{{"A", "2", ""}, {"", "5", ""}, {"B", "x", ""}, {"C\xC3\xA9", "3", ""}}, {{"M", "0", ""}}});
    const std::string img = compile();
    Bytes got;
    got.b = img;
    std::vector<int32_t> groups;
    for (size_t e = 0; e < 7; ++e) groups.push_back(static_cast<int32_t>(got.get_u32(40 + 32 * e + 16)));
    EXPECT_EQ(groups, (std::vector<int32_t>{0, 0, 2, 2, 2, -1, -1}));
    EXPECT_EQ(got.get_u32(8232 + 16), 0xFFFFFFFFu);
    EXPECT_EQ(got.get_u32(16424), B + 16557);
    EXPECT_EQ(got.get_u32(16428), B + 16559);
    EXPECT_EQ(got.get_u32(16432), B + 16561);
    EXPECT_EQ(got.get_u32(16436), 0u);
    EXPECT_EQ(got.get_u32(16488), B + 16565);
    EXPECT_EQ(img.substr(16552, 2), "\x03\x01");
    EXPECT_EQ(img.substr(16557), std::string("A\0B\0C\xC3\xA9\0M\0", 10));
}

TEST_F(Bank3Test, TooManyRowsOrGroupsAreReported) {
    std::vector<zv::VariableRow> rows(257, row("Int8", "1", "v"));
    rows.push_back(row("Int8", "1", "off", "", "0", "0", "N"));
    vars({}, rows);
    try {
        compile();
        FAIL();
    } catch (const zv::Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find(p.s.File_EtherCAT_Slave.string()), std::string::npos) << m;
        EXPECT_NE(m.find("Master To Slave"), std::string::npos) << m;
    }
    rows.resize(256);
    vars({}, rows);
    EXPECT_NO_THROW(compile());

    std::vector<zv::GroupRow> groups(17, {"G", "1", ""});
    zv::write_group_file(p.s.File_EtherCAT_Group, {groups, {}});
    try {
        compile();
        FAIL();
    } catch (const zv::Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find(p.s.File_EtherCAT_Group.string()), std::string::npos) << m;
        EXPECT_NE(m.find("Slave To Master"), std::string::npos) << m;
    }
    groups[16].Group_Name = "";
    zv::write_group_file(p.s.File_EtherCAT_Group, {groups, {}});
    EXPECT_NO_THROW(compile());
}

}  // namespace
