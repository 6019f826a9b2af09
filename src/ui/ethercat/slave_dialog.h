#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "ethercat/slave_form.h"
#include "ui/shell/gui_app.h"
#include "ui/text/grid_view.h"

namespace zv::ui {

// "EtherCAT Set Access": the variables of both directions with their computed
// positions, start bits and groups.
class TFEtherCATSlave : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFEtherCATSlave(GuiApp& app);
    ~TFEtherCATSlave() override;

    void Set_Lang() override;
    // The show handler: reloads both files. False (after the error box) when one
    // cannot be read; the dialog is then not shown.
    bool prepare();
    EtherCATSlaveForm& form() { return *form_; }
    GridView* active_view() const;

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QTabWidget* PC_Slave;
    QWidget* TS_SlaveToMaster;
    QWidget* TS_MasterToSlave;
    GridView* ASG_SlaveMaster;
    GridView* ASG_MasterSlave;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_DelRow;
    QPushButton* Btn_InsRow;
    QPushButton* Btn_CopyRow;
    QPushButton* Btn_PasteRow;
    QPushButton* Btn_MoveUp;
    QPushButton* Btn_MoveDown;

private:
    void row_button(void (EtherCATSlaveForm::*op)());
    void bind(GridView* view);
    void Btn_OKClick();

    GuiApp& app_;
    std::unique_ptr<Prompter> forward_;
    std::unique_ptr<EtherCATSlaveForm> form_;
};

}  // namespace zv::ui
