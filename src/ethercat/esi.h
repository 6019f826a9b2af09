#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ethercat/ethercat_files.h"
#include "shell/shell_state.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// One PDO entry of the ESI file: an enabled variable.
struct TEtherCAT_Rule {
    std::string DataType;
    long long Length = 0;  // bits
    std::string Name;
};

struct EsiData {
    std::string slave_name = "EtherCAT Slave";
    long long revision = 0;
    long long node_address = 1;
    std::vector<TEtherCAT_Rule> Slave_To_Master, Master_To_Slave;
    long long T = 0;  // Slave To Master bytes, for the sync manager layout
};

// DataType and bit length of a variable's Type and Length attribute texts.
TEtherCAT_Rule ESI_Data_Type(const std::string& type, const std::string& length);

// Identity from ParGen.xml and the enabled variables of EtherCAT_Slave.xml;
// missing files give the defaults. Throws zv::Error for an ill-formed file or
// for more enabled variables in a direction than the device holds.
EsiData Read_ESI_Data(const std::filesystem::path& par_gen, const std::filesystem::path& slave_file);

// The enabled variables of both directions, with the input total T.
void add_esi_variables(EsiData& d, const VariableLists& vars);

// Start address of sync manager 2 (the outputs), after the inputs.
long long sm2_start_address(long long T);

// The whole ESI file: CR LF lines, UTF-8 without byte-order mark.
std::string esi_text(const EsiData& d);
// Writes it, replacing the file. Throws zv::Error.
void Write_ESI_File(const EsiData& d, const std::filesystem::path& file);

// The name chosen in the save dialog, with ".xml" added when it has no extension.
std::filesystem::path esi_file_name(const std::filesystem::path& chosen);

// What "EtherCAT ESI File" does after the save dialog: asks entry 905 before
// replacing an existing file, then reads the project and writes the ESI.
// Returns false when the user said No. Throws zv::Error.
bool Create_ESI_File(const ShellState& s, const std::filesystem::path& chosen, const StringTable& t, Prompter& p);

// The 16x14 icon as hexadecimal text.
extern const char* const kEsiIcon;

}  // namespace zv
