#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "shell/options_form.h"
#include "ui/shell/gui_app.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {

// The software options: language, internet connection and table settings.
class TFSoftOptions : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFSoftOptions(GuiApp& app);
    void Set_Lang() override;
    void prepare();  // the show handler

    SoftOptionsForm form;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QWidget* TS_Con_Options;
    QWidget* TS_Soft_Settings;

    QLabel* L_Sel_Lang;
    std::array<ClickLabel*, SoftOptionsForm::kSlots> I_L{};  // I_L1 .. I_L6
    std::array<ClickLabel*, SoftOptionsForm::kSlots> L_L{};  // L_L1 .. L_L6
    QLabel* L_Page_Lang;
    QPushButton* Btn_Prev;
    QPushButton* Btn_Next;

    QCheckBox* CB_En_Con;
    QCheckBox* CB_Update;
    QPushButton* Btn_Check_Update;
    QLabel* LL_Check_Update;

    QCheckBox* CB_Soft_Set_Jump_Table;
    QCheckBox* CB_DoubleClick_Auto_Size;

    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void show_page();         // the language page from the form
    void show_check_boxes();  // the four boxes and their enabling from the form
    void check_box_changed();
    void choose(int k);
    void check_update();

    GuiApp& app_;
};

}  // namespace zv::ui
