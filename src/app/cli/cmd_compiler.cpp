// Compiling a project folder into its three bank files.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "compiler/compiler.h"
#include "shell/workspace.h"
#include "text/error.h"

namespace zv::cli {
namespace {

int compile(const Args& a) {
    ShellState s;
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::absolute(a.positional[0], ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) throw Error("No project folder " + a.positional[0]);
    s.Project_Path = dir;
    s.Project_Name = dir.filename().string();
    Set_Files(s);

    BankCompiler c;
    c.Compile_Banks(s);
    c.Write_Banks(s);
    nlohmann::json j = nlohmann::json::array();
    for (int n = 0; n < 3; ++n)
        j.push_back({{"file", (dir / "bin" / ("bank" + std::to_string(n + 1) + ".bin")).string()},
                     {"size", c.images()[n].size()}});
    std::cout << j.dump(2) << "\n";
    return 0;
}

const bool registered = add_command(
    {"compile", "PROJECT_DIR",
     "Compile a project folder into bin/bank1.bin, bank2.bin and bank3.bin, as Update Device UDP does.",
     "Prints the three files with their sizes as JSON. On any error nothing is written and\n"
     "every bank file stays as it was.",
     {}, {}, 1, 1, compile});

}  // namespace
}  // namespace zv::cli
