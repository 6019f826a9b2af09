#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "ui/shell/gui_app.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {

// The about box. Its texts are fixed: they do not follow the language.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(GuiApp& app);

    ClickLabel* Image1;     // the product picture
    ClickLabel* L_Web;      // the maker's web address
    QPushButton* Btn_OK;

private:
    GuiApp& app_;
};

}  // namespace zv::ui
