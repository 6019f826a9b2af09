#include "gsdml/catalog_form.h"

#include <functional>

#include "text/error.h"
#include "text/file_io.h"

namespace zv {
namespace fs = std::filesystem;

void CatalogTree::clear() {
    nodes.clear();
    roots.clear();
}

int CatalogTree::add(int parent, std::string text, int picture) {
    int id = static_cast<int>(nodes.size());
    nodes.push_back({std::move(text), picture, parent, {}});
    (parent < 0 ? roots : nodes[static_cast<size_t>(parent)].children).push_back(id);
    return id;
}

std::string CatalogTree::to_text() const {
    std::string out;
    std::function<void(int, int)> walk = [&](int id, int depth) {
        out.append(static_cast<size_t>(depth) * 2, ' ');
        out += nodes[static_cast<size_t>(id)].text;
        out += '\n';
        for (int c : nodes[static_cast<size_t>(id)].children) walk(c, depth + 1);
    };
    for (int r : roots) walk(r, 0);
    return out;
}

ProfinetCatalogForm::ProfinetCatalogForm(TPROFINET_Catalog& catalog, fs::path catalog_path)
    : catalog_(catalog), catalog_path_(std::move(catalog_path)) {}

void ProfinetCatalogForm::FormShow() {
    Selected_GSDML = nullptr;
    Selected_Device.clear();
    Show_Catalog();
}

namespace {

void show_file(CatalogTree& tree, TCat_GSDML& file, int product_node) {
    file.CategoryRefList.clear();
    file.List_Node_Device.clear();
    const TGSDML& g = *file.GSDML;
    const auto& aps = g.ProfileBody.ApplicationProcess.DeviceAccessPointList;
    if (!aps) return;
    for (const TDeviceAccessPointItem& ap : aps->DevAccPointItemList) {
        const TModuleInfo& m = ap.ModuleInfo;
        TCat_Node device;
        device.FModuleNameID = m.FName;
        device.FModuleName = g.GetString_ExternalTextList(m.FName);
        device.FCategoryRef = g.GetString_ExternalTextList(m.FCategoryRef);
        const std::string text = device.FModuleName + " (" + g.FGSDML_FileName + ")";

        if (m.FCategoryRef.empty()) {
            device.Node = tree.add(product_node, text, 1);
            file.List_Node_Device.push_back(std::move(device));
            continue;
        }
        // Categories belong to their file: equal texts of two files stay apart.
        const std::string category_text = device.FCategoryRef;
        TCat_CategoryRef* category = nullptr;
        for (TCat_CategoryRef& c : file.CategoryRefList)
            if (c.FCategoryRef == category_text) category = &c;
        if (!category) {
            file.CategoryRefList.push_back({category_text, {}, {}, tree.add(product_node, category_text, 0)});
            category = &file.CategoryRefList.back();
        }
        if (m.FSubCategory1Ref.empty()) {
            device.Node = tree.add(category->Node, text, 1);
            category->List_Node_Device.push_back(std::move(device));
            continue;
        }
        const std::string sub_text = g.GetString_ExternalTextList(m.FSubCategory1Ref);
        TCat_SubCategory1Ref* sub = nullptr;
        for (TCat_SubCategory1Ref& s : category->SubCategory1RefList)
            if (s.FSubCategory1Ref == sub_text) sub = &s;
        if (!sub) {
            category->SubCategory1RefList.push_back({sub_text, tree.add(category->Node, sub_text, 0), {}});
            sub = &category->SubCategory1RefList.back();
        }
        device.Node = tree.add(sub->Node, text, 1);
        sub->List_Node_Device.push_back(std::move(device));
    }
}

}  // namespace

void ProfinetCatalogForm::Show_Catalog() {
    tree.clear();
    for (auto& main : catalog_.MainFamily_list) {
        main->Node = tree.add(-1, main->FMainFamily, 0);
        for (auto& vendor : main->Vendor_List) {
            vendor->Node = tree.add(main->Node, vendor->FVendor, 0);
            for (auto& product : vendor->ProductFamily_List) {
                product->Node = tree.add(vendor->Node, product->FProductFamily, 0);
                for (auto& file : product->GSDML_List) show_file(tree, *file, product->Node);
            }
        }
    }
}

void ProfinetCatalogForm::TW_CatalogClick(int node) {
    Selected_GSDML = nullptr;
    Selected_Device_ID.clear();
    Selected_Device.clear();
    Selected_CategoryRef.clear();
    if (node < 0 || node >= static_cast<int>(tree.nodes.size()) || tree.nodes[static_cast<size_t>(node)].picture != 1)
        return;
    const TCat_Node* hit = nullptr;
    const TGSDML* owner = nullptr;
    auto look = [&](const std::vector<TCat_Node>& list, const TCat_GSDML& file) {
        for (const TCat_Node& d : list)
            if (!hit && d.Node == node) {
                hit = &d;
                owner = file.GSDML.get();
            }
    };
    catalog_.for_each_file([&](const TCat_GSDML& file) {
        look(file.List_Node_Device, file);
        for (const TCat_CategoryRef& c : file.CategoryRefList) {
            look(c.List_Node_Device, file);
            for (const TCat_SubCategory1Ref& s : c.SubCategory1RefList) look(s.List_Node_Device, file);
        }
    });
    if (!hit) return;
    Selected_GSDML = owner;
    Selected_Device_ID = hit->FModuleNameID;
    Selected_Device = hit->FModuleName;
    Selected_CategoryRef = hit->FCategoryRef;
}

bool ProfinetCatalogForm::Btn_AddDeviceClick(const fs::path& file, Prompter& prompter) {
    {
        TGSDML test;  // throws when the file is not well-formed
        if (!decode_gsdml_file(test, file)) return false;
    }
    const fs::path target = catalog_path_ / file.filename();
    std::error_code ec;
    if (fs::exists(target, ec) && !prompter.confirm(kOverwriteQuestion)) return false;
    bool copied = true;
    try {
        if (!fs::equivalent(file, target, ec)) write_file_atomic(target, read_file(file));
    } catch (const Error&) {
        // A failed copy is not reported; what is at the target now decides.
        copied = false;
    }
    auto model = std::make_unique<TGSDML>();
    try {
        if (decode_gsdml_file(*model, target)) catalog_.Insert_in_Catalog(model);
    } catch (const Error&) {
        // The old target is not well-formed: nothing is filed.
    }
    Show_Catalog();
    return copied;
}

}  // namespace zv
