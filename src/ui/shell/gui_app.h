#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "text/prompter.h"

namespace zv::ui {

class TFZevirovaveeFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;
class TFEtherCATSlave;
class TFEtherCATSlave_Group;
class TFBoot;
class TFParGen;
class TFPROFINETCatalog;
class TFPROFINET_Network_Access;
class TFPROFINET_Modules_Def;

// Every window re-applies its texts from the string table through this.
class LangWindow {
public:
    virtual ~LangWindow() = default;
    virtual void Set_Lang() = 0;
};

// The configurator's windows, created once in a fixed order and kept until exit.
class GuiApp {
public:
    explicit GuiApp(AppContext& ctx);
    ~GuiApp();

    AppContext& ctx;

    // Message boxes: Qt's, unless a test has put in its own.
    Prompter& prompter(QWidget* parent);
    void set_prompter(Prompter* p) { prompter_override_ = p; }

    // Opens a web address in the default browser; tests put in their own.
    std::function<void(const std::string&)> open_url;

    // Runs the start-up of the main window and creates every other window.
    void create_windows(const std::filesystem::path& program_path);
    // Every window's Set_Lang, in the fixed order.
    void Change_Language();
    // Joins the windows whose texts Change_Language re-applies (creation order).
    void add_lang_window(LangWindow* w) { lang_order_.push_back(w); }

    // The save-file dialog: the chosen path, or empty on Cancel. Qt's dialog
    // (it does not ask about overwriting: the caller does), unless a test put in its own.
    std::function<std::filesystem::path(QWidget* parent, const std::filesystem::path& folder, const std::string& filter)>
        ask_save_file;

    // For scripts/screenshots: each prepares its window with data and returns it.
    struct Shot {
        std::string name;
        std::function<QWidget*()> prepare;
    };
    std::vector<Shot> shots;

    TFZevirovaveeFirmWare* main_window = nullptr;
    TFNew_Project* new_project = nullptr;
    TFOpenConf* open_conf = nullptr;
    TFAbout* about = nullptr;
    TFSoftOptions* soft_options = nullptr;
    TFBoot* boot = nullptr;
    TFParGen* par_gen = nullptr;
    TFEtherCATSlave* ethercat_slave = nullptr;
    TFEtherCATSlave_Group* ethercat_group = nullptr;
    TFPROFINETCatalog* catalog = nullptr;
    TFPROFINET_Network_Access* profinet_network = nullptr;
    TFPROFINET_Modules_Def* profinet_modules = nullptr;

private:
    Prompter* prompter_override_ = nullptr;
    std::vector<std::unique_ptr<Prompter>> qt_prompters_;
    std::vector<LangWindow*> lang_order_;

    void wire_options();
};

}  // namespace zv::ui
