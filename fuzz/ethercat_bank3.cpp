// Hand-edited EtherCAT files through the bank 3 compiler and the two dialogs:
// a clear error or a consistent image, where every address points inside it.
// Input: the variables file, a line "----", the groups file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "compiler/compiler.h"
#include "ethercat/group_form.h"
#include "ethercat/slave_form.h"
#include "shell/workspace.h"
#include "text/error.h"
#include "text/file_io.h"

namespace {

struct NullPrompter : zv::Prompter {
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

void check(bool ok) {
    if (!ok) std::abort();
}

// The address of n bytes inside the image.
void check_inside(const std::string& img, uint32_t address, size_t n) {
    check(address >= zv::kBank3Base && address - zv::kBank3Base + n <= img.size());
}

uint32_t u32(const std::string& b, size_t off) {
    return static_cast<uint8_t>(b[off]) | static_cast<uint8_t>(b[off + 1]) << 8 | static_cast<uint8_t>(b[off + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[off + 3])) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zv::ShellState s = [] {
        zv::ShellState st;
        st.Project_Path = std::filesystem::temp_directory_path() / ("zv-fuzz-bank3-" + std::to_string(getpid()));
        std::filesystem::create_directories(st.Project_Path);
        zv::Set_Files(st);
        return st;
    }();
    const std::string in(reinterpret_cast<const char*>(data), size);
    const size_t cut = in.find("\n----\n");
    zv::write_file_atomic(s.File_EtherCAT_Slave, in.substr(0, cut));
    if (cut == std::string::npos)
        std::filesystem::remove(s.File_EtherCAT_Group);
    else
        zv::write_file_atomic(s.File_EtherCAT_Group, in.substr(cut + 6));

    zv::BankCompiler c;
    try {
        c.Compile_Banks(s);
        const std::string& img = c.images()[2];
        check(img.size() >= zv::kBank3TextArea && img.size() <= zv::kBank3Buffer);
        for (size_t e = 0; e < 512; ++e) {
            const size_t off = 40 + 32 * e;
            const auto length = static_cast<uint8_t>(img[off + 1]);
            if (u32(img, off + 20) != 0) check_inside(img, u32(img, off + 20), length);
            if (u32(img, off + 28) != 0) check_inside(img, u32(img, off + 28), u32(img, off + 24) + 1);
            check(e % 256 < (e < 256 ? u32(img, 28) & 0xFFFF : u32(img, 28) >> 16) || u32(img, off + 28) == 0);
        }
        for (size_t g = 0; g < 32; ++g)
            if (u32(img, 16424 + 4 * g) != 0) check_inside(img, u32(img, 16424 + 4 * g), 1);
    } catch (const zv::Error&) {
    }

    // The dialogs show, check and save whatever they could read.
    zv::StringTable t;
    t.Build_Table();
    NullPrompter p;
    zv::CopyRowBuffer buf;
    try {
        zv::EtherCATGroupForm groups(t, p, buf);
        groups.FormShow(s.File_EtherCAT_Group);
        groups.Controllo_dati();
        zv::EtherCATSlaveForm vars(t, p, buf);
        vars.FormShow(s.File_EtherCAT_Slave, s.File_EtherCAT_Group);
        vars.Btn_CopyRow();
        vars.Btn_PasteRow();
        vars.Btn_MoveDown();
        if (vars.Controllo_dati()) {
            // What the dialog writes it reads back the same.
            const auto out = s.Project_Path / "saved.xml";
            vars.save(out);
            zv::EtherCATSlaveForm again(t, p, buf);
            again.FormShow(out, s.File_EtherCAT_Group);
            for (int r = 0; r < zv::EtherCATSlaveForm::kRows; ++r)
                for (int col = 0; col < again.ASG_SlaveMaster.col_count(); ++col)
                    if (r < zv::variable_list_end(vars.ASG_SlaveMaster, zv::kStoMColumns))
                        check(again.ASG_SlaveMaster.text(r, col) == vars.ASG_SlaveMaster.text(r, col));
        }
    } catch (const zv::Error&) {
    }
    return 0;
}
