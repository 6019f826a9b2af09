#include "update/job_file.h"

#include <system_error>

#include <pugixml.hpp>

#include "shell/product.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;
namespace {

struct OperationKind {
    const char* start_address;
    const char* bank_type;
    const char* write_css;
};
constexpr OperationKind kFirmware{"0x8000", "1", "1"};
constexpr OperationKind kBank1{"0x07000", "2", "0"};
constexpr OperationKind kBank2{"0x80000", "2", "0"};
constexpr OperationKind kBank3{"0xA0000", "2", "0"};

void add(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node n = parent.append_child(name);
    if (!text.empty()) n.text().set(text.c_str());
}

void add_operation(pugi::xml_node ops, const OperationKind& k, const fs::path& file, bool read_back, bool last) {
    pugi::xml_node op = ops.append_child("Operation");
    add(op, "Ope_Protection_Enabled", "");
    add(op, "Ope_GoToBoot_Before", "0");
    add(op, "Ope_GoToApp_Before", "0");
    add(op, "Ope_IP_Address", "");
    add(op, "Ope_Port", "2008");
    add(op, "Ope_Port_Sec", "2007");
    add(op, "Ope_Erase_Memory", "0");
    add(op, "Ope_FileName", file.string());
    add(op, "Ope_Start_Address", k.start_address);
    add(op, "Ope_Memory_Type", "0");
    add(op, "Ope_Bank_Type", k.bank_type);
    add(op, "Ope_Read_Back", read_back ? "1" : "0");
    add(op, "Ope_Write_CSS", k.write_css);
    add(op, "Ope_Address_CSS", "0x07A00");
    add(op, "Ope_Command_CSS", "0x02");
    add(op, "Ope_Write_Internal_Data", "0");
    add(op, "Ope_WID_Address", "0x07810");
    add(op, "Ope_WID_Command", "0x02");
    add(op, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    // The device returns to its application after the last transfer only.
    add(op, "Ope_GoToApp_After", last ? "1" : "0");
}

}  // namespace

std::string job_file_xml(const JobValues& v) {
    if (v.update_option < kFirmwareAndConfiguration || v.update_option > kConfigurationOnly)
        throw Error("Unknown update option " + std::to_string(v.update_option));
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Ethernet_Update");
    add(root, "Version", "1000");
    add(root, "Title", std::string(kMakerName) + " - " + SW_Code + " Ethernet Update");
    add(root, "IP_Address_Dev", v.ip_address);
    add(root, "Application_Port", "5000");
    add(root, "Boot_Port", "2008");
    add(root, "Boot_Port_Sec", "2007");
    add(root, "Address_Protection", "0x07800");
    add(root.append_child("Protections"), "Protection", "0x2FB");
    pugi::xml_node ops = root.append_child("Operations");
    const bool firmware = v.update_option != kConfigurationOnly;
    const bool banks = v.update_option != kFirmwareOnly;
    if (firmware) add_operation(ops, kFirmware, v.master_path / kFirmwareFileName, v.read_back, !banks);
    if (banks) {
        const fs::path bin = v.project_path / "bin";
        add_operation(ops, kBank1, bin / "bank1.bin", v.read_back, false);
        add_operation(ops, kBank2, bin / "bank2.bin", v.read_back, false);
        add_operation(ops, kBank3, bin / "bank3.bin", v.read_back, true);
    }
    return xml_to_string(doc);
}

void Compile_XML_Parameter_New_Boot(const fs::path& program_path, const JobValues& v) {
    write_file_atomic(program_path / kJobFileName, job_file_xml(v));
}

fs::path updater_path(const fs::path& program_path) {
    fs::path exe = program_path / kUpdaterFileName;
#ifndef _WIN32
    std::error_code ec;
    if (!fs::exists(exe, ec)) {
        fs::path bare = program_path / fs::path(kUpdaterFileName).stem();
        if (fs::is_regular_file(bare, ec)) return bare;
    }
#endif
    return exe;
}

}  // namespace zv
