#pragma once
// The catalog loader: decodes every GSDML*.xml of the catalog folder into the
// catalog, off the user-interface thread.
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "gsdml/catalog.h"

namespace zv {

// The files the loader takes, in listing order: plain files of `folder` (not its
// sub-folders) named GSDML*.xml in any case; read-only files, links and folders
// are passed over. A missing folder gives none.
std::vector<std::filesystem::path> list_catalog_files(const std::filesystem::path& folder);

struct CatalogLoadResult {
    int files = 0;    // files taken
    int decoded = 0;  // of those, decoded successfully
};

// Decodes the files of list_catalog_files and files them with Insert_in_Catalog
// in listing order; files that do not decode or are not well-formed are skipped.
// With threads > 1 that many files are decoded at once; the result is the same
// as with one. threads == 0 picks the number of processors.
CatalogLoadResult Load_Catalog(const std::filesystem::path& folder, TPROFINET_Catalog& catalog, unsigned threads = 0);

// The loader thread. show_indicator runs before the scan and hide_indicator
// after the last file is filed; both are called on the loader's thread, and the
// window's side makes them run (synchronously) on its user-interface thread.
// The catalog must not be read between the two. Nothing waits for the thread:
// it holds the catalog by shared_ptr, so ending the program while it runs is safe.
class TPROFINETCatLoad {
public:
    struct Hooks {
        std::function<void()> show_indicator;
        std::function<void()> hide_indicator;
    };
    static void start(std::filesystem::path Catalog_Path, std::shared_ptr<TPROFINET_Catalog> catalog, Hooks hooks,
                      unsigned threads = 0);
};

}  // namespace zv
