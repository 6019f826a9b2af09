#include <gtest/gtest.h>

#include "common/test_support.h"
#include "text/error.h"
#include "update/job_file.h"

namespace fs = std::filesystem;

namespace {

zv::JobValues values(int option, bool read_back) {
    zv::JobValues v;
    v.ip_address = "127.0.0.1";
    v.update_option = option;
    v.read_back = read_back;
    v.master_path = "/ws/MASTER";
    v.project_path = "/ws/PROJECTS/Plant A";
    return v;
}

}  // namespace

TEST(JobFile, MatchesTheExpectedBytesForEveryOptionAndReadBack) {
    struct Case {
        int option;
        bool read_back;
        const char* fixture;
    };
    const Case cases[] = {
        {0, true, "job_fw_cfg_rb1.xml"}, {0, false, "job_fw_cfg_rb0.xml"}, {1, true, "job_fw_rb1.xml"},
        {1, false, "job_fw_rb0.xml"},    {2, true, "job_cfg_rb1.xml"},    {2, false, "job_cfg_rb0.xml"},
    };
    for (const Case& c : cases) {
        std::string expected = zvtest::slurp(fs::path(ZV_FIXTURES) / "update" / c.fixture);
        ASSERT_FALSE(expected.empty()) << c.fixture;
        EXPECT_EQ(zv::job_file_xml(values(c.option, c.read_back)), expected) << c.fixture;
    }
}

TEST(JobFile, IsWrittenBesideTheUpdaterReplacingAnEarlierOne) {
    zvtest::TempDir ws;
    zvtest::spit(ws / "Ethernet_Update.xml", "old job that is much longer than nothing at all");
    zv::JobValues v = values(1, true);
    zv::Compile_XML_Parameter_New_Boot(ws.path, v);
    EXPECT_EQ(zvtest::slurp(ws / "Ethernet_Update.xml"), zv::job_file_xml(v));
}

TEST(JobFile, AddressIsWrittenAsTypedAndEscaped) {
    zv::JobValues v = values(1, true);
    v.ip_address = "10.0.0.<1>&";
    std::string xml = zv::job_file_xml(v);
    EXPECT_NE(xml.find("<IP_Address_Dev>10.0.0.&lt;1&gt;&amp;</IP_Address_Dev>"), std::string::npos) << xml;
}

TEST(JobFile, RefusesAnUnknownOption) {
    for (int option : {-1, 3}) EXPECT_THROW(zv::job_file_xml(values(option, true)), zv::Error) << option;
}

TEST(JobFile, UpdaterWithoutExtensionIsTakenOnlyWhenTheExeIsMissing) {
    zvtest::TempDir ws;
    EXPECT_EQ(zv::updater_path(ws.path), ws / "Ethernet_Update.exe");
    zvtest::spit(ws / "Ethernet_Update", "#!/bin/sh\n");
    EXPECT_EQ(zv::updater_path(ws.path), ws / "Ethernet_Update");
    zvtest::spit(ws / "Ethernet_Update.exe", "#!/bin/sh\n");
    EXPECT_EQ(zv::updater_path(ws.path), ws / "Ethernet_Update.exe");
}
