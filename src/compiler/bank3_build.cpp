// Filling the EtherCAT tables from the project's two EtherCAT files.
#include <charconv>
#include <cstring>
#include <filesystem>

#include "compiler/bank3.h"
#include "ethercat/ethercat_files.h"
#include "text/encoding.h"
#include "text/text_util.h"

namespace zv {
namespace {

// Cumulative group counts of one direction, in the order of its named groups.
using GroupCounts = std::vector<long long>;

struct TypeInfo {
    uint8_t code;
    uint8_t fixed_size;  // 0: the Length attribute
};

TypeInfo EtherCAT_Type_Code(const std::string& type) {
    static const struct {
        const char* name;
        TypeInfo info;
    } kTypes[] = {{"Bool", {1, 1}},   {"Int8", {2, 1}},   {"Int16", {3, 2}},   {"Int32", {4, 4}},   {"UInt8", {5, 1}},
                  {"UInt16", {6, 2}}, {"UInt32", {7, 4}}, {"Float32", {8, 4}}, {"String", {9, 0}}, {"Array", {10, 0}}};
    for (const auto& t : kTypes)
        if (type == t.name) return t.info;
    return {0, 0};
}

// The integer of an initial value: decimal, or hexadecimal after "$" or "0x";
// 0 when the text is not one. Hexadecimal takes up to 64 bits.
long long init_integer(std::string_view s) {
    bool neg = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        neg = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 1 && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s[0] == '+' || s[0] == '-') return 0;
    unsigned long long v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || p != s.data() + s.size()) return 0;
    if (base == 10 && v > static_cast<unsigned long long>(INT64_MAX) + (neg ? 1 : 0)) return 0;
    const long long r = static_cast<long long>(v);
    return neg ? static_cast<long long>(0 - static_cast<unsigned long long>(r)) : r;
}

float init_float(std::string_view s) {
    s = trim(s);
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return 0.0f;
    return static_cast<float>(v);
}

std::string little_endian(unsigned long long v, int n) {
    std::string b;
    for (int i = 0; i < n; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return b;
}

int hex_digit(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Encode_Init_Value: the bytes of the initial value at V; returns the next free address.
uint32_t Encode_Init_Value(const std::string& text, TEtherCAT_Variable& v, uint32_t V) {
    if (text.empty()) return V;
    std::string bytes;
    switch (v.Type_Code) {
        case 1: bytes = little_endian(static_cast<unsigned long long>(init_integer(text)) & 1, 1); break;
        case 2:
        case 5: bytes = little_endian(static_cast<unsigned long long>(init_integer(text)), 1); break;
        case 3:
        case 6: bytes = little_endian(static_cast<unsigned long long>(init_integer(text)), 2); break;
        case 4:
        case 7: bytes = little_endian(static_cast<unsigned long long>(init_integer(text)), 4); break;
        case 8: {
            const float f = init_float(text);
            uint32_t u;
            std::memcpy(&u, &f, 4);
            bytes = little_endian(u, 4);
            break;
        }
        case 9:
            bytes = to_code_unit_bytes(text);
            bytes.resize(v.Length, '\0');
            break;
        case 10: {
            const std::u16string u = utf8_to_utf16(text);
            for (size_t i = 0; i < v.Length; ++i) {
                int hi = 2 * i + 1 < u.size() ? hex_digit(u[2 * i]) : -1;
                int lo = 2 * i + 1 < u.size() ? hex_digit(u[2 * i + 1]) : -1;
                bytes.push_back(hi >= 0 && lo >= 0 ? static_cast<char>(hi * 16 + lo) : '\0');
            }
            break;
        }
        default:
            // No encoding for an unknown type: no initial value at all, so the
            // image holds no address that points at bytes it does not have.
            return V;
    }
    v.Init_Address = V;
    v.Init_Value = bytes;
    return V + static_cast<uint32_t>(bytes.size());
}

int32_t Find_Group_Index(size_t k, const GroupCounts& counts) {
    for (size_t i = 0; i < counts.size(); ++i)
        if (static_cast<long long>(k) < counts[i]) return static_cast<int32_t>(i);
    return -1;
}

uint32_t text_size(const std::string& s) { return static_cast<uint32_t>(s.size()); }

// The named groups of one direction and their cumulative counts.
void take_groups(const std::vector<GroupRow>& rows, std::vector<std::string>& names, GroupCounts& counts,
                 uint32_t& V) {
    long long sum = 0;
    for (const auto& r : rows) {
        const std::string name = r.Group_Name.value_or("");
        if (name.empty()) continue;
        V += text_size(name) + 1;
        names.push_back(name);
        if (r.Num_Variables) sum += parse_decimal(*r.Num_Variables).value_or(0);
        counts.push_back(sum);
    }
}

void take_entries(const std::vector<VariableRow>& rows, std::array<TEtherCAT_Variable, kEtherCATVariables>& table,
                  bool slave_to_master, const GroupCounts& counts, uint32_t base, uint32_t& T, uint32_t& V,
                  uint16_t& count) {
    size_t k = 0;
    for (const auto& r : rows) {
        if (!row_enabled(r) || k >= kEtherCATVariables) continue;
        TEtherCAT_Variable& v = table[k];
        v.Direction = slave_to_master ? 1 : 0;
        const TypeInfo ti = EtherCAT_Type_Code(r.Type.value_or(""));
        v.Type_Code = ti.code;
        v.Length = ti.fixed_size ? ti.fixed_size
                                 : static_cast<uint8_t>(r.Length ? parse_decimal(*r.Length).value_or(1) : 1);
        v.Position = static_cast<uint32_t>(parse_decimal(r.Position.value_or("")).value_or(0));
        v.Start_Bit = static_cast<uint8_t>(parse_decimal(r.BitStart.value_or("")).value_or(0));
        v.Index = static_cast<uint32_t>(k);
        v.Reserved = 0;
        v.Group_Index = Find_Group_Index(k, counts);
        if (slave_to_master) V = Encode_Init_Value(r.InitValue.value_or(""), v, V);
        v.Name = r.Name.value_or("");
        v.Name_Length = text_size(v.Name);
        if (v.Name.empty()) {
            v.Name_Address = base + kBank3EmptyText;
        } else {
            v.Name_Address = T;
            T += text_size(v.Name) + 1;
        }
        ++k;
    }
    count = static_cast<uint16_t>(k);
}

uint32_t name_bytes(const std::vector<VariableRow>& rows) {
    uint32_t n = 0;
    size_t k = 0;
    for (const auto& r : rows) {
        if (!row_enabled(r) || k >= kEtherCATVariables) continue;
        ++k;
        const std::string name = r.Name.value_or("");
        if (!name.empty()) n += text_size(name) + 1;
    }
    return n;
}

}  // namespace

void Build_EtherCAT_Tables(EtherCATTables& t, uint32_t base, const ShellState& s) {
    // Both files are read and checked before anything changes.
    VariableLists vars;
    const bool have_vars = std::filesystem::exists(s.File_EtherCAT_Slave);
    if (have_vars) {
        vars = read_variables_file(s.File_EtherCAT_Slave);
        check_variable_limits(vars, s.File_EtherCAT_Slave);
    }
    GroupLists groups;
    if (std::filesystem::exists(s.File_EtherCAT_Group)) {
        groups = read_group_file(s.File_EtherCAT_Group);
        check_group_limits(groups, s.File_EtherCAT_Group);
    }

    t.Config.Group_Table_Address = base + kBank3GroupTables;
    t.Config.Slave_To_Master_Address = base + kBank3SlaveToMasterTable;
    t.Config.Master_To_Slave_Address = base + kBank3MasterToSlaveTable;
    uint32_t T = base + kBank3TextArea;
    uint32_t V = base + kBank3TextArea;

    // The initial values follow the texts: V starts past every name.
    V += name_bytes(vars.Slave_To_Master) + name_bytes(vars.Master_To_Slave);
    GroupCounts stom_counts, mtos_counts;
    take_groups(groups.Slave_to_Master, t.Slave_To_Master_Groups, stom_counts, V);
    take_groups(groups.Master_to_Slave, t.Master_To_Slave_Groups, mtos_counts, V);

    take_entries(vars.Slave_To_Master, t.Slave_To_Master, true, stom_counts, base, T, V, t.Config.Num_Slave_To_Master);
    take_entries(vars.Master_To_Slave, t.Master_To_Slave, false, mtos_counts, base, T, V, t.Config.Num_Master_To_Slave);

    for (size_t i = 0; i < t.Slave_To_Master_Groups.size(); ++i) {
        t.Slave_To_Master_Group_Address[i] = T;
        T += text_size(t.Slave_To_Master_Groups[i]) + 1;
    }
    for (size_t i = 0; i < t.Master_To_Slave_Groups.size(); ++i) {
        t.Master_To_Slave_Group_Address[i] = T;
        T += text_size(t.Master_To_Slave_Groups[i]) + 1;
    }
}

}  // namespace zv
