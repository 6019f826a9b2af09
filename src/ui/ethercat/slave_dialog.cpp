#include "ui/ethercat/slave_dialog.h"

#include "ui/shell/qt_util.h"
#include "ui/text/table_dialog.h"

namespace zv::ui {
namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 337;

}  // namespace

TFEtherCATSlave::TFEtherCATSlave(GuiApp& app)
    : QDialog(nullptr, kTableDialogFlags), app_(app), forward_(std::make_unique<AppPrompter>(app, this)) {
    form_ = std::make_unique<EtherCATSlaveForm>(app.ctx.String_Table, *forward_, app.ctx.Row_Copy);
    setObjectName("TFEtherCATSlave");
    setModal(true);
    setFixedSize(kWidth, kHeight);

    add_title(this, kWidth, L_SW_Code, L_SW_Desc);

    PC_Slave = new QTabWidget(this);
    PC_Slave->setObjectName("PC_Slave");
    PC_Slave->setGeometry(10, 46, kWidth - 20, kHeight - 46 - 52);
    ASG_SlaveMaster = add_grid_page(PC_Slave, "TS_SlaveToMaster", "ASG_SlaveMaster", form_->ASG_SlaveMaster, app_.ctx.state);
    TS_SlaveToMaster = ASG_SlaveMaster->parentWidget();
    ASG_MasterSlave = add_grid_page(PC_Slave, "TS_MasterToSlave", "ASG_MasterSlave", form_->ASG_MasterSlave, app_.ctx.state);
    TS_MasterToSlave = ASG_MasterSlave->parentWidget();
    bind(ASG_SlaveMaster);
    bind(ASG_MasterSlave);
    PC_Slave->setCurrentIndex(0);  // only at creation
    connect(PC_Slave, &QTabWidget::currentChanged, this, [this](int i) { form_->page = i; });

    Btn_DelRow = bottom_button(this, "Btn_DelRow", 10, 110, kHeight);
    Btn_InsRow = bottom_button(this, "Btn_InsRow", 126, 110, kHeight);
    Btn_CopyRow = bottom_button(this, "Btn_CopyRow", 242, 110, kHeight);
    Btn_PasteRow = bottom_button(this, "Btn_PasteRow", 358, 110, kHeight);
    Btn_MoveUp = bottom_button(this, "Btn_MoveUp", 490, 110, kHeight);
    Btn_MoveDown = bottom_button(this, "Btn_MoveDown", 606, 110, kHeight);
    Btn_Cancel = bottom_button(this, "Btn_Cancel", kWidth - 10 - 2 * 130 - 6, 130, kHeight);
    Btn_OK = bottom_button(this, "Btn_OK", kWidth - 10 - 130, 130, kHeight);
    // Fixed texts, not translated.
    Btn_MoveUp->setText("Move Up");
    Btn_MoveDown->setText("Move Down");
    Btn_MoveUp->setToolTip("Move Up");
    Btn_MoveDown->setToolTip("Move Down");
    connect(Btn_DelRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_DelRow); });
    connect(Btn_InsRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_InsRow); });
    connect(Btn_CopyRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_CopyRow); });
    connect(Btn_PasteRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_PasteRow); });
    connect(Btn_MoveUp, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_MoveUp); });
    connect(Btn_MoveDown, &QPushButton::clicked, this, [this] { row_button(&EtherCATSlaveForm::Btn_MoveDown); });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_OK, &QPushButton::clicked, this, &TFEtherCATSlave::Btn_OKClick);
    Set_Lang();
}

TFEtherCATSlave::~TFEtherCATSlave() = default;

void TFEtherCATSlave::bind(GridView* view) {
    GridModel* m = view->model_();
    Grid& g = m->grid;
    m->checks_via_callback = true;
    m->on_checked = [this, &g](int r, int, bool checked) { form_->enable_changed(g, r, checked); };
    m->on_choice = [this, &g](int r, int, const std::string& type) { form_->type_chosen(g, r, type); };
    m->on_text_edited = [this, &g](int r, int c) { form_->cell_edited(g, r, c); };
}

void TFEtherCATSlave::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[2700]));
    L_SW_Desc->setText(qs(t[2701]));
    Btn_OK->setText(qs(t[2702]));
    Btn_Cancel->setText(qs(t[2703]));
    Btn_DelRow->setText(qs(t[2704]));
    Btn_InsRow->setText(qs(t[2705]));
    Btn_CopyRow->setText(qs(t[2706]));
    Btn_PasteRow->setText(qs(t[2707]));
    Btn_CopyRow->setToolTip(qs(t[2712]));
    Btn_PasteRow->setToolTip(qs(t[2713]));
    PC_Slave->setTabText(0, qs(t[2734]));
    PC_Slave->setTabText(1, qs(t[2735]));
    form_->Set_Lang();
    ASG_SlaveMaster->model_()->refresh();
    ASG_MasterSlave->model_()->refresh();
}

GridView* TFEtherCATSlave::active_view() const { return PC_Slave->currentIndex() == 0 ? ASG_SlaveMaster : ASG_MasterSlave; }

bool TFEtherCATSlave::prepare() {
    Set_Lang();
    try {
        form_->FormShow(app_.ctx.state.File_EtherCAT_Slave, app_.ctx.state.File_EtherCAT_Group);
    } catch (const std::exception& e) {
        app_.prompter(this).error(e.what());
        return false;
    }
    form_->page = PC_Slave->currentIndex();
    ASG_SlaveMaster->from_grid();
    ASG_MasterSlave->from_grid();
    return true;
}

void TFEtherCATSlave::row_button(void (EtherCATSlaveForm::*op)()) {
    GridView* v = active_view();
    v->to_grid();
    form_->page = PC_Slave->currentIndex();
    ((*form_).*op)();
    v->from_grid();
}

void TFEtherCATSlave::Btn_OKClick() {
    try {
        if (form_->Btn_OK(app_.ctx.state.File_EtherCAT_Slave)) accept();
    } catch (const std::exception& e) {
        app_.prompter(this).error(e.what());
    }
}

}  // namespace zv::ui
