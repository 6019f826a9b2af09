#include "shell/wizard.h"

namespace zv {

WizardAction Btn_Click(WizardButton b, const ShellState& s, bool catalog_loading, const StringTable& t,
                       Prompter& p) {
    switch (b) {
        case WizardButton::New: return WizardAction::CreateNewProject;
        case WizardButton::Open: return WizardAction::OpenProject;
        case WizardButton::Close: return WizardAction::Close;
        case WizardButton::Info: return WizardAction::ShowAbout;
        case WizardButton::Opz: return WizardAction::ShowOptions;
        default: break;
    }
    if (!s.project_open()) {
        p.error(t[18]);
        return WizardAction::None;
    }
    switch (b) {
        case WizardButton::Prm_Gen: return WizardAction::ShowParGen;
        case WizardButton::PROFINET_Master_Access:
            if (catalog_loading) {
                p.information(t[27]);
                return WizardAction::None;
            }
            return WizardAction::ShowNetwork;
        case WizardButton::EtherCAT_Set_Access: return WizardAction::ShowEtherCATSlave;
        case WizardButton::EtherCAT_Set_Group: return WizardAction::ShowEtherCATGroup;
        case WizardButton::EtherCAT_ESI_File: return WizardAction::WriteESI;
        case WizardButton::CreateBin: return WizardAction::UpdateDevice;
        default: return WizardAction::None;
    }
}

}  // namespace zv
