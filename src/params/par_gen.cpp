#include "params/par_gen.h"

#include <limits>
#include <type_traits>

#include "text/file_io.h"
#include "text/text_util.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;

ParGenFile::ParGenFile(const fs::path& file) {
    load_xml_file(doc_, file);
    root_ = first_node(doc_);
}

ParGenFile::ParGenFile(std::string_view bytes, const std::string& what) {
    load_xml_bytes(doc_, bytes, what);
    root_ = first_node(doc_);
}

std::optional<std::string> ParGenFile::text(const char* element) const {
    if (root_.type() != pugi::node_element) return std::nullopt;
    return child_text(root_, element);
}

bool ParGenFile::flag(const char* element) const { return text(element) == "1"; }

std::optional<int32_t> ParGenFile::int32(const char* element) const {
    auto t = text(element);
    if (!t) return std::nullopt;
    auto v = parse_decimal(*t);
    if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*v);
}

std::optional<uint32_t> ParGenFile::uint32(const char* element) const {
    auto t = text(element);
    if (!t) return std::nullopt;
    auto v = parse_decimal(*t);
    if (!v || *v < 0 || *v > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(*v);
}

ParGenValues read_par_gen_for_editor(const fs::path& file) {
    ParGenValues v;
    if (!file_exists(file)) return v;
    ParGenFile f(file);
    visit_par_gen(v, [&](const char* name, auto& member) {
        auto t = f.text(name);
        if (!t) return;
        if constexpr (std::is_same_v<std::decay_t<decltype(member)>, bool>)
            member = (*t == "1");
        else
            member = *t;
    });
    return v;
}

std::string par_gen_xml(const ParGenValues& v) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Par_Gen");
    doc.append_child(pugi::node_comment).set_value(kParGenVersionComment);
    visit_par_gen(v, [&](const char* name, const auto& member) {
        pugi::xml_node e = root.append_child(name);
        if constexpr (std::is_same_v<std::decay_t<decltype(member)>, bool>)
            e.text().set(member ? "1" : "0");
        else
            e.text().set(member.c_str());
    });
    return xml_to_string(doc);
}

void write_par_gen(const fs::path& file, const ParGenValues& v) { write_file_atomic(file, par_gen_xml(v)); }

}  // namespace zv
