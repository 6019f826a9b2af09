#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "shell/projects.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// Dialog with the product header, used by the two project dialogs.
class TFNew_Project : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFNew_Project(GuiApp& app);
    void Set_Lang() override;
    void prepare();  // the show handler
    void Btn_OKClick();

    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* Label1;
    QLineEdit* E_New_Proj;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    void showEvent(QShowEvent* e) override;

private:
    GuiApp& app_;
};

class TFOpenConf : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFOpenConf(GuiApp& app);
    void Set_Lang() override;
    void prepare();  // the show handler: Load_Existing_Configuration

    OpenConfForm form;
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;

protected:
    void showEvent(QShowEvent* e) override;

private:
    GuiApp& app_;
};

}  // namespace zv::ui
