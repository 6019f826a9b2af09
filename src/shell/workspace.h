#pragma once
#include <filesystem>
#include <string>
#include <utility>

#include "shell/shell_state.h"
#include "text/string_table.h"

namespace zv {

// Sets the five folders under program_path and creates the four that are
// missing (one level; failures are left to whoever later uses them).
void Create_Workspace(ShellState& s, const std::filesystem::path& program_path);

// Reads Zevirovave.xml into the state; a missing or ill-formed file gives defaults.
void Load_Setting(ShellState& s);
// Writes Zevirovave.xml; returns false (reason on stderr) when it cannot be written.
bool Save_Setting(const ShellState& s);
std::string settings_xml(const ShellState& s);

// Opens the project of the previous run if its folder still exists; keeps the
// name either way so that it is written back.
void Restore_Last_Project(ShellState& s);
void Set_Files(ShellState& s);

// The full start of the program without its windows.
void Start_Up(ShellState& s, StringTable& table, const std::filesystem::path& program_path);

// The main window's two status lines for the current state.
std::pair<std::string, std::string> status_lines(const StringTable& t, const ShellState& s);

// A name that stays one folder below PROJECTS: not empty, no separator, not
// "." or "..", and none of the characters other platforms refuse in names.
bool is_safe_folder_name(const std::string& name);

// The folder of the running executable.
std::filesystem::path executable_folder();

}  // namespace zv
