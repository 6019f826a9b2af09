// Device description files come from anywhere: decoding one must never crash,
// whatever its bytes, and neither may what the catalog then does with it.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "gsdml/catalog_form.h"
#include "text/error.h"

namespace {

void use(const zv::TGSDML& g) {
    const zv::TApplicationProcess& ap = g.ProfileBody.ApplicationProcess;
    auto records = [](const zv::TRecordDataList* r) {
        if (r)
            for (const auto& rec : r->ParameterRecordDataItemList) (void)rec.GetConstData();
    };
    for (const auto& d : ap.DeviceAccessPointList->DevAccPointItemList) {
        (void)d.Get_SubslotName(1);
        if (d.VirtualSubmoduleList)
            for (const auto& v : d.VirtualSubmoduleList->VirtualSubmoduleItelList) {
                (void)v.IOData.Get_Input();
                (void)v.IOData.Get_Output();
                records(v.RecordDataList.get());
            }
    }
    if (ap.SubmoduleList)
        for (const auto& s : ap.SubmoduleList->SubmoduleList) records(s.RecordDataList());
    zv::TGSDML scratch;
    for (const auto& d : ap.DeviceAccessPointList->DevAccPointItemList)
        if (d.ApplicationRelations && d.ApplicationRelations->TimingProperties)
            scratch.GetValuesFromValueList(d.ApplicationRelations->TimingProperties->FReductionRatio);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("zv-fuzz-gsdml-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    {
        std::ofstream out(dir / "GSDML-fuzz.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    auto g = std::make_unique<zv::TGSDML>();
    try {
        if (!zv::decode_gsdml_file(*g, dir / "GSDML-fuzz.xml")) return 0;
    } catch (const zv::Error&) {
        return 0;
    }
    use(*g);
    zv::TPROFINET_Catalog catalog;
    catalog.Insert_in_Catalog(g);
    zv::ProfinetCatalogForm form(catalog, dir);
    form.FormShow();
    for (int n = 0; n < static_cast<int>(form.tree.nodes.size()); ++n) form.TW_CatalogClick(n);
    return 0;
}
