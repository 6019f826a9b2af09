#include "ui/text/table_dialog.h"

#include <QFont>
#include <QVBoxLayout>

#include "shell/product.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {

void add_title(QWidget* dialog, int width, QLabel*& L_SW_Code, QLabel*& L_SW_Desc) {
    L_SW_Code = make_sw_code_label(dialog);
    L_SW_Code->setGeometry(10, 6, 250, 36);
    L_SW_Code->setText(QString::fromLatin1(SW_Code));
    L_SW_Desc = new QLabel(dialog);
    L_SW_Desc->setObjectName("L_SW_Desc");
    QFont bold = L_SW_Desc->font();
    bold.setBold(true);
    L_SW_Desc->setFont(bold);
    L_SW_Desc->setGeometry(270, 14, width - 280, 22);
}

GridView* add_grid_page(QTabWidget* tabs, const char* page_name, const char* grid_name, Grid& g,
                        const ShellState& settings) {
    auto* w = new QWidget;
    w->setObjectName(page_name);
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(2, 2, 2, 2);
    auto* view = new GridView(g, settings, w);
    view->setObjectName(grid_name);
    lay->addWidget(view);
    tabs->addTab(w, QString());
    return view;
}

QPushButton* bottom_button(QWidget* dialog, const char* name, int x, int w, int h) {
    auto* b = new QPushButton(dialog);
    b->setObjectName(name);
    b->setGeometry(x, h - 44, w, 34);
    b->setAutoDefault(false);
    return b;
}

}  // namespace zv::ui
