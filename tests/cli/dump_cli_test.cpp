#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/test_support.h"
#include "params/par_gen.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {

const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";

struct CliDump : ::testing::Test {
    zvtest::TempDir d;
    fs::path bin = d / "P" / "bin";

    CliDump() {
        fs::create_directories(d / "P");
        zv::write_par_gen(d / "P" / "ParGen.xml", zv::ParGenValues{});
        EXPECT_EQ(run_program({kCli, "compile", (d / "P").string()}).code, 0);
    }
    // A copy of bank n under another name.
    std::string copy(int n, const std::string& name) {
        const fs::path to = d / name;
        fs::copy_file(bin / ("bank" + std::to_string(n) + ".bin"), to, fs::copy_options::overwrite_existing);
        return to.string();
    }
};

TEST_F(CliDump, CompiledBanksDecodeWithoutProblems) {
    const size_t sizes[] = {2048, 1176, 16557};
    for (int n = 1; n <= 3; ++n) {
        auto r = run_program({kCli, "dump", (bin / ("bank" + std::to_string(n) + ".bin")).string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["bank"], n);
        EXPECT_EQ(j["size"], sizes[n - 1]);
        EXPECT_EQ(j["problems"], nlohmann::json::array());
    }
    auto r = run_program({kCli, "dump", copy(1, "BANK1.BIN")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["general"]["Name_Of_Station"]["value"], "devicename1");
}

TEST_F(CliDump, TheBankComesFromTheNameOrFromTheOption) {
    const std::string other = copy(2, "from-device.img");
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* err;  // part of stderr
    } cases[] = {
        {{other}, 2, "--bank"},
        {{other, "--bank", "2"}, 0, ""},
        {{"--bank=2", other}, 0, ""},
        {{other, "--bank", "4"}, 2, "--bank takes 1, 2 or 3"},
        {{other, "--bank", "x2"}, 2, "--bank takes 1, 2 or 3"},
        {{copy(2, "Bank2.bin")}, 0, ""},
        {{other, "--bank", "1"}, 1, "truncated"},  // read as the wrong bank: problems, exit 1
        {{(d / "missing.bin").string(), "--bank", "1"}, 1, "missing.bin"},
        {{(d / "bank1.bin").string()}, 1, "bank1.bin"},  // guessed, but not there
        {{}, 2, "missing arguments"},
        {{other, other}, 2, "too many arguments"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv = {kCli, "dump"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        auto r = run_program(argv);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST_F(CliDump, ProblemsGoToStderrAfterTheJson) {
    // Corrupt bank 1's checksum and cut bank 3 short.
    std::string b1 = zvtest::slurp(bin / "bank1.bin");
    b1[2044] = static_cast<char>(b1[2044] + 1);
    zvtest::spit(bin / "bank1.bin", b1);
    auto r = run_program({kCli, "dump", (bin / "bank1.bin").string()});
    EXPECT_EQ(r.code, 1);
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["problems"].size(), 1u);
    EXPECT_EQ(r.err, (bin / "bank1.bin").string() + ": " + j["problems"][0].get<std::string>() + "\n");
    EXPECT_NE(r.err.find("checksum"), std::string::npos);
    EXPECT_EQ(j["general"]["IP_Address"]["value"], "192.168.0.10");

    zvtest::spit(bin / "bank3.bin", zvtest::slurp(bin / "bank3.bin").substr(0, 100));
    r = run_program({kCli, "dump", (bin / "bank3.bin").string()});
    EXPECT_EQ(r.code, 1);
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["header"]["Node_Address"]["value"], 1);
    EXPECT_NE(r.err.find("outside the image (truncated"), std::string::npos) << r.err;

    // A file far larger than any bank is not read at all.
    zvtest::spit(d / "bank2.bin", std::string((1 << 20) + 1, '\0'));
    r = run_program({kCli, "dump", (d / "bank2.bin").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("1048577 bytes"), std::string::npos) << r.err;
}

TEST(CliDumpHelp, ExplainsTheCommand) {
    auto r = run_program({kCli, "dump", "--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("dump BANK_FILE [--bank 1|2|3]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("problems"), std::string::npos) << r.out;
}

}  // namespace
