#pragma once
// PROFINET_Master_Network.xml: the devices of the network with the user's
// choices. Everything else is rebuilt from each device's GSDML copy in the
// project's GSDML folder whenever the file is read.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "profinet/profinet_device.h"

namespace zv {

using DeviceList = std::vector<std::unique_ptr<TPROFINET_Device>>;

inline constexpr int kMaxNetworkDevices = 10;
inline constexpr const char* kNetworkFileName = "PROFINET_Master_Network.xml";

// Where a project keeps its GSDML copies.
std::filesystem::path gsdml_copy_folder(const std::filesystem::path& Project_Path);

// A GSDML_FileName that stays inside the copy folder: no separator, not "." or "..".
bool is_plain_gsdml_name(const std::string& name);

// The file as bytes, exactly as it is written.
std::string network_to_string(const DeviceList& devices);
// Writes the whole file (atomically). Throws zv::Error.
void Save_PROFINET_Netword_Project(const DeviceList& devices, const std::filesystem::path& file);

// Appends the devices of the file to `devices`. A missing file adds nothing.
// A device whose GSDML copy is missing, not decodable or named outside the copy
// folder is left out. A file or copy that is not well-formed, a missing root or
// Network element, and a missing or non-integer required attribute throw
// zv::Error; the devices read before stay in `devices`.
void Load_PROFINET_Network_Project(const std::filesystem::path& file, const std::filesystem::path& Project_Path,
                                   DeviceList& devices);
// The same over the file's bytes (for the fuzzer and tests).
void load_network_bytes(std::string_view bytes, const std::string& what, const std::filesystem::path& Project_Path,
                        DeviceList& devices);

// A device made as adding it from the catalog makes it: the access point's
// name TextId, name text and category text, then the document and the build.
std::unique_ptr<TPROFINET_Device> new_network_device(std::unique_ptr<TGSDML> copy, const std::string& name_id,
                                                     const std::string& name, const std::string& category);

// Decodes the project's copy of a GSDML file. False when the name is not plain,
// the copy is missing or does not decode; zv::Error when it is not well-formed.
bool decode_project_copy(TGSDML& gsdml, const std::filesystem::path& Project_Path, const std::string& GSDML_FileName);

// Copies a GSDML file into the project's copy folder (made when missing),
// overwriting a copy of that name. Throws zv::Error.
void copy_gsdml_into_project(const std::filesystem::path& source, const std::filesystem::path& Project_Path);

}  // namespace zv
