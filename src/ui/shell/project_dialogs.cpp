#include "ui/shell/project_dialogs.h"

#include <QFont>

#include "ui/shell/qt_util.h"

namespace zv::ui {

TFNew_Project::TFNew_Project(GuiApp& app) : QDialog(nullptr, kFixedDialogFlags), app_(app) {
    setObjectName("TFNew_Project");
    setModal(true);
    setFixedSize(400, 190);
    L_SW_Code = make_sw_code_label(this);
    L_SW_Code->setGeometry(10, 8, 200, 36);
    L_SW_Desc = make_sw_desc_label(this, 380);
    Label1 = new QLabel(this);
    Label1->setGeometry(10, 82, 380, 20);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName("E_New_Proj");
    E_New_Proj->setGeometry(10, 104, 380, 26);
    Btn_OK = new QPushButton(this);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setGeometry(200, 146, 90, 32);
    Btn_OK->setAutoDefault(false);
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setGeometry(300, 146, 90, 32);
    Btn_Cancel->setAutoDefault(false);
    connect(Btn_OK, &QPushButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    Set_Lang();
}

void TFNew_Project::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[100]));
    L_SW_Desc->setText(qs(t[101]));
    Label1->setText(qs(t[102]));
    E_New_Proj->setToolTip(qs(t[108]));
    Btn_OK->setText(qs(t[103]));
    Btn_OK->setToolTip(qs(t[109]));
    Btn_Cancel->setText(qs(t[104]));
    Btn_Cancel->setToolTip(qs(t[110]));
}

void TFNew_Project::prepare() {
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::showEvent(QShowEvent* e) {
    prepare();
    QDialog::showEvent(e);
}

void TFNew_Project::Btn_OKClick() {
    if (Create_Project(app_.ctx.state, app_.ctx.String_Table, app_.prompter(this), ss(E_New_Proj->text()))) accept();
}

TFOpenConf::TFOpenConf(GuiApp& app) : QDialog(nullptr, kFixedDialogFlags), app_(app) {
    setObjectName("TFOpenConf");
    setModal(true);
    setFixedSize(400, 360);
    L_SW_Code = make_sw_code_label(this);
    L_SW_Code->setGeometry(10, 8, 200, 36);
    L_SW_Desc = make_sw_desc_label(this, 380);
    Label1 = new QLabel(this);
    Label1->setGeometry(10, 82, 380, 20);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setGeometry(10, 104, 380, 200);
    Btn_OK = new QPushButton(this);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setGeometry(200, 316, 90, 32);
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setGeometry(300, 316, 90, 32);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) form.select(row);
    });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    Set_Lang();
}

void TFOpenConf::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[200]));
    L_SW_Desc->setText(qs(t[201]));
    Label1->setText(qs(t[202]));
    ListBox1->setToolTip(qs(t[205]));
    Btn_OK->setText(qs(t[203]));
    Btn_OK->setToolTip(qs(t[206]));
    Btn_Cancel->setText(qs(t[204]));
    Btn_Cancel->setToolTip(qs(t[207]));
}

void TFOpenConf::prepare() {
    form.Load_Existing_Configuration(app_.ctx.state);
    QSignalBlocker block(ListBox1);
    ListBox1->clear();
    for (const auto& e : form.entries) ListBox1->addItem(qs(e));
    ListBox1->setCurrentRow(form.selected);
}

void TFOpenConf::showEvent(QShowEvent* e) {
    prepare();
    QDialog::showEvent(e);
}

}  // namespace zv::ui
