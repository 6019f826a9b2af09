// The PROFINET network of a project without windows.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "profinet/modules_form.h"
#include "profinet/network_form.h"
#include "text/error.h"
#include "text/number_text.h"
#include "text/text_util.h"

namespace fs = std::filesystem;

namespace zv::cli {
namespace {

using nlohmann::json;

json param_json(const TParam& p) {
    json choices = json::array();
    for (const TDiscreteItem& d : p.DiscreteList) choices.push_back(json::array({d.FValue, d.FText}));
    return {{"name", p.FName},         {"data_type", p.FDataType},   {"byte_offset", p.FByteOffset},
            {"bit_offset", p.FBitOffset}, {"bit_length", p.FBitLength}, {"default", p.FDefaultValue},
            {"allowed", p.FAllowedValues}, {"value", p.FValue},        {"mnemonic", p.FMnemonic},
            {"choices", choices},          {"warning", p.value_warning()}};
}

json subslot_json(const TPROFINET_Subslot& s) {
    const TPROFINET_Submodule* sm = s.Selected_SubModule.get();
    json groups = json::array();
    for (const TParametersGroup& g : s.ParametersList) {
        json params = json::array();
        for (const TParam& p : g.Parameters_List) params.push_back(param_json(p));
        groups.push_back({{"group", g.FGroupName},
                          {"index", g.FInd},
                          {"length", g.FLength},
                          {"data_const", g.FDataConst},
                          {"params", params}});
    }
    return {{"subslot", s.FSubslotNum},
            {"name", s.FSubSlotName},
            {"fixed", s.FFixed},
            {"submodule_id", sm ? json(sm->FID) : json(nullptr)},
            {"allowed_submodules", s.SubModNameList},
            {"len_in", sm ? sm->FDataLenIn : 0},
            {"len_out", sm ? sm->FDataLenOut : 0},
            {"api", sm ? sm->FAPI : 0u},
            {"status", s.FStatus},
            {"word_pos", s.FWord_Pos},
            {"mnemonic", s.FMnemonic},
            {"parameters", groups}};
}

json device_json(const TPROFINET_Device& d) {
    json slots = json::array();
    for (const TPROFINET_Slot& s : d.SlotList) {
        const TPROFINET_Module* m = s.Selected_Module.get();
        json subs = json::array();
        if (m)
            for (const TPROFINET_Subslot& sub : s.SubSlotList) subs.push_back(subslot_json(sub));
        slots.push_back({{"slot", s.FSlotNum},
                         {"fixed", s.FFixed},
                         {"module_id", m ? json(m->FID) : json(nullptr)},
                         {"module_name", m ? m->name_text() : std::string()},
                         {"allowed_modules", s.ModNameList},
                         {"subslots", subs}});
    }
    return {{"gsdml_file", d.FGSDML ? d.FGSDML->FGSDML_FileName : std::string()},
            {"device_name", d.FDeviceName},
            {"device_name_id", d.FDeviceNameID},
            {"category", d.FDeviceCategoryRef},
            {"name_of_station", d.FNameOfStation},
            {"ip_address", d.FIPAddress},
            {"new_session_spi", d.FNewSessionSPI},
            {"reset_data_on_fail", d.FResetDataOnFail},
            {"update_time_index", d.FUpdateTime},
            {"send_clock", d.FSendClock},
            {"reduction_ratio", d.FReductionRadio},
            {"answer_time_index", d.FAnswerTime},
            {"min_device_interval", d.FMinDevInterval},
            {"update_times", d.UpdateTimeVal},
            {"slots", slots}};
}

void print(const json& j) { std::cout << j.dump(2, ' ', false, json::error_handler_t::replace) << "\n"; }

fs::path project_of(const Args& a) { return project_folder(a.positional[0]); }

// The texts of the messages: the workspace's language when one is given.
void strings_of(AppContext& app, const Args& a) {
    if (a.has("--workspace"))
        start(app, a);
    else
        app.String_Table.Build_Table();
}

// Unlike the dialog, which keeps what it could read, these commands refuse to
// go on: saving after a half-read file would drop the rest of the network.
DeviceList load(const fs::path& project) {
    DeviceList devices;
    Load_PROFINET_Network_Project(project / kNetworkFileName, project, devices);
    return devices;
}

int show(const Args& a) {
    const fs::path project = project_of(a);
    json out = json::array();
    for (const auto& d : load(project)) out.push_back(device_json(*d));
    print(out);
    return 0;
}

int resave(const Args& a) {
    const fs::path project = project_of(a);
    DeviceList devices = load(project);
    Save_PROFINET_Netword_Project(devices, project / kNetworkFileName);
    std::cout << devices.size() << " device(s) written to " << (project / kNetworkFileName).string() << "\n";
    return 0;
}

int add(const Args& a) {
    AppContext app;
    strings_of(app, a);
    const fs::path project = project_of(a);
    const fs::path source = a.positional[1];
    StderrPrompter prompter;
    ProfinetNetworkForm form(app.String_Table, prompter);
    form.List_PROFINET_Device = load(project);
    form.Fill_Grid();
    if (!form.can_add_device()) return 1;

    TGSDML model;
    if (!decode_gsdml_file(model, source))
        throw Error(source.string() + " cannot be decoded" +
                    (model.Decode_Failure.empty() ? std::string() : ": " + model.Decode_Failure));
    const auto& aps = model.ProfileBody.ApplicationProcess.DeviceAccessPointList->DevAccPointItemList;
    const TDeviceAccessPointItem* ap = nullptr;
    const std::string dap = a.value("--dap").value_or("");
    for (const TDeviceAccessPointItem& d : aps)
        if (dap.empty() || d.ModuleInfo.FName == dap) {
            ap = &d;
            break;
        }
    if (!ap) {
        std::string known;
        for (const TDeviceAccessPointItem& d : aps) known += (known.empty() ? "" : ", ") + d.ModuleInfo.FName;
        throw Error(dap.empty() ? source.string() + " has no device access point"
                                : "No device access point with the name TextId " + dap + " (the file has: " +
                                      known + ")");
    }
    const std::string name = model.GetString_ExternalTextList(ap->ModuleInfo.FName);
    const std::string category = model.GetString_ExternalTextList(ap->ModuleInfo.FCategoryRef);
    if (!form.add_device(model, ap->ModuleInfo.FName, name, category, project))
        throw Error("The copy of " + model.FGSDML_FileName + " in the project cannot be decoded");
    if (auto n = a.value("--name-of-station"))
        if (!form.name_of_station_left(*n)) return 1;
    if (auto ip = a.value("--ip"))
        if (!form.ip_address_left(*ip)) return 1;
    form.Btn_OK(project / kNetworkFileName);
    print(device_json(*form.List_PROFINET_Device.back()));
    return 0;
}

// ---------------------------------------------------------------- editing

// Holds the forms' messages during one command, so that a later option can make
// an earlier message moot (a new answer factor after a new update time) and a
// refused command prints what refused it.
struct HeldPrompter : Prompter {
    std::vector<std::string> held;
    void error(const std::string& t) override { held.push_back(t); }
    void warning(const std::string& t) override { held.push_back(t); }
    void information(const std::string& t) override { held.push_back(t); }
    bool confirm(const std::string& t) override {
        held.push_back(t + " (answered No)");
        return false;
    }
    void flush() {
        for (const std::string& t : held) std::cerr << t << "\n";
        held.clear();
    }
};

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

bool all_digits(const std::string& s) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// DEVICE: its number in the list (the dialog's "Device #", from 0), or its name of station.
int device_row(const ProfinetNetworkForm& f, const std::string& key) {
    const DeviceList& list = f.List_PROFINET_Device;
    if (list.empty()) throw Error("The network has no devices");
    if (all_digits(key)) {
        const size_t i = std::stoul(key);
        if (i >= list.size())
            throw Error("The network has no device " + key + " (its devices are numbered 0 to " +
                        std::to_string(list.size() - 1) + ")");
        return static_cast<int>(i) + 1;
    }
    std::vector<std::string> hits, known;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i]->FNameOfStation == key) hits.push_back(std::to_string(i));
        known.push_back(std::to_string(i) + " \"" + list[i]->FNameOfStation + "\"");
    }
    if (hits.empty()) throw Error("No device has the name of station \"" + key + "\" (devices: " + joined(known) + ")");
    if (hits.size() > 1)
        throw Error("Devices " + joined(hits) + " all have the name of station \"" + key +
                    "\": give the device number instead");
    return std::stoi(hits[0]) + 1;
}

int number_arg(const Args& a, size_t i, const char* what) {
    auto v = parse_decimal(a.positional[i]);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) throw UsageError(std::string(what) + " takes a whole number");
    return static_cast<int>(*v);
}

// The network as the network dialog holds it, with DEVICE selected in its list.
struct NetworkEdit {
    AppContext app;
    HeldPrompter prompter;
    fs::path project;
    std::unique_ptr<ProfinetNetworkForm> form;
    TPROFINET_Device* device = nullptr;

    explicit NetworkEdit(const Args& a) {
        strings_of(app, a);
        project = project_of(a);
        form = std::make_unique<ProfinetNetworkForm>(app.String_Table, prompter);
        form->List_PROFINET_Device = load(project);
        form->Fill_Grid();
        form->select_row(device_row(*form, a.positional[1]));
        device = form->selected_device();
    }
    int refused() {
        prompter.flush();
        return 1;
    }
    // OK of the network dialog.
    int save() {
        form->Btn_OK(project / kNetworkFileName);
        prompter.flush();
        print(device_json(*device));
        return 0;
    }
};

// The modules dialog opened on the selected device ("Modules"); ok() is its OK.
struct ModulesEdit {
    NetworkEdit& net;
    ProfinetModulesForm form;
    int slot = 0;

    ModulesEdit(NetworkEdit& n, const Args& a) : net(n), form(n.app.String_Table) {
        form.Device = n.form->modules_device();
        form.Prepare_Temp_Data();
        form.FormShow();
        slot = number_arg(a, 2, "SLOT");
    }
    std::string where() const { return "slot " + std::to_string(slot); }
    std::string where(int subslot) const { return where() + " subslot " + std::to_string(subslot); }

    int slot_row() {
        const int r = form.slot_row(slot);
        if (r < 0) {
            std::vector<std::string> known;
            for (const TPROFINET_Slot& s : form.SlotList) known.push_back(std::to_string(s.FSlotNum));
            throw Error("The device has no " + where() + " (its slots: " + joined(known) + ")");
        }
        return r;
    }
    int subslot_row(int subslot) {
        const TPROFINET_Slot& s = *form.row_slot(slot_row());
        if (!s.Selected_Module) throw Error("No module is plugged in " + where());
        const int r = form.slot_row(slot, subslot);
        if (r < 0) {
            std::vector<std::string> known;
            for (const TPROFINET_Subslot& sub : s.SubSlotList) known.push_back(std::to_string(sub.FSubslotNum));
            throw Error("The module in " + where() + " has no subslot " + std::to_string(subslot) + " (its subslots: " +
                        joined(known) + ")");
        }
        return r;
    }
    // The drop-down of a module or submodule cell; refused where the dialog has none.
    std::vector<std::string> choices(int row, int col, const std::string& what) {
        auto c = form.slot_choices(row, col);
        if (!c) throw Error("The " + std::string(col == kColModule ? "module" : "submodule") + " of " + what +
                            " cannot be changed");
        return *c;
    }
    int ok() {
        net.form->apply_modules(*net.device, form.SlotList);
        return net.save();
    }
};

bool offered(const std::vector<std::string>& choices, const std::string& text) {
    return std::find(choices.begin(), choices.end(), text) != choices.end();
}

int plug(const Args& a) {
    NetworkEdit n(a);
    ModulesEdit m(n, a);
    const std::string& id = a.positional[3];
    const int row = m.slot_row();
    const std::vector<std::string> choices = m.choices(row, kColModule, m.where());
    // An allowed module is plugged only when the dialog offers its name.
    const TPROFINET_Slot& s = *m.form.row_slot(row);
    std::vector<std::string> ids;
    for (const ModuleRef& mod : s.ModulesList) {
        if (!offered(choices, mod->name_text())) continue;
        if (mod->FID == id) {
            m.form.plug_module(row, mod);
            return m.ok();
        }
        ids.push_back(mod->FID);
    }
    throw Error("The module " + id + " cannot be plugged in " + m.where() + " (it takes: " + joined(ids) + ")");
}

int unplug(const Args& a) {
    NetworkEdit n(a);
    ModulesEdit m(n, a);
    const int row = m.slot_row();
    m.choices(row, kColModule, m.where());
    m.form.choose_module(row, "");  // the empty item
    return m.ok();
}

int subplug(const Args& a) {
    NetworkEdit n(a);
    ModulesEdit m(n, a);
    const int subslot = number_arg(a, 3, "SUBSLOT");
    const std::string& id = a.positional[4];
    const int row = m.subslot_row(subslot);
    const std::vector<std::string> choices = m.choices(row, kColSubmodule, m.where(subslot));
    const TPROFINET_Subslot& s = *m.form.row_subslot(row);
    std::vector<std::string> ids;
    for (const SubmoduleRef& sm : s.SubmodulesList) {
        if (!offered(choices, sm->FName)) continue;
        if (sm->FID == id) {
            m.form.plug_submodule(row, sm);
            return m.ok();
        }
        ids.push_back(sm->FID);
    }
    throw Error("The submodule " + id + " cannot be plugged in " + m.where(subslot) + " (it takes: " + joined(ids) +
                ")");
}

// PARAM: the parameter's name, or RECORD_INDEX:NAME when several records use the name.
std::pair<int, int> find_param(const TPROFINET_Subslot& s, const std::string& key, const std::string& where) {
    if (s.ParametersList.empty())
        throw Error(s.Selected_SubModule ? "The submodule in " + where + " has no parameters"
                                         : "No submodule is plugged in " + where);
    auto search = [&](std::optional<int> index, const std::string& name) {
        std::vector<std::pair<int, int>> hits;
        for (size_t g = 0; g < s.ParametersList.size(); ++g) {
            if (index && s.ParametersList[g].FInd != *index) continue;
            const auto& params = s.ParametersList[g].Parameters_List;
            for (size_t p = 0; p < params.size(); ++p)
                if (params[p].FName == name) hits.emplace_back(static_cast<int>(g), static_cast<int>(p));
        }
        return hits;
    };
    std::vector<std::pair<int, int>> hits = search(std::nullopt, key);
    if (hits.empty())
        if (size_t colon = key.find(':'); colon != std::string::npos)
            if (auto index = parse_decimal(key.substr(0, colon)); index && *index >= INT32_MIN && *index <= INT32_MAX)
                hits = search(static_cast<int>(*index), key.substr(colon + 1));
    if (hits.size() == 1) return hits[0];
    std::vector<std::string> known;
    if (hits.empty())
        for (const TParametersGroup& g : s.ParametersList)
            for (const TParam& p : g.Parameters_List) known.push_back(std::to_string(g.FInd) + ":" + p.FName);
    else
        for (auto [g, p] : hits)
            known.push_back(std::to_string(s.ParametersList[g].FInd) + ":" + s.ParametersList[g].Parameters_List[p].FName);
    if (hits.empty())
        throw Error("The submodule in " + where + " has no parameter \"" + key + "\" (its parameters: " + joined(known) +
                    ")");
    throw Error("The submodule in " + where + " has " + std::to_string(hits.size()) + " parameters called \"" + key +
                "\": name one as RECORD_INDEX:NAME (" + joined(known) + ")");
}

int set_param(const Args& a) {
    NetworkEdit n(a);
    ModulesEdit m(n, a);
    const int subslot = number_arg(a, 3, "SUBSLOT");
    const std::string& key = a.positional[4];
    const std::string& value = a.positional[5];
    const int row = m.subslot_row(subslot);
    m.form.click_slot_cell(row);  // the parameter table shows this subslot
    const TPROFINET_Subslot& s = *m.form.row_subslot(row);
    const auto [g, p] = find_param(s, key, m.where(subslot));
    const int prow = m.form.param_table_row(g, p);
    const TParam& par = s.ParametersList[g].Parameters_List[p];
    if (par.DiscreteList.empty()) {
        m.form.set_param_value(prow, value);
        if (std::string w = m.form.param_warning(prow); !w.empty())
            std::cerr << "Warning: " << par.FName << ": " << w << "\n";
        return m.ok();
    }
    // A value list takes the text of an entry, or its value.
    std::optional<std::string> text;
    if (offered(par.DiscreteSL, value)) {
        text = value;
    } else if (auto v = network_int32(trim(value))) {
        for (const TDiscreteItem& d : par.DiscreteList)
            if (d.FValue == *v) {
                text = d.FText;
                break;
            }
    }
    if (!text) {
        std::vector<std::string> entries;
        for (const TDiscreteItem& d : par.DiscreteList) entries.push_back(std::to_string(d.FValue) + " \"" + d.FText + "\"");
        throw Error("\"" + value + "\" is not in the value list of " + par.FName + " (" + joined(entries) + ")");
    }
    m.form.choose_param_value(prow, *text);
    return m.ok();
}

bool on_off(const Args& a, const std::string& opt) {
    const std::string v = *a.value(opt);
    if (v == "1") return true;
    if (v == "0") return false;
    throw UsageError(opt + " takes 1 or 0");
}

// The index of an update time in milliseconds among the device's update times.
int update_index(const TPROFINET_Device& d, const std::string& text) {
    const std::optional<double> ms = parse_user_number(trim(text));
    if (!ms) throw UsageError("--update-time takes milliseconds, e.g. 2 or 0.5");
    const size_t ratios = d.Values_ReductionRadio.size();
    for (size_t i = 0; i < d.UpdateTimeVal.size() && ratios; ++i)
        if (std::abs(update_time_ms(d.Values_SendClock[i / ratios], d.Values_ReductionRadio[i % ratios]) - *ms) < 1e-9)
            return static_cast<int>(i);
    throw Error("The device offers no update time of " + format_ms(*ms) + " ms (it offers: " + joined(d.UpdateTimeVal) +
                ")");
}

int device(const Args& a) {
    static const char* const kOptions[] = {"--name-of-station", "--ip", "--new-session-spi", "--reset-data",
                                           "--update-time", "--answer-factor"};
    if (std::none_of(std::begin(kOptions), std::end(kOptions), [&](const char* o) { return a.has(o); }))
        throw UsageError("nothing to change");
    NetworkEdit n(a);
    ProfinetNetworkForm& f = *n.form;
    // In the order of the properties panel, each as leaving its field does.
    if (auto v = a.value("--name-of-station"); v && !f.name_of_station_left(*v)) return n.refused();
    if (auto v = a.value("--ip"); v && !f.ip_address_left(*v)) return n.refused();
    if (a.has("--new-session-spi")) f.new_session_spi_clicked(on_off(a, "--new-session-spi"));
    if (a.has("--reset-data")) f.reset_data_clicked(on_off(a, "--reset-data"));
    const bool answer = a.has("--answer-factor");
    const long long factor = a.number("--answer-factor", 3);
    if (auto v = a.value("--update-time")) {
        const Focus focus = f.update_time_changed(update_index(*n.device, *v));
        // Too long an answer time is refused unless a new answer factor follows.
        if (focus == Focus::UpdateTime || (focus == Focus::AnswerTime && !answer)) return n.refused();
        n.prompter.held.clear();
    }
    if (answer) {
        if (factor < 3 || factor > 2 + kAnswerFactors) throw Error("The answer factor is 3 to 255");
        if (f.answer_time_changed(static_cast<int>(factor - 3)) != Focus::None) return n.refused();
    }
    return n.save();
}

int remove_device(const Args& a) {
    NetworkEdit n(a);
    const int number = n.form->selected_row() - 1;
    const std::string station = n.device->FNameOfStation;
    n.form->delete_device();
    n.form->Btn_OK(n.project / kNetworkFileName);
    n.prompter.flush();
    std::cout << "Removed device " << number << " (" << station << "); " << n.form->List_PROFINET_Device.size()
              << " device(s) left in " << (n.project / kNetworkFileName).string() << "\n";
    return 0;
}

const char* const kDeviceHelp =
    "DEVICE is the device's number in the network (\"Device #\" of the network dialog and the\n"
    "position in `network show`, counted from 0) or its name of station; a name shared by\n"
    "several devices is refused, use the number then.\n";
const char* const kEditHelp =
    "The change is checked as the dialogs check it; a refused change prints the dialog's\n"
    "message on stderr, exits 1 and leaves the network file as it was. On success the file\n"
    "is saved and the device printed as JSON. --workspace DIR takes the messages in that\n"
    "workspace's language.\n";

std::string help(const char* specific) { return std::string(specific) + kDeviceHelp + kEditHelp; }

const bool registered =
    add_command({"network show", "PROJECT_DIR",
                 "Load the project's PROFINET network as the network dialog does and print it as JSON.",
                 "Each device is rebuilt from its copy in PROJECT_DIR/GSDML; a device whose copy is\n"
                 "missing is left out. A parameter's \"warning\" says why its typed value does not fit\n"
                 "its data type or allowed values (empty when it fits). Exit 1 when the file cannot be\n"
                 "read completely.",
                 {}, {}, 1, 1, show}) &&
    add_command({"network add", "PROJECT_DIR GSDML_FILE [--dap NAME_TEXT_ID] [--name-of-station N] [--ip A.B.C.D]",
                 "Add a device from a GSDML file as \"Add From Catalog\" and OK do, and save the network.",
                 "The file is copied into PROJECT_DIR/GSDML. --dap picks the access point by its name\n"
                 "TextId (default: the first one). At most 10 devices; the name of station has at most\n"
                 "31 characters. --workspace DIR takes the messages in that workspace's language.",
                 {"--dap", "--name-of-station", "--ip", "--workspace"}, {}, 2, 2, add}) &&
    add_command({"network resave", "PROJECT_DIR", "Load the project's PROFINET network and save it again unchanged.",
                 "Exit 1, writing nothing, when the file cannot be read completely.", {}, {}, 1, 1, resave}) &&
    add_command({"network plug", "PROJECT_DIR DEVICE SLOT MODULE_ID",
                 "Plug a module into a slot, as choosing it in the modules dialog and OK do.",
                 help("SLOT is the slot number, MODULE_ID the module's ID in the GSDML file; the module\n"
                      "must be one the slot offers. Its subslots get their default submodules.\n"),
                 {"--workspace"}, {}, 4, 4, plug}) &&
    add_command({"network unplug", "PROJECT_DIR DEVICE SLOT",
                 "Remove the module of a slot, as choosing the empty item in the modules dialog does.",
                 help("The slot of the access point and slots without a module list cannot be changed.\n"),
                 {"--workspace"}, {}, 3, 3, unplug}) &&
    add_command({"network subplug", "PROJECT_DIR DEVICE SLOT SUBSLOT SUBMODULE_ID",
                 "Plug a submodule into a subslot of the module in SLOT.",
                 help("SUBMODULE_ID is the submodule's ID in the GSDML file; it must be one the subslot\n"
                      "offers. Its parameters start from their defaults.\n"),
                 {"--workspace"}, {}, 5, 5, subplug}) &&
    add_command({"network set", "PROJECT_DIR DEVICE SLOT SUBSLOT PARAM VALUE",
                 "Set a parameter of the submodule in a subslot, as the modules dialog's parameter table does.",
                 help("PARAM is the parameter's name, or RECORD_INDEX:NAME when several records of the\n"
                      "subslot use that name. A parameter with a value list takes the text of an entry or\n"
                      "its value. Any other value is stored as typed; when it does not fit the parameter's\n"
                      "data type or allowed values, a warning goes to stderr and the value is still saved.\n"),
                 {"--workspace"}, {}, 6, 6, set_param}) &&
    add_command({"network device",
                 "PROJECT_DIR DEVICE [--name-of-station N] [--ip A.B.C.D] [--new-session-spi 1|0] "
                 "[--reset-data 1|0] [--update-time MS] [--answer-factor F]",
                 "Change a device's properties, as the network dialog's properties panel does.",
                 help("The name of station has at most 31 characters; the address must be valid; MS is one\n"
                      "of the device's update times (see `network show`) and not below its minimum device\n"
                      "interval; the answer time (update time x F, F from 3 to 255) is at most 1920 ms. A new\n"
                      "update time whose answer time with the current factor is too long is refused unless\n"
                      "--answer-factor is given too. --reset-data is \"Reset Data on PROFINET Device Fails\".\n"),
                 {"--name-of-station", "--ip", "--new-session-spi", "--reset-data", "--update-time", "--answer-factor",
                  "--workspace"},
                 {}, 2, 2, device}) &&
    add_command({"network remove", "PROJECT_DIR DEVICE",
                 "Delete a device from the network, as \"Delete Device\" and OK do.",
                 help("Its GSDML copy stays in PROJECT_DIR/GSDML.\n"), {"--workspace"}, {}, 2, 2, remove_device});

}  // namespace
}  // namespace zv::cli
