// The gsdml and catalog commands as a script sees them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

#include "common/test_support.h"

namespace fs = std::filesystem;

namespace {
const std::string kCli = ZV_BIN_DIR "/zevirovave-cli";
const fs::path kFixtures = fs::path(ZV_FIXTURES) / "gsdml";
const fs::path kDemo = fs::path(ZV_SOURCE_DIR) / "demo" / "PROFINET_Catalog";
}  // namespace

TEST(GsdmlCommand, PrintsTheModelAsJson) {
    auto r = zvtest::run_program({kCli, "gsdml", (kFixtures / "GSDML-rules.xml").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["file"], "GSDML-rules.xml");
    EXPECT_EQ(j["vendor_id"], 0xFFFF);
    EXPECT_EQ(j["device_id"], 1);
    EXPECT_EQ(j["vendor_name"], "Rules Vendor");
    EXPECT_EQ(j["main_family"], "I/O");
    EXPECT_EQ(j["product_family"], "Rules");
    EXPECT_EQ(j["modules"], 3);
    EXPECT_EQ(j["submodules"], 3);
    EXPECT_EQ(j["value_items"], 1);
    EXPECT_EQ(j["languages"], nlohmann::json({"de", "it"}));
    ASSERT_EQ(j["device_access_points"].size(), 3u);
    const auto& a = j["device_access_points"][0];
    EXPECT_EQ(a["id"], "DAP_A");
    EXPECT_EQ(a["name_text_id"], "T_DAP_A");
    EXPECT_EQ(a["name"], "Device A");
    EXPECT_EQ(a["category"], "Category one");
    EXPECT_EQ(a["module_ident_number"], 0);
    EXPECT_EQ(a["fixed_in_slots"], "0");
    EXPECT_EQ(a["physical_slots"], "0..4");
    EXPECT_EQ(a["min_device_interval"], 32);
    EXPECT_EQ(a["virtual_submodules"], 1);
    EXPECT_EQ(a["ports"], 1);
    // Keys come in the documented order.
    EXPECT_LT(r.out.find("\"file\""), r.out.find("\"vendor_id\""));
    EXPECT_LT(r.out.find("\"value_items\""), r.out.find("\"languages\""));
}

TEST(GsdmlCommand, ReasonsForFilesThatDoNotDecode) {
    zvtest::TempDir dir;
    std::string text = zvtest::slurp(kFixtures / "GSDML-minimal.xml");
    text.replace(text.find("<IOConfigData MaxInputLength=\"10\" MaxOutputLength=\"10\"/>"), 54, "");
    zvtest::spit(dir / "GSDML-noio.xml", text);
    struct Case {
        fs::path file;
        const char* reason;
    } cases[] = {
        {kFixtures / "not-well-formed.xml", "not well-formed XML: Start-end tags mismatch at line 4"},
        {dir / "GSDML-noio.xml", "DeviceAccessPointItem[ID=\"DAP1\"]: required element IOConfigData is missing"},
        {dir / "absent.xml", "no such file"},
    };
    for (const Case& c : cases) {
        auto r = zvtest::run_program({kCli, "gsdml", c.file.string()});
        EXPECT_EQ(r.code, 1) << c.file;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(zvtest::run_program({kCli, "gsdml"}).code, 2);
}

TEST(CatalogCommand, PrintsTheDemoTreeAndCounts) {
    auto r = zvtest::run_program({kCli, "catalog", kDemo.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string tree =
        "I/O\n"
        "  Osprey Sensorik\n"
        "    OS IO-Link Master\n"
        "      IO-Link masters\n"
        "        OS8 IO-Link master (GSDML-V2.33-Osprey-OS8-20230410.xml)\n"
        "  Norvale Automation\n"
        "    NX200 Remote I/O\n"
        "      Head stations\n"
        "        Copper\n"
        "          NX200 head, 2 ports RJ45 (GSDML-V2.35-Norvale-NX200-20250301.xml)\n"
        "        Fiber optic\n"
        "          NX200 head, fiber optic (GSDML-V2.35-Norvale-NX200-20250301.xml)\n"
        "        NX200 lite head (GSDML-V2.35-Norvale-NX200-20250301.xml)\n"
        "Drives\n"
        "  Kestrel Antriebstechnik\n"
        "    KD Servo\n"
        "      KD4 Servo 400 V (GSDML-V2.34-Kestrel-KD4-20240915.xml)\n";
    ASSERT_EQ(r.out.substr(0, tree.size()), tree);
    EXPECT_TRUE(std::regex_match(r.out.substr(tree.size()), std::regex("files: 3, decoded: 3, ms: [0-9]+\n")))
        << r.out.substr(tree.size());
}

TEST(CatalogCommand, SkipsWhatDoesNotDecodeAndCountsIt) {
    zvtest::TempDir dir;
    fs::copy_file(kFixtures / "GSDML-minimal.xml", dir / "GSDML-minimal.xml");
    zvtest::spit(dir / "GSDML-broken.xml", "<ISO15745Profile>");
    for (const char* threads : {"1", "2"}) {
        auto r = zvtest::run_program({kCli, "catalog", "--threads", threads, dir.path.string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find("files:")), "I/O\n  Vendor A\n    Small\n      Device one (GSDML-minimal.xml)\n");
        EXPECT_NE(r.out.find("files: 2, decoded: 1, ms: "), std::string::npos) << r.out;
    }
    auto missing = zvtest::run_program({kCli, "catalog", (dir / "absent").string()});
    EXPECT_EQ(missing.code, 0);
    EXPECT_EQ(missing.out.substr(0, 25), "files: 0, decoded: 0, ms:");
    EXPECT_EQ(zvtest::run_program({kCli, "catalog", "--threads", "x", dir.path.string()}).code, 2);
}

TEST(GsdmlCommand, DemoDriveFileReadsAsDeclared) {
    auto r = zvtest::run_program({kCli, "gsdml", (kDemo / "GSDML-V2.34-Kestrel-KD4-20240915.xml").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["languages"], nlohmann::json({"de", "fr"}));
    EXPECT_EQ(j["device_access_points"][0]["module_ident_number"], 0x80000011u);
}
