#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <memory>

#include "update/boot_form.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The update dialog: device address, update options, and the update itself.
class TFBoot : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFBoot(GuiApp& app);
    ~TFBoot() override;

    void Set_Lang() override;
    void prepare();  // the show handler
    void Btn_UpdateClick();

    // Tests replace the echo client and the updater start.
    void set_echo_client(EchoClient* c);
    void set_clock(Clock* c);
    BootForm::StartFn start_program;

    // Form_Type, the box texts as the form last saw them, ping_res.
    BootForm& form() { return *form_; }

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* L_IP_Address;
    std::array<QLineEdit*, 4> E_IP{};
    QLabel* L_Update_Option;
    QComboBox* CB_Update_Options;
    QCheckBox* CB_Update_Option_Read_Back;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_Update;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Forward;
    void run_updater(const std::filesystem::path& file, const std::string& parameters, bool hidden);

    GuiApp& app_;
    std::unique_ptr<Forward> forward_;
    std::unique_ptr<BootForm> form_;
};

}  // namespace zv::ui
