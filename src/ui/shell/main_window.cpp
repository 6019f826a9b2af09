#include "ui/shell/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "shell/product.h"
#include "shell/workspace.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

constexpr int kRowStep = 44;
constexpr int kStep1Top = 140;
constexpr int kStep6Top = kStep1Top + 5 * kRowStep;
constexpr int kCol1 = 80;
constexpr int kCol2 = 258;

QPushButton* wizard_button(QWidget* parent, const char* name, int x, int y) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(x, y, 170, 36);
    b->setStyleSheet("QPushButton { text-align: left; padding-left: 10px; }");
    return b;
}

QToolButton* icon_button(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int x) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setGeometry(x, 10, 50, 50);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(32, 32));
    b->setAutoRaise(true);
    return b;
}

}  // namespace

TFZevirovaveeFirmWare::TFZevirovaveeFirmWare(GuiApp& app, const std::filesystem::path& program_path)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      app_(app) {
    setObjectName("TFZevirovaveeFirmWare");
    setFixedSize(694, kStep6Top + 152);

    L_SW_Code = make_sw_code_label(this);
    L_SW_Code->setGeometry(10, 8, 200, 36);
    L_SW_Desc = new QLabel(this);
    L_SW_Desc->setObjectName("L_SW_Desc");
    QFont bold = L_SW_Desc->font();
    bold.setBold(true);
    L_SW_Desc->setFont(bold);
    L_SW_Desc->setGeometry(10, 46, 360, 20);
    LL_Update = new QLabel(this);
    LL_Update->setObjectName("LL_Update");
    LL_Update->setGeometry(330, 24, 180, 36);
    LL_Update->setWordWrap(true);
    LL_Update->setOpenExternalLinks(true);
    LL_Update->hide();

    buttons_[WizardButton::Info] = icon_button(this, "Btn_Info", QStyle::SP_MessageBoxInformation, 694 - 3 * 56);
    buttons_[WizardButton::Opz] = icon_button(this, "Btn_Opz", QStyle::SP_FileDialogDetailedView, 694 - 2 * 56);
    buttons_[WizardButton::Close] = icon_button(this, "Btn_Close", QStyle::SP_DialogCloseButton, 694 - 56);

    L_Begin = new QLabel(this);
    L_Begin->setObjectName("L_Begin");
    L_Begin->setGeometry(10, 92, 66, 36);
    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::StyledPanel);
    box->setGeometry(kCol1, 84, 348, 48);
    L_Name_Conf = new QLabel(box);
    L_Name_Conf->setObjectName("L_Name_Conf");
    L_Name_Conf->setGeometry(8, 4, 334, 20);
    L_Name_Conf_L2 = new QLabel(box);
    L_Name_Conf_L2->setObjectName("L_Name_Conf_L2");
    L_Name_Conf_L2->setGeometry(8, 24, 334, 20);
    QFont status = L_Name_Conf_L2->font();
    status.setBold(true);
    L_Name_Conf_L2->setFont(status);
    ILoadCat = new BusyIndicator(this);
    ILoadCat->setObjectName("ILoadCat");
    ILoadCat->setGeometry(kCol1 + 360, 88, 40, 40);
    LLoadCat = new QLabel("Loading Catalog...", this);
    LLoadCat->setObjectName("LLoadCat");
    LLoadCat->setGeometry(kCol1 + 406, 98, 160, 20);
    // Hidden until a catalog load drives it.
    ILoadCat->hide();
    LLoadCat->hide();

    for (int i = 0; i < 8; ++i) {
        L_Step[i] = new QLabel(this);
        L_Step[i]->setObjectName(QString("L_Step_%1").arg(i + 1));
        L_Step[i]->setGeometry(10, kStep1Top + i * kRowStep + 8, 66, 20);
        if (i >= 6) L_Step[i]->hide();
    }
    auto y = [](int step) { return kStep1Top + (step - 1) * kRowStep; };
    buttons_[WizardButton::New] = wizard_button(this, "Btn_New", kCol1, y(1));
    buttons_[WizardButton::Open] = wizard_button(this, "Btn_Open", kCol2, y(1));
    buttons_[WizardButton::Prm_Gen] = wizard_button(this, "Btn_Prm_Gen", kCol1, y(2));
    buttons_[WizardButton::PROFINET_Master_Access] = wizard_button(this, "Btn_PROFINET_Master_Access", kCol1, y(3));
    buttons_[WizardButton::EtherCAT_Set_Group] = wizard_button(this, "Btn_EtherCAT_Set_Group", kCol1, y(4));
    buttons_[WizardButton::EtherCAT_Set_Access] = wizard_button(this, "Btn_EtherCAT_Set_Access", kCol2, y(4));
    buttons_[WizardButton::EtherCAT_ESI_File] = wizard_button(this, "Btn_EtherCAT_ESI_File", kCol1, y(5));
    buttons_[WizardButton::CreateBin] = wizard_button(this, "Btn_CreateBin", kCol1, y(6));

    L_Velmor = new QLabel(this);
    L_Velmor->setObjectName("L_Velmor");
    L_Velmor->setText(QString("<a href=\"%1\">%2</a>").arg(qs(home_page_url()), qs(maker_web_address())));
    L_Velmor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_Velmor->setGeometry(440, y(6) + 8, 244, 20);
    L_Velmor->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(L_Velmor, &QLabel::linkActivated, this, [this](const QString& url) { app_.open_url(ss(url)); });

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(10, y(6) + 51, 674, 1);

    for (auto& [which, b] : buttons_) {
        WizardButton w = which;
        connect(b, &QAbstractButton::clicked, this, [this, w] { Btn_Click(w); });
    }
    connect(this, &TFZevirovaveeFirmWare::catalogLoadingChanged, this, [this](bool loading) {
        ILoadCat->setVisible(loading);
        LLoadCat->setVisible(loading);
    }, Qt::QueuedConnection);

    // Start-up: workspace, settings, language, the last project.
    Start_Up(app_.ctx.state, app_.ctx.String_Table, program_path);
    Timer_Update.setInterval(60000);
    connect(&Timer_Update, &QTimer::timeout, this, &TFZevirovaveeFirmWare::Timer_UpdateTimer);
    arm_update_timer();
    setWindowTitle(kMainWindowTitle);
    L_SW_Desc->setText(SW_Desc);
    Set_Lang();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFZevirovaveeFirmWare::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    L_Begin->setText(qs(t[0]));
    for (int i = 0; i < 8; ++i) L_Step[i]->setText(qs(t[1 + i]));
    struct Text {
        WizardButton b;
        int caption, hint;
    };
    static constexpr Text kTexts[] = {
        {WizardButton::Info, -1, 12},
        {WizardButton::Opz, -1, 13},
        {WizardButton::Close, -1, 14},
        {WizardButton::New, 15, 22},
        {WizardButton::Open, 16, 23},
        {WizardButton::Prm_Gen, 20, 24},
        {WizardButton::PROFINET_Master_Access, 21, 25},
        {WizardButton::EtherCAT_Set_Group, 72, 73},
        {WizardButton::EtherCAT_Set_Access, 52, 53},
        {WizardButton::EtherCAT_ESI_File, 64, 65},
        {WizardButton::CreateBin, 17, 26},
    };
    for (const auto& x : kTexts) {
        if (x.caption >= 0) buttons_.at(x.b)->setText(qs(t[x.caption]));
        buttons_.at(x.b)->setToolTip(qs(t[x.hint]));
    }
    show_project_status();
}

void TFZevirovaveeFirmWare::show_project_status() {
    auto [l1, l2] = status_lines(app_.ctx.String_Table, app_.ctx.state);
    L_Name_Conf->setText(qs(l1));
    L_Name_Conf_L2->setText(qs(l2));
}

void TFZevirovaveeFirmWare::Btn_Click(WizardButton b) {
    WizardAction a = zv::Btn_Click(b, app_.ctx.state, catalog_loading(), app_.ctx.String_Table, app_.prompter(this));
    if (a == WizardAction::None) return;
    if (a == WizardAction::Close) {
        close();
        return;
    }
    auto it = actions.find(a);
    if (it != actions.end() && it->second) {
        it->second();
    } else {
        app_.prompter(this).information("This step is not available in this build.");
    }
}

void TFZevirovaveeFirmWare::set_catalog_loading(bool loading) { emit catalogLoadingChanged(loading); }

void TFZevirovaveeFirmWare::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shown_once_) return;
    shown_once_ = true;
    if (on_first_show) on_first_show();
}

void TFZevirovaveeFirmWare::arm_update_timer() {
    const ShellState& s = app_.ctx.state;
    if (s.Enable_Internet && s.Enable_Update)
        Timer_Update.start();
    else
        Timer_Update.stop();
}

void TFZevirovaveeFirmWare::Timer_UpdateTimer() {
    if (update_check) update_check();
}

void TFZevirovaveeFirmWare::closeEvent(QCloseEvent* e) {
    Save_Setting(app_.ctx.state);  // a failure goes to stderr; closing goes on
    e->accept();
}

}  // namespace zv::ui
