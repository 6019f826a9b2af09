#include "gsdml/catalog.h"

namespace zv {
namespace {

template <class List, class Field>
auto first_with(const List& list, Field field, const std::string& text) -> decltype(list.front().get()) {
    for (const auto& e : list)
        if ((*e).*field == text) return e.get();
    return nullptr;
}

}  // namespace

TCat_GSDML* TCat_ProductFamily::SearchGSDML(const std::string& Name_GSDML) const {
    for (const auto& g : GSDML_List)
        if (g->GSDML->FGSDML_FileName == Name_GSDML) return g.get();
    return nullptr;
}

TCat_ProductFamily* TCat_Vendor::SearchProductFamily(const std::string& ProductFamily) const {
    return first_with(ProductFamily_List, &TCat_ProductFamily::FProductFamily, ProductFamily);
}

TCat_Vendor* TCat_MainFamily::SearchVendor(const std::string& Vendor) const {
    return first_with(Vendor_List, &TCat_Vendor::FVendor, Vendor);
}

TCat_MainFamily* TPROFINET_Catalog::SearchMainFamily(const std::string& MainFamily) const {
    return first_with(MainFamily_list, &TCat_MainFamily::FMainFamily, MainFamily);
}

int TPROFINET_Catalog::Insert_in_Catalog(std::unique_ptr<TGSDML>& app_GSDML) {
    if (!app_GSDML) return 0;
    const TFamily& family = app_GSDML->ProfileBody.DeviceFunction.Family;
    const std::string& vendor_name = app_GSDML->ProfileBody.DeviceIdentity.FVendorName;

    TCat_MainFamily* main = SearchMainFamily(family.FMainFamily);
    if (!main) {
        MainFamily_list.push_back(std::make_unique<TCat_MainFamily>());
        main = MainFamily_list.back().get();
        main->FMainFamily = family.FMainFamily;
    }
    TCat_Vendor* vendor = main->SearchVendor(vendor_name);
    if (!vendor) {
        main->Vendor_List.push_back(std::make_unique<TCat_Vendor>());
        vendor = main->Vendor_List.back().get();
        vendor->FVendor = vendor_name;
    }
    TCat_ProductFamily* product = vendor->SearchProductFamily(family.FProductFamily);
    if (!product) {
        vendor->ProductFamily_List.push_back(std::make_unique<TCat_ProductFamily>());
        product = vendor->ProductFamily_List.back().get();
        product->FProductFamily = family.FProductFamily;
    }
    if (product->SearchGSDML(app_GSDML->FGSDML_FileName)) return 0;
    auto entry = std::make_unique<TCat_GSDML>();
    entry->GSDML = std::move(app_GSDML);
    product->GSDML_List.push_back(std::move(entry));
    return 1;
}

}  // namespace zv
