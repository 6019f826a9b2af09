#include "compiler/bank_dump.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "compiler/bank1.h"
#include "compiler/bank2.h"
#include "compiler/bank3.h"
#include "text/encoding.h"
#include "text/error.h"

namespace zv {
namespace {

using Json = nlohmann::ordered_json;

std::string hex(uint64_t v) {
    char b[24];
    std::snprintf(b, sizeof b, "0x%llX", static_cast<unsigned long long>(v));
    return b;
}

std::string hex_bytes(std::string_view b) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(b.size() * 3);
    for (size_t i = 0; i < b.size(); ++i) {
        if (i) s.push_back(' ');
        const auto c = static_cast<uint8_t>(b[i]);
        s.push_back(kDigits[c >> 4]);
        s.push_back(kDigits[c & 15]);
    }
    return s;
}

// One byte per character (the low byte of a UTF-16 unit) back to UTF-8.
std::string code_unit_text(std::string_view b) {
    std::u16string u;
    for (char c : b) u.push_back(static_cast<uint8_t>(c));
    return utf16_to_utf8(u);
}

std::string n(size_t v) { return std::to_string(v); }

Json field(size_t offset, Json value) { return Json{{"offset", offset}, {"value", std::move(value)}}; }

// The image, with a record of which bytes some structure has taken: a sound image
// has every byte taken exactly once.
class Image {
public:
    Image(std::string_view bytes, uint32_t base) : b_(bytes), base_(base), taken_(bytes.size(), false) {}

    size_t size() const { return b_.size(); }
    bool inside(size_t off, size_t count) const { return off <= size() && count <= size() - off; }
    uint8_t byte(size_t off) const { return off < size() ? static_cast<uint8_t>(b_[off]) : 0; }
    std::string_view bytes(size_t off, size_t count) const {
        return off <= size() ? b_.substr(off, count) : std::string_view();
    }
    uint64_t le(size_t off, size_t count) const {
        uint64_t v = 0;
        for (size_t i = count; i-- > 0;) v = v << 8 | byte(off + i);
        return v;
    }
    uint64_t be(size_t off, size_t count) const {
        uint64_t v = 0;
        for (size_t i = 0; i < count; ++i) v = v << 8 | byte(off + i);
        return v;
    }

    void problem(std::string text) { problems_.push_back(std::move(text)); }
    const Json& problems() const { return problems_; }

    // Takes `count` bytes at `off` for `what`; false, with a problem, when they
    // pass the end of the image or another structure has them already.
    bool take(size_t off, size_t count, const std::string& what) {
        if (!inside(off, count)) {
            problem(what + " at offset " + n(off) + " needs " + n(count) + " bytes, but the image ends at offset " +
                    n(size()) + " (truncated)");
            return false;
        }
        for (size_t i = off; i < off + count; ++i) {
            if (taken_[i]) {
                problem(what + " at offset " + n(off) + " overlaps bytes already decoded at offset " + n(i));
                return false;
            }
            // Kept even when the structure fails further on: every byte is then
            // looked at once, however the addresses of a damaged image point.
            taken_[i] = true;
        }
        return true;
    }

    // The offset of the `count` bytes an address points at; nullopt, with a
    // problem, when they are not all inside the image.
    std::optional<size_t> at(uint64_t address, size_t count, const std::string& what) {
        if (address >= base_ && inside(address - base_, count)) return address - base_;
        problem(what + ": address " + hex(address) + " (" + n(count) + " bytes) lies outside the image" +
                (address >= base_ ? " (truncated, or a wrong address)" : "") + ", which holds " +
                (size() ? "addresses " + hex(base_) + " to " + hex(base_ + size() - 1) : std::string("nothing")));
        return std::nullopt;
    }

    void report_unreached() {
        constexpr size_t kShown = 20;
        size_t runs = 0;
        for (size_t i = 0; i < size();) {
            if (taken_[i]) {
                ++i;
                continue;
            }
            size_t j = i;
            while (j < size() && !taken_[j]) ++j;
            if (++runs <= kShown)
                problem("bytes " + n(i) + " to " + n(j - 1) + " (" + n(j - i) + " bytes) are not reached by any structure");
            i = j;
        }
        if (runs > kShown) problem(n(runs - kShown) + " more stretches of bytes are not reached by any structure");
    }

private:
    std::string_view b_;
    uint64_t base_;
    std::vector<bool> taken_;
    Json problems_ = Json::array();
};

enum class Kind { Unsigned, Signed, Octets, Text, Hex };

// One field of a structure: its offset inside the structure and its size.
struct FieldLayout {
    const char* name;
    size_t offset;
    size_t size;
    Kind kind = Kind::Unsigned;
};

constexpr size_t size_of(std::span<const FieldLayout> layout) {
    size_t s = 0;
    for (const FieldLayout& f : layout) s = std::max(s, f.offset + f.size);
    return s;
}

// A zero-filled text field: the text up to its first zero byte.
Json text_value(Image& img, size_t at, size_t size, const std::string& what) {
    const std::string_view b = img.bytes(at, size);
    const size_t end = b.find('\0');
    if (end != std::string_view::npos && b.find_first_not_of('\0', end) != std::string_view::npos)
        img.problem(what + " at offset " + n(at) + ": bytes after the end of the text are not zero");
    return code_unit_text(b.substr(0, end));
}

Json value_of(Image& img, size_t at, const FieldLayout& s, const std::string& where, bool big_endian) {
    switch (s.kind) {
        case Kind::Unsigned: return big_endian ? img.be(at, s.size) : img.le(at, s.size);
        case Kind::Signed: {
            const uint64_t v = img.le(at, s.size);
            const uint64_t sign = uint64_t{1} << (8 * s.size - 1);
            return static_cast<int64_t>(v ^ sign) - static_cast<int64_t>(sign);
        }
        case Kind::Octets: {
            std::string t;
            for (size_t i = 0; i < s.size; ++i) {
                if (i) t += '.';
                t += std::to_string(img.byte(at + i));
            }
            return t;
        }
        case Kind::Text: return text_value(img, at, s.size, where + " " + s.name);
        case Kind::Hex: return hex_bytes(img.bytes(at, s.size));
    }
    return nullptr;
}

// The fields of a structure at `off` (its bytes already taken) into `into`.
void put_fields(Image& img, size_t off, std::span<const FieldLayout> layout, Json& into, const std::string& where,
                bool big_endian = false) {
    for (const FieldLayout& s : layout) into[s.name] = field(off + s.offset, value_of(img, off + s.offset, s, where, big_endian));
}

// Takes a structure and decodes its fields; false when it cannot be taken.
bool structure(Image& img, size_t off, std::span<const FieldLayout> layout, Json& into, const std::string& what) {
    if (!img.take(off, size_of(layout), what)) return false;
    put_fields(img, off, layout, into, what);
    return true;
}

uint64_t value(const Json& j, const char* name) { return j.at(name).at("value").get<uint64_t>(); }

// ---------------------------------------------------------------- bank 1

constexpr FieldLayout kGeneral[] = {
    {"Fixed_0", 0, 4},
    {"Fixed_4", 4, 4},
    {"Fixed_12", 12, 4},
    {"IP_Address", general::kIpAddress, 4, Kind::Octets},
    {"Subnet_Mask", general::kSubnetMask, 4, Kind::Octets},
    {"Gateway", general::kGateway, 4, Kind::Octets},
    {"Fixed_52", 52, 2},
    {"Fixed_54", 54, 2},
    {"Fixed_56", 56, 2},
    {"Name_Of_Station", general::kNameOfStation, 16, Kind::Text},
    {"Network_Flags", general::kNetworkFlags, 2},
    {"Device_Name", general::kDeviceName, 32, Kind::Text},
    {"Secondary_DNS", general::kSecondaryDns, 4, Kind::Octets},
    {"EtherCAT_Slave_Name", general::kSlaveName, 16, Kind::Text},
    {"Primary_DNS", general::kPrimaryDns, 4, Kind::Octets},
    {"Device_Count", general::kDeviceCount, 4},
    {"Bank2_Address", general::kBank2Address, 4},
    {"Version", general::kVersion, 8, Kind::Text},
    {"Bank3_Address", general::kBank3Address, 4},
    {"Checksum", general::kChecksum, 4},
};

void dump_bank1(Image& img, Json& j) {
    const size_t have = std::min(img.size(), general::kSize);
    if (have < general::kSize)
        img.problem("the image has " + n(img.size()) + " bytes; the general record has " + n(general::kSize) +
                    " (truncated)");
    img.take(0, have, "general record");
    Json g = Json::object();
    std::vector<bool> named(general::kSize, false);
    for (const FieldLayout& s : kGeneral) {
        std::fill_n(named.begin() + static_cast<long>(s.offset), s.size, true);
        if (s.offset + s.size <= have)
            g[s.name] = field(s.offset, value_of(img, s.offset, s, "general record", false));
    }
    if (have == general::kSize) {
        uint32_t sum = 0;
        for (size_t i = 0; i < general::kChecksum; ++i) sum += img.byte(i);
        g["Checksum"]["computed"] = sum;
        if (sum != value(g, "Checksum"))
            img.problem("the checksum " + hex(value(g, "Checksum")) + " at offset " + n(general::kChecksum) +
                        " does not match the sum " + hex(sum) + " of bytes 0 to " + n(general::kChecksum - 1));
    }
    // Reserved bytes hold zero in every record this program writes; others show.
    Json reserved = Json::array();
    for (size_t i = 0; i < have;) {
        if (named[i] || img.byte(i) == 0) {
            ++i;
            continue;
        }
        size_t e = i;
        while (e < have && !named[e] && img.byte(e) != 0) ++e;
        reserved.push_back(field(i, hex_bytes(img.bytes(i, e - i))));
        i = e;
    }
    g["Reserved_Not_Zero"] = reserved;
    j["general"] = g;
}

// ---------------------------------------------------------------- bank 2

constexpr FieldLayout kBank2Header[] = {
    {"Device_Rules", 0, 4}, {"Records", 4, 4}, {"Expected_Submodules", 8, 4}, {"IOCRs", 12, 4}};

constexpr FieldLayout kRule[] = {
    {"IP_Address", 0, 4, Kind::Octets},
    {"Pos_Add_In", 4, 4},
    {"Pos_Add_Out", 8, 4},
    {"PROFINET_Device_Name", 12, 32, Kind::Text},
    {"PROFINET_Len_In", 44, 2},
    {"PROFINET_Len_Out", 46, 2},
    {"Time_Poll", 48, 4},
    {"Options", 52, 4},
    {"LocalIndex", 56, 2},
    {"spare", 58, 2},
};

constexpr FieldLayout kPositionRule[] = {
    {"Start", 0, 4, Kind::Signed}, {"Quantity", 4, 4, Kind::Signed}, {"Offset", 8, 4, Kind::Signed}, {"Options", 12, 4, Kind::Signed}};

constexpr FieldLayout kRecord[] = {{"Len", 0, 4}, {"API", 4, 4}, {"Slot", 8, 2}, {"Subslot", 10, 2}, {"Index", 12, 2}};

constexpr FieldLayout kEsmb[] = {{"Len", 0, 2}, {"NumerofApi", 2, 2}};

constexpr FieldLayout kIocr[] = {{"Len", 0, 2},           {"IOCR", 2, 2},           {"FrameID", 4, 2},
                          {"SendClockFactor", 6, 2}, {"ReductionRate", 8, 2},  {"WatchDogRatio", 10, 2},
                          {"DataHoldFactor", 12, 2}, {"IOCRTagHeader", 14, 2}, {"Num_Api", 16, 2}};

// The big-endian PROFINET content of the entries.
constexpr FieldLayout kEsmbApiHead[] = {{"API", 0, 4},
                                 {"Slot_Number", 4, 2},
                                 {"Module_Ident_Number", 6, 4},
                                 {"Module_Properties", 10, 2},
                                 {"Number_Of_Submodules", 12, 2}};
constexpr FieldLayout kEsmbSubmodule[] = {{"Subslot_Number", 0, 2}, {"Submodule_Ident_Number", 2, 4}, {"Submodule_Properties", 6, 2}};
constexpr FieldLayout kDataDescription[] = {
    {"Type", 0, 2}, {"Length", 2, 2}, {"Consumer_Status_Length", 4, 1}, {"Provider_Status_Length", 5, 1}};
constexpr FieldLayout kApi[] = {{"API", 0, 4}};
constexpr FieldLayout kDataObjectCount[] = {{"Number_Of_Data_Objects", 0, 2}};
constexpr FieldLayout kIocsCount[] = {{"Number_Of_IOCS", 0, 2}};
constexpr FieldLayout kSubmoduleDef[] = {{"Slot", 0, 2}, {"Subslot", 2, 2}, {"Frame_Offset", 4, 2}};

// Big-endian fields one after the other inside the Len bytes of an entry.
class Content {
public:
    Content(Image& img, size_t start, size_t len, std::string where)
        : img_(img), pos_(start), end_(start + len), len_(len), where_(std::move(where)) {}

    bool next(std::span<const FieldLayout> layout, Json& into, const std::string& what) {
        const size_t size = size_of(layout);
        if (end_ - pos_ < size) {
            img_.problem(where_ + ", " + what + " at offset " + n(pos_) + " runs past the " + n(len_) +
                         " bytes of the entry's Len");
            return fail();
        }
        if (!img_.take(pos_, size, where_ + ", " + what)) return fail();
        put_fields(img_, pos_, layout, into, where_ + ", " + what, true);
        pos_ += size;
        return true;
    }
    // Bytes of the Len that the content does not use.
    void finish() {
        // After a failure what follows cannot be told apart; it shows as not reached.
        if (pos_ >= end_ || failed_) return;
        if (!img_.inside(pos_, end_ - pos_)) {
            img_.problem(where_ + ": its Len of " + n(len_) + " bytes runs past the end of the image (truncated)");
            img_.take(pos_, img_.size() - pos_, where_);
            return;
        }
        img_.problem(where_ + ": " + n(end_ - pos_) + " bytes of its Len at offset " + n(pos_) + " are not used");
        img_.take(pos_, end_ - pos_, where_ + " (unused bytes)");
    }

private:
    bool fail() {
        failed_ = true;
        return false;
    }

    Image& img_;
    size_t pos_, end_, len_;
    std::string where_;
    bool failed_ = false;
};

// Rules up to their closing block of sixteen 0xFF bytes.
Json position_rules(Image& img, uint64_t address, const std::string& what) {
    Json rules = Json::array();
    auto p = img.at(address, 16, what);
    if (!p) return rules;
    for (size_t off = *p;; off += 16) {
        if (!img.take(off, 16, what + " " + n(rules.size()))) break;
        if (img.bytes(off, 16) == std::string(16, '\xFF')) break;
        Json r = Json::object();
        put_fields(img, off, kPositionRule, r, what);
        rules.push_back(r);
    }
    return rules;
}

void record_entry(Image& img, size_t at, Json& e, const std::string& what) {
    if (!structure(img, at, kRecord, e, what)) return;
    const uint64_t len = value(e, "Len");
    if (img.take(at + 14, len, what + " Data")) e["Data"] = field(at + 14, hex_bytes(img.bytes(at + 14, len)));
}

void esmb_entry(Image& img, size_t at, Json& e, const std::string& what) {
    if (!structure(img, at, kEsmb, e, what)) return;
    Content c(img, at + 4, value(e, "Len"), what);
    Json apis = Json::array();
    for (uint64_t k = 0; k < value(e, "NumerofApi"); ++k) {
        const std::string block = "API block " + n(k);
        Json a = Json::object();
        if (!c.next(kEsmbApiHead, a, block)) break;
        Json subs = Json::array();
        bool whole = true;
        for (uint64_t s = 0; whole && s < value(a, "Number_Of_Submodules"); ++s) {
            const std::string sub = block + " submodule " + n(s);
            Json m = Json::object();
            if (!(whole = c.next(kEsmbSubmodule, m, sub))) break;
            // Input data for input submodules and for those without data; output data for outputs.
            const uint64_t props = value(m, "Submodule_Properties") & 3;
            std::vector<uint64_t> types;
            if (props & 1 || props == 0) types.push_back(1);
            if (props & 2) types.push_back(2);
            Json descs = Json::array();
            for (uint64_t type : types) {
                Json d = Json::object();
                if (!(whole = c.next(kDataDescription, d, sub + " data description"))) break;
                if (value(d, "Type") != type)
                    img.problem(what + ", " + sub + ": data description of type " + n(value(d, "Type")) + " at offset " +
                                n(d["Type"]["offset"].get<size_t>()) + " where its properties call for type " + n(type));
                descs.push_back(d);
            }
            m["data_descriptions"] = descs;
            subs.push_back(m);
        }
        a["submodules"] = subs;
        apis.push_back(a);
        if (!whole) break;
    }
    e["apis"] = apis;
    c.finish();
}

// A count and as many slot, subslot and frame offset triples.
bool submodule_defs(Content& c, std::span<const FieldLayout> count_layout, const char* list_name, Json& api, const std::string& what) {
    if (!c.next(count_layout, api, what)) return false;
    Json defs = Json::array();
    bool whole = true;
    for (uint64_t k = 0; k < value(api, count_layout[0].name); ++k) {
        Json d = Json::object();
        if (!(whole = c.next(kSubmoduleDef, d, what + " " + list_name + " " + n(k)))) break;
        defs.push_back(d);
    }
    api[list_name] = defs;
    return whole;
}

void iocr_entry(Image& img, size_t at, Json& e, const std::string& what) {
    if (!structure(img, at, kIocr, e, what)) return;
    Content c(img, at + 18, value(e, "Len"), what);
    Json apis = Json::array();
    for (uint64_t k = 0; k < value(e, "Num_Api"); ++k) {
        const std::string list = "API list " + n(k);
        Json a = Json::object();
        if (!c.next(kApi, a, list)) break;
        const bool whole = submodule_defs(c, kDataObjectCount, "data_objects", a, list) &&
                           submodule_defs(c, kIocsCount, "iocs", a, list);
        apis.push_back(a);
        if (!whole) break;
    }
    e["apis"] = apis;
    c.finish();
}

using EntryDecoder = void (*)(Image&, size_t, Json&, const std::string&);

// A section: ten list addresses, each device's list of entry addresses closed by
// 0, and the entries.
void section(Image& img, uint64_t address, const char* name, const char* list_key, const char* entries_key,
             size_t head_size, EntryDecoder decode, Json& devices) {
    auto s = img.at(address, 4 * kProfinetDevices, std::string("header ") + name);
    if (!s || !img.take(*s, 4 * kProfinetDevices, std::string(name) + " section")) return;
    for (size_t i = 0; i < kProfinetDevices; ++i) {
        Json& dev = devices[i];
        const uint64_t list = img.le(*s + 4 * i, 4);
        dev[list_key] = field(*s + 4 * i, list);
        const std::string where = "device " + n(i) + " " + entries_key;
        auto p = img.at(list, 4, where + " list");
        if (!p) continue;
        for (size_t off = *p;; off += 4) {
            if (!img.take(off, 4, where + " list")) break;
            const uint64_t a = img.le(off, 4);
            if (a == 0) break;
            const std::string what = where + " " + n(dev[entries_key].size());
            Json e = Json{{"Address", field(off, a)}};
            if (auto at = img.at(a, head_size, what)) decode(img, *at, e, what);
            dev[entries_key].push_back(e);
        }
    }
}

void dump_bank2(Image& img, Json& j) {
    Json header = Json::object();
    if (!structure(img, 0, kBank2Header, header, "header")) return;
    j["header"] = header;
    Json devices = Json::array();
    for (size_t i = 0; i < kProfinetDevices; ++i)
        devices.push_back({{"index", i},
                           {"rule", Json::object()},
                           {"input_rules", Json::array()},
                           {"output_rules", Json::array()},
                           {"Record_List", nullptr},
                           {"records", Json::array()},
                           {"Expected_Submodule_List", nullptr},
                           {"expected_submodules", Json::array()},
                           {"IOCR_List", nullptr},
                           {"iocrs", Json::array()}});

    constexpr size_t kRuleSize = size_of(kRule);
    if (auto t = img.at(value(header, "Device_Rules"), kRuleSize * kProfinetDevices, "header Device_Rules")) {
        for (size_t i = 0; i < kProfinetDevices; ++i)
            structure(img, *t + kRuleSize * i, kRule, devices[i]["rule"], "device " + n(i) + " rule");
        for (size_t i = 0; i < kProfinetDevices; ++i) {
            Json& d = devices[i];
            if (d["rule"].empty()) continue;
            d["input_rules"] = position_rules(img, value(d["rule"], "Pos_Add_In"), "device " + n(i) + " input rule");
            d["output_rules"] = position_rules(img, value(d["rule"], "Pos_Add_Out"), "device " + n(i) + " output rule");
        }
    }
    section(img, value(header, "Records"), "Records", "Record_List", "records", size_of(kRecord), record_entry, devices);
    section(img, value(header, "Expected_Submodules"), "Expected_Submodules", "Expected_Submodule_List",
            "expected_submodules", size_of(kEsmb), esmb_entry, devices);
    section(img, value(header, "IOCRs"), "IOCRs", "IOCR_List", "iocrs", size_of(kIocr), iocr_entry, devices);
    j["devices"] = devices;
}

// ---------------------------------------------------------------- bank 3

constexpr FieldLayout kBank3Header[] = {
    {"Eeprom_Config", 0, 14, Kind::Hex},
    {"Node_Address", 14, 2},
    {"Clear_Data", 16, 1},
    {"Reserved", 17, 3, Kind::Hex},
    {"Group_Table_Address", 20, 4},
    {"Revision_Number", 24, 4},
    {"Num_Slave_To_Master", 28, 2},
    {"Num_Master_To_Slave", 30, 2},
    {"Slave_To_Master_Address", 32, 4},
    {"Master_To_Slave_Address", 36, 4},
};

constexpr FieldLayout kVariable[] = {
    {"Type_Code", 0, 1},     {"Length", 1, 1},       {"Direction", 2, 1},          {"Start_Bit", 3, 1},
    {"Position", 4, 4},      {"Index", 8, 4},        {"Reserved", 12, 4},          {"Group_Index", 16, 4, Kind::Signed},
    {"Init_Address", 20, 4}, {"Name_Length", 24, 4}, {"Name_Address", 28, 4},
};

constexpr const char* kTypeNames[] = {"",       "Bool",   "Int8",    "Int16",  "Int32", "UInt8",
                                      "UInt16", "UInt32", "Float32", "String", "Array"};

constexpr size_t kGroupTableSize = 8 * kEtherCATGroups + 4;

struct Direction {
    const char* name;     // in messages
    const char* key;      // in the JSON
    const char* count;    // header field with the number of entries
    const char* address;  // header field with the table's address
    const char* groups;   // name of its group count
    size_t group_count;   // offset of the group count in the group table
};
constexpr Direction kDirections[] = {
    {"Slave To Master", "slave_to_master", "Num_Slave_To_Master", "Slave_To_Master_Address", "Num_Slave_To_Master_Groups",
     8 * kEtherCATGroups},
    {"Master To Slave", "master_to_slave", "Num_Master_To_Slave", "Master_To_Slave_Address", "Num_Master_To_Slave_Groups",
     8 * kEtherCATGroups + 1}};

// A zero-terminated UTF-8 text at an address.
std::optional<Json> zero_terminated(Image& img, uint64_t address, const std::string& what) {
    auto p = img.at(address, 1, what);
    if (!p) return std::nullopt;
    size_t end = *p;
    while (true) {
        if (!img.take(end, 1, what)) return std::nullopt;
        if (img.byte(end) == 0) break;
        ++end;
    }
    return field(*p, std::string(img.bytes(*p, end - *p)));
}

// The names of one direction's groups, as the group index of an entry finds them.
Json group_names(Image& img, size_t table, size_t count, size_t first, const Direction& d) {
    Json groups = Json::array();
    for (size_t g = 0; g < kEtherCATGroups; ++g) {
        const size_t at = table + 4 * (first + g);
        const uint64_t a = img.le(at, 4);
        const std::string what = std::string(d.name) + " group " + n(g);
        if (g >= count) {
            if (a != 0) img.problem(what + ": address " + hex(a) + " at offset " + n(at) + " past the group count " + n(count));
            continue;
        }
        Json e = Json{{"Address", field(at, a)}};
        if (auto name = zero_terminated(img, a, what + " name")) e["Name"] = *name;
        groups.push_back(e);
    }
    return groups;
}

Json init_value(Image& img, size_t at, uint64_t type, size_t length) {
    const std::string_view b = img.bytes(at, length);
    static constexpr struct {
        uint8_t size;
        bool is_signed;
    } kNumbers[] = {{0, false}, {1, false}, {1, true}, {2, true}, {4, true}, {1, false}, {2, false}, {4, false}};
    Json v;
    if (type >= 1 && type < std::size(kNumbers) && length == kNumbers[type].size) {
        const uint64_t u = img.le(at, length);
        const uint64_t sign = uint64_t{1} << (8 * length - 1);
        v = kNumbers[type].is_signed ? Json(static_cast<int64_t>(u ^ sign) - static_cast<int64_t>(sign)) : Json(u);
    } else if (type == 8 && length == 4) {
        const auto u = static_cast<uint32_t>(img.le(at, 4));
        float f;
        std::memcpy(&f, &u, 4);
        v = static_cast<double>(f);  // NaN and infinity become null
    } else if (type == 9) {
        v = code_unit_text(b.substr(0, b.find('\0')));
    } else {
        v = hex_bytes(b);
    }
    Json j = field(at, v);
    j["bytes"] = hex_bytes(b);
    return j;
}

Json variable(Image& img, size_t at, size_t k, const Direction& d, const Json& groups) {
    const std::string what = std::string(d.name) + " entry " + n(k);
    Json e = Json::object();
    put_fields(img, at, kVariable, e, what);
    const uint64_t type = value(e, "Type_Code");
    if (type < std::size(kTypeNames)) e["Type_Code"]["name"] = kTypeNames[type];

    const uint64_t name_length = value(e, "Name_Length"), name_address = value(e, "Name_Address");
    if (name_length == 0 && name_address != 0) {
        // Every empty name points at the one zero byte before the text area.
        if (auto p = img.at(name_address, 1, what + " name")) {
            if (img.byte(*p) != 0) img.problem(what + ": the empty name at offset " + n(*p) + " is not a zero byte");
            e["Name"] = field(*p, "");
        }
    } else if (name_length != 0) {
        if (auto p = img.at(name_address, name_length + 1, what + " name"); p && img.take(*p, name_length + 1, what + " name")) {
            if (img.byte(*p + name_length) != 0)
                img.problem(what + ": the name at offset " + n(*p) + " does not end with a zero byte");
            e["Name"] = field(*p, std::string(img.bytes(*p, name_length)));
        }
    }

    const int64_t group = e["Group_Index"]["value"].get<int64_t>();
    if (group >= 0 && static_cast<size_t>(group) < groups.size()) {
        if (groups[group].contains("Name")) e["Group"] = groups[group]["Name"];
    } else if (group != -1) {
        img.problem(what + ": group index " + std::to_string(group) + " at offset " + n(at + 16) + ", but there are " +
                    n(groups.size()) + " groups");
    }

    if (const uint64_t init = value(e, "Init_Address"); init != 0) {
        const size_t length = value(e, "Length");
        if (auto p = img.at(init, length, what + " initial value"); p && img.take(*p, length, what + " initial value"))
            e["Init_Value"] = init_value(img, *p, type, length);
    }
    return e;
}

bool empty_entry(const Image& img, size_t at) {
    for (size_t i = 0; i < 32; ++i)
        if (img.byte(at + i) != (i >= 16 && i < 20 ? 0xFF : 0)) return false;
    return true;
}

void dump_bank3(Image& img, Json& j) {
    Json header = Json::object();
    if (!structure(img, 0, kBank3Header, header, "header")) return;
    j["header"] = header;

    Json groups = Json::object();
    Json names[2] = {Json::array(), Json::array()};
    if (auto t = img.at(value(header, "Group_Table_Address"), kGroupTableSize, "header Group_Table_Address");
        t && img.take(*t, kGroupTableSize, "group tables")) {
        for (size_t d = 0; d < 2; ++d) {
            const Direction& dir = kDirections[d];
            size_t count = img.byte(*t + dir.group_count);
            groups[dir.groups] = field(*t + dir.group_count, count);
            if (count > kEtherCATGroups) {
                img.problem(std::string(dir.name) + " group count " + n(count) + " at offset " + n(*t + dir.group_count) +
                            " is more than " + n(kEtherCATGroups));
                count = kEtherCATGroups;
            }
            names[d] = group_names(img, *t, count, d * kEtherCATGroups, dir);
        }
        groups["Reserved"] = field(*t + kGroupTableSize - 2, hex_bytes(img.bytes(*t + kGroupTableSize - 2, 2)));
        groups["slave_to_master"] = names[0];
        groups["master_to_slave"] = names[1];
    }
    j["groups"] = groups;
    if (img.inside(kBank3EmptyText, 1) && img.take(kBank3EmptyText, 1, "empty text"))
        j["Empty_Text"] = field(kBank3EmptyText, img.byte(kBank3EmptyText));

    constexpr size_t kEntrySize = size_of(kVariable);
    for (size_t d = 0; d < 2; ++d) {
        const Direction& dir = kDirections[d];
        Json entries = Json::array();
        const size_t table_size = kEntrySize * kEtherCATVariables;
        if (auto t = img.at(value(header, dir.address), table_size, std::string("header ") + dir.address);
            t && img.take(*t, table_size, std::string(dir.name) + " table")) {
            size_t count = value(header, dir.count);
            if (count > kEtherCATVariables) {
                img.problem(std::string(dir.name) + " count " + n(count) + " is more than " + n(kEtherCATVariables));
                count = kEtherCATVariables;
            }
            // Entries past the count are empty; one that is not is shown too.
            for (size_t k = 0; k < kEtherCATVariables; ++k) {
                const size_t at = *t + kEntrySize * k;
                if (k >= count && empty_entry(img, at)) continue;
                if (k >= count)
                    img.problem(std::string(dir.name) + " entry " + n(k) + " at offset " + n(at) + " past the count " +
                                n(count) + " is not empty");
                entries.push_back(variable(img, at, k, dir, names[d]));
            }
        }
        j[dir.key] = entries;
    }
}

}  // namespace

std::optional<int> bank_of_file_name(const std::filesystem::path& file) {
    std::string name = file.filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int b = 1; b <= 3; ++b)
        if (name == "bank" + std::to_string(b) + ".bin") return b;
    return std::nullopt;
}

nlohmann::ordered_json dump_bank(int bank, std::string_view image) {
    static constexpr uint32_t kBase[] = {0, 0, kBank2Base, kBank3Base};
    static constexpr size_t kBuffer[] = {0, general::kSize, kBank2Buffer, kBank3Buffer};
    if (bank < 1 || bank > 3) throw Error("There is no bank " + std::to_string(bank) + "; the banks are 1, 2 and 3.");
    Json j = {{"bank", bank}, {"size", image.size()}};
    if (bank > 1) j["base"] = kBase[bank];
    Image img(image, kBase[bank]);
    if (bank > 1 && image.size() > kBuffer[bank])
        img.problem("the image has " + n(image.size()) + " bytes; the device's bank " + std::to_string(bank) +
                    " holds " + n(kBuffer[bank]));
    if (bank == 1) dump_bank1(img, j);
    if (bank == 2) dump_bank2(img, j);
    if (bank == 3) dump_bank3(img, j);
    img.report_unreached();
    j["problems"] = img.problems();
    return j;
}

}  // namespace zv
