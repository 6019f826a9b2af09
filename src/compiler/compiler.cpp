#include "compiler/compiler.h"

#include <system_error>

#include "text/error.h"
#include "text/file_io.h"

namespace zv {
namespace fs = std::filesystem;

void BankCompiler::Compile_Banks(const ShellState& s) {
    images_ = {};
    if (!s.project_open()) throw Error("No project is open.");
    Reset_General(General);
    Reset_PROFINET(PROFINET);
    Reset_EtherCAT(EtherCAT);
    Read_ParGen(s.File_ParGen, General, EtherCAT.Config);

    General.set_u32(general::kBank2Address, kBank2Base);
    General.set_u32(general::kDeviceCount, static_cast<uint32_t>(Build_PROFINET_Tables(PROFINET, kBank2Base, s)));
    General.set_u32(general::kBank3Address, kBank3Base);
    Build_EtherCAT_Tables(EtherCAT, kBank3Base, s);

    // Bank 1 last: it carries the addresses and the device count.
    std::array<std::string, 3> images;
    images[0].resize(Serialize_Bank1(General, images[0], 0, kBank1Buffer - 1));
    images[1].resize(Serialize_Bank2(PROFINET, images[1], 0, kBank2Buffer - 1));
    images[2].resize(Serialize_Bank3(EtherCAT, images[2], 0, kBank3Buffer - 1));
    images_ = std::move(images);
}

void BankCompiler::Write_Banks(const ShellState& s) const {
    if (images_[0].empty()) throw Error("The banks have not been compiled.");
    fs::path bin = s.Project_Path / "bin";
    std::error_code ec;
    if (!fs::is_directory(bin, ec)) {
        fs::create_directories(bin, ec);
        if (ec) throw Error("Cannot create the folder " + bin.string() + ": " + ec.message());
    }
    write_files_atomic({{bin / "bank1.bin", images_[0]}, {bin / "bank2.bin", images_[1]}, {bin / "bank3.bin", images_[2]}});
}

void compile_project(const ShellState& s) {
    BankCompiler c;
    c.Compile_Banks(s);
    c.Write_Banks(s);
}

}  // namespace zv
