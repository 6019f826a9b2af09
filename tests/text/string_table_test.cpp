#include <gtest/gtest.h>

#include "common/test_support.h"
#include "text/string_table.h"

using zv::StringTable;

namespace {

StringTable english() {
    StringTable t;
    t.Build_Table();
    return t;
}

}  // namespace

TEST(StringTable, BuiltInTableHasAllEntriesAndKnownTexts) {
    StringTable t = english();
    ASSERT_EQ(t.size(), 3600u);
    EXPECT_EQ(t[9], "None Configuration Opened ");
    EXPECT_EQ(t[15], "New Configuration");
    EXPECT_EQ(t[306], " / ");
    EXPECT_EQ(t[2733], "Are you sure to delete the Row number %d");
    EXPECT_EQ(t[3599], "");
    EXPECT_EQ(t[3600], "");
    EXPECT_EQ(t[-1], "");
}

struct LineCase {
    const char* line;
    int entry;          // entry expected to change, or -1 when the line is ignored
    const char* text;   // its new text
};

class LngLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LngLine, AppliesTheGrammar) {
    const LineCase& c = GetParam();
    StringTable t = english();
    const StringTable before = english();
    t.apply_line(c.line);
    for (int i = 0; i < StringTable::kSize; ++i) {
        if (i == c.entry)
            EXPECT_EQ(t[i], c.text) << "entry " << i;
        else
            EXPECT_EQ(t[i], before[i]) << "entry " << i << " changed by: " << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, LngLine,
    ::testing::Values(
        LineCase{"STR15 = Nuova Configurazione", 15, "Nuova Configurazione"},
        LineCase{"STR15= Nuova", 1, "Nuova"},                 // the digit before "=" is lost
        LineCase{"STR12= Info", 1, "Info"},
        LineCase{"STR15  =  Nuova", 15, "Nuova"},
        LineCase{"STR0015 = Zeros", 15, "Zeros"},
        LineCase{"str15 = lower", -1, ""},
        LineCase{" \t STR15 = Indented", 15, "Indented"},
        LineCase{"STR3600 = Out", -1, ""},
        LineCase{"STR-1 = Out", -1, ""},
        LineCase{"STR3599 = Last", 3599, "Last"},
        LineCase{"STR15 =", -1, ""},
        LineCase{"STR15 =    ", -1, ""},
        LineCase{"STR15 Nuova", -1, ""},                      // no "="
        LineCase{"STR = x", -1, ""},                          // no number
        LineCase{"STRx5 = x", -1, ""},
        LineCase{"STR9 = \xC2\xB6None Configuration Opened \xC2\xB6", 9, "None Configuration Opened "},
        LineCase{"STR9 = \xC2\xB6  lead", 9, "  lead"},
        LineCase{"STR9 = \xC2\xB6", 9, ""},
        LineCase{"STR9 = text /#/ comment \xC2\xB6", 9, "text"},
        LineCase{"STR9 = keep \xC2\xB6 tail", 9, "keep "},
        LineCase{"STR9 = /#/ only a comment", -1, ""},
        LineCase{"STR15 = a = b", 15, "a = b"},
        LineCase{"; comment line", -1, ""},
        LineCase{"[Section]", -1, ""}));

TEST(StringTable, LaterLineWinsAndLineEndsOfAllKinds) {
    StringTable t = english();
    t.apply_language_bytes("STR15 = one\r\nSTR16 = two\rSTR17 = three\nSTR15 = four");
    EXPECT_EQ(t[15], "four");
    EXPECT_EQ(t[16], "two");
    EXPECT_EQ(t[17], "three");
}

TEST(StringTable, EncodingsByByteOrderMark) {
    const std::string text = "STR15 = Caf\xC3\xA9 \xC2\xB6";  // UTF-8 "Café ¶"
    struct Case {
        std::string bytes;
    };
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    const std::u16string u = u"STR15 = Caf\u00E9 \u00B6";
    for (char16_t c : u) {
        utf16le += static_cast<char>(c & 0xFF);
        utf16le += static_cast<char>(c >> 8);
        utf16be += static_cast<char>(c >> 8);
        utf16be += static_cast<char>(c & 0xFF);
    }
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, utf16le, utf16be,
                                     std::string("STR15 = Caf\xE9 \xB6")}) {
        StringTable t = english();
        t.apply_language_bytes(bytes);
        EXPECT_EQ(t[15], "Caf\xC3\xA9 ");
    }
    StringTable t = english();
    t.apply_language_bytes("STR15 = \x80uro");  // Windows-1252 euro sign
    EXPECT_EQ(t[15], "\xE2\x82\xAC" "uro");
}

TEST(StringTable, LngLoadFallsBackToEnglish) {
    zvtest::TempDir dir;
    StringTable t;
    std::string name = "Italiano";
    zv::Lng_Load(t, dir.path, name);
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t[15], "New Configuration");

    zvtest::spit(dir / "English.lng", "STR15 = From English file\n");
    name = "Missing";
    zv::Lng_Load(t, dir.path, name);
    EXPECT_EQ(name, "English");
    EXPECT_EQ(t[15], "From English file");

    zvtest::spit(dir / "Italiano.lng", "STR16 = Apri\n");
    name = "Italiano";
    zv::Lng_Load(t, dir.path, name);
    EXPECT_EQ(name, "Italiano");
    EXPECT_EQ(t[15], "New Configuration");  // rebuilt, not layered on English.lng
    EXPECT_EQ(t[16], "Apri");
}
