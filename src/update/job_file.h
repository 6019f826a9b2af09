#pragma once
#include <filesystem>
#include <string>

namespace zv {

// Update options by list index.
enum UpdateOption : int { kFirmwareAndConfiguration = 0, kFirmwareOnly = 1, kConfigurationOnly = 2 };

// What the update dialog's controls say when the job is written.
struct JobValues {
    std::string ip_address;  // the four boxes joined with "." as typed
    int update_option = kFirmwareAndConfiguration;
    bool read_back = true;
    std::filesystem::path master_path;   // folder of the firmware file
    std::filesystem::path project_path;  // folder of bin/bank1..3.bin
};

inline constexpr const char* kJobFileName = "Ethernet_Update.xml";
inline constexpr const char* kUpdaterFileName = "Ethernet_Update.exe";
inline constexpr const char* kFirmwareFileName = "Vir48I15.sim";

// The job file's bytes. Throws zv::Error for an option outside 0..2.
std::string job_file_xml(const JobValues& v);
// Writes the job beside the updater, replacing any earlier one.
void Compile_XML_Parameter_New_Boot(const std::filesystem::path& program_path, const JobValues& v);

// The updater to start: Program_Path/Ethernet_Update.exe; on systems without
// .exe programs, Program_Path/Ethernet_Update when only that one exists.
std::filesystem::path updater_path(const std::filesystem::path& program_path);

}  // namespace zv
