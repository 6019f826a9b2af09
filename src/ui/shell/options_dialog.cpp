#include "ui/shell/options_dialog.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>

namespace zv::ui {
namespace {

constexpr int kFlagW = 48, kFlagH = 32;

QCheckBox* check_box(QWidget* parent, const char* name, int y) {
    auto* c = new QCheckBox(parent);
    c->setObjectName(name);
    c->setGeometry(12, y, 460, 24);
    return c;
}

}  // namespace

TFSoftOptions::TFSoftOptions(GuiApp& app)
    : QDialog(nullptr, kFixedDialogFlags),
      form(app.ctx.state, app.ctx.String_Table, [&app] { app.Change_Language(); }),
      app_(app) {
    setObjectName("TFSoftOptions");
    setModal(true);
    setFixedSize(509, 373);

    L_SW_Code = make_sw_code_label(this);
    L_SW_Code->setGeometry(10, 8, 200, 36);
    L_SW_Desc = make_sw_desc_label(this, 380);

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName("PC_Options");
    PC_Options->setGeometry(10, 74, 489, 248);
    TS_Language = new QWidget;
    TS_Language->setObjectName("TS_Language");
    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName("TS_Con_Options");
    TS_Soft_Settings = new QWidget;
    TS_Soft_Settings->setObjectName("TS_Soft_Settings");
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());

    // Language page: six lang_slots, 1-3 on the left, 4-6 on the right.
    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName("L_Sel_Lang");
    L_Sel_Lang->setFont(L_SW_Desc->font());
    L_Sel_Lang->setGeometry(12, 10, 460, 20);
    for (int k = 0; k < SoftOptionsForm::kSlots; ++k) {
        const int x = k < 3 ? 12 : 245;
        const int y = 40 + (k % 3) * 46;
        I_L[k] = new ClickLabel(TS_Language);
        I_L[k]->setObjectName(QString("I_L%1").arg(k + 1));
        I_L[k]->setGeometry(x, y, kFlagW, kFlagH);
        I_L[k]->setScaledContents(true);
        I_L[k]->setCursor(Qt::PointingHandCursor);
        L_L[k] = new ClickLabel(TS_Language);
        L_L[k]->setObjectName(QString("L_L%1").arg(k + 1));
        L_L[k]->setGeometry(x + kFlagW + 10, y + 6, 160, 20);
        L_L[k]->setCursor(Qt::PointingHandCursor);
        connect(I_L[k], &ClickLabel::clicked, this, [this, k] { choose(k + 1); });
        connect(L_L[k], &ClickLabel::clicked, this, [this, k] { choose(k + 1); });
    }
    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName("L_Page_Lang");
    L_Page_Lang->setGeometry(12, 186, 200, 20);
    Btn_Prev = new QPushButton(TS_Language);
    Btn_Prev->setObjectName("Btn_Prev");
    Btn_Prev->setGeometry(262, 180, 100, 30);
    Btn_Next = new QPushButton(TS_Language);
    Btn_Next->setObjectName("Btn_Next");
    Btn_Next->setGeometry(370, 180, 100, 30);
    connect(Btn_Prev, &QPushButton::clicked, this, [this] {
        form.Btn_PrevClick();
        show_page();
    });
    connect(Btn_Next, &QPushButton::clicked, this, [this] {
        form.Btn_NextClick();
        show_page();
    });

    // Connection page.
    CB_En_Con = check_box(TS_Con_Options, "CB_En_Con", 12);
    CB_Update = check_box(TS_Con_Options, "CB_Update", 40);
    Btn_Check_Update = new QPushButton(TS_Con_Options);
    Btn_Check_Update->setObjectName("Btn_Check_Update");
    Btn_Check_Update->setGeometry(12, 78, 200, 30);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName("LL_Check_Update");
    LL_Check_Update->setGeometry(12, 118, 460, 40);
    LL_Check_Update->setWordWrap(true);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    LL_Check_Update->hide();
    connect(LL_Check_Update, &QLabel::linkActivated, this, [this](const QString& url) { app_.open_url(ss(url)); });
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::check_update);

    // Software settings page.
    CB_Soft_Set_Jump_Table = check_box(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 12);
    CB_DoubleClick_Auto_Size = check_box(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 40);
    for (QCheckBox* c : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(c, &QCheckBox::toggled, this, &TFSoftOptions::check_box_changed);

    Btn_OK = new QPushButton(this);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setGeometry(309, 333, 90, 32);
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setGeometry(409, 333, 90, 32);
    connect(Btn_OK, &QPushButton::clicked, this, [this] {
        form.Btn_OKClick();
        accept();
    });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    Set_Lang();
}

void TFSoftOptions::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[300]));
    L_SW_Desc->setText(qs(t[301]));
    PC_Options->setTabText(0, qs(t[302]));
    PC_Options->setTabText(1, qs(t[303]));
    PC_Options->setTabText(2, qs(t[319]));
    Btn_Prev->setText(qs(t[307]));
    Btn_Next->setText(qs(t[308]));
    CB_En_Con->setText(qs(t[309]));
    CB_Update->setText(qs(t[310]));
    Btn_Check_Update->setText(qs(t[311]));
    CB_Soft_Set_Jump_Table->setText(qs(t[320]));
    CB_DoubleClick_Auto_Size->setText(qs(t[321]));
    Btn_OK->setText(qs(t[312]));
    Btn_Cancel->setText(qs(t[313]));
}

void TFSoftOptions::prepare() {
    form.Show();
    PC_Options->setCurrentWidget(TS_Language);
    show_page();
    show_check_boxes();
    LL_Check_Update->setVisible(form.LL_Check_Update_visible);
}

void TFSoftOptions::showEvent(QShowEvent* e) {
    prepare();
    QDialog::showEvent(e);
}

void TFSoftOptions::show_page() {
    L_Sel_Lang->setText(qs(form.L_Sel_Lang));
    L_Page_Lang->setText(qs(form.L_Page_Lang));
    Btn_Prev->setVisible(form.Btn_Prev_visible);
    Btn_Next->setVisible(form.Btn_Next_visible);
    for (int k = 0; k < SoftOptionsForm::kSlots; ++k) {
        const auto& slot = form.lang_slots[k];
        L_L[k]->setVisible(slot.visible);
        L_L[k]->setText(qs(slot.name));
        QPixmap flag;
        if (slot.visible && !slot.picture.empty()) flag.load(qpath(slot.picture));
        // A picture that does not load is no picture: the name alone stays.
        I_L[k]->setPixmap(flag);
        I_L[k]->setVisible(slot.visible && !flag.isNull());
    }
}

void TFSoftOptions::show_check_boxes() {
    const std::pair<QCheckBox*, bool> boxes[] = {{CB_En_Con, form.CB_En_Con},
                                                 {CB_Update, form.CB_Update},
                                                 {CB_Soft_Set_Jump_Table, form.CB_Soft_Set_Jump_Table},
                                                 {CB_DoubleClick_Auto_Size, form.CB_DoubleClick_Auto_Size}};
    for (auto [box, on] : boxes) {
        QSignalBlocker block(box);
        box->setChecked(on);
    }
    CB_Update->setEnabled(form.CB_Update_enabled);
    Btn_Check_Update->setEnabled(form.Btn_Check_Update_enabled);
}

void TFSoftOptions::check_box_changed() {
    form.CB_En_Con = CB_En_Con->isChecked();
    form.CB_Update = CB_Update->isChecked();
    form.CB_Soft_Set_Jump_Table = CB_Soft_Set_Jump_Table->isChecked();
    form.CB_DoubleClick_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    form.Update_CheckBox();
    show_check_boxes();
}

void TFSoftOptions::choose(int k) {
    if (form.Lang_Click(k, app_.prompter(this))) show_page();
}

void TFSoftOptions::check_update() {
    // The window waits for the server (a few seconds at most).
    QApplication::setOverrideCursor(Qt::WaitCursor);
    form.Btn_Check_UpdateClick(*app_.ctx.Http_Client);
    QApplication::restoreOverrideCursor();
    if (form.LL_Check_Update_link.empty()) {
        LL_Check_Update->setTextFormat(Qt::PlainText);
        LL_Check_Update->setText(qs(form.LL_Check_Update_text));
    } else {
        LL_Check_Update->setTextFormat(Qt::RichText);
        LL_Check_Update->setText(link_html(form.LL_Check_Update_link, form.LL_Check_Update_text));
    }
    LL_Check_Update->setVisible(form.LL_Check_Update_visible);
}

}  // namespace zv::ui
