#include "ui/params/par_gen_dialog.h"

#include <QFont>
#include <QKeyEvent>
#include <QScrollBar>
#include <QValidator>
#include <QVBoxLayout>

#include "text/error.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

// Not fixed in size: the user may change the height.
constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 700;
constexpr int kLabelX = 10;
constexpr int kEditX = 168;
constexpr int kEditWidth = 238;
constexpr int kByteWidth = 55;
constexpr int kByteStep = 65;  // a byte edit and its "." label
constexpr int kRowHeight = 24;
constexpr int kRowStep = 32;
constexpr int kFirstRow = 8;

int row_y(int row) { return kFirstRow + row * kRowStep; }

// The name of station is lower case whatever the user types.
class LowerCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toLower();
        return Acceptable;
    }
};

}  // namespace

CategoryPanel::CategoryPanel(const QString& object_name, QWidget* parent) : QWidget(parent) {
    setObjectName(object_name);
    header_ = new QToolButton(this);
    header_->setObjectName(object_name + "_Header");
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setArrowType(Qt::DownArrow);
    header_->setAutoRaise(true);
    QFont f = header_->font();
    f.setBold(true);
    header_->setFont(f);
    header_->setFocusPolicy(Qt::NoFocus);
    header_->setStyleSheet("QToolButton { background: #dde3ea; border: none; text-align: left; padding: 2px; }");
    body_ = new QWidget(this);
    connect(header_, &QToolButton::clicked, this, [this] { set_expanded(!expanded()); });
}

int CategoryPanel::header_height() const { return 24; }

void CategoryPanel::fit_to(const QWidget* last_control) {
    open_height_ = last_control->geometry().bottom() + 1 + header_height() + 12;
    set_expanded(expanded());
}

void CategoryPanel::set_expanded(bool on) {
    body_->setVisible(on);
    header_->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
    int w = width();
    header_->setGeometry(0, 0, w, header_height());
    body_->setGeometry(0, header_height(), w, std::max(0, open_height_ - header_height()));
    resize(w, on ? open_height_ : header_height());
    emit heightChanged();
}

struct TFParGen::Forward : Prompter {
    TFParGen& dlg;
    explicit Forward(TFParGen& d) : dlg(d) {}
    void error(const std::string& t) override { dlg.app_.prompter(&dlg).error(t); }
    void warning(const std::string& t) override { dlg.app_.prompter(&dlg).warning(t); }
    void information(const std::string& t) override { dlg.app_.prompter(&dlg).information(t); }
    bool confirm(const std::string& t) override { return dlg.app_.prompter(&dlg).confirm(t); }
};

TFParGen::TFParGen(GuiApp& app)
    : QDialog(nullptr, kDialogFlags),
      app_(app),
      forward_(std::make_unique<Forward>(*this)),
      form_(app.ctx.String_Table, *forward_) {
    setObjectName("TFParGen");
    setModal(true);
    // The user may change the height only.
    setFixedWidth(kClientWidth);
    setMinimumHeight(300);
    resize(kClientWidth, kClientHeight);

    auto* title = new QWidget(this);
    title->setObjectName("P_Title");
    title->setFixedHeight(72);
    L_SW_Code = make_sw_code_label(title);
    L_SW_Code->setGeometry(10, 6, 200, 36);
    L_SW_Desc = make_sw_desc_label(title, 440);

    CPG = new QScrollArea(this);
    CPG->setObjectName("CPG");
    CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CPG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* group = new QWidget;
    CPG->setWidget(group);
    CPG->setWidgetResizable(false);

    auto* buttons = new QWidget(this);
    buttons->setObjectName("P_Button");
    buttons->setFixedHeight(56);
    Btn_OK = new QPushButton(buttons);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setGeometry(kClientWidth - 210, 12, 95, 32);
    Btn_OK->setAutoDefault(false);
    Btn_Cancel = new QPushButton(buttons);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setGeometry(kClientWidth - 105, 12, 95, 32);
    Btn_Cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(CPG, 1);
    layout->addWidget(buttons);

    CP_Ethernet_Connection = new CategoryPanel("CP_Ethernet_Connection", group);
    CP_PROFINET_Master = new CategoryPanel("CP_PROFINET_Master", group);
    CP_EtherCAT_Slave = new CategoryPanel("CP_EtherCAT_Slave", group);
    const int panel_width = kClientWidth - CPG->verticalScrollBar()->sizeHint().width() - 2 * CPG->frameWidth();
    for (CategoryPanel* p : {CP_Ethernet_Connection, CP_PROFINET_Master, CP_EtherCAT_Slave}) p->resize(panel_width, 0);

    auto label = [](QWidget* parent, const char* name, int row) {
        auto* l = new QLabel(parent);
        l->setObjectName(name);
        l->setGeometry(kLabelX, row_y(row), kEditX - kLabelX - 4, kRowHeight);
        return l;
    };
    auto edit = [](QWidget* parent, const QString& name, int x, int row, int width) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        e->setGeometry(x, row_y(row), width, kRowHeight);
        return e;
    };
    auto check = [](QWidget* parent, const char* name, int x, int row, int width) {
        auto* c = new QCheckBox(parent);
        c->setObjectName(name);
        c->setGeometry(x, row_y(row), width, kRowHeight);
        return c;
    };
    auto address = [&](QWidget* parent, const QString& prefix, int row, std::array<QLineEdit*, 4>& edits) {
        for (int i = 0; i < 4; ++i) {
            edits[i] = edit(parent, prefix + QString::number(i + 1), kEditX + i * kByteStep, row, kByteWidth);
            edits[i]->installEventFilter(this);
            if (i < 3) {
                auto* dot = new QLabel(".", parent);
                dot->setGeometry(kEditX + i * kByteStep + kByteWidth + 2, row_y(row), kByteStep - kByteWidth - 4, kRowHeight);
                dot->setAlignment(Qt::AlignCenter);
            }
        }
    };
    const int wide = panel_width - 2 * kLabelX;

    QWidget* b1 = CP_Ethernet_Connection->body();
    L_EthConn_Device_Name = label(b1, "L_EthConn_Device_Name", 0);
    E_EthConn_Device_Name = edit(b1, "E_EthConn_Device_Name", kEditX, 0, kEditWidth);
    CB_EthConn_En_DHCP_Cable = check(b1, "CB_EthConn_En_DHCP_Cable", kLabelX, 1, wide);
    CB_EthConn_En_DHCP_WiFi = check(b1, "CB_EthConn_En_DHCP_WiFi", kLabelX, 2, wide);
    CB_EthConn_Enable_DNS = check(b1, "CB_EthConn_Enable_DNS", kLabelX, 3, wide);
    L_EthConn_Primary_DNS = label(b1, "L_EthConn_Primary_DNS", 4);
    address(b1, "E_EthConn_Pri_DNS_IP", 4, E_EthConn_Pri_DNS_IP);
    L_EthConn_Secondary_DNS = label(b1, "L_EthConn_Secondary_DNS", 5);
    address(b1, "E_EthConn_Sec_DNS_IP", 5, E_EthConn_Sec_DNS_IP);

    QWidget* b2 = CP_PROFINET_Master->body();
    L_PROFINET_Master_IP = label(b2, "L_PROFINET_Master_IP", 0);
    address(b2, "E_PROFINET_Master_IP", 0, E_PROFINET_Master_IP);
    L_PROFINET_Master_SM = label(b2, "L_PROFINET_Master_SM", 1);
    address(b2, "E_PROFINET_Master_SM", 1, E_PROFINET_Master_SM);
    CB_PROFINET_Master_GAT = check(b2, "CB_PROFINET_Master_GAT", kLabelX, 2, kEditX - kLabelX - 4);
    address(b2, "E_PROFINET_Master_GAT", 2, E_PROFINET_Master_GAT);
    L_PROFINET_Master_NameStation = label(b2, "L_PROFINET_Master_NameStation", 3);
    E_PROFINET_Master_NameStation = edit(b2, "E_PROFINET_Master_NameStation", kEditX, 3, kEditWidth);
    E_PROFINET_Master_NameStation->setValidator(new LowerCaseValidator(E_PROFINET_Master_NameStation));

    QWidget* b3 = CP_EtherCAT_Slave->body();
    L_EtherCAT_Slave_Revision_Number = label(b3, "L_EtherCAT_Slave_Revision_Number", 0);
    E_EtherCAT_Slave_Revision_Number = edit(b3, "E_EtherCAT_Slave_Revision_Number", kEditX, 0, kEditWidth);
    E_EtherCAT_Slave_Revision_Number->installEventFilter(this);
    L_EtherCAT_Slave_Name = label(b3, "L_EtherCAT_Slave_Name", 1);
    E_EtherCAT_Slave_Name = edit(b3, "E_EtherCAT_Slave_Name", kEditX, 1, kEditWidth);
    L_EtherCAT_Slave_Node_Address = label(b3, "L_EtherCAT_Slave_Node_Address", 2);
    E_EtherCAT_Slave_Node_Address = edit(b3, "E_EtherCAT_Slave_Node_Address", kEditX, 2, kEditWidth);
    E_EtherCAT_Slave_Node_Address->installEventFilter(this);
    CB_EtherCAT_Slave_Clear_Data = check(b3, "CB_EtherCAT_Slave_Clear_Data", kLabelX, 3, wide);

    // "." moves along each address chain; the last byte of a chain keeps the focus.
    auto chain = [&](std::initializer_list<std::array<QLineEdit*, 4>*> rows) {
        std::vector<QLineEdit*> all;
        for (auto* r : rows) all.insert(all.end(), r->begin(), r->end());
        for (size_t i = 0; i < all.size(); ++i) dot_next_[all[i]] = i + 1 < all.size() ? all[i + 1] : nullptr;
    };
    chain({&E_PROFINET_Master_IP, &E_PROFINET_Master_SM, &E_PROFINET_Master_GAT});
    chain({&E_EthConn_Pri_DNS_IP, &E_EthConn_Sec_DNS_IP});

    ParGenValues& v = form_.values;
    bind(E_EthConn_Device_Name, v.device_name, 31);
    bind(CB_EthConn_En_DHCP_Cable, v.dhcp_cable);
    bind(CB_EthConn_En_DHCP_WiFi, v.dhcp_wifi);
    bind(CB_EthConn_Enable_DNS, v.enable_dns);
    for (int i = 0; i < 4; ++i) {
        bind(E_EthConn_Pri_DNS_IP[i], v.primary_dns[i]);
        bind(E_EthConn_Sec_DNS_IP[i], v.secondary_dns[i]);
        bind(E_PROFINET_Master_IP[i], v.ip[i]);
        bind(E_PROFINET_Master_SM[i], v.subnet_mask[i]);
        bind(E_PROFINET_Master_GAT[i], v.gateway[i]);
    }
    bind(CB_PROFINET_Master_GAT, v.enable_gateway);
    bind(E_PROFINET_Master_NameStation, v.name_of_station, 15);
    bind(E_EtherCAT_Slave_Revision_Number, v.revision_number);
    bind(E_EtherCAT_Slave_Name, v.slave_name, 15);
    bind(E_EtherCAT_Slave_Node_Address, v.node_address);
    bind(CB_EtherCAT_Slave_Clear_Data, v.clear_data);
    connect(CB_EthConn_En_DHCP_Cable, &QCheckBox::clicked, this, &TFParGen::Move_GroupBoxs);
    connect(CB_EthConn_En_DHCP_WiFi, &QCheckBox::clicked, this, &TFParGen::Move_GroupBoxs);

    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);

    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

TFParGen::~TFParGen() = default;

void TFParGen::bind(QLineEdit* e, std::string& value, int max_length) {
    if (max_length > 0) {
        max_length_[e] = max_length;
        e->setMaxLength(max_length);
    }
    connect(e, &QLineEdit::textChanged, this, [this, &value](const QString& t) {
        value = ss(t);
        form_.Is_Change = true;
    });
    show_value_.push_back([this, e, &value] {
        // A longer hand-edited text is shown whole, never cut by the edit's limit.
        auto it = max_length_.find(e);
        if (it != max_length_.end()) e->setMaxLength(std::max(it->second, static_cast<int>(qs(value).size())));
        e->setText(qs(value));
    });
}

void TFParGen::bind(QCheckBox* c, bool& value) {
    connect(c, &QCheckBox::toggled, this, [this, &value](bool on) {
        value = on;
        form_.Is_Change = true;
    });
    show_value_.push_back([c, &value] { c->setChecked(value); });
}

void TFParGen::show_values() {
    for (auto& f : show_value_) f();
}

void TFParGen::Order_TAB_Panels() {
    const StringTable& t = app_.ctx.String_Table;
    CP_Ethernet_Connection->set_title("1. " + qs(t[1918]));
    CP_PROFINET_Master->set_title("2. " + qs(t[406]));
    CP_EtherCAT_Slave->set_title("3. " + qs(t[1869]));
    auto restack = [this] {
        int y = 0;
        for (CategoryPanel* p : {CP_Ethernet_Connection, CP_PROFINET_Master, CP_EtherCAT_Slave}) {
            p->move(0, y);
            y += p->height();
        }
        CPG->widget()->resize(CP_Ethernet_Connection->width(), y);
    };
    for (CategoryPanel* p : {CP_Ethernet_Connection, CP_PROFINET_Master, CP_EtherCAT_Slave})
        connect(p, &CategoryPanel::heightChanged, this, restack);
}

void TFParGen::Move_GroupBoxs() {
    CP_Ethernet_Connection->fit_to(E_EthConn_Sec_DNS_IP[3]);
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);

    CP_PROFINET_Master->fit_to(E_PROFINET_Master_NameStation);
    const bool on = form_.profinet_address_enabled();
    for (int i = 0; i < 4; ++i) {
        E_PROFINET_Master_IP[i]->setEnabled(on);
        E_PROFINET_Master_SM[i]->setEnabled(on);
        E_PROFINET_Master_GAT[i]->setEnabled(on);
    }
    CB_PROFINET_Master_GAT->setEnabled(on);

    CP_EtherCAT_Slave->fit_to(CB_EtherCAT_Slave_Clear_Data);
}

void TFParGen::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[400]));
    L_SW_Desc->setText(qs(t[401]));
    Btn_OK->setText(qs(t[402]));
    Btn_OK->setToolTip(qs(t[404]));
    Btn_Cancel->setText(qs(t[403]));
    Btn_Cancel->setToolTip(qs(t[405]));

    auto cap = [&](QWidget* w, int caption, int hint) {
        if (auto* l = qobject_cast<QLabel*>(w)) l->setText(qs(t[caption]));
        if (auto* c = qobject_cast<QCheckBox*>(w)) c->setText(qs(t[caption]));
        if (hint >= 0) w->setToolTip(qs(t[hint]));
    };
    cap(L_EthConn_Device_Name, 1919, -1);
    E_EthConn_Device_Name->setToolTip(qs(t[1920]));
    cap(CB_EthConn_En_DHCP_Cable, 1921, 1922);
    cap(CB_EthConn_En_DHCP_WiFi, 1923, 1924);
    cap(CB_EthConn_Enable_DNS, 1925, 1926);
    cap(L_EthConn_Primary_DNS, 1927, -1);
    cap(L_EthConn_Secondary_DNS, 1932, -1);
    cap(L_PROFINET_Master_IP, 411, -1);
    cap(L_PROFINET_Master_SM, 416, -1);
    cap(CB_PROFINET_Master_GAT, 417, 418);
    for (int i = 0; i < 4; ++i) {
        E_EthConn_Pri_DNS_IP[i]->setToolTip(qs(t[1928 + i]));
        E_EthConn_Sec_DNS_IP[i]->setToolTip(qs(t[1933 + i]));
        E_PROFINET_Master_IP[i]->setToolTip(qs(t[407 + i]));
        E_PROFINET_Master_SM[i]->setToolTip(qs(t[412 + i]));
        E_PROFINET_Master_GAT[i]->setToolTip(qs(t[419 + i]));
    }
    cap(L_PROFINET_Master_NameStation, 423, -1);
    E_PROFINET_Master_NameStation->setToolTip(qs(t[424]));
    cap(L_EtherCAT_Slave_Revision_Number, 1870, -1);
    E_EtherCAT_Slave_Revision_Number->setToolTip(qs(t[1871]));
    cap(L_EtherCAT_Slave_Name, 1872, -1);
    E_EtherCAT_Slave_Name->setToolTip(qs(t[1873]));
    cap(L_EtherCAT_Slave_Node_Address, 1874, -1);
    E_EtherCAT_Slave_Node_Address->setToolTip(qs(t[1875]));
    cap(CB_EtherCAT_Slave_Clear_Data, 1948, 1949);
}

void TFParGen::load() {
    form_.load(app_.ctx.state.File_ParGen);
    show_values();
    form_.Is_Change = false;  // showing the values fired the change handlers
    Move_GroupBoxs();
}

void TFParGen::Btn_OKClick() {
    try {
        if (form_.ok(app_.ctx.state.File_ParGen)) accept();
    } catch (const Error& e) {
        app_.prompter(this).error(e.what());
    }
}

void TFParGen::Btn_CancelClick() {
    if (form_.cancel()) reject();
}

bool TFParGen::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const QString text = static_cast<QKeyEvent*>(e)->text();
    if (!edit || text.isEmpty()) return false;
    auto next = dot_next_.find(edit);
    if (next != dot_next_.end()) {
        if (text != ".") return false;
        if (next->second && next->second->isEnabled() && next->second->isVisible()) next->second->setFocus();
        return true;
    }
    // Revision number and node address: digits only from the keyboard.
    if (edit == E_EtherCAT_Slave_Revision_Number || edit == E_EtherCAT_Slave_Node_Address)
        return text[0].isPrint() && !text[0].isDigit();
    return false;
}

}  // namespace zv::ui
