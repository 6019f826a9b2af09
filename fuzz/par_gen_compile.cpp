// A hand-edited ParGen.xml reaches the compiler and the editor: either one may
// refuse it with an error, but neither may crash, and the compiler may touch no
// byte of bank 1 outside the fields that come from the file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "compiler/compiler.h"
#include "params/par_gen_form.h"
#include "shell/workspace.h"
#include "text/error.h"

namespace {

struct NullPrompter : zv::Prompter {
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
};

// Offsets and sizes of the bank 1 fields filled from the file (checksum included).
const std::vector<std::pair<size_t, size_t>> kFileFields = {
    {40, 12}, {80, 16}, {1256, 2}, {1300, 32}, {1340, 4}, {1396, 16}, {1420, 4}, {1644, 8}, {2044, 4}};

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zv::ShellState s = [] {
        zv::ShellState st;
        st.Project_Path = std::filesystem::temp_directory_path() / ("zv-fuzz-pargen-" + std::to_string(getpid()));
        std::filesystem::create_directories(st.Project_Path);
        zv::Set_Files(st);
        return st;
    }();
    static const std::string reset_bank1 = [] {
        std::filesystem::remove(s.File_ParGen);
        zv::BankCompiler c;
        c.Compile_Banks(s);
        return c.images()[0];
    }();
    {
        std::ofstream out(s.File_ParGen, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    zv::BankCompiler c;
    try {
        c.Compile_Banks(s);
        const auto& img = c.images();
        check(img[0].size() == 2048 && img[1].size() == 1176 && img[2].size() == 16557);
        std::vector<bool> from_file(2048, false);
        for (auto [off, n] : kFileFields)
            for (size_t i = off; i < off + n; ++i) from_file[i] = true;
        for (size_t i = 0; i < 2048; ++i) check(from_file[i] || img[0][i] == reset_bank1[i]);
        // Each text field keeps its closing zero byte.
        check(img[0][95] == 0 && img[0][1331] == 0 && img[0][1411] == 0);
    } catch (const zv::Error&) {
        check(c.images()[0].empty());
    }

    static const zv::StringTable t = [] {
        zv::StringTable table;
        table.Build_Table();
        return table;
    }();
    NullPrompter p;
    zv::ParGenForm form(t, p);
    try {
        form.load(s.File_ParGen);
        if (form.Controllo_Dati()) (void)zv::par_gen_xml(form.values);
    } catch (const zv::Error&) {
    }
    return 0;
}
