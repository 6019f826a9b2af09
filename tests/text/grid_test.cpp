#include <gtest/gtest.h>

#include "common/test_support.h"
#include "text/grid.h"
#include "text/text_util.h"

namespace {

using zv::Grid;

zv::StringTable strings() {
    zv::StringTable t;
    t.Build_Table();
    return t;
}

// Text-only table: 5 rows (4 data rows), 3 data columns; row r holds "a<r>", "b<r>", "c<r>".
Grid acg_table() {
    Grid g(5, 4);
    g.number_rows();
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c) g.text(r, c) = std::string(1, static_cast<char>('a' + c - 1)) + std::to_string(r);
    return g;
}

// Check-box table: column 1 the Enable box, column 2 text, column 3 another box.
// Row r: Enable checked only on even rows, text "t<r>", other box checked only on odd rows.
Grid asg_table() {
    Grid g(5, 4);
    g.number_rows();
    for (int r = 1; r <= 4; ++r) {
        g.add_check(r, 1, r % 2 == 0);
        g.text(r, 2) = std::string("t").append(std::to_string(r));
        g.add_check(r, 3, r % 2 == 1);
    }
    return g;
}

// A row as "cell|cell|cell"; check boxes show as Y or N.
std::string row_of(const Grid& g, int r) {
    std::string s;
    for (int c = 1; c <= g.data_cols(); ++c) {
        if (c > 1) s += "|";
        s += g.has_check(r, c) ? (g.checked(r, c) ? "Y" : "N") : g.text(r, c);
    }
    return s;
}

std::vector<std::string> rows_of(const Grid& g) {
    std::vector<std::string> v;
    for (int r = 1; r < g.RowCount(); ++r) v.push_back(row_of(g, r));
    return v;
}

struct ShiftCase {
    const char* op;
    int row;
    std::vector<std::string> acg, asg;
};

TEST(RowOperations, DeleteAndInsertShiftBothFamilies) {
    const std::vector<ShiftCase> cases = {
        {"del", 1, {"a2|b2|c2", "a3|b3|c3", "a4|b4|c4", "||"}, {"Y|t2|N", "N|t3|Y", "Y|t4|N", "Y||N"}},
        {"del", 2, {"a1|b1|c1", "a3|b3|c3", "a4|b4|c4", "||"}, {"N|t1|Y", "N|t3|Y", "Y|t4|N", "Y||N"}},
        {"del", 4, {"a1|b1|c1", "a2|b2|c2", "a3|b3|c3", "||"}, {"N|t1|Y", "Y|t2|N", "N|t3|Y", "Y||N"}},
        {"ins", 1, {"||", "a1|b1|c1", "a2|b2|c2", "a3|b3|c3"}, {"Y||N", "N|t1|Y", "Y|t2|N", "N|t3|Y"}},
        {"ins", 3, {"a1|b1|c1", "a2|b2|c2", "||", "a3|b3|c3"}, {"N|t1|Y", "Y|t2|N", "Y||N", "N|t3|Y"}},
        {"ins", 4, {"a1|b1|c1", "a2|b2|c2", "a3|b3|c3", "||"}, {"N|t1|Y", "Y|t2|N", "N|t3|Y", "Y||N"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.op) + " row " + std::to_string(k.row));
        Grid a = acg_table(), s = asg_table();
        if (std::string(k.op) == "del") {
            zv::DelRow_ACG(k.row, a);
            zv::DelRow_ASG(k.row, s);
        } else {
            zv::InsRow_ACG(k.row, a);
            zv::InsRow_ASG(k.row, s);
        }
        EXPECT_EQ(rows_of(a), k.acg);
        EXPECT_EQ(rows_of(s), k.asg);
        EXPECT_EQ(a.text(0, 1), "");  // header untouched
        EXPECT_EQ(s.text(4, 0), "4");  // row numbers untouched
    }
}

TEST(RowOperations, HiddenColumnsAreDataColumns) {
    Grid g = acg_table();
    g.columns[3].hidden = true;
    zv::CopyRowBuffer buf;
    zv::CopyRow_ACG(g, 2, buf);
    EXPECT_EQ(buf.Copy_Row_Buffer, (std::vector<std::string>{"a2", "b2", "c2"}));
    zv::DelRow_ACG(1, g);
    EXPECT_EQ(g.text(1, 3), "c2");
}

TEST(RowOperations, PasteRefusesWithoutCopyOrWithOtherWidth) {
    auto t = strings();
    for (bool check_family : {false, true}) {
        SCOPED_TRACE(check_family ? "ASG" : "ACG");
        Grid g = check_family ? asg_table() : acg_table();
        const auto before = rows_of(g);
        zv::CopyRowBuffer buf;
        zvtest::ScriptedPrompter p;
        auto paste = [&](bool copied) {
            return check_family ? zv::PasteRow_ASG(g, 1, copied, buf, t, p) : zv::PasteRow_ACG(g, 1, copied, buf, t, p);
        };
        check_family ? zv::CopyRow_ASG(g, 2, buf) : zv::CopyRow_ACG(g, 2, buf);
        EXPECT_FALSE(paste(false));
        EXPECT_EQ(p.last(), "Error!!! Copy a valid row before Paste it");
        buf.Copy_Row_Buffer.push_back("extra");
        EXPECT_FALSE(paste(true));
        EXPECT_EQ(p.last(), "Error in the Copy values!!! Copy a valid row before Paste it");
        EXPECT_EQ(p.shown.size(), 2u);
        EXPECT_EQ(p.shown[1].kind, "error");
        EXPECT_EQ(rows_of(g), before);
    }
}

TEST(RowOperations, PasteAsksBeforeOverwritingAUsedRow) {
    auto t = strings();
    const std::string question = "Row Already used. Do you want to overwrite the values?";
    struct Case {
        bool check_family;
        std::string target_text;  // text column(s) of the target row
        bool asks;
    };
    const std::vector<Case> cases = {
        {false, "", false},
        {false, "   ", false},  // blanks only: empty for the text-only family
        {false, " x ", true},
        {true, "", false},
        {true, "   ", true},  // blanks count in the check-box family
    };
    for (const auto& k : cases) {
        for (bool answer : {false, true}) {
            SCOPED_TRACE(std::string(k.check_family ? "ASG" : "ACG") + " '" + k.target_text + "' answer " +
                         (answer ? "Yes" : "No"));
            Grid g = k.check_family ? asg_table() : acg_table();
            for (int c = 1; c <= g.data_cols(); ++c)
                if (!g.has_check(4, c)) g.text(4, c) = k.target_text;
            zv::CopyRowBuffer buf;
            zvtest::ScriptedPrompter p;
            p.answers = {answer};
            bool pasted = k.check_family ? (zv::CopyRow_ASG(g, 1, buf), zv::PasteRow_ASG(g, 4, true, buf, t, p))
                                         : (zv::CopyRow_ACG(g, 1, buf), zv::PasteRow_ACG(g, 4, true, buf, t, p));
            EXPECT_EQ(p.shown.size(), k.asks ? 1u : 0u);
            if (k.asks) {
                EXPECT_EQ(p.shown[0], (zvtest::ScriptedPrompter::Shown{"confirm", question}));
            }
            const bool expect_paste = !k.asks || answer;
            EXPECT_EQ(pasted, expect_paste);
            EXPECT_EQ(row_of(g, 4) == row_of(g, 1), expect_paste);
        }
    }
}

TEST(RowOperations, CheckBoxColumnTextDoesNotMakeAnAcgRowUsed) {
    auto t = strings();
    Grid g = acg_table();
    g.columns[1].editor = zv::ColumnEditor::CheckBox;
    g.text(4, 2).clear();
    g.text(4, 3).clear();  // only the check-box column holds text
    zv::CopyRowBuffer buf;
    zv::CopyRow_ACG(g, 1, buf);
    zvtest::ScriptedPrompter p;
    EXPECT_TRUE(zv::PasteRow_ACG(g, 4, true, buf, t, p));
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(row_of(g, 4), "a1|b1|c1");
}

TEST(RowOperations, CheckBoxCopyKeepsStatesAsYAndN) {
    auto t = strings();
    Grid g = asg_table();
    zv::CopyRowBuffer buf;
    zv::CopyRow_ASG(g, 1, buf);
    EXPECT_EQ(buf.Copy_Row_Buffer, (std::vector<std::string>{"N", "t1", "Y"}));
    EXPECT_EQ(buf.Copy_Row_CheckBox, (std::vector<bool>{true, false, true}));
    g.text(2, 2).clear();
    zvtest::ScriptedPrompter p;
    EXPECT_TRUE(zv::PasteRow_ASG(g, 2, true, buf, t, p));
    EXPECT_EQ(row_of(g, 2), "N|t1|Y");
    EXPECT_EQ(g.text(2, 1), "");  // the box's own text is not overwritten with "N"
}

TEST(TableKeys, EnterJumpsOnlyWithTheSetting) {
    struct Case {
        bool setting;
        char key;
        int row, col;
        bool hide_last;
        char key_after;
        int row_after, col_after;
    };
    const std::vector<Case> cases = {
        {false, '\r', 1, 1, false, '\r', 1, 1},
        {true, 'a', 1, 1, false, 'a', 1, 1},
        {true, '\r', 1, 1, false, '\0', 1, 2},
        {true, '\r', 2, 2, false, '\0', 2, 3},
        {true, '\r', 2, 3, false, '\0', 3, 1},
        {true, '\r', 4, 3, false, '\0', 1, 1},  // last cell wraps to row 1
        {true, '\r', 2, 2, true, '\0', 3, 1},   // a hidden column is not a jump target
        {true, '\r', 0, 2, false, '\0', 0, 2},  // header: consumed, no move
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.row) + "," + std::to_string(k.col));
        Grid g = acg_table();
        g.columns[3].hidden = k.hide_last;
        g.row = k.row;
        g.col = k.col;
        char key = k.key;
        zv::Table_KeyPress(g, key, k.setting);
        EXPECT_EQ(key, k.key_after);
        EXPECT_EQ(g.row, k.row_after);
        EXPECT_EQ(g.col, k.col_after);
    }
    EXPECT_TRUE(zv::Table_DblClickCell(0, true));
    EXPECT_FALSE(zv::Table_DblClickCell(0, false));
    EXPECT_FALSE(zv::Table_DblClickCell(3, true));
}

TEST(TextHelpers, CheckIpAddress) {
    struct Case {
        const char* text;
        bool ok;
        std::array<std::string, 4> parts;
    };
    const std::vector<Case> cases = {
        {"192.168.2.205", true, {"192", "168", "2", "205"}},
        {"  10 . 0 .1. 255 ", true, {"10", "0", "1", "255"}},
        {"0.0.0.0", true, {"0", "0", "0", "0"}},
        {"1.2.3", false, {}},
        {"1.2.3.4.5", false, {"1", "2", "3", "4.5"}},
        {"1.2.3.256", false, {"1", "2", "3", "256"}},
        {"1.2.x.4", false, {"1", "2", "x", "4"}},
        {"1.2.-1.4", false, {"1", "2", "-1", "4"}},
        {"1..3.4", false, {"1", "", "3", "4"}},
        {"", false, {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        std::array<std::string, 4> parts;
        EXPECT_EQ(zv::Check_IP_Address(k.text, parts), k.ok);
        EXPECT_EQ(parts, k.parts);
    }
}

TEST(TextHelpers, IpAddressToBytes) {
    struct Case {
        const char* text;
        bool error;
        std::array<uint8_t, 4> bytes;
    };
    const std::vector<Case> cases = {
        {"192.168.2.205", false, {192, 168, 2, 205}},
        {"1.2", true, {1, 0, 0, 2}},
        {"1.2.3.300", true, {1, 2, 3, 0}},
        {"a.2.3.4", true, {0, 2, 3, 4}},
        {"", true, {9, 9, 9, 9}},  // left as they were
        {" 1.2.3.4", true, {0, 2, 3, 4}},  // groups are taken as they stand
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        std::array<uint8_t, 4> bytes{9, 9, 9, 9};
        EXPECT_EQ(zv::IP_Address_To_Bytes(k.text, bytes), k.error);
        EXPECT_EQ(bytes, k.bytes);
    }
}

TEST(TextHelpers, IsTrue) {
    EXPECT_TRUE(zv::Is_TRUE("TRUE"));
    EXPECT_TRUE(zv::Is_TRUE("  true \t"));
    for (const char* no : {"1", "yes", "", "TRUE1", "tru e"}) EXPECT_FALSE(zv::Is_TRUE(no)) << no;
}

}  // namespace
