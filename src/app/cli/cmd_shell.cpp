// Workspace, settings, string table and projects without windows.
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "shell/projects.h"
#include "shell/workspace.h"

namespace zv::cli {
namespace {

std::string escape_entry(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

int info(const Args& a) {
    AppContext app;
    start(app, a);
    const ShellState& s = app.state;
    nlohmann::json j = {
        {"program_path", s.Program_Path.string()},
        {"master_path", s.Master_Path.string()},
        {"projects_path", s.Projects_Path.string()},
        {"language_path", s.Language_Path.string()},
        {"catalog_path", s.Catalog_Path.string()},
        {"project_name", s.Project_Name},
        {"project_path", s.Project_Path.string()},
        {"device_ip", s.Device_IP},
        {"language_name", s.Language_Name},
        {"enable_internet", s.Enable_Internet},
        {"enable_update", s.Enable_Update},
        {"enable_jump_field_tables", s.Enable_Jump_Field_Tables},
        {"double_click_auto_size", s.Double_Click_Auto_Size},
        {"files",
         {{"ParGen", s.File_ParGen.string()},
          {"PROFINET_Network", s.File_PROFINET_Network.string()},
          {"EtherCAT_Slave", s.File_EtherCAT_Slave.string()},
          {"EtherCAT_Group", s.File_EtherCAT_Group.string()}}},
    };
    std::cout << j.dump(2) << "\n";
    return 0;
}

int strings(const Args& a) {
    AppContext app;
    start(app, a);
    if (auto lang = a.value("--language")) {
        std::string name = *lang;
        Lng_Load(app.String_Table, app.state.Language_Path, name);
    }
    for (int i = 0; i < StringTable::kSize; ++i)
        std::cout << i << '\t' << escape_entry(app.String_Table[i]) << '\n';
    return 0;
}

int new_project(const Args& a) {
    AppContext app;
    start(app, a);
    StderrPrompter p;
    if (!Create_Project(app.state, app.String_Table, p, a.positional[0])) return 1;
    if (!Save_Setting(app.state)) return 1;
    std::cout << app.state.Project_Path.string() << "\n";
    return 0;
}

const bool registered = add_command({"info", "[--workspace DIR]",
                                     "Start as the configurator does and print the workspace and settings as JSON.",
                                     "", {"--workspace"}, {}, 0, 0, info}) &&
                        add_command({"strings", "[--workspace DIR] [--language NAME]",
                                     "Print the 3600 texts of the string table, one per line: number, tab, text.",
                                     "--language NAME loads that language for this run only.\n"
                                     "Backslash, tab, CR and LF are written as \\\\, \\t, \\r and \\n.",
                                     {"--workspace", "--language"}, {}, 0, 0, strings}) &&
                        add_command({"new-project", "[--workspace DIR] NAME",
                                     "Create a project as the new-project dialog does and make it the one restored next.",
                                     "", {"--workspace"}, {}, 1, 1, new_project});

}  // namespace
}  // namespace zv::cli
