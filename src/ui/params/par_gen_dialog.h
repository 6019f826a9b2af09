#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <array>
#include <map>

#include "params/par_gen_form.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// A titled panel whose body the user can fold away by clicking the title.
class CategoryPanel : public QWidget {
    Q_OBJECT
public:
    CategoryPanel(const QString& object_name, QWidget* parent);
    void set_title(const QString& t) { header_->setText(t); }
    QString title() const { return header_->text(); }
    QWidget* body() const { return body_; }
    // Height of the open panel: the bottom of its last control plus the header and 12 pixels.
    void fit_to(const QWidget* last_control);
    bool expanded() const { return !body_->isHidden(); }
    void set_expanded(bool on);
    int header_height() const;

signals:
    void heightChanged();

private:
    QToolButton* header_;
    QWidget* body_;
    int open_height_ = 0;
};

// The communication parameter editor: the window of ParGenForm.
class TFParGen : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFParGen(GuiApp& app);
    ~TFParGen() override;

    void Set_Lang() override;
    // FormShow: the controls from ParGen.xml or the defaults; Is_Change cleared.
    // Throws zv::Error when the file is not well-formed (the dialog is then not shown).
    void load();
    void Move_GroupBoxs();
    void Btn_OKClick();
    void Btn_CancelClick();

    ParGenForm& form() { return form_; }

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QScrollArea* CPG;
    CategoryPanel* CP_Ethernet_Connection;
    CategoryPanel* CP_PROFINET_Master;
    CategoryPanel* CP_EtherCAT_Slave;

    QLabel* L_EthConn_Device_Name;
    QLineEdit* E_EthConn_Device_Name;
    QCheckBox* CB_EthConn_En_DHCP_Cable;
    QCheckBox* CB_EthConn_En_DHCP_WiFi;
    QCheckBox* CB_EthConn_Enable_DNS;
    QLabel* L_EthConn_Primary_DNS;
    std::array<QLineEdit*, 4> E_EthConn_Pri_DNS_IP{};
    QLabel* L_EthConn_Secondary_DNS;
    std::array<QLineEdit*, 4> E_EthConn_Sec_DNS_IP{};

    QLabel* L_PROFINET_Master_IP;
    std::array<QLineEdit*, 4> E_PROFINET_Master_IP{};
    QLabel* L_PROFINET_Master_SM;
    std::array<QLineEdit*, 4> E_PROFINET_Master_SM{};
    QCheckBox* CB_PROFINET_Master_GAT;
    std::array<QLineEdit*, 4> E_PROFINET_Master_GAT{};
    QLabel* L_PROFINET_Master_NameStation;
    QLineEdit* E_PROFINET_Master_NameStation;

    QLabel* L_EtherCAT_Slave_Revision_Number;
    QLineEdit* E_EtherCAT_Slave_Revision_Number;
    QLabel* L_EtherCAT_Slave_Name;
    QLineEdit* E_EtherCAT_Slave_Name;
    QLabel* L_EtherCAT_Slave_Node_Address;
    QLineEdit* E_EtherCAT_Slave_Node_Address;
    QCheckBox* CB_EtherCAT_Slave_Clear_Data;

    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Forward;
    void Order_TAB_Panels();
    void bind(QLineEdit* e, std::string& value, int max_length = 0);
    void bind(QCheckBox* c, bool& value);
    void show_values();

    GuiApp& app_;
    std::unique_ptr<Forward> forward_;
    ParGenForm form_;
    // Address bytes: where "." moves the focus (nullptr: nowhere).
    std::map<QLineEdit*, QLineEdit*> dot_next_;
    std::map<QLineEdit*, int> max_length_;
    std::vector<std::function<void()>> show_value_;
};

}  // namespace zv::ui
