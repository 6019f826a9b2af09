#include <gtest/gtest.h>

#include "common/test_support.h"
#include "ethercat/esi.h"

namespace {

const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";

TEST(CliEtherCAT, EsiWritesTheProjectsFile) {
    zvtest::TempDir project;
    zvtest::spit(project / "EtherCAT_Slave.xml",
                 "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                 "<row Enable=\"Y\" Type=\"Int16\" Length=\"2\" Name=\"Speed\"/></EtherCAT_Slave_To_Master>"
                 "</EtherCAT_Slave_Variables></EtherCAT_Slave>");
    const auto out = project / "out.xml";
    zvtest::spit(out, "old");
    auto r = zvtest::run_program({kCli, "esi", project.path.string(), out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out.string() + "\n");
    EXPECT_EQ(zvtest::slurp(out),
              zv::esi_text(zv::Read_ESI_Data(project / "ParGen.xml", project / "EtherCAT_Slave.xml")));
    EXPECT_NE(zvtest::slurp(out).find("<Name>Speed</Name>"), std::string::npos);
}

TEST(CliEtherCAT, EsiErrors) {
    zvtest::TempDir project;
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    zvtest::spit(project / "EtherCAT_Slave.xml", "<EtherCAT_Slave>");
    const std::vector<Case> cases = {
        {{"esi"}, 2},
        {{"esi", project.path.string()}, 2},
        {{"esi", (project / "missing").string(), (project / "a.xml").string()}, 1},
        {{"esi", project.path.string(), (project / "a.xml").string()}, 1},  // ill-formed variables file
    };
    for (const auto& k : cases) {
        std::vector<std::string> argv = {kCli};
        argv.insert(argv.end(), k.args.begin(), k.args.end());
        auto r = zvtest::run_program(argv);
        EXPECT_EQ(r.code, k.code) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(project / "a.xml"));
}

}  // namespace
