#include "ui/profinet/network_dialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QShowEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "shell/product.h"
#include "text/error.h"
#include "ui/profinet/modules_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_util.h"
#include "ui/text/table_dialog.h"

namespace zv::ui {
namespace {

constexpr int kPanelHeight = 217;
constexpr int kLabelX = 8;
constexpr int kFieldX = 180;
constexpr int kFieldMargin = 191;  // the edits and the update combo get the panel's width minus this

QPushButton* button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumSize(170, 36);
    return b;
}

QLabel* label(QWidget* parent, const char* name, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

}  // namespace

TFPROFINET_Network_Access::TFPROFINET_Network_Access(GuiApp& app)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowCloseButtonHint),
      app_(app),
      forward_(std::make_unique<AppPrompter>(app, this)),
      form_(std::make_unique<ProfinetNetworkForm>(app.ctx.String_Table, *forward_)) {
    setObjectName("TFPROFINET_Network_Access");
    setModal(true);
    resize(1150, 583);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 10);
    L_SW_Code = make_sw_code_label(this);
    root->addWidget(L_SW_Code);
    L_SW_Desc = label(this, "L_SW_Desc", true);
    root->addWidget(L_SW_Desc);

    auto* tools = new QHBoxLayout;
    Btn_Add_Catalog = button(this, "Btn_Add_Catalog");
    Btn_Delete_Device = button(this, "Btn_Delete_Device");
    Btn_Modules = button(this, "Btn_Modules");
    tools->addWidget(Btn_Add_Catalog);
    tools->addWidget(Btn_Delete_Device);
    tools->addWidget(Btn_Modules);
    tools->addStretch();
    root->addLayout(tools);

    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName("Splitter");
    Splitter->setChildrenCollapsible(false);
    ACG_ListDevice = new QTableWidget(Splitter);
    ACG_ListDevice->setObjectName("ACG_ListDevice");
    ACG_ListDevice->setSelectionBehavior(QAbstractItemView::SelectRows);
    ACG_ListDevice->setSelectionMode(QAbstractItemView::SingleSelection);
    ACG_ListDevice->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ACG_ListDevice->verticalHeader()->hide();
    ACG_ListDevice->verticalHeader()->setDefaultSectionSize(24);
    ACG_ListDevice->setWordWrap(false);
    ACG_ListDevice->viewport()->installEventFilter(this);

    ScrollBox1 = new QScrollArea(Splitter);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(true);
    P_Device_Properties = new QWidget;
    P_Device_Properties->setObjectName("P_Device_Properties");
    P_Device_Properties->setMinimumHeight(kPanelHeight);
    ScrollBox1->setWidget(P_Device_Properties);
    Splitter->addWidget(ACG_ListDevice);
    Splitter->addWidget(ScrollBox1);
    Splitter->setStretchFactor(0, 1);
    Splitter->setSizes({240, kPanelHeight + 4});
    root->addWidget(Splitter, 1);

    QWidget* p = P_Device_Properties;
    L_Dev_DevProp = label(p, "L_Dev_DevProp", true);
    L_Dev_DevProp_NameStation = label(p, "L_Dev_DevProp_NameStation");
    E_Dev_DevProp_NameStation = new QLineEdit(p);
    E_Dev_DevProp_NameStation->setObjectName("E_Dev_DevProp_NameStation");
    E_Dev_DevProp_NameStation->setMaxLength(31);
    L_Dev_DevProp_IPAddress = label(p, "L_Dev_DevProp_IPAddress");
    E_Dev_DevProp_IPAddress = new QLineEdit(p);
    E_Dev_DevProp_IPAddress->setObjectName("E_Dev_DevProp_IPAddress");
    CB_Dev_DevProp_New_Session_SPI = new QCheckBox(p);
    CB_Dev_DevProp_New_Session_SPI->setObjectName("CB_Dev_DevProp_New_Session_SPI");
    CB_Dev_DevProp_Reset_Data = new QCheckBox(p);
    CB_Dev_DevProp_Reset_Data->setObjectName("CB_Dev_DevProp_Reset_Data");
    L_Dev_CycTime = label(p, "L_Dev_CycTime", true);
    L_Dev_CycTime_Update = label(p, "L_Dev_CycTime_Update");
    CB_Dev_CycTime_Update = new QComboBox(p);
    CB_Dev_CycTime_Update->setObjectName("CB_Dev_CycTime_Update");
    L_Dev_CycTime_Answer = label(p, "L_Dev_CycTime_Answer");
    CB_Dev_CycTime_Answer = new QComboBox(p);
    CB_Dev_CycTime_Answer->setObjectName("CB_Dev_CycTime_Answer");
    for (const std::string& s : form_->answer_items) CB_Dev_CycTime_Answer->addItem(qs(s));
    L_Dev_CycTime_Answer_Real = label(p, "L_Dev_CycTime_Answer_Real");
    P_Device_Properties->installEventFilter(this);
    ScrollBox1->viewport()->installEventFilter(this);
    for (QWidget* w : P_Device_Properties->findChildren<QWidget*>()) w->installEventFilter(this);
    layout_panel();

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    Btn_Cancel = button(this, "Btn_Cancel");
    Btn_OK = button(this, "Btn_OK");
    bottom->addWidget(Btn_Cancel);
    bottom->addWidget(Btn_OK);
    root->addLayout(bottom);

    connect(Btn_Add_Catalog, &QPushButton::clicked, this, &TFPROFINET_Network_Access::Add_Device);
    connect(Btn_Delete_Device, &QPushButton::clicked, this, &TFPROFINET_Network_Access::Delete_Device);
    connect(Btn_Modules, &QPushButton::clicked, this, &TFPROFINET_Network_Access::Modules_Definition);
    connect(Btn_OK, &QPushButton::clicked, this, &TFPROFINET_Network_Access::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ACG_ListDevice, &QTableWidget::cellClicked, this, [this](int r, int) { select_row(r + 1); });
    connect(ACG_ListDevice, &QTableWidget::cellDoubleClicked, this, [this](int r, int) {
        select_row(r + 1);
        Modules_Definition();
    });
    connect(CB_Dev_DevProp_New_Session_SPI, &QCheckBox::clicked, this,
            [this](bool on) { form_->new_session_spi_clicked(on); });
    connect(CB_Dev_DevProp_Reset_Data, &QCheckBox::clicked, this, [this](bool on) { form_->reset_data_clicked(on); });
    connect(CB_Dev_CycTime_Update, &QComboBox::activated, this, [this](int i) {
        Focus f = form_->update_time_changed(i);
        L_Dev_CycTime_Answer_Real->setText(qs(form_->panel.answer_label));
        apply_focus(f);
    });
    connect(CB_Dev_CycTime_Answer, &QComboBox::activated, this, [this](int i) {
        Focus f = form_->answer_time_changed(i);
        L_Dev_CycTime_Answer_Real->setText(qs(form_->panel.answer_label));
        apply_focus(f);
    });
    Set_Lang();
    fill_grid();
    show_panel();
}

TFPROFINET_Network_Access::~TFPROFINET_Network_Access() = default;

void TFPROFINET_Network_Access::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[1100]));
    L_SW_Desc->setText(qs(t[1101]));
    auto set = [&](QPushButton* b, int text, int hint) {
        b->setText(qs(t[text]));
        b->setToolTip(qs(t[hint]));
    };
    set(Btn_Add_Catalog, 1108, 1109);
    set(Btn_Delete_Device, 1110, 1111);
    set(Btn_Modules, 1112, 1113);
    set(Btn_OK, 1124, 1125);
    set(Btn_Cancel, 1126, 1127);
    L_Dev_DevProp->setText(qs(t[1114]));
    L_Dev_DevProp_NameStation->setText(qs(t[1115]));
    E_Dev_DevProp_NameStation->setToolTip(qs(t[1116]));
    L_Dev_DevProp_IPAddress->setText(qs(t[1117]));
    E_Dev_DevProp_IPAddress->setToolTip(qs(t[1118]));
    CB_Dev_DevProp_New_Session_SPI->setText(qs(t[1136]));
    CB_Dev_DevProp_New_Session_SPI->setToolTip(qs(t[1137]));
    CB_Dev_DevProp_Reset_Data->setText(qs(t[1138]));
    CB_Dev_DevProp_Reset_Data->setToolTip(qs(t[1139]));
    L_Dev_CycTime->setText(qs(t[1119]));
    L_Dev_CycTime_Update->setText(qs(t[1120]));
    CB_Dev_CycTime_Update->setToolTip(qs(t[1121]));
    L_Dev_CycTime_Answer->setText(qs(t[1122]));
    CB_Dev_CycTime_Answer->setToolTip(qs(t[1123]));
    form_->Fill_Grid();  // the grid's header row
    fill_grid();
}

void TFPROFINET_Network_Access::layout_panel() {
    const int w = std::max(P_Device_Properties->width(), 400);
    const int field = w - kFieldMargin;
    L_Dev_DevProp->setGeometry(kLabelX, 4, w - 16, 20);
    L_Dev_DevProp_NameStation->setGeometry(kLabelX, 30, kFieldX - 12, 22);
    E_Dev_DevProp_NameStation->setGeometry(kFieldX, 28, field, 24);
    L_Dev_DevProp_IPAddress->setGeometry(kLabelX, 58, kFieldX - 12, 22);
    E_Dev_DevProp_IPAddress->setGeometry(kFieldX, 56, field, 24);
    CB_Dev_DevProp_New_Session_SPI->setGeometry(kFieldX, 84, field, 22);
    CB_Dev_DevProp_Reset_Data->setGeometry(kFieldX, 106, field, 22);
    L_Dev_CycTime->setGeometry(kLabelX, 134, w - 16, 20);
    L_Dev_CycTime_Update->setGeometry(kLabelX, 160, kFieldX - 12, 22);
    CB_Dev_CycTime_Update->setGeometry(kFieldX, 158, field, 24);
    L_Dev_CycTime_Answer->setGeometry(kLabelX, 188, kFieldX - 12, 22);
    CB_Dev_CycTime_Answer->setGeometry(kFieldX, 186, 120, 24);
    L_Dev_CycTime_Answer_Real->setGeometry(kFieldX + 130, 188, 200, 22);
}

void TFPROFINET_Network_Access::fill_grid() {
    const Grid& g = form_->ACG_ListDevice;
    ACG_ListDevice->clearContents();
    ACG_ListDevice->setColumnCount(g.col_count());
    ACG_ListDevice->setRowCount(g.RowCount() - 1);
    QStringList headers;
    for (int c = 0; c < g.col_count(); ++c) {
        ACG_ListDevice->setColumnWidth(c, g.columns[c].width);
        headers << qs(g.text(0, c));
    }
    ACG_ListDevice->setHorizontalHeaderLabels(headers);
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 0; c < g.col_count(); ++c) ACG_ListDevice->setItem(r - 1, c, new QTableWidgetItem(qs(g.text(r, c))));
    const int row = form_->selected_row() - 1;
    if (row >= 0 && row < ACG_ListDevice->rowCount()) ACG_ListDevice->selectRow(row);
}

void TFPROFINET_Network_Access::show_panel() {
    const DevicePanel& p = form_->panel;
    E_Dev_DevProp_NameStation->setText(qs(p.name_of_station));
    E_Dev_DevProp_IPAddress->setText(qs(p.ip_address));
    CB_Dev_DevProp_New_Session_SPI->setChecked(p.new_session_spi);
    CB_Dev_DevProp_Reset_Data->setChecked(p.reset_data);
    QSignalBlocker b1(CB_Dev_CycTime_Update), b2(CB_Dev_CycTime_Answer);
    CB_Dev_CycTime_Update->clear();
    for (const std::string& s : p.update_items) CB_Dev_CycTime_Update->addItem(qs(s));
    CB_Dev_CycTime_Update->setCurrentIndex(p.update_index < CB_Dev_CycTime_Update->count() ? p.update_index : -1);
    CB_Dev_CycTime_Answer->setCurrentIndex(p.answer_index < CB_Dev_CycTime_Answer->count() ? p.answer_index : -1);
    L_Dev_CycTime_Answer_Real->setText(qs(p.answer_label));
}

void TFPROFINET_Network_Access::prepare() {
    L_SW_Code->setText(QString::fromLatin1(SW_Code));
    form_->FormShow(app_.ctx.state.File_PROFINET_Network, app_.ctx.state.Project_Path);
    fill_grid();
    show_panel();
}

void TFPROFINET_Network_Access::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) prepare();
    QDialog::showEvent(e);
}

void TFPROFINET_Network_Access::select_row(int grid_row) {
    form_->select_row(grid_row);
    if (grid_row >= 1 && grid_row - 1 < ACG_ListDevice->rowCount()) ACG_ListDevice->selectRow(grid_row - 1);
    show_panel();
}

void TFPROFINET_Network_Access::apply_focus(Focus f) {
    QWidget* w = nullptr;
    switch (f) {
        case Focus::NameOfStation: w = E_Dev_DevProp_NameStation; break;
        case Focus::IPAddress: w = E_Dev_DevProp_IPAddress; break;
        case Focus::UpdateTime: w = CB_Dev_CycTime_Update; break;
        case Focus::AnswerTime: w = CB_Dev_CycTime_Answer; break;
        case Focus::None: return;
    }
    // After the focus change that is under way has finished.
    QTimer::singleShot(0, w, [w] { w->setFocus(); });
}

void TFPROFINET_Network_Access::Add_Device() {
    if (!form_->can_add_device()) return;
    if (!choose_from_catalog) return;
    std::optional<CatalogChoice> c = choose_from_catalog();
    if (!c || !c->gsdml) return;
    try {
        form_->add_device(*c->gsdml, c->device_id, c->device_name, c->category, app_.ctx.state.Project_Path);
    } catch (const std::exception& e) {
        forward_->error(e.what());
    }
    fill_grid();
    show_panel();
}

void TFPROFINET_Network_Access::Delete_Device() {
    form_->delete_device();
    fill_grid();
    show_panel();
}

void TFPROFINET_Network_Access::Modules_Definition() {
    TPROFINET_Device* d = form_->modules_device();
    if (!d) return;
    TFPROFINET_Modules_Def& m = *app_.profinet_modules;
    m.form().Device = d;
    m.form().Prepare_Temp_Data();
    m.setParent(this, m.windowFlags());
    const bool ok = m.exec() == QDialog::Accepted;
    m.setParent(app_.main_window, m.windowFlags());  // the modules dialog is not ours to delete
    if (ok) form_->apply_modules(*d, m.form().SlotList);
    show_panel();
}

void TFPROFINET_Network_Access::Btn_OKClick() {
    try {
        if (!form_->Btn_OK(app_.ctx.state.File_PROFINET_Network)) return;
    } catch (const std::exception& e) {
        forward_->error(e.what());  // e.g. a read-only project folder: the dialog stays open
        return;
    }
    form_->List_PROFINET_Device.clear();
    accept();
}

bool TFPROFINET_Network_Access::eventFilter(QObject* watched, QEvent* e) {
    if (watched == P_Device_Properties && e->type() == QEvent::Resize) layout_panel();

    if (e->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        // A message box or a drop-down taking the focus is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == E_Dev_DevProp_NameStation &&
                !form_->name_of_station_left(ss(E_Dev_DevProp_NameStation->text())))
                apply_focus(Focus::NameOfStation);
            if (watched == E_Dev_DevProp_IPAddress && !form_->ip_address_left(ss(E_Dev_DevProp_IPAddress->text())))
                apply_focus(Focus::IPAddress);
        }
    }

    // Over the properties box the wheel scrolls the box, never a combo in it.
    if (e->type() == QEvent::Wheel && (watched == ScrollBox1->viewport() || watched == P_Device_Properties ||
                                       P_Device_Properties->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        auto* w = static_cast<QWheelEvent*>(e);
        QScrollBar* bar = ScrollBox1->verticalScrollBar();
        const int lines = QApplication::wheelScrollLines() * bar->singleStep();
        bar->setValue(bar->value() + (w->angleDelta().y() < 0 ? lines : -lines));
        return true;
    }

    if (watched == ACG_ListDevice->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (!ACG_ListDevice->itemAt(m->position().toPoint())) {
            Add_Device();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace zv::ui
