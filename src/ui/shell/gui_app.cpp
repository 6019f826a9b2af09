#include "ui/shell/gui_app.h"

#include <QDesktopServices>
#include <QUrl>

#include "compiler/compiler.h"
#include "gsdml/catalog_loader.h"
#include "shell/product.h"
#include "shell/projects.h"
#include "shell/version_check.h"
#include "shell/workspace.h"
#include "text/error.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/options_dialog.h"
#include "ui/shell/project_dialogs.h"
#include "ui/shell/qt_util.h"
#include "ui/ethercat/ethercat_windows.h"
#include "ui/params/par_gen_dialog.h"
#include "ui/gsdml/catalog_dialog.h"
#include "ui/profinet/profinet_windows.h"
#include "ui/update/boot_dialog.h"

namespace zv::ui {

GuiApp::GuiApp(AppContext& c) : ctx(c) {
    open_url = [](const std::string& url) { QDesktopServices::openUrl(QUrl(qs(url))); };
}

GuiApp::~GuiApp() {
    delete_ethercat_windows(*this);
    delete_profinet_windows(*this);
    delete catalog;
    delete par_gen;
    delete boot;
    delete soft_options;
    delete about;
    delete open_conf;
    delete new_project;
    delete main_window;
}

Prompter& GuiApp::prompter(QWidget* parent) {
    if (prompter_override_) return *prompter_override_;
    qt_prompters_.push_back(std::make_unique<QtPrompter>(parent));
    if (qt_prompters_.size() > 64) qt_prompters_.erase(qt_prompters_.begin());
    return *qt_prompters_.back();
}

void GuiApp::create_windows(const std::filesystem::path& program_path) {
    // The main window first: its creation builds the string table and the state
    // every other window reads while it is created.
    main_window = new TFZevirovaveeFirmWare(*this, program_path);
    lang_order_.push_back(main_window);

    new_project = new TFNew_Project(*this);
    lang_order_.push_back(new_project);
    open_conf = new TFOpenConf(*this);
    lang_order_.push_back(open_conf);
    about = new TFAbout(*this);  // fixed texts: not in the language order
    soft_options = new TFSoftOptions(*this);
    lang_order_.push_back(soft_options);
    boot = new TFBoot(*this);
    lang_order_.push_back(boot);
    par_gen = new TFParGen(*this);
    lang_order_.push_back(par_gen);
    catalog = new TFPROFINETCatalog(*this);
    lang_order_.push_back(catalog);
    create_profinet_windows(*this);
    create_ethercat_windows(*this);  // TFAbout has fixed texts

    main_window->on_first_show = [this] { start_catalog_loader(*this); };
    main_window->actions[WizardAction::CreateNewProject] = [this] {
        new_project->setParent(main_window, new_project->windowFlags());
        if (new_project->exec() == QDialog::Accepted) main_window->show_project_status();
    };
    main_window->actions[WizardAction::OpenProject] = [this] {
        open_conf->setParent(main_window, open_conf->windowFlags());
        if (open_conf->exec() == QDialog::Accepted) {
            Open_Project(ctx.state, open_conf->form.Name_Conf);
            main_window->show_project_status();
        }
    };
    main_window->actions[WizardAction::ShowParGen] = [this] {
        try {
            par_gen->load();
        } catch (const Error& e) {
            prompter(main_window).error(e.what());
            return;
        }
        par_gen->setParent(main_window, par_gen->windowFlags());
        par_gen->exec();
    };
    // Update_Device: the bank files are rewritten at every opening, even if the
    // dialog is then cancelled.
    main_window->actions[WizardAction::UpdateDevice] = [this] {
        try {
            compile_project(ctx.state);
        } catch (const Error& e) {
            prompter(main_window).error(e.what());
            return;
        }
        boot->form().Form_Type = 1;
        boot->setParent(main_window, boot->windowFlags());
        boot->exec();
    };

    wire_options();

    shots.push_back({"main_window", [this] { return static_cast<QWidget*>(main_window); }});
    shots.push_back({"new_project", [this] {
                         new_project->prepare();
                         new_project->E_New_Proj->setText("Line 4 Packaging");
                         return static_cast<QWidget*>(new_project);
                     }});
    shots.push_back({"open_project", [this] {
                         open_conf->prepare();
                         return static_cast<QWidget*>(open_conf);
                     }});
    shots.push_back({"par_gen", [this] {
                         par_gen->load();
                         return static_cast<QWidget*>(par_gen);
                     }});
    shots.push_back({"profinet_catalog", [this] {
                         // The loader may not have run: screenshots do not show the main window.
                         if (ctx.Catalog->MainFamily_list.empty()) Load_Catalog(ctx.state.Catalog_Path, *ctx.Catalog, 1);
                         catalog->prepare();
                         return static_cast<QWidget*>(catalog);
                     }});
    shots.push_back({"update_device", [this] {
                         boot->form().Form_Type = 1;
                         boot->prepare();
                         return static_cast<QWidget*>(boot);
                     }});
    for (auto [name, page] : {std::pair{"options_language", 0}, {"options_connection", 1}, {"options_settings", 2}}) {
        shots.push_back({name, [this, page = page] {
                             soft_options->prepare();
                             soft_options->PC_Options->setCurrentIndex(page);
                             return static_cast<QWidget*>(soft_options);
                         }});
    }
    shots.push_back({"about", [this] { return static_cast<QWidget*>(about); }});
}

// The about box, the options dialog and the periodic version check.
void GuiApp::wire_options() {
    TFZevirovaveeFirmWare& w = *main_window;
    w.actions[WizardAction::ShowAbout] = [this] {
        about->setParent(main_window, about->windowFlags());
        about->exec();
    };
    w.actions[WizardAction::ShowOptions] = [this] {
        soft_options->setParent(main_window, soft_options->windowFlags());
        if (soft_options->exec() != QDialog::Accepted) return;
        Save_Setting(ctx.state);  // a failure goes to stderr; the new settings stay in use
        main_window->arm_update_timer();
    };
    w.update_check = [this] {
        TFZevirovaveeFirmWare& mw = *main_window;
        mw.Timer_Update.stop();
        if (Check_Version(*ctx.Http_Client)) {
            mw.LL_Update->setText(link_html(download_page_url(), ctx.String_Table[19]));
            mw.LL_Update->show();
        } else {
            mw.LL_Update->hide();
        }
        mw.Timer_Update.setInterval(7200000);  // then every two hours
        mw.Timer_Update.start();
    };
    w.LL_Update->setOpenExternalLinks(false);
    QObject::connect(w.LL_Update, &QLabel::linkActivated, &w, [this](const QString& url) { open_url(ss(url)); });
}

void GuiApp::Change_Language() {
    for (LangWindow* w : lang_order_) w->Set_Lang();
}

}  // namespace zv::ui
