// The PROFINET network of a project without windows.
#include <filesystem>
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "profinet/network_form.h"
#include "text/error.h"

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
            {"choices", choices}};
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

fs::path project_of(const Args& a) {
    fs::path p = a.positional[0];
    std::error_code ec;
    if (!fs::is_directory(p, ec)) throw Error("Project folder not found: " + p.string());
    return p;
}

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

const bool registered =
    add_command({"network show", "PROJECT_DIR",
                 "Load the project's PROFINET network as the network dialog does and print it as JSON.",
                 "Each device is rebuilt from its copy in PROJECT_DIR/GSDML; a device whose copy is\n"
                 "missing is left out. Exit 1 when the file cannot be read completely.",
                 {}, {}, 1, 1, show}) &&
    add_command({"network add", "PROJECT_DIR GSDML_FILE [--dap NAME_TEXT_ID] [--name-of-station N] [--ip A.B.C.D]",
                 "Add a device from a GSDML file as \"Add From Catalog\" and OK do, and save the network.",
                 "The file is copied into PROJECT_DIR/GSDML. --dap picks the access point by its name\n"
                 "TextId (default: the first one). At most 10 devices; the name of station has at most\n"
                 "31 characters. --workspace DIR takes the messages in that workspace's language.",
                 {"--dap", "--name-of-station", "--ip", "--workspace"}, {}, 2, 2, add}) &&
    add_command({"network resave", "PROJECT_DIR", "Load the project's PROFINET network and save it again unchanged.",
                 "Exit 1, writing nothing, when the file cannot be read completely.", {}, {}, 1, 1, resave});

}  // namespace
}  // namespace zv::cli
