#include "text/xml_util.h"

#include <sstream>

#include "text/error.h"
#include "text/file_io.h"

namespace zv {

void load_xml_bytes(pugi::xml_document& doc, std::string_view bytes, const std::string& what) {
    pugi::xml_parse_result r =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single);
    if (!r) {
        throw Error(what + " is not well-formed XML: " + r.description() + " at byte " +
                    std::to_string(r.offset));
    }
}

void load_xml_file(pugi::xml_document& doc, const std::filesystem::path& file) {
    load_xml_bytes(doc, read_file(file), file.string());
}

pugi::xml_node first_node(const pugi::xml_document& doc) {
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element) return n;
    return {};
}

std::optional<std::string> child_text(const pugi::xml_node& parent, const char* name) {
    pugi::xml_node c = parent.child(name);
    if (!c) return std::nullopt;
    return std::string(c.text().get());
}

std::string xml_to_string(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

void save_xml_file(const pugi::xml_document& doc, const std::filesystem::path& file) {
    write_file_atomic(file, xml_to_string(doc));
}

}  // namespace zv
