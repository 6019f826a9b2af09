#include "ethercat/esi.h"

#include <cstdio>
#include <filesystem>

#include <pugixml.hpp>

#include "ethercat/ethercat_files.h"
#include "text/encoding.h"
#include "text/file_io.h"
#include "text/text_util.h"
#include "text/xml_util.h"

namespace zv {

// Our own 16x14 picture (a device with an arrow each way) as a BMP in hexadecimal.
const char* const kEsiIcon =
    "424D59010000000000007600000028000000100000000E0000000100080000000000E0000000130B0000130B000010000000"
    "00000000FFFFFF0040404000C8C8C80000A00000C84000000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000000000010101010101010101010101010100"
    "0001020202020202020202020202010000010202020402020202020202020100000102040404040404040404020201000001"
    "0202020402020202020202020100000102020202020202020202020201000001020202020202020202020202010000010202"
    "0202020202020302020201000001020303030303030303030202010000010202020202020202030202020100000102020202"
    "020202020202020201000001010101010101010101010101010000000000000000000000000000000000000000";

namespace {

constexpr const char* kVendorId = "#x00000A53";
constexpr const char* kVendorName = "Velmor";
constexpr const char* kGroupName = "Velmor Slaves";
constexpr const char* kProductCode = "00000B57";

std::string hex(unsigned long long v, int min_digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", min_digits, v);
    return buf;
}

std::string dec3(long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03lld", v);
    return buf;
}

// A project text as element content: valid UTF-8, the XML special characters
// escaped, and the control characters XML cannot carry left out.
std::string esi_escape(const std::string& text) {
    const std::string utf8 = utf16_to_utf8(utf8_to_utf16(text));
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
                out += c;
        }
    }
    return out;
}

class Lines {
public:
    void line(int level, const std::string& s) { raw(std::string(static_cast<size_t>(2 * level), ' ') + s); }
    void tabbed(int tabs, const std::string& s) { raw(std::string(static_cast<size_t>(tabs), '\t') + s); }
    void blank() { raw(""); }
    // <tag attrs>text</tag> on one line.
    void elem(int level, const std::string& tag, const std::string& text, const std::string& attrs = "") {
        line(level, "<" + tag + attrs + ">" + text + "</" + tag + ">");
    }
    void open(int level, const std::string& tag, const std::string& attrs = "") { line(level, "<" + tag + attrs + ">"); }
    void close(int level, const std::string& tag) { line(level, "</" + tag + ">"); }
    std::string out;

private:
    void raw(const std::string& s) {
        out += s;
        out += "\r\n";
    }
};

std::string a(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + value + "\""; }

void write_pdos(Lines& w, const std::vector<TEtherCAT_Rule>& list, bool rx) {
    const char* tag = rx ? "RxPdo" : "TxPdo";
    const char* sm = rx ? "2" : "3";
    const unsigned pdo_base = rx ? 0x1600 : 0x1A00;
    const unsigned entry_base = rx ? 0x7000 : 0x6000;
    const char* prefix = rx ? "Outputs_" : "Inputs_";
    const int L = 4;  // the level of the PDO elements, under Device
    long long p = 0;
    int b = 8;
    for (size_t i = 0; i < list.size(); ++i) {
        const TEtherCAT_Rule& e = list[i];
        if (i % 16 == 0) {
            w.open(L, tag, a("Mandatory", "true") + a("Fixed", "true") + a("Sm", sm));
            w.elem(L + 1, "Index", "#x" + hex(pdo_base + static_cast<unsigned long long>(p), 4));
            w.elem(L + 1, "Name", prefix + dec3(p));
            w.blank();
            ++p;
        }
        w.open(L + 1, "Entry");
        w.elem(L + 2, "Index", "#x" + hex(entry_base + i, 4));
        w.elem(L + 2, "SubIndex", "0");
        w.elem(L + 2, "BitLen", std::to_string(e.Length));
        w.elem(L + 2, "Name", esi_escape(e.Name));
        w.elem(L + 2, "DataType", e.DataType);
        w.close(L + 1, "Entry");
        w.blank();
        if (e.DataType == "BIT") {
            --b;
            if (b == 0) {
                b = 8;
            } else if (i + 1 == list.size() || list[i + 1].DataType != "BIT") {
                w.tabbed(5, "<Entry>");
                w.tabbed(6, "<Index>#x0</Index>");
                w.tabbed(6, "<SubIndex>0</SubIndex>");
                w.tabbed(6, "<BitLen>" + std::to_string(b) + "</BitLen>");
                w.tabbed(5, "</Entry>");
                w.blank();
                b = 8;
            }
        } else {
            b = 8;
        }
        if (i % 16 == 15) w.close(L, tag);
    }
    if (list.size() % 16 != 0) w.close(L, tag);
}

void write_op_mode(Lines& w, const char* name, const char* desc, const char* assign) {
    w.open(5, "OpMode");
    w.elem(6, "Name", name);
    w.elem(6, "Desc", desc);
    w.elem(6, "AssignActivate", assign);
    w.elem(6, "CycleTimeSync0", "0", a("Factor", "1"));
    w.elem(6, "ShiftTimeSync0", "0");
    w.elem(6, "CycleTimeSync1", "0", a("Factor", "1"));
    w.close(5, "OpMode");
}

}  // namespace

TEtherCAT_Rule ESI_Data_Type(const std::string& type, const std::string& length) {
    const std::string t = to_upper_ascii(trim(type));
    const long long L = parse_decimal(length).value_or(0);
    if (t == "BOOL") return {"BIT", 1, {}};
    if (t == "INT8") return {"SINT", 8, {}};
    if (t == "INT16") return {"INT", 16, {}};
    if (t == "INT32") return {"DINT", 32, {}};
    if (t == "UINT8") return {"USINT", 8, {}};
    if (t == "UINT16") return {"UINT", 16, {}};
    if (t == "UINT32") return {"UDINT", 32, {}};
    if (t == "FLOAT32") return {"REAL", 32, {}};
    if (t == "ARRAY") return {"ARRAY [0.." + std::to_string(L - 1) + "] OF BYTE", 8 * L, {}};
    if (t == "STRING") return {"STRING(" + std::to_string(L) + ")", 8 * L + 8, {}};
    return {"BIT", 1, {}};
}

EsiData Read_ESI_Data(const std::filesystem::path& par_gen, const std::filesystem::path& slave_file) {
    EsiData d;
    if (std::filesystem::exists(par_gen)) {
        pugi::xml_document doc;
        load_xml_file(doc, par_gen);
        const pugi::xml_node root = first_node(doc);
        if (auto name = child_text(root, "EtherCAT_Slave_Name")) d.slave_name = *name;
        if (auto v = child_text(root, "EtherCAT_Slave_Revision_Number")) d.revision = parse_decimal(*v).value_or(0);
        if (auto v = child_text(root, "EtherCAT_Slave_Node_Address")) d.node_address = parse_decimal(*v).value_or(1);
    }
    if (!std::filesystem::exists(slave_file)) return d;
    const VariableLists vars = read_variables_file(slave_file);
    check_variable_limits(vars, slave_file);
    add_esi_variables(d, vars);
    return d;
}

void add_esi_variables(EsiData& d, const VariableLists& vars) {
    bool inrun = false;
    int bits = 0;
    for (const auto& r : vars.Slave_To_Master) {
        if (!row_enabled(r)) continue;
        TEtherCAT_Rule e = ESI_Data_Type(r.Type.value_or(""), r.Length.value_or(""));
        e.Name = r.Name.value_or("");
        if (e.DataType != "BIT") {
            inrun = false;
            d.T += parse_decimal(r.Length.value_or("")).value_or(0);
        } else if (!inrun) {
            inrun = true;
            bits = 1;
            d.T += 1;
        } else if (++bits > 8) {
            bits = 1;
            d.T += 1;
        }
        d.Slave_To_Master.push_back(std::move(e));
    }
    for (const auto& r : vars.Master_To_Slave) {
        if (!row_enabled(r)) continue;
        TEtherCAT_Rule e = ESI_Data_Type(r.Type.value_or(""), r.Length.value_or(""));
        e.Name = r.Name.value_or("");
        d.Master_To_Slave.push_back(std::move(e));
    }
}

long long sm2_start_address(long long T) { return ((3 * T + 3) / 4) * 4 + 0x1000; }

std::string esi_text(const EsiData& d) {
    Lines w;
    const std::string icon = kEsiIcon;
    const std::string name = esi_escape(d.slave_name);
    w.line(0, "<?xml version=\"1.0\"?>");
    w.open(0, "EtherCATInfo",
           a("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance") + a("xsi:noNamespaceSchemaLocation", "EtherCATInfo.xsd") +
               a("Version", "1.6"));
    w.open(1, "Vendor");
    w.elem(2, "Id", kVendorId);
    w.elem(2, "Name", kVendorName);
    w.elem(2, "ImageData16x14", icon);
    w.close(1, "Vendor");
    w.open(1, "Descriptions");
    w.open(2, "Groups");
    w.open(3, "Group", a("SortOrder", "0"));
    w.elem(4, "Type", kGroupName);
    w.elem(4, "Name", kGroupName, a("LcId", "1031"));
    w.elem(4, "Name", kGroupName, a("LcId", "1033"));
    w.elem(4, "ImageData16x14", icon);
    w.close(3, "Group");
    w.close(2, "Groups");
    w.open(2, "Devices");
    w.open(3, "Device", a("Physics", "YY"));
    w.elem(4, "Type", name,
           a("ProductCode", std::string("#x") + kProductCode) +
               a("RevisionNo", "#x" + hex(static_cast<uint32_t>(d.revision), 2)));
    w.elem(4, "Name", name, a("LcId", "1033"));
    w.elem(4, "Name", name, a("LcId", "1031"));
    w.open(4, "Info");
    w.open(5, "StateMachine");
    w.open(6, "Timeout");
    w.elem(7, "PreopTimeout", "2000");
    w.elem(7, "SafeopOpTimeout", "9000");
    w.elem(7, "BackToInitTimeout", "5000");
    w.elem(7, "BackToSafeopTimeout", "200");
    w.close(6, "Timeout");
    w.close(5, "StateMachine");
    w.open(5, "Mailbox");
    w.open(6, "Timeout");
    w.elem(7, "RequestTimeout", "100");
    w.elem(7, "ResponseTimeout", "2000");
    w.close(6, "Timeout");
    w.close(5, "Mailbox");
    w.elem(5, "IdentificationReg134", "true");
    w.close(4, "Info");
    w.elem(4, "GroupType", kGroupName);
    w.elem(4, "Fmmu", "Outputs");
    w.elem(4, "Fmmu", "Inputs");
    const std::string mbox = a("MinSize", "0") + a("MaxSize", "0") + a("DefaultSize", "0") + a("StartAddress", "#x1FFF");
    w.elem(4, "Sm", "MBoxOut", mbox + a("ControlByte", "#x26") + a("Enable", "0"));
    w.elem(4, "Sm", "MBoxIn", mbox + a("ControlByte", "#x22") + a("Enable", "0"));
    w.elem(4, "Sm", "Outputs",
           a("StartAddress", "#x" + hex(static_cast<unsigned long long>(sm2_start_address(d.T)), 4)) +
               a("ControlByte", "#x64") + a("DefaultSize", "1") + a("Enable", "1"));
    w.elem(4, "Sm", "Inputs", a("StartAddress", "#x1000") + a("ControlByte", "#x20") + a("DefaultSize", "1") + a("Enable", "1"));
    write_pdos(w, d.Master_To_Slave, true);
    write_pdos(w, d.Slave_To_Master, false);
    w.open(4, "Mailbox", a("DataLinkLayer", "true"));
    w.line(5, "<EoE />");
    w.line(5, "<CoE" + a("SdoInfo", "true") + a("SegmentedSdo", "true") + a("CompleteAccess", "true") + " />");
    w.line(5, "<FoE />");
    w.close(4, "Mailbox");
    w.open(4, "Dc");
    write_op_mode(w, "Synchron", "SM-Synchron", "#x0");
    write_op_mode(w, "DC", "DC-Synchron", "#x300");
    w.close(4, "Dc");
    w.open(4, "Eeprom");
    w.elem(5, "ByteSize", "2048");
    const auto node = static_cast<unsigned long long>(d.node_address);
    w.elem(5, "ConfigData", "800F00CC8813ff00" + hex(node & 0xFF, 2) + hex((node >> 8) & 0xFF, 2) + "00800000");
    w.close(4, "Eeprom");
    w.elem(4, "ImageData16x14", icon);
    w.close(3, "Device");
    w.close(2, "Devices");
    w.close(1, "Descriptions");
    w.close(0, "EtherCATInfo");
    return w.out;
}

void Write_ESI_File(const EsiData& d, const std::filesystem::path& file) { write_file_atomic(file, esi_text(d)); }

std::filesystem::path esi_file_name(const std::filesystem::path& chosen) {
    if (chosen.has_extension()) return chosen;
    std::filesystem::path p = chosen;
    p += ".xml";
    return p;
}

bool Create_ESI_File(const ShellState& s, const std::filesystem::path& chosen, const StringTable& t, Prompter& p) {
    const std::filesystem::path file = esi_file_name(chosen);
    if (std::filesystem::exists(file) && !p.confirm(t[905])) return false;
    Write_ESI_File(Read_ESI_Data(s.File_ParGen, s.File_EtherCAT_Slave), file);
    return true;
}

}  // namespace zv
