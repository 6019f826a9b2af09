#include "ui/ethercat/ethercat_windows.h"

#include <QFileDialog>

#include "ethercat/esi.h"
#include "ui/ethercat/group_dialog.h"
#include "ui/ethercat/slave_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

std::filesystem::path qt_save_file(QWidget* parent, const std::filesystem::path& folder, const std::string& filter) {
    QFileDialog dlg(parent, QString(), qpath(folder), qs(filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return std::filesystem::path(ss(dlg.selectedFiles().first()));
}

template <class Dialog>
void show_modal(GuiApp& app, Dialog* dlg) {
    dlg->setParent(app.main_window, dlg->windowFlags());
    if (dlg->prepare()) dlg->exec();
}

}  // namespace

void Create_ESI_File(GuiApp& app, QWidget* parent) {
    const ShellState& s = app.ctx.state;
    const std::filesystem::path chosen = app.ask_save_file(parent, s.Project_Path, "EtherCAT ESI File (*.xml)");
    if (chosen.empty()) return;
    try {
        zv::Create_ESI_File(s, chosen, app.ctx.String_Table, app.prompter(parent));
    } catch (const std::exception& e) {
        app.prompter(parent).error(e.what());
    }
}

void create_ethercat_windows(GuiApp& app) {
    if (!app.ask_save_file) app.ask_save_file = qt_save_file;
    app.ethercat_slave = new TFEtherCATSlave(app);
    app.add_lang_window(app.ethercat_slave);
    app.ethercat_group = new TFEtherCATSlave_Group(app);
    app.add_lang_window(app.ethercat_group);

    auto& actions = app.main_window->actions;
    actions[WizardAction::ShowEtherCATSlave] = [&app] { show_modal(app, app.ethercat_slave); };
    actions[WizardAction::ShowEtherCATGroup] = [&app] { show_modal(app, app.ethercat_group); };
    actions[WizardAction::WriteESI] = [&app] { Create_ESI_File(app, app.main_window); };

    // With the project's data: the demo workspace opens its demo project.
    app.shots.push_back({"ethercat_slave", [&app] {
                             app.ethercat_slave->prepare();
                             return static_cast<QWidget*>(app.ethercat_slave);
                         }});
    app.shots.push_back({"ethercat_group", [&app] {
                             app.ethercat_group->prepare();
                             return static_cast<QWidget*>(app.ethercat_group);
                         }});
}

void delete_ethercat_windows(GuiApp& app) {
    delete app.ethercat_group;
    delete app.ethercat_slave;
    app.ethercat_group = nullptr;
    app.ethercat_slave = nullptr;
}

}  // namespace zv::ui
