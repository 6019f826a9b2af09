#pragma once
#include <array>
#include <string>

#include "compiler/bank1.h"
#include "compiler/bank2.h"
#include "compiler/bank3.h"
#include "shell/shell_state.h"

namespace zv {

// The compile state: the three records, rebuilt from the project's files by
// every Compile_Banks, and the images they gave.
class BankCompiler {
public:
    // Builds the three images from the files of the open project. Throws
    // zv::Error (and keeps no image) when a file cannot be compiled.
    void Compile_Banks(const ShellState& s);
    // Writes bin/bank1.bin, bank2.bin and bank3.bin, creating the bin folder when
    // it is missing: all three files or, on any failure, none (zv::Error).
    void Write_Banks(const ShellState& s) const;

    // The filled part of each buffer (bank 1 first); empty before a compilation.
    const std::array<std::string, 3>& images() const { return images_; }

    TGeneral_Param General;
    ProfinetTables PROFINET;
    EtherCATTables EtherCAT;

private:
    std::array<std::string, 3> images_;
};

// Update_Device's compiler part: compile, then write the three files.
void compile_project(const ShellState& s);

}  // namespace zv
