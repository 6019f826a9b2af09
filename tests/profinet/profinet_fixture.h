#pragma once
// A project folder holding copies of the test descriptions, and devices built
// from them as adding them from the catalog does.
#include <filesystem>
#include <memory>
#include <string>

#include "common/test_support.h"
#include "profinet/network_file.h"

namespace zvtest {

inline const std::string kTestGsdml = "GSDML-V2.4-Zv-Test-20260101.xml";

inline std::filesystem::path profinet_fixture(const std::string& name) {
    return std::filesystem::path(ZV_FIXTURES) / "profinet" / name;
}

struct TestProject {
    TempDir dir;
    std::filesystem::path path() const { return dir.path; }
    std::filesystem::path network_file() const { return dir.path / zv::kNetworkFileName; }

    TestProject() { zv::copy_gsdml_into_project(profinet_fixture(kTestGsdml), dir.path); }

    // The device of an access point by its name TextId and name text.
    std::unique_ptr<zv::TPROFINET_Device> device(const std::string& id = "T_DAP_A",
                                                 const std::string& name = "Test Head A",
                                                 const std::string& category = "Head modules",
                                                 const std::string& file = kTestGsdml) const {
        auto g = std::make_unique<zv::TGSDML>();
        if (!zv::decode_project_copy(*g, dir.path, file)) return nullptr;
        return zv::new_network_device(std::move(g), id, name, category);
    }
};

}  // namespace zvtest
