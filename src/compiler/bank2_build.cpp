// Filling the PROFINET tables from the project's network file.
#include <pugixml.hpp>

#include "compiler/bank2.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;

namespace {

// The IO devices are not compiled into the tables yet. A network with devices
// is refused, so the device is never sent tables that silently lack them.
void refuse_unsupported_network(const fs::path& file) {
    if (!file_exists(file)) return;
    pugi::xml_document doc;
    load_xml_file(doc, file);
    pugi::xml_node network = doc.child("PROFINET_Master_Network").child("Network");
    if (!network) throw Error(file.string() + ": the element PROFINET_Master_Network/Network is missing.");
    if (network.first_child())
        throw Error(file.string() + ": PROFINET IO devices cannot be compiled by this version yet.");
}

}  // namespace

int Build_PROFINET_Tables(ProfinetTables& t, uint32_t base, const ShellState& s) {
    refuse_unsupported_network(s.File_PROFINET_Network);
    Assign_PROFINET_Addresses(t, base);
    return 0;
}

}  // namespace zv
