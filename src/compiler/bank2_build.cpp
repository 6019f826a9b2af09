// Filling the PROFINET tables from the project's network file and the GSDML
// copies beside it. The compiler reads the files on its own, with its own
// rules, so a device is compiled exactly as the file describes it.
#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include <pugixml.hpp>

#include "compiler/bank2.h"
#include "gsdml/gsdml.h"
#include "gsdml/param_value.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/text_util.h"
#include "text/xml_util.h"

namespace zv {
namespace fs = std::filesystem;

// ---------------------------------------------------------------- reading the network file

namespace {

using Node = pugi::xml_node;

// Children by position, whatever their names; comments do not take a position.
std::vector<Node> elements(Node parent) {
    std::vector<Node> out;
    for (Node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) out.push_back(c);
    return out;
}

std::string_view attr(Node n, const char* name) { return n.attribute(name).value(); }

bool is_plugged(Node slot) { return !trim(attr(slot, "Module_ID")).empty(); }

bool is_active(Node subslot) {
    pugi::xml_attribute id = subslot.attribute("Submodule_ID");
    return id && !trim(id.value()).empty() && attr(subslot, "ParameterizationDisallowed") != "true";
}

struct Lengths {
    int64_t in = 0, out = 0;
    bool both_zero() const { return in == 0 && out == 0; }
};

Lengths lengths_of(Node subslot) {
    return {network_int32(attr(subslot, "Submodule_LenIN")).value_or(0),
            network_int32(attr(subslot, "Submodule_LenOUT")).value_or(0)};
}

// The API of a subslot; 0 when absent or not a number.
uint32_t api_of(Node subslot) { return network_uint32(trim(attr(subslot, "API"))).value_or(0); }

void add_distinct(std::vector<uint32_t>& list, uint32_t v) {
    if (std::find(list.begin(), list.end(), v) == list.end()) list.push_back(v);
}

// Where a value sits in the network file, for the user: the device (its index,
// counted from 0, and its name of station) and the positions of its slot,
// subslot, group and parameter among their siblings, also counted from 0.
struct Where {
    const std::string& device;
    int slot = -1, subslot = -1, group = -1, param = -1;

    std::string text() const {
        std::string t = device;
        if (slot >= 0) t += ", slot " + std::to_string(slot);
        if (subslot >= 0) t += ", subslot " + std::to_string(subslot);
        if (group >= 0) t += ", parameter group " + std::to_string(group);
        if (param >= 0) t += ", parameter " + std::to_string(param);
        return t;
    }
};

[[noreturn]] void fail_attribute(const std::string& where, Node n, const char* name) {
    pugi::xml_attribute a = n.attribute(name);
    if (!a) throw Error(where + ": the attribute " + name + " is missing.");
    throw Error(where + ": the attribute " + name + " (\"" + a.value() + "\") is not an integer.");
}

int32_t strict_int(const std::string& where, Node n, const char* name) {
    if (auto v = network_int32(attr(n, name))) return *v;
    fail_attribute(where, n, name);
}

int32_t strict_int(const Where& w, Node n, const char* name) { return strict_int(w.text(), n, name); }

// Keeps the whole image inside bank 2's buffer while the tables grow, so a huge
// or hostile file is refused before it can use up memory or wrap an address.
class ImageBudget {
public:
    void charge(uint64_t bytes, const std::string& device) {
        used_ += bytes;
        if (used_ > kBank2Buffer)
            throw Error(device + ": the PROFINET tables need more than the " + std::to_string(kBank2Buffer) +
                        " bytes of bank2.bin.");
    }

private:
    // Header, rules, two closing rule blocks and, in three sections, the list
    // addresses and a closing 0 per device.
    static constexpr uint64_t kEmptyImage =
        16 + 60 * kProfinetDevices + 2 * 16 * kProfinetDevices + 3 * 2 * 4 * kProfinetDevices;
    static_assert(kEmptyImage == 1176);
    uint64_t used_ = kEmptyImage;
};

// Big-endian content of the PROFINET blocks.
void put_be16(std::string& b, uint32_t v) {
    b.push_back(static_cast<char>(v >> 8));
    b.push_back(static_cast<char>(v));
}
void put_be32(std::string& b, uint32_t v) {
    put_be16(b, v >> 16);
    put_be16(b, v & 0xFFFF);
}

uint16_t entry_length(const std::string& data, const Where& w, const char* what) {
    if (data.size() > 0xFFFF)
        throw Error(w.text() + ": the " + std::string(what) + " has " + std::to_string(data.size()) +
                    " bytes, more than the 65535 of its length field.");
    return static_cast<uint16_t>(data.size());
}

// State shared by the devices of one build.
struct Build {
    ProfinetTables& t;
    std::string device;  // the device being built, as messages name it
    ImageBudget budget;
    int64_t in_offset = 0;   // running offsets in the internal areas, across devices
    int64_t out_offset = 0;
};

// ---------------------------------------------------------------- per device

void Build_Device_Rule(Build& b, Node dev, int i) {
    TPROFINET_Master_Rule& r = b.t.Rules[static_cast<size_t>(i)];
    std::string ip = trim_copy(attr(dev, "IPAddress"));
    IP_Address_To_Bytes(ip, r.IP_Address);  // bad groups are 0; the dialog checks addresses
    bool new_session = attr(dev, "NewSessionSPI") == "1";
    bool reset_data = attr(dev, "ResetDataOnFail") == "1";

    int64_t total_in = 0, total_out = 0;
    for (Node slot : elements(dev.child("Slots"))) {
        if (!is_plugged(slot)) continue;
        for (Node sub : elements(slot.child("Subslots"))) {
            if (!is_active(sub)) continue;
            int32_t flags = (attr(sub, "Status") == "Y" ? 1 : 0) + (attr(sub, "Word_Pos") == "Y" ? 2 : 0);
            Lengths len = lengths_of(sub);
            int64_t q_in = 1, q_out = 1;
            if (!len.both_zero()) {
                // The added 1s are the status bytes that travel with the data.
                q_in = (len.in > 0 ? len.in + 1 : 0) + (len.out > 0 ? 1 : 0);
                q_out = (len.in > 0 ? 1 : 0) + (len.out > 0 ? len.out + 1 : 0);
            }
            b.budget.charge(32, b.device);
            r.Pos_In_Arr.push_back({0, static_cast<int32_t>(q_in), static_cast<int32_t>(b.in_offset), flags});
            b.in_offset += q_in;
            total_in += q_in;
            r.Pos_Out_Arr.push_back({0, static_cast<int32_t>(q_out), static_cast<int32_t>(b.out_offset), flags});
            b.out_offset += q_out;
            total_out += q_out;
        }
    }

    std::string name = to_code_unit_bytes(trim(attr(dev, "NameOfStation")));
    std::copy_n(name.begin(), std::min(name.size(), r.PROFINET_Device_Name.size()), r.PROFINET_Device_Name.begin());
    r.PROFINET_Len_In = static_cast<uint16_t>(total_in);
    r.PROFINET_Len_Out = static_cast<uint16_t>(total_out);

    Where w{b.device};
    auto reduction = static_cast<uint32_t>(strict_int(w, dev, "ReductionRadio"));
    auto send_clock = static_cast<uint32_t>(strict_int(w, dev, "SendClock"));
    r.Time_Poll = reduction * 65536u + send_clock;
    r.Options = (new_session ? 1u : 0u) + (reset_data ? 4u : 0u);
    r.LocalIndex = static_cast<uint16_t>(network_int32(attr(dev, "ObjectUUID_LocalIndex")).value_or(1));
    r.spare = 0;
}

void append_virtual_apis(std::vector<uint32_t>& apis, const TVirtualSubmoduleList* list) {
    if (!list) return;
    for (const auto& item : list->VirtualSubmoduleItelList) add_distinct(apis, item.FAPI);
}

void Build_ESMB(Build& b, const TGSDML& gsdml, Node dev, int i) {
    auto& list = b.t.ESMB[static_cast<size_t>(i)].Device_ESMB;
    list.clear();
    const TApplicationProcess& app = gsdml.ProfileBody.ApplicationProcess;
    std::vector<Node> slots = elements(dev.child("Slots"));
    for (size_t k = 0; k < slots.size(); ++k) {
        Node slot = slots[k];
        if (!is_plugged(slot)) continue;
        std::vector<Node> subslots = elements(slot.child("Subslots"));
        std::vector<Node> active;
        for (Node sub : subslots)
            if (is_active(sub)) active.push_back(sub);

        std::vector<uint32_t> apis;
        uint32_t slot_number = 0;
        uint32_t module_ident = 0;
        if (k == 0) {
            // The device access point, found as the network dialog found it.
            const TDeviceAccessPointItem* dap = nullptr;
            if (app.DeviceAccessPointList) {
                std::string id(attr(dev, "DeviceNameID"));
                std::string category(attr(dev, "DeviceCategoryRef"));
                dap = !id.empty()
                          ? app.DeviceAccessPointList->Get_DeviceAccessPointItemByID(id, category, gsdml)
                          : app.DeviceAccessPointList->Get_DeviceAccessPointItem(std::string(attr(dev, "DeviceName")),
                                                                                 category, gsdml);
            }
            if (!dap) continue;
            append_virtual_apis(apis, dap->VirtualSubmoduleList.get());
            if (dap->SystemDefinedSubmoduleList) add_distinct(apis, 0);
            slot_number = static_cast<uint32_t>(network_int32(dap->FFixedInSlots).value_or(0));
            module_ident = dap->FModuleIdentNumber;
            // An access point without any API has nothing to expect: no entry at all,
            // since the device's list ends at its 0 word anyway.
            if (apis.empty()) continue;
        } else {
            const TModuleItem* module =
                app.ModuleList ? app.ModuleList->Get_ModuleItem(std::string(attr(slot, "Module_ID"))) : nullptr;
            if (module) {
                append_virtual_apis(apis, module->VirtualSubmoduleList.get());
                if (app.SubmoduleList && !active.empty()) {
                    for (Node sub : subslots) {
                        pugi::xml_attribute id = sub.attribute("Submodule_ID");
                        if (!id) continue;
                        if (const TSubmoduleListEntry* e = app.SubmoduleList->Get_SubmoduleItem(id.value()))
                            add_distinct(apis, e->submodule() ? e->submodule()->FAPI : 0);  // ports live in API 0
                    }
                }
            }
            // A module the description does not know still gets its slot, in API 0.
            if (apis.empty()) apis.push_back(0);
            slot_number = static_cast<uint32_t>(network_int32(attr(slot, "SlotNumber")).value_or(0));
            module_ident = network_uint32(attr(slot, "ModuleIdentNumber")).value_or(0);
        }

        // One block per API, each listing every active subslot of the slot.
        std::string block;
        put_be32(block, 0);  // API, patched per copy below
        put_be16(block, slot_number & 0xFFFF);
        put_be32(block, module_ident);
        put_be16(block, 0);
        put_be16(block, static_cast<uint32_t>(active.size()) & 0xFFFF);
        for (Node sub : active) {
            Lengths len = lengths_of(sub);
            put_be16(block, static_cast<uint32_t>(network_int32(attr(sub, "SubslotNumber")).value_or(0)) & 0xFFFF);
            put_be32(block, network_uint32(attr(sub, "Submodule_IdentNumber")).value_or(0));
            put_be16(block, (len.in > 0 ? 1u : 0u) + (len.out > 0 ? 2u : 0u));
            if (len.in > 0 || len.both_zero()) {
                put_be16(block, 0x0001);
                put_be16(block, static_cast<uint32_t>(len.in) & 0xFFFF);
                block.push_back(1);
                block.push_back(1);
            }
            if (len.out > 0) {
                put_be16(block, 0x0002);
                put_be16(block, static_cast<uint32_t>(len.out) & 0xFFFF);
                block.push_back(1);
                block.push_back(1);
            }
        }
        Where w{b.device, static_cast<int>(k)};
        uint64_t data_size = static_cast<uint64_t>(block.size()) * apis.size();
        b.budget.charge(4 + 4 + data_size, b.device);
        TESMB_API_Description e;
        for (uint32_t api : apis) {
            std::string copy = block;
            copy[0] = static_cast<char>(api >> 24);
            copy[1] = static_cast<char>(api >> 16);
            copy[2] = static_cast<char>(api >> 8);
            copy[3] = static_cast<char>(api);
            e.Data += copy;
        }
        e.Len = entry_length(e.Data, w, "expected-submodule data of the slot");
        e.NumerofApi = static_cast<uint16_t>(apis.size());
        list.push_back(std::move(e));
    }
}

struct TSubModDef {
    int32_t Slot = 0, Subslot = 0, offset = 0;
};

void put_submodules(std::string& data, const std::vector<TSubModDef>& list) {
    put_be16(data, static_cast<uint32_t>(list.size()) & 0xFFFF);
    for (const TSubModDef& d : list) {
        put_be16(data, static_cast<uint32_t>(d.Slot) & 0xFFFF);
        put_be16(data, static_cast<uint32_t>(d.Subslot) & 0xFFFF);
        put_be16(data, static_cast<uint32_t>(d.offset) & 0xFFFF);
    }
}

void Build_IOCR(Build& b, Node dev, int i) {
    auto& list = b.t.IOCR[static_cast<size_t>(i)].Device_IOCR;
    list.clear();
    Node slots_node = dev.child("Slots");
    if (!slots_node) return;
    std::vector<Node> slots = elements(slots_node);

    std::vector<uint32_t> apis;
    for (Node slot : slots)
        for (Node sub : elements(slot.child("Subslots")))
            if (is_active(sub)) add_distinct(apis, api_of(sub));
    if (apis.empty()) return;

    Where dw{b.device};
    auto send_clock = static_cast<uint16_t>(strict_int(dw, dev, "SendClock"));
    auto reduction = static_cast<uint16_t>(strict_int(dw, dev, "ReductionRadio"));
    TIOCR_API_Description in{0, 1, 0x8000, send_clock, reduction, 3, 3, 0xC000,
                             static_cast<uint16_t>(apis.size()), {}, 0};
    TIOCR_API_Description out{0, 2, 0xFFFF, send_clock, reduction, 3, 3, 0xC000,
                              static_cast<uint16_t>(apis.size()), {}, 0};

    // The submodules of the frames: active subslots of plugged slots, in order.
    struct FrameSubmodule {
        Node slot, sub;
        Where where;
        uint32_t api;
    };
    std::vector<FrameSubmodule> frame_subs;
    for (size_t k = 0; k < slots.size(); ++k) {
        if (!is_plugged(slots[k])) continue;
        std::vector<Node> subslots = elements(slots[k].child("Subslots"));
        for (size_t m = 0; m < subslots.size(); ++m)
            if (is_active(subslots[m]))
                frame_subs.push_back({slots[k], subslots[m], Where{b.device, static_cast<int>(k), static_cast<int>(m)},
                                      api_of(subslots[m])});
    }

    int64_t in_frame = 0, out_frame = 0;  // run on across the APIs
    for (uint32_t api : apis) {
        std::vector<TSubModDef> in_objects, in_iocs, out_objects, out_iocs;
        for (const FrameSubmodule& fs : frame_subs) {
            if (fs.api != api) continue;
            int32_t slot_number = strict_int(fs.where, fs.slot, "SlotNumber");
            int32_t subslot_number = strict_int(fs.where, fs.sub, "SubslotNumber");
            Lengths len = lengths_of(fs.sub);
            auto def = [&](int64_t offset) {
                return TSubModDef{slot_number, subslot_number, static_cast<int32_t>(offset)};
            };
            if (len.in > 0 || len.both_zero()) {
                in_objects.push_back(def(in_frame));
                in_frame += len.in + 1;
            }
            if (len.out > 0) {
                in_iocs.push_back(def(in_frame));
                in_frame += 1;
            }
            if (len.in > 0 && len.out > 0) {
                out_iocs.push_back(def(out_frame));
                out_frame += 1;
            }
            if (len.out > 0) {
                out_objects.push_back(def(out_frame));
                out_frame += len.out + 1;
            } else if (len.out == 0) {
                out_iocs.push_back(def(out_frame));
                out_frame += 1;
            }
        }
        b.budget.charge(2 * (4 + 2 + 2) + 6 * (in_objects.size() + in_iocs.size() + out_objects.size() + out_iocs.size()),
                        b.device);
        put_be32(in.Data, api);
        put_submodules(in.Data, in_objects);
        put_submodules(in.Data, in_iocs);
        put_be32(out.Data, api);
        put_submodules(out.Data, out_objects);
        put_submodules(out.Data, out_iocs);
    }
    b.budget.charge(2 * (4 + 18), b.device);
    in.Len = entry_length(in.Data, dw, "data of the input IOCR");
    out.Len = entry_length(out.Data, dw, "data of the output IOCR");
    list.push_back(std::move(in));
    list.push_back(std::move(out));
}

// Stores a list of byte values ("0x01,0x1F,...") from `start` on: a piece that is
// not 0..255 is skipped without taking a position; positions outside the record
// are dropped.
void store_byte_list(std::string_view text, int64_t start, std::string& data) {
    int64_t stored = 0;
    size_t from = 0;
    while (from <= text.size()) {
        size_t comma = text.find(',', from);
        std::string_view piece = text.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        auto v = network_int32(trim(piece));
        if (v && *v >= 0 && *v <= 255) {
            int64_t pos = start + stored++;
            if (pos >= 0 && pos < static_cast<int64_t>(data.size())) data[static_cast<size_t>(pos)] = static_cast<char>(*v);
        }
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
}

void Build_Records(Build& b, Node dev, int i) {
    auto& list = b.t.Records[static_cast<size_t>(i)].Device_Data;
    list.clear();
    std::vector<Node> slots = elements(dev.child("Slots"));
    for (size_t k = 0; k < slots.size(); ++k) {
        std::vector<Node> subslots = elements(slots[k].child("Subslots"));
        for (size_t m = 0; m < subslots.size(); ++m) {
            Node sub = subslots[m];
            std::vector<Node> groups = elements(sub.child("Parameters"));
            for (size_t g = 0; g < groups.size(); ++g) {
                Node group = groups[g];
                Where w{b.device, static_cast<int>(k), static_cast<int>(m), static_cast<int>(g)};
                int32_t length = strict_int(w, group, "Length");
                if (length < 0 || static_cast<uint64_t>(length) > kBank2Buffer)
                    throw Error(w.text() + ": the attribute Length (\"" + std::string(attr(group, "Length")) +
                                "\") is not a record length of 0 to " + std::to_string(kBank2Buffer) + " bytes.");
                b.budget.charge(4 + 14 + static_cast<uint64_t>(length), b.device);
                TData_Prm_Description rec;
                rec.Len = static_cast<uint32_t>(length);
                rec.API = api_of(sub);
                rec.Slot = static_cast<uint16_t>(strict_int(w, slots[k], "SlotNumber"));
                rec.Subslot = static_cast<uint16_t>(strict_int(w, sub, "SubslotNumber"));
                rec.Index = static_cast<uint16_t>(strict_int(w, group, "Index"));
                rec.Data.assign(rec.Len, '\0');

                std::string_view data_const = trim(attr(group, "DataConst"));
                if (!data_const.empty())
                    store_byte_list(data_const, strict_int(w, group, "DataByteOffset"), rec.Data);

                std::vector<Node> params = elements(group);
                for (size_t p = 0; p < params.size(); ++p) {
                    w.param = static_cast<int>(p);
                    Encode_Param_Value(params[p], rec.Data, w.text());
                }
                list.push_back(std::move(rec));
            }
        }
    }
}

// ---------------------------------------------------------------- the whole network

int build_network(ProfinetTables& t, uint32_t base, const pugi::xml_document* doc, const fs::path& gsdml_folder,
                  const std::string& file) {
    Build b{t, {}, {}};
    int count = 0;
    if (doc) {
        Node network = doc->child("PROFINET_Master_Network").child("Network");
        if (!network) throw Error(file + ": the element PROFINET_Master_Network/Network is missing.");
        std::vector<Node> devices = elements(network);
        if (devices.size() > kProfinetDevices)
            throw Error(file + ": the network has " + std::to_string(devices.size()) + " devices, more than the " +
                        std::to_string(kProfinetDevices) + " the converter controls.");
        for (size_t i = 0; i < devices.size(); ++i) {
            Node dev = devices[i];
            int index = static_cast<int>(i);
            std::string gsdml_name(attr(dev, "GSDML_FileName"));
            std::string device_name(attr(dev, "DeviceName"));
            if (device_name.empty() || gsdml_name.empty()) continue;
            // Only a file of the project's GSDML folder: a name that leads elsewhere is no copy.
            if (gsdml_name.find_first_of("/\\") != std::string::npos || gsdml_name == "." || gsdml_name == "..")
                continue;
            fs::path gsdml_file = gsdml_folder / gsdml_name;
            std::error_code ec;
            if (!fs::is_regular_file(gsdml_file, ec)) continue;
            TGSDML gsdml;
            try {
                if (!decode_gsdml_file(gsdml, gsdml_file)) continue;
            } catch (const Error& e) {
                throw Error(file + ": device " + std::to_string(index) + ": " + e.what());
            }
            ++count;
            b.device = file + ": device " + std::to_string(index);
            if (std::string_view station = trim(attr(dev, "NameOfStation")); !station.empty())
                b.device += " (" + std::string(station) + ")";
            Build_Device_Rule(b, dev, index);
            Build_ESMB(b, gsdml, dev, index);
            Build_IOCR(b, dev, index);
            Build_Records(b, dev, index);
        }
    }
    Assign_PROFINET_Addresses(t, base);
    return count;
}

// ---------------------------------------------------------------- parameter values

// Big-endian low `size` bytes of `v` at `pos`; bytes outside the record are dropped.
void store_be(std::string& data, int64_t pos, uint64_t v, int size) {
    for (int k = 0; k < size; ++k) {
        int64_t at = pos + k;
        auto byte = static_cast<char>(v >> (8 * (size - 1 - k)));
        if (at >= 0 && at < static_cast<int64_t>(data.size())) data[static_cast<size_t>(at)] = byte;
    }
}

}  // namespace

void Encode_Param_Value(const pugi::xml_node& param, std::string& Data, const std::string& where) {
    std::string_view type = attr(param, "DataType");
    std::string_view value = trim(attr(param, "Value"));
    if (value.empty()) value = trim(attr(param, "DefaultValue"));
    if (type.empty() || value.empty()) return;
    int64_t pos = strict_int(where, param, "ByteOffset");
    ParamType pt = param_type(type);
    switch (pt.kind) {
        case ParamKind::Bit:
        case ParamKind::BitArea: {
            int64_t shift = strict_int(where, param, "BitOffset");
            int64_t width = pt.kind == ParamKind::Bit ? 1 : strict_int(where, param, "BitLength");
            auto v = network_int32(value);
            if (!v || pos < 0 || pos >= static_cast<int64_t>(Data.size())) return;
            // Only the field's own bits of the byte change: the value is cut to the
            // field's width and bits outside the byte are dropped.
            auto bit_of = [&](int64_t j) { return j < 32 ? (static_cast<uint32_t>(*v) >> j) & 1u : (*v < 0 ? 1u : 0u); };
            uint8_t mask = 0, bits = 0;
            for (int64_t at = std::max<int64_t>(shift, 0); at < 8 && at - shift < width; ++at) {
                mask |= static_cast<uint8_t>(1u << at);
                if (bit_of(at - shift)) bits |= static_cast<uint8_t>(1u << at);
            }
            auto& byte = reinterpret_cast<uint8_t&>(Data[static_cast<size_t>(pos)]);
            byte = static_cast<uint8_t>((byte & ~mask) | bits);
            return;
        }
        case ParamKind::Integer: {
            if (auto v = network_int64(value)) store_be(Data, pos, static_cast<uint64_t>(*v), pt.size);
            return;
        }
        case ParamKind::Float32: {
            auto v = parse_user_number(value);
            if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return;
            store_be(Data, pos, std::bit_cast<uint32_t>(static_cast<float>(*v)), 4);
            return;
        }
        case ParamKind::Float64: {
            if (auto v = parse_user_number(value)) store_be(Data, pos, std::bit_cast<uint64_t>(*v), 8);
            return;
        }
        case ParamKind::String: {
            std::string bytes = to_code_unit_bytes(value);
            for (size_t k = 0; k < bytes.size(); ++k) store_be(Data, pos + static_cast<int64_t>(k), static_cast<uint8_t>(bytes[k]), 1);
            return;
        }
        case ParamKind::OctetString:
            store_byte_list(value, pos, Data);
            return;
        case ParamKind::None:
            return;  // kept as DataConst or an earlier parameter left it
    }
}

int Build_PROFINET_Tables(ProfinetTables& t, uint32_t base, std::string_view network_xml,
                          const fs::path& gsdml_folder, const std::string& file_name) {
    pugi::xml_document doc;
    load_xml_bytes(doc, network_xml, file_name);
    return build_network(t, base, &doc, gsdml_folder, file_name);
}

int Build_PROFINET_Tables(ProfinetTables& t, uint32_t base, const ShellState& s) {
    const fs::path& file = s.File_PROFINET_Network;
    std::string name = file.filename().string();
    if (!file_exists(file)) return build_network(t, base, nullptr, {}, name);
    pugi::xml_document doc;
    load_xml_file(doc, file);
    return build_network(t, base, &doc, s.Project_Path / "GSDML", name);
}

}  // namespace zv
