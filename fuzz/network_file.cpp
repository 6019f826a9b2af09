// PROFINET_Master_Network.xml may be hand-edited or damaged: reading it over a
// fixed GSDML copy must never crash, and what it read must survive a save and
// a second read unchanged.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "profinet/network_file.h"
#include "text/error.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fs::path project = [] {
        auto d = fs::temp_directory_path() / ("zv-fuzz-network-" + std::to_string(getpid()));
        const fs::path src = fs::path(__FILE__).parent_path().parent_path() / "tests" / "fixtures" / "profinet" /
                             "GSDML-V2.4-Zv-Test-20260101.xml";
        zv::copy_gsdml_into_project(src, d);
        return d;
    }();
    zv::DeviceList devices;
    try {
        zv::load_network_bytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", project, devices);
    } catch (const zv::Error&) {
    }
    const std::string first = zv::network_to_string(devices);
    zv::DeviceList again;
    try {
        zv::load_network_bytes(first, "again", project, again);
    } catch (const zv::Error&) {
        __builtin_trap();  // a file we wrote must read back
    }
    if (zv::network_to_string(again) != first) __builtin_trap();
    return 0;
}
