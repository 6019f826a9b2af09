#pragma once
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The network dialog and the modules dialog, the main window's action that
// opens the network ("PROFINET Access"), and their screenshots.
void create_profinet_windows(GuiApp& app);
void delete_profinet_windows(GuiApp& app);

}  // namespace zv::ui
