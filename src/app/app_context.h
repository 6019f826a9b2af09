#pragma once
#include <memory>

#include "gsdml/catalog.h"
#include "shell/http_client.h"
#include "shell/shell_state.h"
#include "text/grid.h"
#include "text/string_table.h"

namespace zv {

// The process-wide objects of one run, created by the entry point and passed by
// reference to whatever needs them.
struct AppContext {
    StringTable String_Table;
    ShellState state;
    // Copy_Row_Buffer and Copy_Row_CheckBox: one row copy for every table dialog.
    CopyRowBuffer Row_Copy;
    // The version check's client; tests put in their own.
    std::unique_ptr<HttpClient> Http_Client = std::make_unique<PosixHttpClient>();
    // Filled by the catalog loader thread, which holds it too: the thread is
    // never waited for, so it may outlive the rest of this object.
    std::shared_ptr<TPROFINET_Catalog> Catalog = std::make_shared<TPROFINET_Catalog>();
};

}  // namespace zv
