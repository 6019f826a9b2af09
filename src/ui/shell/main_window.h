#pragma once
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <map>

#include "shell/wizard.h"
#include "ui/shell/busy_indicator.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The main window: the numbered wizard steps and the program's start and end.
class TFZevirovaveeFirmWare : public QWidget, public LangWindow {
    Q_OBJECT
public:
    TFZevirovaveeFirmWare(GuiApp& app, const std::filesystem::path& program_path);

    void Set_Lang() override;
    void Btn_Click(WizardButton b);
    QAbstractButton* button(WizardButton b) const { return buttons_.at(b); }

    // The status lines for the open project (call after every change of it).
    void show_project_status();

    // The catalog-loading indicator; safe to call from any thread.
    void set_catalog_loading(bool loading);
    bool catalog_loading() const { return !ILoadCat->isHidden(); }

    // Enabled exactly when both internet options are on.
    void arm_update_timer();
    // The periodic version check; its body comes from the options subsystem.
    std::function<void()> update_check;
    QTimer Timer_Update;

    // Runs once, when the window is first shown (it starts the catalog loader).
    std::function<void()> on_first_show;

    // What each step does once its window exists; registered by GuiApp.
    std::map<WizardAction, std::function<void()>> actions;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* LL_Update;
    QLabel* L_Begin;
    QLabel* L_Name_Conf;
    QLabel* L_Name_Conf_L2;
    BusyIndicator* ILoadCat;
    QLabel* LLoadCat;
    std::array<QLabel*, 8> L_Step{};
    QLabel* L_Velmor;

signals:
    void catalogLoadingChanged(bool loading);

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Timer_UpdateTimer();

    GuiApp& app_;
    std::map<WizardButton, QAbstractButton*> buttons_;
    bool shown_once_ = false;
};

}  // namespace zv::ui
