#pragma once
#include "shell/shell_state.h"
#include "text/string_table.h"

namespace zv {

// The process-wide objects of one run, created by the entry point and passed by
// reference to whatever needs them.
struct AppContext {
    StringTable String_Table;
    ShellState state;
};

}  // namespace zv
