#pragma once
#include "shell/shell_state.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

enum class WizardButton {
    New, Open, Close, Info, Opz,
    Prm_Gen, PROFINET_Master_Access, EtherCAT_Set_Access, EtherCAT_Set_Group, EtherCAT_ESI_File, CreateBin,
};

enum class WizardAction {
    None, CreateNewProject, OpenProject, Close, ShowAbout, ShowOptions,
    ShowParGen, ShowNetwork, ShowEtherCATSlave, ShowEtherCATGroup, WriteESI, UpdateDevice,
};

// The main window's one click handler: tests the button in a fixed order and
// refuses (entry 18, entry 27) through the prompter. Returns what to open.
WizardAction Btn_Click(WizardButton b, const ShellState& s, bool catalog_loading, const StringTable& t,
                       Prompter& p);

}  // namespace zv
