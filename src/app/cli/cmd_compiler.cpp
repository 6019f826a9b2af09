// Compiling a project folder into its three bank files, and reading them back.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "compiler/bank_dump.h"
#include "compiler/compiler.h"
#include "shell/workspace.h"
#include "text/error.h"
#include "text/file_io.h"

namespace zv::cli {
namespace {

int compile(const Args& a) {
    ShellState s;
    open_project(s, a.positional[0]);
    const std::filesystem::path& dir = s.Project_Path;

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

int dump(const Args& a) {
    const std::filesystem::path file = a.positional[0];
    int bank = 0;
    if (auto b = a.value("--bank")) {
        if (*b != "1" && *b != "2" && *b != "3") throw UsageError("--bank takes 1, 2 or 3");
        bank = (*b)[0] - '0';
    } else if (auto guessed = bank_of_file_name(file)) {
        bank = *guessed;
    } else {
        throw UsageError("the bank cannot be told from the file name " + file.filename().string() +
                         " (bank1.bin, bank2.bin or bank3.bin); give --bank 1, 2 or 3");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) throw Error("No bank file " + file.string());
    const auto size = std::filesystem::file_size(file, ec);
    if (!ec && size > kBankDumpMaxFile)
        throw Error(file.string() + " has " + std::to_string(size) + " bytes; no bank image comes near " +
                    std::to_string(kBankDumpMaxFile) + ", so it is not read.");

    const nlohmann::ordered_json j = dump_bank(bank, read_file(file));
    std::cout << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    for (const auto& p : j["problems"]) std::cerr << file.string() << ": " << p.get<std::string>() << "\n";
    return j["problems"].empty() ? 0 : 1;
}

const bool registered =
    add_command({"compile", "PROJECT_DIR",
                 "Compile a project folder into bin/bank1.bin, bank2.bin and bank3.bin, as Update Device UDP does.",
                 "Prints the three files with their sizes as JSON. On any error nothing is written and\n"
                 "every bank file stays as it was.",
                 {}, {}, 1, 1, compile}) &&
    add_command({"dump", "BANK_FILE [--bank 1|2|3]",
                 "Decode a bank image as the device reads it and print every field as JSON.",
                 "The bank is told by the file name (bank1.bin, bank2.bin, bank3.bin, in any case)\n"
                 "unless --bank gives it. Each field shows as {\"offset\": N, \"value\": V}; every address\n"
                 "is followed. \"problems\" lists an address outside the image, a bank 1 checksum that\n"
                 "does not match, a truncated image and bytes no structure reaches; each is also\n"
                 "written to stderr and the exit code is then 1, after printing what could be decoded.",
                 {"--bank"}, {}, 1, 1, dump});

}  // namespace
}  // namespace zv::cli
