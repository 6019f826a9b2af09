#include "profinet/network_file.h"

#include <system_error>

#include "text/error.h"
#include "text/file_io.h"
#include "text/text_util.h"
#include "text/xml_util.h"

namespace fs = std::filesystem;

namespace zv {
namespace {

const char* yn(bool b) { return b ? "Y" : "N"; }

void put(pugi::xml_node n, const char* name, const std::string& v) { n.append_attribute(name).set_value(v.c_str()); }
void put(pugi::xml_node n, const char* name, int32_t v) { put(n, name, std::to_string(v)); }
void put_unsigned(pugi::xml_node n, const char* name, uint32_t v) { put(n, name, std::to_string(v)); }

size_t element_count(pugi::xml_node n) {
    size_t count = 0;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) ++count;
    return count;
}

std::vector<pugi::xml_node> elements(pugi::xml_node n) {
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) out.push_back(c);
    return out;
}

// The child element of that name whose element children number `count`; a
// null node when it is missing or the count differs.
pugi::xml_node counted_child(pugi::xml_node n, const char* name, size_t count) {
    pugi::xml_node c = n.child(name);
    return c && element_count(c) == count ? c : pugi::xml_node();
}

// An attribute the file must hold as an integer; the message names the place.
int32_t required_int(pugi::xml_node n, const char* name, const std::string& where) {
    pugi::xml_attribute a = n.attribute(name);
    if (!a) throw Error(where + ": the attribute " + name + " is missing");
    auto v = parse_decimal(trim(a.value()));
    if (!v || *v < INT32_MIN || *v > INT32_MAX)
        throw Error(where + ": the attribute " + name + " \"" + a.value() + "\" is not an integer");
    return static_cast<int32_t>(*v);
}

void write_params(pugi::xml_node sub, const TPROFINET_Subslot& s) {
    if (s.ParametersList.empty()) return;
    pugi::xml_node params = sub.append_child("Parameters");
    for (const TParametersGroup& g : s.ParametersList) {
        pugi::xml_node ge = params.append_child("ParamGroup");
        put(ge, "GroupName", g.FGroupName);
        put(ge, "Index", g.FInd);
        put(ge, "DataConst", g.FDataConst);
        put(ge, "DataByteOffset", g.FDataByteOffset);
        put(ge, "Length", g.FLength);
        for (const TParam& p : g.Parameters_List) {
            pugi::xml_node pe = ge.append_child("Param");
            put(pe, "Value", p.FValue);
            put(pe, "Mnemonic", p.FMnemonic);
            put(pe, "ByteOffset", p.FByteOffset);
            put(pe, "BitOffset", p.FBitOffset);
            put(pe, "BitLength", p.FBitLength);
            put(pe, "Name", p.FName);
            put(pe, "Length", p.FLength);
            put(pe, "DataType", p.FDataType);
            put(pe, "DefaultValue", p.FDefaultValue);
        }
    }
}

void write_subslot(pugi::xml_node subs, const TPROFINET_Subslot& s) {
    pugi::xml_node e = subs.append_child("Subslot");
    const TPROFINET_Submodule* sm = s.Selected_SubModule.get();
    put(e, "SubslotNumber", s.FSubslotNum);
    put(e, "Submodule_ID", sm ? sm->FID : std::string());
    put_unsigned(e, "Submodule_IdentNumber", sm ? sm->FIdentNumber : 0);
    put(e, "Submodule_LenIN", sm ? sm->FDataLenIn : 0);
    put(e, "Submodule_LenOUT", sm ? sm->FDataLenOut : 0);
    put_unsigned(e, "API", sm ? sm->FAPI : 0);
    put(e, "ParameterizationDisallowed", sm && sm->FParameterizationDisallowed ? "true" : "false");
    put(e, "StartAddIn", s.FStartAddIn);
    put(e, "QuantityIn", s.FQuantityIn);
    put(e, "StartAddOut", s.FStartAddOut);
    put(e, "QuantityOut", s.FQuantityOut);
    put(e, "Status", yn(s.FStatus));
    put(e, "Word_Pos", yn(s.FWord_Pos));
    put(e, "Mnemonic", s.FMnemonic);
    write_params(e, s);
}

void write_device(pugi::xml_node net, const TPROFINET_Device& d) {
    pugi::xml_node e = net.append_child("Device");
    const TDeviceAccessPointItem* ap = d.access_point();
    put(e, "GSDML_FileName", d.FGSDML ? d.FGSDML->FGSDML_FileName : std::string());
    put(e, "NameOfStation", d.FNameOfStation);
    put(e, "DeviceName", d.FDeviceName);
    put(e, "DeviceNameID", d.FDeviceNameID);
    put(e, "DeviceCategoryRef", d.FDeviceCategoryRef);
    put(e, "IPAddress", d.FIPAddress);
    put(e, "NewSessionSPI", d.FNewSessionSPI ? "1" : "0");
    put(e, "ResetDataOnFail", d.FResetDataOnFail ? "1" : "0");
    put(e, "UpdateTime", d.FUpdateTime);
    put(e, "SendClock", d.FSendClock);
    put(e, "ReductionRadio", d.FReductionRadio);
    put(e, "AnswerTime", d.FAnswerTime);
    put(e, "ObjectUUID_LocalIndex", ap ? static_cast<int32_t>(ap->FObjectUUID_LocalIndex) : 1);
    if (d.SlotList.empty()) return;
    pugi::xml_node slots = e.append_child("Slots");
    for (const TPROFINET_Slot& s : d.SlotList) {
        pugi::xml_node se = slots.append_child("Slot");
        const TPROFINET_Module* m = s.Selected_Module.get();
        put(se, "Module_ID", m ? m->FID : std::string());
        put_unsigned(se, "ModuleIdentNumber", m ? m->FModuleIdentNumber : 0);
        put(se, "SlotNumber", s.FSlotNum);
        if (!m || s.SubSlotList.empty()) continue;
        pugi::xml_node subs = se.append_child("Subslots");
        for (const TPROFINET_Subslot& sub : s.SubSlotList) write_subslot(subs, sub);
    }
}

void apply_params(pugi::xml_node se, TPROFINET_Subslot& s) {
    pugi::xml_node params = counted_child(se, "Parameters", s.ParametersList.size());
    if (!params) return;
    const auto groups = elements(params);
    for (size_t g = 0; g < groups.size(); ++g) {
        TParametersGroup& group = s.ParametersList[g];
        if (element_count(groups[g]) != group.Parameters_List.size()) continue;
        const auto ps = elements(groups[g]);
        for (size_t p = 0; p < ps.size(); ++p) {
            group.Parameters_List[p].FValue = ps[p].attribute("Value").value();
            group.Parameters_List[p].FMnemonic = ps[p].attribute("Mnemonic").value();
        }
    }
}

void apply_slots(pugi::xml_node de, TPROFINET_Device& d, const std::string& where) {
    pugi::xml_node slots = counted_child(de, "Slots", d.SlotList.size());
    if (!slots || d.SlotList.empty()) return;
    const auto ses = elements(slots);
    for (size_t k = 0; k < ses.size(); ++k) {
        TPROFINET_Slot& slot = d.SlotList[k];
        const std::string module_id = ses[k].attribute("Module_ID").value();
        if (module_id.empty()) {
            slot.plug(nullptr);
        } else {
            for (const ModuleRef& m : slot.ModulesList)
                if (m->FID == module_id) {
                    slot.plug(m);
                    break;
                }
        }
        if (!slot.Selected_Module) continue;
        pugi::xml_node subs = counted_child(ses[k], "Subslots", slot.SubSlotList.size());
        if (!subs) continue;
        const auto subes = elements(subs);
        for (size_t m = 0; m < subes.size(); ++m) {
            TPROFINET_Subslot& sub = slot.SubSlotList[m];
            const pugi::xml_node se = subes[m];
            const std::string sub_id = se.attribute("Submodule_ID").value();
            if (!sub_id.empty())
                for (const SubmoduleRef& sm : sub.SubmodulesList)
                    if (sm->FID == sub_id) {
                        sub.plug(sm);
                        break;
                    }
            if (!sub.Selected_SubModule) continue;
            const std::string at =
                where + ", slot " + std::to_string(slot.FSlotNum) + ", subslot " + std::to_string(sub.FSubslotNum);
            sub.FStartAddIn = required_int(se, "StartAddIn", at);
            sub.FQuantityIn = required_int(se, "QuantityIn", at);
            sub.FStartAddOut = required_int(se, "StartAddOut", at);
            sub.FQuantityOut = required_int(se, "QuantityOut", at);
            sub.FStatus = std::string_view(se.attribute("Status").value()) == "Y";
            sub.FWord_Pos = std::string_view(se.attribute("Word_Pos").value()) == "Y";
            sub.FMnemonic = se.attribute("Mnemonic").value();
            apply_params(se, sub);
        }
    }
}

void read_network(const pugi::xml_document& doc, const std::string& what, const fs::path& Project_Path,
                  DeviceList& devices) {
    pugi::xml_node root;
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && std::string_view(c.name()) == "PROFINET_Master_Network") {
            root = c;
            break;
        }
    if (!root) throw Error(what + ": the root element PROFINET_Master_Network is missing");
    pugi::xml_node net = root.child("Network");
    if (!net) throw Error(what + ": the element Network is missing");

    int index = 0;
    for (pugi::xml_node de : elements(net)) {
        ++index;
        const std::string name = de.attribute("GSDML_FileName").value();
        auto g = std::make_unique<TGSDML>();
        if (!decode_project_copy(*g, Project_Path, name)) continue;
        const std::string where = what + ", device " + std::to_string(index) + " (" + name + ")";
        auto d = std::make_unique<TPROFINET_Device>();
        d->FDeviceName = de.attribute("DeviceName").value();
        d->FDeviceNameID = de.attribute("DeviceNameID").value();
        d->FDeviceCategoryRef = de.attribute("DeviceCategoryRef").value();
        d->SetGSDML(std::move(g));
        d->ReadInfoFromGSDML();
        d->FNameOfStation = de.attribute("NameOfStation").value();
        d->FDeviceName = de.attribute("DeviceName").value();
        d->FIPAddress = de.attribute("IPAddress").value();
        d->FNewSessionSPI = std::string_view(de.attribute("NewSessionSPI").value()) == "1";
        d->FResetDataOnFail = std::string_view(de.attribute("ResetDataOnFail").value()) == "1";
        d->FUpdateTime = required_int(de, "UpdateTime", where);
        d->FSendClock = required_int(de, "SendClock", where);
        d->FReductionRadio = required_int(de, "ReductionRadio", where);
        d->FAnswerTime = required_int(de, "AnswerTime", where);
        apply_slots(de, *d, where);
        devices.push_back(std::move(d));
    }
}

}  // namespace

fs::path gsdml_copy_folder(const fs::path& Project_Path) { return Project_Path / "GSDML"; }

bool is_plain_gsdml_name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == '\0') return false;
    return true;
}

bool decode_project_copy(TGSDML& gsdml, const fs::path& Project_Path, const std::string& GSDML_FileName) {
    // A name with a separator or ".." would reach files outside the copy folder.
    if (!is_plain_gsdml_name(GSDML_FileName)) return false;
    std::error_code ec;
    const fs::path file = gsdml_copy_folder(Project_Path) / GSDML_FileName;
    if (!fs::is_regular_file(file, ec)) return false;
    return decode_gsdml_file(gsdml, file);
}

std::unique_ptr<TPROFINET_Device> new_network_device(std::unique_ptr<TGSDML> copy, const std::string& name_id,
                                                     const std::string& name, const std::string& category) {
    auto d = std::make_unique<TPROFINET_Device>();
    d->FDeviceNameID = name_id;
    d->FDeviceName = name;
    d->FDeviceCategoryRef = category;
    d->SetGSDML(std::move(copy));
    d->ReadInfoFromGSDML();
    return d;
}

void copy_gsdml_into_project(const fs::path& source, const fs::path& Project_Path) {
    const fs::path folder = gsdml_copy_folder(Project_Path);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) throw Error("Cannot create the folder " + folder.string());
    const fs::path target = folder / source.filename();
    if (fs::equivalent(source, target, ec)) return;
    write_file_atomic(target, read_file(source));
}

std::string network_to_string(const DeviceList& devices) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("PROFINET_Master_Network");
    doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.000");
    pugi::xml_node net = root.append_child("Network");
    for (const auto& d : devices) write_device(net, *d);
    return xml_to_string(doc);
}

void Save_PROFINET_Netword_Project(const DeviceList& devices, const fs::path& file) {
    write_file_atomic(file, network_to_string(devices));
}

void load_network_bytes(std::string_view bytes, const std::string& what, const fs::path& Project_Path,
                        DeviceList& devices) {
    pugi::xml_document doc;
    load_xml_bytes(doc, bytes, what);
    read_network(doc, what, Project_Path, devices);
}

void Load_PROFINET_Network_Project(const fs::path& file, const fs::path& Project_Path, DeviceList& devices) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return;
    pugi::xml_document doc;
    load_xml_file(doc, file);
    read_network(doc, file.filename().string(), Project_Path, devices);
}

}  // namespace zv
