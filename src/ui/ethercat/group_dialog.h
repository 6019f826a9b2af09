#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "ethercat/group_form.h"
#include "ui/shell/gui_app.h"
#include "ui/text/grid_view.h"

namespace zv::ui {

// "EtherCAT Set Group": the consecutive named groups of each direction.
class TFEtherCATSlave_Group : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFEtherCATSlave_Group(GuiApp& app);
    ~TFEtherCATSlave_Group() override;

    void Set_Lang() override;
    // The show handler: reloads the file. False (after the error box) when it
    // cannot be read; the dialog is then not shown.
    bool prepare();
    EtherCATGroupForm& form() { return *form_; }
    GridView* active_view() const;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QTabWidget* PC_Group;
    QWidget* TS_SlaveToMaster;
    QWidget* TS_MasterToSlave;
    GridView* ACG_Group_StoM;
    GridView* ACG_Group_MtoS;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_DelRow;
    QPushButton* Btn_InsRow;
    QPushButton* Btn_CopyRow;
    QPushButton* Btn_PasteRow;

private:
    // Runs a row button on the active table, keeping view and grid in step.
    void row_button(void (EtherCATGroupForm::*op)());
    void Btn_OKClick();

    GuiApp& app_;
    std::unique_ptr<Prompter> forward_;
    std::unique_ptr<EtherCATGroupForm> form_;
};

}  // namespace zv::ui
