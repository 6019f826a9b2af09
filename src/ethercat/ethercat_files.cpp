#include "ethercat/ethercat_files.h"

#include <pugixml.hpp>

#include "shell/product.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/xml_util.h"

namespace zv {
namespace {

constexpr const char* kGroupRoot = "PROFINET_Master_to_Modbus_TCP_Master";
constexpr const char* kVariablesRoot = "EtherCAT_Slave";

std::optional<std::string> attr(const pugi::xml_node& n, const char* name) {
    pugi::xml_attribute a = n.attribute(name);
    if (!a) return std::nullopt;
    return std::string(a.value());
}

template <class F>
void each_row(const pugi::xml_node& parent, F f) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) f(c);
}

void put(pugi::xml_node& row, const char* name, const std::optional<std::string>& v) {
    row.append_attribute(name) = v.value_or("").c_str();
}

std::string version_comment() { return std::string("SW_VERSION = ") + kOwnVersion; }

std::string finish(pugi::xml_document& doc) {
    doc.append_child(pugi::node_comment).set_value(version_comment().c_str());
    return xml_to_string(doc);
}

}  // namespace

GroupLists parse_group_file(std::string_view bytes, const std::string& what) {
    pugi::xml_document doc;
    load_xml_bytes(doc, bytes, what);
    GroupLists out;
    pugi::xml_node root = first_node(doc);
    auto read = [&](const char* dir, std::vector<GroupRow>& rows) {
        each_row(root.child(dir), [&](const pugi::xml_node& n) {
            rows.push_back({attr(n, "Group_Name"), attr(n, "Num_Variables"), attr(n, "Mnemonic")});
        });
    };
    read("Slave_to_Master", out.Slave_to_Master);
    read("Master_to_Slave", out.Master_to_Slave);
    return out;
}

GroupLists read_group_file(const std::filesystem::path& file) { return parse_group_file(read_file(file), file.string()); }

VariableLists parse_variables_file(std::string_view bytes, const std::string& what) {
    pugi::xml_document doc;
    load_xml_bytes(doc, bytes, what);
    VariableLists out;
    pugi::xml_node vars = first_node(doc).child("EtherCAT_Slave_Variables");
    auto read = [&](const char* dir, std::vector<VariableRow>& rows) {
        each_row(vars.child(dir), [&](const pugi::xml_node& n) {
            rows.push_back({attr(n, "Enable"), attr(n, "Type"), attr(n, "Length"), attr(n, "Name"), attr(n, "InitValue"),
                            attr(n, "Position"), attr(n, "BitStart"), attr(n, "Group"), attr(n, "Mnemonic")});
        });
    };
    read("EtherCAT_Slave_To_Master", out.Slave_To_Master);
    read("EtherCAT_Master_To_Slave", out.Master_To_Slave);
    return out;
}

VariableLists read_variables_file(const std::filesystem::path& file) {
    return parse_variables_file(read_file(file), file.string());
}

std::string group_file_bytes(const GroupLists& lists) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child(kGroupRoot);
    auto write = [&](const char* dir, const std::vector<GroupRow>& rows) {
        pugi::xml_node d = root.append_child(dir);
        for (const auto& r : rows) {
            pugi::xml_node n = d.append_child("row");
            put(n, "Group_Name", r.Group_Name);
            put(n, "Num_Variables", r.Num_Variables);
            put(n, "Mnemonic", r.Mnemonic);
        }
    };
    write("Slave_to_Master", lists.Slave_to_Master);
    write("Master_to_Slave", lists.Master_to_Slave);
    return finish(doc);
}

std::string variables_file_bytes(const VariableLists& lists) {
    pugi::xml_document doc;
    pugi::xml_node vars = doc.append_child(kVariablesRoot).append_child("EtherCAT_Slave_Variables");
    auto write = [&](const char* dir, const std::vector<VariableRow>& rows, bool with_init) {
        pugi::xml_node d = vars.append_child(dir);
        for (const auto& r : rows) {
            pugi::xml_node n = d.append_child("row");
            put(n, "Enable", r.Enable);
            put(n, "Type", r.Type);
            put(n, "Length", r.Length);
            put(n, "Name", r.Name);
            if (with_init) put(n, "InitValue", r.InitValue);
            put(n, "Position", r.Position);
            put(n, "BitStart", r.BitStart);
            put(n, "Group", r.Group);
            put(n, "Mnemonic", r.Mnemonic);
        }
    };
    write("EtherCAT_Slave_To_Master", lists.Slave_To_Master, true);
    write("EtherCAT_Master_To_Slave", lists.Master_To_Slave, false);
    return finish(doc);
}

void write_group_file(const std::filesystem::path& file, const GroupLists& lists) {
    write_file_atomic(file, group_file_bytes(lists));
}

void write_variables_file(const std::filesystem::path& file, const VariableLists& lists) {
    write_file_atomic(file, variables_file_bytes(lists));
}

bool row_enabled(const VariableRow& row) { return row.Enable && *row.Enable == "Y"; }

void check_variable_limits(const VariableLists& lists, const std::filesystem::path& file) {
    auto check = [&](const std::vector<VariableRow>& rows, const char* dir) {
        size_t n = 0;
        for (const auto& r : rows) n += row_enabled(r) ? 1 : 0;
        if (n > kMaxVariables)
            throw Error(file.string() + ": " + std::to_string(n) + " enabled variables in " + dir + ", at most " +
                        std::to_string(kMaxVariables) + " fit the device");
    };
    check(lists.Slave_To_Master, "Slave To Master");
    check(lists.Master_To_Slave, "Master To Slave");
}

void check_group_limits(const GroupLists& lists, const std::filesystem::path& file) {
    auto check = [&](const std::vector<GroupRow>& rows, const char* dir) {
        size_t n = 0;
        for (const auto& r : rows) n += r.Group_Name && !r.Group_Name->empty() ? 1 : 0;
        if (n > kMaxGroups)
            throw Error(file.string() + ": " + std::to_string(n) + " named groups in " + dir + ", at most " +
                        std::to_string(kMaxGroups) + " fit the device");
    };
    check(lists.Slave_to_Master, "Slave To Master");
    check(lists.Master_to_Slave, "Master To Slave");
}

}  // namespace zv
