#include "shell/workspace.h"

#include <iostream>
#include <system_error>

#include <pugixml.hpp>

#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;

void Create_Workspace(ShellState& s, const fs::path& program_path) {
    s.Program_Path = program_path;
    s.Master_Path = program_path / "MASTER";
    s.Projects_Path = program_path / "PROJECTS";
    s.Language_Path = program_path / "LANGUAGE";
    s.Catalog_Path = program_path / "PROFINET_Catalog";
    for (const auto* dir : {&s.Master_Path, &s.Projects_Path, &s.Language_Path, &s.Catalog_Path}) {
        std::error_code ec;
        if (!fs::is_directory(*dir, ec)) fs::create_directory(*dir, ec);
    }
}

namespace {

void set_defaults(ShellState& s) {
    s.Project_Name.clear();
    s.Project_Path.clear();
    s.Device_IP = kDefaultDeviceIP;
    s.Language_Name = "English";
    s.Enable_Internet = s.Enable_Update = s.Enable_Jump_Field_Tables = s.Double_Click_Auto_Size = false;
}

std::optional<std::string> lookup(const pugi::xml_node& root, const char* group, const char* item) {
    pugi::xml_node g = root.child(group);
    if (!g) return std::nullopt;
    return child_text(g, item);
}

bool flag(const pugi::xml_node& root, const char* item) {
    auto v = lookup(root, "lastinternet", item);
    return v && *v == "1";
}

}  // namespace

void Load_Setting(ShellState& s) {
    s.Update_Option = 0;
    s.Read_Back = true;
    set_defaults(s);
    std::error_code ec;
    if (!fs::exists(s.settings_file(), ec)) return;
    pugi::xml_document doc;
    try {
        load_xml_file(doc, s.settings_file());
    } catch (const Error& e) {
        std::cerr << "Settings ignored: " << e.what() << "\n";
        return;
    }
    pugi::xml_node root = first_node(doc);
    s.Project_Name = lookup(root, "lastproj", "projectname").value_or("");
    s.Device_IP = lookup(root, "lastipadd", "ipaddress").value_or(kDefaultDeviceIP);
    s.Language_Name = lookup(root, "lastlang", "language").value_or("English");
    s.Enable_Internet = flag(root, "enable_internet");
    s.Enable_Update = flag(root, "enable_update");
    s.Enable_Jump_Field_Tables = flag(root, "enable_jump_field_tables");
    s.Double_Click_Auto_Size = flag(root, "Double_Click_Auto_Size");
}

std::string settings_xml(const ShellState& s) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Conf_Settings");
    auto add = [](pugi::xml_node parent, const char* name, const std::string& text) {
        parent.append_child(name).text().set(text.c_str());
    };
    auto bit = [](bool b) { return std::string(b ? "1" : "0"); };
    add(root.append_child("lastproj"), "projectname", s.Project_Name);
    add(root.append_child("lastipadd"), "ipaddress", s.Device_IP);
    add(root.append_child("lastlang"), "language", s.Language_Name);
    pugi::xml_node net = root.append_child("lastinternet");
    add(net, "enable_internet", bit(s.Enable_Internet));
    add(net, "enable_update", bit(s.Enable_Update));
    add(net, "enable_jump_field_tables", bit(s.Enable_Jump_Field_Tables));
    add(net, "Double_Click_Auto_Size", bit(s.Double_Click_Auto_Size));
    return xml_to_string(doc);
}

bool Save_Setting(const ShellState& s) {
    try {
        write_file_atomic(s.settings_file(), settings_xml(s));
        return true;
    } catch (const Error& e) {
        std::cerr << "Settings not saved: " << e.what() << "\n";
        return false;
    }
}

bool is_safe_folder_name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 32) return false;
        if (std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return true;
}

void Restore_Last_Project(ShellState& s) {
    std::error_code ec;
    if (is_safe_folder_name(s.Project_Name) && fs::is_directory(s.Projects_Path / s.Project_Name, ec))
        s.Project_Path = s.Projects_Path / s.Project_Name;
    else
        s.Project_Path.clear();
    Set_Files(s);
}

void Set_Files(ShellState& s) {
    s.File_ParGen = s.Project_Path / "ParGen.xml";
    s.File_PROFINET_Network = s.Project_Path / "PROFINET_Master_Network.xml";
    s.File_EtherCAT_Slave = s.Project_Path / "EtherCAT_Slave.xml";
    s.File_EtherCAT_Group = s.Project_Path / "EtherCAT_Slave_Group.xml";
}

void Start_Up(ShellState& s, StringTable& table, const fs::path& program_path) {
    Create_Workspace(s, program_path);
    Load_Setting(s);
    Lng_Load(table, s.Language_Path, s.Language_Name);
    Restore_Last_Project(s);
}

std::pair<std::string, std::string> status_lines(const StringTable& t, const ShellState& s) {
    if (s.project_open()) return {t[11], s.Project_Name};
    return {t[9], t[10]};
}

fs::path executable_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path();
    return exe.parent_path();
}

}  // namespace zv
