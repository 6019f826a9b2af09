#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// One row of EtherCAT_Slave_Group.xml; a missing attribute stays empty (nullopt).
struct GroupRow {
    std::optional<std::string> Group_Name, Num_Variables, Mnemonic;
};

struct GroupLists {
    std::vector<GroupRow> Slave_to_Master, Master_to_Slave;
};

// One row of EtherCAT_Slave.xml, attributes as they stand in the file.
struct VariableRow {
    std::optional<std::string> Enable, Type, Length, Name, InitValue, Position, BitStart, Group, Mnemonic;
};

struct VariableLists {
    std::vector<VariableRow> Slave_To_Master, Master_To_Slave;
};

// Readers take every element child of a direction in order (the element name is
// not examined). A file that is not well-formed throws zv::Error.
GroupLists read_group_file(const std::filesystem::path& file);
GroupLists parse_group_file(std::string_view bytes, const std::string& what);
VariableLists read_variables_file(const std::filesystem::path& file);
VariableLists parse_variables_file(std::string_view bytes, const std::string& what);

// The files as the dialogs write them: root, the version comment after it, no
// declaration, every attribute present. Master To Slave rows carry no InitValue.
std::string group_file_bytes(const GroupLists& lists);
std::string variables_file_bytes(const VariableLists& lists);
void write_group_file(const std::filesystem::path& file, const GroupLists& lists);
void write_variables_file(const std::filesystem::path& file, const VariableLists& lists);

// "Y" exactly: how the compiler and the ESI writer decide that a row is enabled.
bool row_enabled(const VariableRow& row);

}  // namespace zv

namespace zv {

// The tables of the device hold 256 variables and 16 named groups per direction;
// a hand-edited file with more is refused with a message naming file and direction.
inline constexpr int kMaxVariables = 256;
inline constexpr int kMaxGroups = 16;
void check_variable_limits(const VariableLists& lists, const std::filesystem::path& file);
void check_group_limits(const GroupLists& lists, const std::filesystem::path& file);

}  // namespace zv
