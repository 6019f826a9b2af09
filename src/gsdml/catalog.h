#pragma once
// The device catalog: every decoded description file of the catalog folder,
// filed under main family, vendor and product family, in the order filed.
#include <memory>
#include <string>
#include <vector>

#include "gsdml/gsdml.h"

namespace zv {

// Tree entries (rebuilt each time the catalog tree is shown). Node is the id of
// the entry's node in CatalogTree, -1 when none.
struct TCat_Node {
    std::string FModuleNameID;  // the access point's name TextId
    std::string FModuleName;    // its text
    std::string FCategoryRef;   // its category text, empty when none
    int Node = -1;
};

struct TCat_SubCategory1Ref {
    std::string FSubCategory1Ref;
    int Node = -1;
    std::vector<TCat_Node> List_Node_Device;
};

struct TCat_CategoryRef {
    std::string FCategoryRef;
    std::vector<TCat_SubCategory1Ref> SubCategory1RefList;
    std::vector<TCat_Node> List_Node_Device;
    int Node = -1;
};

struct TCat_GSDML {
    std::unique_ptr<TGSDML> GSDML;
    std::vector<TCat_CategoryRef> CategoryRefList;
    std::vector<TCat_Node> List_Node_Device;
};

struct TCat_ProductFamily {
    std::string FProductFamily;
    std::vector<std::unique_ptr<TCat_GSDML>> GSDML_List;
    int Node = -1;
    TCat_GSDML* SearchGSDML(const std::string& Name_GSDML) const;
};

struct TCat_Vendor {
    std::string FVendor;
    std::vector<std::unique_ptr<TCat_ProductFamily>> ProductFamily_List;
    int Node = -1;
    TCat_ProductFamily* SearchProductFamily(const std::string& ProductFamily) const;
};

struct TCat_MainFamily {
    std::string FMainFamily;
    std::vector<std::unique_ptr<TCat_Vendor>> Vendor_List;
    int Node = -1;
    TCat_Vendor* SearchVendor(const std::string& Vendor) const;
};

class TPROFINET_Catalog {
public:
    std::vector<std::unique_ptr<TCat_MainFamily>> MainFamily_list;

    // Files a decoded model: 1 when filed (the catalog takes it over), 0 when a
    // file of the same name is already filed at that place (app_GSDML is kept).
    int Insert_in_Catalog(std::unique_ptr<TGSDML>& app_GSDML);
    TCat_MainFamily* SearchMainFamily(const std::string& MainFamily) const;

    // Every filed file in catalog order.
    template <class F>
    void for_each_file(F&& f) const {
        for (const auto& m : MainFamily_list)
            for (const auto& v : m->Vendor_List)
                for (const auto& p : v->ProductFamily_List)
                    for (const auto& g : p->GSDML_List) f(*g);
    }
};

}  // namespace zv
