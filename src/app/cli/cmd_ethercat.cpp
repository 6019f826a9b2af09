// EtherCAT slave data without windows: the ESI file of a project.
#include <iostream>

#include "app/cli/cli.h"
#include "ethercat/esi.h"
#include "shell/workspace.h"
#include "text/error.h"

namespace zv::cli {
namespace {

int esi(const Args& a) {
    ShellState s;
    open_project(s, a.positional[0]);
    const std::filesystem::path out = a.positional[1];
    Write_ESI_File(Read_ESI_Data(s.File_ParGen, s.File_EtherCAT_Slave), out);
    std::cout << std::filesystem::absolute(out).string() << "\n";
    return 0;
}

const bool registered = add_command(
    {"esi", "PROJECT_DIR OUT_FILE",
     "Write the EtherCAT ESI file of a project, as the EtherCAT ESI File button does, replacing OUT_FILE.",
     "Reads ParGen.xml and EtherCAT_Slave.xml of PROJECT_DIR (missing files give the defaults)\n"
     "and prints the path written. OUT_FILE is taken as given: no extension is added.",
     {}, {}, 2, 2, esi});

}  // namespace
}  // namespace zv::cli
