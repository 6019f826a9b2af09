// Device descriptions and the device catalog without windows.
#include <chrono>
#include <iostream>

#include <nlohmann/json.hpp>

#include "app/cli/cli.h"
#include "gsdml/catalog_form.h"
#include "gsdml/catalog_loader.h"
#include "text/error.h"

namespace zv::cli {
namespace {

nlohmann::ordered_json access_point_json(const TGSDML& g, const TDeviceAccessPointItem& ap) {
    const TModuleInfo& m = ap.ModuleInfo;
    size_t virtual_submodules = ap.VirtualSubmoduleList ? ap.VirtualSubmoduleList->VirtualSubmoduleItelList.size() : 0;
    size_t ports = ap.SystemDefinedSubmoduleList ? ap.SystemDefinedSubmoduleList->PortSubmoduleItemList.size() : 0;
    return {
        {"id", ap.FID},
        {"name_text_id", m.FName},
        {"name", g.GetString_ExternalTextList(m.FName)},
        {"category", g.GetString_ExternalTextList(m.FCategoryRef)},
        {"module_ident_number", ap.FModuleIdentNumber},
        {"fixed_in_slots", ap.FFixedInSlots},
        {"physical_slots", ap.FPhysicalSlots},
        {"min_device_interval", ap.FMinDeviceInterval},
        {"virtual_submodules", virtual_submodules},
        {"ports", ports},
    };
}

int gsdml(const Args& a) {
    const std::filesystem::path file = a.positional[0];
    TGSDML g;
    if (!decode_gsdml_file(g, file)) throw Error(file.string() + " cannot be decoded: " + g.Decode_Failure);

    const TApplicationProcess& ap = g.ProfileBody.ApplicationProcess;
    nlohmann::ordered_json dap = nlohmann::ordered_json::array();
    for (const TDeviceAccessPointItem& d : ap.DeviceAccessPointList->DevAccPointItemList)
        dap.push_back(access_point_json(g, d));
    nlohmann::ordered_json languages = nlohmann::ordered_json::array();
    for (const TLanguage& l : ap.ExternalTextList->LanguageList) languages.push_back(l.FLang);

    nlohmann::ordered_json j = {
        {"file", g.FGSDML_FileName},
        {"vendor_id", g.ProfileBody.DeviceIdentity.FVendorID},
        {"device_id", g.ProfileBody.DeviceIdentity.FDeviceID},
        {"vendor_name", g.ProfileBody.DeviceIdentity.FVendorName},
        {"main_family", g.ProfileBody.DeviceFunction.Family.FMainFamily},
        {"product_family", g.ProfileBody.DeviceFunction.Family.FProductFamily},
        {"device_access_points", dap},
        {"modules", ap.ModuleList ? ap.ModuleList->ModuleItemList.size() : 0},
        {"submodules", ap.SubmoduleList ? ap.SubmoduleList->SubmoduleList.size() : 0},
        {"value_items", ap.ValueList ? ap.ValueList->ValueItemList.size() : 0},
        {"languages", languages},
    };
    std::cout << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return 0;
}

int catalog(const Args& a) {
    const std::filesystem::path folder = a.positional[0];
    const long long threads = a.number("--threads", 0);
    if (threads < 0 || threads > 64) throw UsageError("--threads takes 0 to 64");
    TPROFINET_Catalog cat;
    auto t0 = std::chrono::steady_clock::now();
    CatalogLoadResult r = Load_Catalog(folder, cat, static_cast<unsigned>(threads));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    ProfinetCatalogForm form(cat, folder);
    form.FormShow();
    std::cout << form.tree.to_text() << "files: " << r.files << ", decoded: " << r.decoded << ", ms: " << ms << "\n";
    return 0;
}

const bool registered =
    add_command({"gsdml", "FILE", "Decode one GSDML file and print what the configurator reads from it as JSON.",
                 "Exit 1 when the file does not decode: not well-formed (with the parser's position)\n"
                 "or a required element missing (named on stderr).",
                 {}, {}, 1, 1, gsdml}) &&
    add_command({"catalog", "[--threads N] DIR",
                 "Load DIR as the device catalog and print the catalog tree, one node per line.",
                 "Takes the GSDML*.xml files of DIR as the catalog loader does (read-only files, links\n"
                 "and folders are passed over, files that do not decode are skipped). Children are\n"
                 "indented by two blanks. The last line reads \"files: N, decoded: M, ms: T\".\n"
                 "--threads N decodes N files at once (0, the default: one per processor).",
                 {"--threads"}, {}, 1, 1, catalog});

}  // namespace
}  // namespace zv::cli
