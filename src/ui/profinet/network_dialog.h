#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <functional>
#include <memory>
#include <optional>

#include "profinet/network_form.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// What the catalog dialog hands over after OK.
struct CatalogChoice {
    const TGSDML* gsdml = nullptr;
    std::string device_id, device_name, category;
};

// The network dialog: the devices of the project's PROFINET network.
class TFPROFINET_Network_Access : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFPROFINET_Network_Access(GuiApp& app);
    ~TFPROFINET_Network_Access() override;

    void Set_Lang() override;
    void prepare();  // FormShow

    // Shows the catalog dialog; nothing when it was cancelled or nothing chosen.
    std::function<std::optional<CatalogChoice>()> choose_from_catalog;

    void Add_Device();
    void Delete_Device();
    void Modules_Definition();
    void Btn_OKClick();
    void select_row(int grid_row);  // 1-based, as the form counts

    ProfinetNetworkForm& form() { return *form_; }

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QTableWidget* ACG_ListDevice;
    QPushButton* Btn_Add_Catalog;
    QPushButton* Btn_Delete_Device;
    QPushButton* Btn_Modules;
    QSplitter* Splitter;
    QScrollArea* ScrollBox1;
    QWidget* P_Device_Properties;
    QLabel* L_Dev_DevProp;
    QLabel* L_Dev_DevProp_NameStation;
    QLineEdit* E_Dev_DevProp_NameStation;
    QLabel* L_Dev_DevProp_IPAddress;
    QLineEdit* E_Dev_DevProp_IPAddress;
    QCheckBox* CB_Dev_DevProp_New_Session_SPI;
    QCheckBox* CB_Dev_DevProp_Reset_Data;
    QLabel* L_Dev_CycTime;
    QLabel* L_Dev_CycTime_Update;
    QComboBox* CB_Dev_CycTime_Update;
    QLabel* L_Dev_CycTime_Answer;
    QComboBox* CB_Dev_CycTime_Answer;
    QLabel* L_Dev_CycTime_Answer_Real;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fill_grid();
    void show_panel();
    void apply_focus(Focus f);
    void layout_panel();

    GuiApp& app_;
    std::unique_ptr<Prompter> forward_;
    std::unique_ptr<ProfinetNetworkForm> form_;
};

}  // namespace zv::ui
