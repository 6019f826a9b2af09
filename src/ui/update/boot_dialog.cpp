#include "ui/update/boot_dialog.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>

#include "shell/product.h"
#include "shell/start_program.h"
#include "ui/shell/busy_indicator.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

// Bands from the top: title, address, options, buttons.
constexpr int kWidth = 449;
constexpr int kTitleBand = 72;
constexpr int kAddressBand = 64;
constexpr int kOptionsBand = 88;
constexpr int kButtonsBand = 56;

// Repaints only: the configurator takes no input while it waits.
void repaint_only() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

// The form talks to whatever the dialog uses at the moment of the call: the
// app's message boxes, and the echo client and clock a test may have put in.
struct TFBoot::Forward : Prompter, EchoClient, Clock {
    TFBoot& dlg;
    IcmpEchoClient icmp;
    EchoClient* echo = &icmp;
    Clock* clock = &steady_clock_ms();
    explicit Forward(TFBoot& d) : dlg(d) {}
    void error(const std::string& t) override { dlg.app_.prompter(&dlg).error(t); }
    void warning(const std::string& t) override { dlg.app_.prompter(&dlg).warning(t); }
    void information(const std::string& t) override { dlg.app_.prompter(&dlg).information(t); }
    bool confirm(const std::string& t) override { return dlg.app_.prompter(&dlg).confirm(t); }
    void set_host(const std::string& h) override { echo->set_host(h); }
    EchoReply send(const std::string& d, int w) override { return echo->send(d, w); }
    std::int64_t now_ms() override { return clock->now_ms(); }
    void sleep_ms(int ms) override { clock->sleep_ms(ms); }
};

TFBoot::TFBoot(GuiApp& app) : QDialog(nullptr, kFixedDialogFlags), app_(app), forward_(std::make_unique<Forward>(*this)) {
    form_ = std::make_unique<BootForm>(app.ctx.String_Table, *forward_, app.ctx.state, *forward_,
                                       [this](const std::filesystem::path& f, const std::string& p, bool h) {
                                           if (start_program)
                                               start_program(f, p, h);
                                           else
                                               run_updater(f, p, h);
                                       },
                                       *forward_);
    form_->process_messages = repaint_only;

    setObjectName("TFBoot");
    setModal(true);
    setFixedSize(kWidth, kTitleBand + kAddressBand + kOptionsBand + kButtonsBand);

    L_SW_Code = make_sw_code_label(this);
    L_SW_Code->setGeometry(10, 8, 250, 36);
    L_SW_Desc = make_sw_desc_label(this, kWidth - 20);

    int y = kTitleBand;
    L_IP_Address = new QLabel(this);
    L_IP_Address->setObjectName("L_IP_Address");
    L_IP_Address->setGeometry(10, y + 4, kWidth - 20, 20);
    const char* names[] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* e = new QLineEdit("0", this);
        e->setObjectName(names[i]);
        e->setGeometry(10 + i * 62, y + 28, 48, 26);
        e->setAlignment(Qt::AlignCenter);
        e->installEventFilter(this);
        E_IP[i] = e;
        if (i < 3) {
            auto* dot = new QLabel(".", this);
            dot->setGeometry(10 + i * 62 + 50, y + 28, 10, 26);
            dot->setAlignment(Qt::AlignCenter);
        }
    }

    y += kAddressBand;
    L_Update_Option = new QLabel(this);
    L_Update_Option->setObjectName("L_Update_Option");
    L_Update_Option->setGeometry(10, y + 4, kWidth - 20, 20);
    CB_Update_Options = new QComboBox(this);
    CB_Update_Options->setObjectName("CB_Update_Options");
    CB_Update_Options->setEditable(false);
    CB_Update_Options->setGeometry(10, y + 28, 240, 26);
    CB_Update_Option_Read_Back = new QCheckBox(this);
    CB_Update_Option_Read_Back->setObjectName("CB_Update_Option_Read_Back");
    CB_Update_Option_Read_Back->setChecked(true);
    CB_Update_Option_Read_Back->setGeometry(10, y + 60, 240, 22);

    y += kOptionsBand;
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setGeometry(kWidth - 10 - 2 * 170 - 10, y + 10, 170, 36);
    Btn_Cancel->setAutoDefault(false);
    Btn_Update = new QPushButton(this);
    Btn_Update->setObjectName("Btn_Update");
    Btn_Update->setGeometry(kWidth - 10 - 170, y + 10, 170, 36);
    Btn_Update->setAutoDefault(false);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);

    setTabOrder(E_IP[0], E_IP[1]);
    setTabOrder(E_IP[1], E_IP[2]);
    setTabOrder(E_IP[2], E_IP[3]);
    setTabOrder(E_IP[3], CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Cancel);
    setTabOrder(Btn_Cancel, Btn_Update);
    Set_Lang();
}

TFBoot::~TFBoot() = default;

void TFBoot::set_echo_client(EchoClient* c) { forward_->echo = c ? c : &forward_->icmp; }
void TFBoot::set_clock(Clock* c) { forward_->clock = c ? c : &steady_clock_ms(); }

void TFBoot::Set_Lang() {
    BootForm::Texts x = form_->Set_Lang();
    setWindowTitle(qs(x.caption));
    L_SW_Desc->setText(qs(x.sw_desc));
    L_IP_Address->setText(qs(x.ip_label));
    for (int i = 0; i < 4; ++i) E_IP[i]->setToolTip(qs(x.ip_hints[i]));
    L_Update_Option->setText(qs(x.option_label));
    {
        QSignalBlocker block(CB_Update_Options);
        CB_Update_Options->clear();
        for (const auto& item : x.options) CB_Update_Options->addItem(qs(item));
        CB_Update_Options->setCurrentIndex(0);
    }
    CB_Update_Options->setToolTip(qs(x.options_hint));
    CB_Update_Option_Read_Back->setText(qs(x.read_back));
    CB_Update_Option_Read_Back->setToolTip(qs(x.read_back_hint));
    Btn_Cancel->setText(qs(x.cancel));
    Btn_Cancel->setToolTip(qs(x.cancel_hint));
    Btn_Update->setText(qs(x.update));
    Btn_Update->setToolTip(qs(x.update_hint));
}

void TFBoot::prepare() {
    Set_Lang();
    L_SW_Code->setText(QString::fromLatin1(SW_Code));
    for (int i = 0; i < 4; ++i) form_->E_IP[i] = ss(E_IP[i]->text());
    form_->FormShow();
    for (int i = 0; i < 4; ++i) E_IP[i]->setText(qs(form_->E_IP[i]));
    CB_Update_Options->setCurrentIndex(form_->update_option);
    CB_Update_Option_Read_Back->setChecked(form_->read_back);
    E_IP[0]->setFocus();
}

void TFBoot::showEvent(QShowEvent* e) {
    prepare();
    QDialog::showEvent(e);
}

bool TFBoot::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        for (int i = 0; i < 4; ++i) {
            if (watched != E_IP[i]) continue;
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->text().size() != 1) break;
            BootForm::KeyResult r = BootForm::key_press(i, k->text().at(0).toLatin1());
            if (r.focus >= 0) {
                E_IP[r.focus]->setFocus();
                E_IP[r.focus]->selectAll();
            }
            return !r.insert;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TFBoot::Btn_UpdateClick() {
    for (int i = 0; i < 4; ++i) form_->E_IP[i] = ss(E_IP[i]->text());
    form_->update_option = CB_Update_Options->currentIndex();
    form_->read_back = CB_Update_Option_Read_Back->isChecked();
    try {
        form_->Btn_UpdateClick();
    } catch (const std::exception& e) {
        app_.prompter(this).error(e.what());  // e.g. the job file could not be written
    }
}

void TFBoot::run_updater(const std::filesystem::path& file, const std::string& parameters, bool hidden) {
    // A window that paints nothing for minutes looks crashed: show that we wait.
    QDialog busy(this, Qt::Dialog | Qt::FramelessWindowHint);
    busy.setObjectName("TFBoot_Busy");
    busy.setWindowModality(Qt::ApplicationModal);
    busy.setFixedSize(300, 72);
    auto* spin = new BusyIndicator(&busy);
    spin->setGeometry(12, 12, 48, 48);
    auto* label = new QLabel(qs(file.filename().string()), &busy);
    label->setGeometry(72, 12, 216, 48);
    busy.show();
    repaint_only();
    Start_Program(file, parameters, hidden, kStartProgramLimitMs, repaint_only);
}

}  // namespace zv::ui
