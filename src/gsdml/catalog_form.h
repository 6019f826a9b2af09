#pragma once
// What the catalog dialog does, without a window: the tree it shows, the device
// chosen by a click, and adding a file to the catalog folder.
#include <filesystem>
#include <string>
#include <vector>

#include "gsdml/catalog.h"
#include "text/prompter.h"

namespace zv {

struct CatalogTreeNode {
    std::string text;
    int picture = 0;  // 0 group, 1 device
    int parent = -1;
    std::vector<int> children;
};

// The tree as plain data; node ids are indices into nodes.
struct CatalogTree {
    std::vector<CatalogTreeNode> nodes;
    std::vector<int> roots;

    void clear();
    int add(int parent, std::string text, int picture);
    // One line per node, two blanks of indent per level, depth first.
    std::string to_text() const;
};

class ProfinetCatalogForm {
public:
    static constexpr const char* kOverwriteQuestion = "File already present in Catalog. Do you wanto to overwrite?";

    ProfinetCatalogForm(TPROFINET_Catalog& catalog, std::filesystem::path catalog_path);

    // On every show: the selection is emptied and the tree rebuilt.
    void FormShow();
    void Show_Catalog();
    // A click on a tree node (its id); only device nodes select.
    void TW_CatalogClick(int node);
    // Add Device once the user has chosen `file`. Not decodable: nothing happens.
    // Not well-formed: zv::Error. Returns true when the file was copied.
    bool Btn_AddDeviceClick(const std::filesystem::path& file, Prompter& prompter);

    CatalogTree tree;
    const TGSDML* Selected_GSDML = nullptr;
    std::string Selected_Device_ID;
    std::string Selected_Device;
    std::string Selected_CategoryRef;

private:
    TPROFINET_Catalog& catalog_;
    std::filesystem::path catalog_path_;
};

}  // namespace zv
