// Filling the EtherCAT tables from the project's files.
#include <pugixml.hpp>

#include "compiler/bank3.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;

namespace {

bool has_enabled_row(const pugi::xml_node& list) {
    for (pugi::xml_node row : list.children())
        if (std::string_view(row.attribute("Enable").value()) == "Y") return true;
    return false;
}

bool has_named_group(const pugi::xml_node& list) {
    for (pugi::xml_node g : list.children())
        if (*g.attribute("Group_Name").value() != '\0') return true;
    return false;
}

// The variables and groups are not compiled into the tables yet. A project that
// has some is refused, so the device is never sent tables that silently lack them.
void refuse_unsupported_data(const ShellState& s) {
    if (file_exists(s.File_EtherCAT_Slave)) {
        pugi::xml_document doc;
        load_xml_file(doc, s.File_EtherCAT_Slave);
        pugi::xml_node vars = doc.first_child().child("EtherCAT_Slave_Variables");
        if (has_enabled_row(vars.child("EtherCAT_Slave_To_Master")) ||
            has_enabled_row(vars.child("EtherCAT_Master_To_Slave")))
            throw Error(s.File_EtherCAT_Slave.string() +
                        ": enabled EtherCAT variables cannot be compiled by this version yet.");
    }
    if (file_exists(s.File_EtherCAT_Group)) {
        pugi::xml_document doc;
        load_xml_file(doc, s.File_EtherCAT_Group);
        pugi::xml_node root = doc.first_child();
        if (has_named_group(root.child("Slave_to_Master")) || has_named_group(root.child("Master_to_Slave")))
            throw Error(s.File_EtherCAT_Group.string() +
                        ": named EtherCAT groups cannot be compiled by this version yet.");
    }
}

}  // namespace

void Build_EtherCAT_Tables(EtherCATTables& t, uint32_t base, const ShellState& s) {
    t.Config.Group_Table_Address = base + kBank3GroupTables;
    t.Config.Slave_To_Master_Address = base + kBank3SlaveToMasterTable;
    t.Config.Master_To_Slave_Address = base + kBank3MasterToSlaveTable;
    refuse_unsupported_data(s);
}

}  // namespace zv
