// A hand-edited EtherCAT_Slave.xml through the ESI writer: either a clear error,
// or an ESI file that any XML reader accepts.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <pugixml.hpp>

#include "ethercat/esi.h"
#include "ethercat/ethercat_files.h"
#include "text/encoding.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zv::VariableLists vars;
    try {
        vars = zv::parse_variables_file(bytes, "EtherCAT_Slave.xml");
        zv::check_variable_limits(vars, "EtherCAT_Slave.xml");
    } catch (const zv::Error&) {
        return 0;
    }
    zv::EsiData d;
    // The first name also stands in for the slave name, so both kinds of text are tried.
    if (!vars.Slave_To_Master.empty()) d.slave_name = vars.Slave_To_Master[0].Name.value_or("");
    zv::add_esi_variables(d, vars);
    const std::string text = zv::esi_text(d);
    // Valid UTF-8 and no control character that XML cannot carry.
    if (zv::utf16_to_utf8(zv::utf8_to_utf16(text)) != text) std::abort();
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') std::abort();
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8)) std::abort();
    if (!doc.child("EtherCATInfo").child("Descriptions").child("Devices").child("Device")) std::abort();
    return 0;
}
