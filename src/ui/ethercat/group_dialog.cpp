#include "ui/ethercat/group_dialog.h"

#include "ui/shell/qt_util.h"
#include "ui/text/table_dialog.h"

namespace zv::ui {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 337;

}  // namespace

TFEtherCATSlave_Group::TFEtherCATSlave_Group(GuiApp& app)
    : QDialog(nullptr, kTableDialogFlags), app_(app), forward_(std::make_unique<AppPrompter>(app, this)) {
    form_ = std::make_unique<EtherCATGroupForm>(app.ctx.String_Table, *forward_, app.ctx.Row_Copy);
    setObjectName("TFEtherCATSlave_Group");
    setModal(true);
    setFixedSize(kWidth, kHeight);

    add_title(this, kWidth, L_SW_Code, L_SW_Desc);

    PC_Group = new QTabWidget(this);
    PC_Group->setObjectName("PC_Group");
    PC_Group->setGeometry(10, 46, kWidth - 20, kHeight - 46 - 52);
    ACG_Group_StoM = add_grid_page(PC_Group, "TS_SlaveToMaster", "ACG_Group_StoM", form_->ACG_Group_StoM, app_.ctx.state);
    TS_SlaveToMaster = ACG_Group_StoM->parentWidget();
    ACG_Group_MtoS = add_grid_page(PC_Group, "TS_MasterToSlave", "ACG_Group_MtoS", form_->ACG_Group_MtoS, app_.ctx.state);
    TS_MasterToSlave = ACG_Group_MtoS->parentWidget();
    PC_Group->setCurrentIndex(0);  // only at creation: later showings keep the page last used
    connect(PC_Group, &QTabWidget::currentChanged, this, [this](int i) { form_->page = i; });

    Btn_DelRow = bottom_button(this, "Btn_DelRow", 10, 110, kHeight);
    Btn_InsRow = bottom_button(this, "Btn_InsRow", 126, 110, kHeight);
    Btn_CopyRow = bottom_button(this, "Btn_CopyRow", 242, 110, kHeight);
    Btn_PasteRow = bottom_button(this, "Btn_PasteRow", 358, 110, kHeight);
    Btn_Cancel = bottom_button(this, "Btn_Cancel", kWidth - 10 - 2 * 130 - 6, 130, kHeight);
    Btn_OK = bottom_button(this, "Btn_OK", kWidth - 10 - 130, 130, kHeight);
    connect(Btn_DelRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATGroupForm::Btn_DelRow); });
    connect(Btn_InsRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATGroupForm::Btn_InsRow); });
    connect(Btn_CopyRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATGroupForm::Btn_CopyRow); });
    connect(Btn_PasteRow, &QPushButton::clicked, this, [this] { row_button(&EtherCATGroupForm::Btn_PasteRow); });
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_OK, &QPushButton::clicked, this, &TFEtherCATSlave_Group::Btn_OKClick);
    Set_Lang();
}

TFEtherCATSlave_Group::~TFEtherCATSlave_Group() = default;

void TFEtherCATSlave_Group::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[3500]));
    L_SW_Desc->setText(qs(t[3501]));
    Btn_OK->setText(qs(t[3502]));
    Btn_Cancel->setText(qs(t[3503]));
    Btn_DelRow->setText(qs(t[3504]));
    Btn_InsRow->setText(qs(t[3505]));
    Btn_CopyRow->setText(qs(t[3506]));
    Btn_PasteRow->setText(qs(t[3507]));
    // Only the copy and paste hints are shown.
    Btn_CopyRow->setToolTip(qs(t[3512]));
    Btn_PasteRow->setToolTip(qs(t[3513]));
    PC_Group->setTabText(0, qs(t[3514]));
    PC_Group->setTabText(1, qs(t[3515]));
    form_->Set_Lang();
    ACG_Group_StoM->model_()->refresh();
    ACG_Group_MtoS->model_()->refresh();
}

GridView* TFEtherCATSlave_Group::active_view() const {
    return PC_Group->currentIndex() == 0 ? ACG_Group_StoM : ACG_Group_MtoS;
}

bool TFEtherCATSlave_Group::prepare() {
    Set_Lang();
    try {
        form_->FormShow(app_.ctx.state.File_EtherCAT_Group);
    } catch (const std::exception& e) {
        app_.prompter(this).error(e.what());
        return false;
    }
    form_->page = PC_Group->currentIndex();
    ACG_Group_StoM->from_grid();
    ACG_Group_MtoS->from_grid();
    return true;
}

void TFEtherCATSlave_Group::row_button(void (EtherCATGroupForm::*op)()) {
    GridView* v = active_view();
    v->to_grid();
    form_->page = PC_Group->currentIndex();
    ((*form_).*op)();
    v->from_grid();
}

void TFEtherCATSlave_Group::Btn_OKClick() {
    try {
        if (form_->Btn_OK(app_.ctx.state.File_EtherCAT_Group)) accept();
    } catch (const std::exception& e) {
        app_.prompter(this).error(e.what());
    }
}

}  // namespace zv::ui
