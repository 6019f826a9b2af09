#include <gtest/gtest.h>

#include "common/test_support.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

TEST(FileIo, AtomicWriteReplacesAndLeavesNoTemporaries) {
    zvtest::TempDir dir;
    zv::write_file_atomic(dir / "a.bin", "first");
    zv::write_file_atomic(dir / "a.bin", std::string("se\0cond", 7));
    EXPECT_EQ(zvtest::slurp(dir / "a.bin"), std::string("se\0cond", 7));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
    EXPECT_THROW(zv::write_file_atomic(dir / "missing/a.bin", "x"), zv::Error);
}

TEST(FileIo, AllOrNothingWhenOneFileFails) {
    zvtest::TempDir dir;
    zvtest::spit(dir / "one", "old");
    EXPECT_THROW(zv::write_files_atomic({{dir / "one", "new"}, {dir / "nodir/two", "new"}}), zv::Error);
    EXPECT_EQ(zvtest::slurp(dir / "one"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}

TEST(Xml, IllFormedNamesFileReasonAndOffset) {
    pugi::xml_document doc;
    try {
        zv::load_xml_bytes(doc, "<a><b></a>", "x.xml");
        FAIL();
    } catch (const zv::Error& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("x.xml"), std::string::npos);
        EXPECT_NE(m.find("at byte"), std::string::npos);
    }
}

TEST(Encoding, CodeUnitBytesAndCodePage) {
    EXPECT_EQ(zv::to_code_unit_bytes("A\xC3\xA9\xE2\x82\xAC"), "A\xE9\xAC");  // é -> E9, € (U+20AC) -> AC
    EXPECT_EQ(zv::utf8_to_cp1252("\xE2\x82\xAC\xC3\xA9\xE4\xB8\xAD"), "\x80\xE9?");
    EXPECT_EQ(zv::cp1252_to_utf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(zv::utf16_to_utf8(zv::utf8_to_utf16("\xF0\x9F\x98\x80 ok")), "\xF0\x9F\x98\x80 ok");
    EXPECT_EQ(zv::utf8_to_utf16("\xFF"), std::u16string(1, u'\uFFFD'));
}
