#pragma once
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "common/test_support.h"
#include "compiler/bank_dump.h"
#include "compiler/compiler.h"
#include "shell/workspace.h"

namespace zvtest {

// A project folder with the state the compiler reads.
struct ProjectFixture {
    TempDir dir;
    zv::ShellState s;
    zv::BankCompiler c;

    ProjectFixture() {
        s.Project_Path = dir.path / "P";
        std::filesystem::create_directories(s.Project_Path / "bin");
        zv::Set_Files(s);
    }
    void par_gen(const std::string& inner) {
        spit(s.File_ParGen, "<Par_Gen>" + inner + "</Par_Gen><!--SW_VERSION = 1.006-->");
    }
    std::string bank(int n) const { return slurp(s.Project_Path / "bin" / ("bank" + std::to_string(n) + ".bin")); }
};

// An image built field by field as the device reads it.
struct Bytes {
    std::string b;
    explicit Bytes(size_t n = 0) : b(n, '\0') {}
    void u8(size_t off, uint8_t v) { b.at(off) = static_cast<char>(v); }
    void u16(size_t off, uint16_t v) {
        u8(off, v & 0xFF);
        u8(off + 1, v >> 8);
    }
    void u32(size_t off, uint32_t v) {
        u16(off, v & 0xFFFF);
        u16(off + 2, v >> 16);
    }
    void octets(size_t off, uint8_t a, uint8_t b2, uint8_t c, uint8_t d) {
        u8(off, a);
        u8(off + 1, b2);
        u8(off + 2, c);
        u8(off + 3, d);
    }
    void text(size_t off, const std::string& t) { b.replace(off, t.size(), t); }
    uint32_t get_u32(size_t off) const {
        return static_cast<uint8_t>(b.at(off)) | static_cast<uint8_t>(b.at(off + 1)) << 8 |
               static_cast<uint8_t>(b.at(off + 2)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(b.at(off + 3))) << 24;
    }
};

// Equality of two images, reported as the first differing offset instead of
// thousands of escaped bytes.
inline ::testing::AssertionResult same_bytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
    auto byte = [](const std::string& s, size_t k) {
        return k < s.size() ? std::to_string(static_cast<uint8_t>(s[k])) : std::string("end");
    };
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                         << ", first difference at offset " << i << ": " << byte(actual, i)
                                         << " instead of " << byte(expected, i);
}

// The image read back as the device reads it finds every byte, and nothing amiss.
inline ::testing::AssertionResult decodes_cleanly(int bank, const std::string& img) {
    const auto problems = zv::dump_bank(bank, img).at("problems");
    if (problems.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "bank " << bank << ": " << problems.dump();
}

}  // namespace zvtest
