#include "ui/profinet/profinet_windows.h"

#include "ui/gsdml/catalog_dialog.h"
#include "ui/profinet/modules_dialog.h"
#include "ui/profinet/network_dialog.h"
#include "ui/shell/main_window.h"

namespace zv::ui {

void create_profinet_windows(GuiApp& app) {
    app.profinet_network = new TFPROFINET_Network_Access(app);
    app.add_lang_window(app.profinet_network);
    app.profinet_modules = new TFPROFINET_Modules_Def(app);
    app.add_lang_window(app.profinet_modules);

    // "Add From Catalog": the catalog dialog and the device chosen in it.
    app.profinet_network->choose_from_catalog = [&app]() -> std::optional<CatalogChoice> {
        TFPROFINETCatalog& cat = *app.catalog;
        cat.setParent(app.profinet_network, cat.windowFlags());
        const bool ok = cat.exec() == QDialog::Accepted;
        cat.setParent(app.main_window, cat.windowFlags());  // the catalog is not the network's to delete
        if (!ok || !cat.form().Selected_GSDML) return std::nullopt;
        const ProfinetCatalogForm& f = cat.form();
        return CatalogChoice{f.Selected_GSDML, f.Selected_Device_ID, f.Selected_Device, f.Selected_CategoryRef};
    };
    app.main_window->actions[WizardAction::ShowNetwork] = [&app] {
        app.profinet_network->setParent(app.main_window, app.profinet_network->windowFlags());
        app.profinet_network->exec();
    };

    app.shots.push_back({"profinet_network", [&app] {
                             app.profinet_network->prepare();
                             app.profinet_network->select_row(1);
                             return static_cast<QWidget*>(app.profinet_network);
                         }});
    app.shots.push_back({"profinet_modules", [&app] {
                             TFPROFINET_Network_Access& net = *app.profinet_network;
                             TFPROFINET_Modules_Def& mods = *app.profinet_modules;
                             net.prepare();
                             auto& devices = net.form().List_PROFINET_Device;
                             if (!devices.empty()) {
                                 mods.form().Device = devices[0].get();
                                 mods.form().Prepare_Temp_Data();
                             }
                             mods.prepare();
                             // The first module slot whose subslot has parameters.
                             ProfinetModulesForm& m = mods.form();
                             for (int r = 1; r < m.ASG_SlotModule.RowCount(); ++r) {
                                 const TPROFINET_Slot* slot = m.row_slot(r);
                                 const TPROFINET_Subslot* s = m.row_subslot(r);
                                 if (slot && !slot->FFixed && s && !s->ParametersList.empty()) {
                                     mods.slot_cell_clicked(r);
                                     mods.fill_slot_table();
                                     break;
                                 }
                             }
                             return static_cast<QWidget*>(&mods);
                         }});
}

void delete_profinet_windows(GuiApp& app) {
    delete app.profinet_modules;
    app.profinet_modules = nullptr;
    delete app.profinet_network;
    app.profinet_network = nullptr;
}

}  // namespace zv::ui
