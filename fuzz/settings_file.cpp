// Zevirovave.xml may be hand-edited or damaged: reading it must never fail.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "shell/workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("zv-fuzz-settings-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    {
        std::ofstream out(dir / "Zevirovave.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    zv::ShellState s;
    s.Program_Path = dir;
    zv::Load_Setting(s);
    (void)zv::settings_xml(s);
    return 0;
}
