#pragma once
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The two EtherCAT dialogs (variables, then groups) with the main window's
// actions that open them and the ESI file action, and their screenshots.
void create_ethercat_windows(GuiApp& app);
void delete_ethercat_windows(GuiApp& app);

// "EtherCAT ESI File": the save dialog in the project folder, then the file.
void Create_ESI_File(GuiApp& app, QWidget* parent);

}  // namespace zv::ui
