#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "common/test_support.h"
#include "params/par_gen.h"

namespace fs = std::filesystem;
using zvtest::run_program;

namespace {
const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
}

TEST(CliCompile, WritesTheThreeBanksAndReportsThem) {
    zvtest::TempDir d;
    fs::path project = d / "Line 4";
    fs::create_directories(project);  // no bin folder yet
    zv::write_par_gen(project / "ParGen.xml", zv::ParGenValues{});
    auto r = run_program({kCli, "compile", project.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j.size(), 3u);
    const size_t sizes[] = {2048, 1176, 16557};
    for (int n = 0; n < 3; ++n) {
        fs::path f = project / "bin" / ("bank" + std::to_string(n + 1) + ".bin");
        EXPECT_EQ(j[n]["file"], f.string());
        EXPECT_EQ(j[n]["size"], sizes[n]);
        EXPECT_EQ(fs::file_size(f), sizes[n]);
    }
}

TEST(CliCompile, ErrorsExitOneAndLeaveTheBanks) {
    zvtest::TempDir d;
    fs::path project = d / "P";
    zvtest::spit(project / "bin" / "bank2.bin", "old");
    zvtest::spit(project / "ParGen.xml", "<Par_Gen><EtherCAT_Slave_Name>abcdefghijklmnopq</EtherCAT_Slave_Name></Par_Gen>");
    auto r = run_program({kCli, "compile", project.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("EtherCAT_Slave_Name"), std::string::npos) << r.err;
    EXPECT_EQ(zvtest::slurp(project / "bin" / "bank2.bin"), "old");
    EXPECT_FALSE(fs::exists(project / "bin" / "bank1.bin"));

    r = run_program({kCli, "compile", (d / "missing").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(fs::exists(d / "missing"));
    EXPECT_EQ(run_program({kCli, "compile"}).code, 2);
}
