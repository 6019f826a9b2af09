#pragma once
#include <filesystem>
#include <string>

namespace zv {

inline constexpr const char* kDefaultDeviceIP = "192.168.2.205";

// The shell's shared state for the whole run: folders, open project, settings.
struct ShellState {
    std::filesystem::path Program_Path;
    std::filesystem::path Master_Path;
    std::filesystem::path Projects_Path;
    std::filesystem::path Language_Path;
    std::filesystem::path Catalog_Path;

    std::string Project_Name;
    std::filesystem::path Project_Path;  // empty while no project is open

    std::filesystem::path File_ParGen;
    std::filesystem::path File_PROFINET_Network;
    std::filesystem::path File_EtherCAT_Slave;
    std::filesystem::path File_EtherCAT_Group;

    std::string Device_IP = kDefaultDeviceIP;
    std::string Language_Name = "English";
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
    int Update_Option = 0;
    bool Read_Back = true;

    bool project_open() const { return !Project_Path.empty(); }
    std::filesystem::path settings_file() const { return Program_Path / "Zevirovave.xml"; }
};

}  // namespace zv
