#pragma once
#include <string>
#include <vector>

#include "shell/shell_state.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// The new-project dialog's OK: on success the new project is the open one.
// Refusals are shown through the prompter (entries 105, 106, 107).
bool Create_Project(ShellState& s, const StringTable& t, Prompter& p, const std::string& name);

// The open dialog's state.
struct OpenConfForm {
    std::vector<std::string> entries;  // folders of PROJECTS, as listed
    int selected = -1;
    std::string Name_Conf;

    // Show: list the folders and preselect the open project, else the first.
    void Load_Existing_Configuration(const ShellState& s);
    int Search_Open_Conf(const std::string& name) const;
    void select(int index);
};

// What OK of the open dialog does with the chosen name.
void Open_Project(ShellState& s, const std::string& Name_Conf);

}  // namespace zv
