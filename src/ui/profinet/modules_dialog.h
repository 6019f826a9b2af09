#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <memory>

#include "profinet/modules_form.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The modules dialog: plugging modules and submodules into one device's slots
// and setting their parameters, on a working copy.
class TFPROFINET_Modules_Def : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFPROFINET_Modules_Def(GuiApp& app);
    ~TFPROFINET_Modules_Def() override;

    void Set_Lang() override;
    void prepare();  // FormShow

    ProfinetModulesForm& form() { return *form_; }

    // An edit that ended in a cell, rows counted as the form counts (1-based).
    void slot_cell_edited(int row, int col, const std::string& text);
    void slot_cell_clicked(int row);
    void param_cell_edited(int row, int col, const std::string& text);

    void fill_slot_table();
    void fill_param_table();
    // The value cell of a parameter row marked, with the reason as its tooltip,
    // when the value does not fit its description.
    void mark_param_value(int row);

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QSplitter* Splitter;
    QTableWidget* ASG_SlotModule;
    QTableWidget* ASG_ModProp;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    void showEvent(QShowEvent* e) override;

private:
    class Editors;
    GuiApp& app_;
    std::unique_ptr<ProfinetModulesForm> form_;
    bool filling_ = false;
};

}  // namespace zv::ui
