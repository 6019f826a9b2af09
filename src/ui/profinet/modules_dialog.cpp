#include "ui/profinet/modules_dialog.h"

#include <QComboBox>
#include <QShowEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "shell/product.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

QColor colour(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

// The cell editors of both tables: a drop-down list where the form offers
// one, a line edit elsewhere. An edit that ends goes to the form once the
// editor has closed, since the form then rebuilds the table.
class TFPROFINET_Modules_Def::Editors : public QStyledItemDelegate {
public:
    Editors(TFPROFINET_Modules_Def& dlg, bool slot_table) : QStyledItemDelegate(&dlg), dlg_(dlg), slot_table_(slot_table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (auto items = choices(index)) {
            auto* cb = new QComboBox(parent);
            for (const std::string& s : *items) cb->addItem(qs(s));
            return cb;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* cb = qobject_cast<QComboBox*>(editor)) {
            cb->setCurrentIndex(std::max(0, cb->findText(index.data().toString())));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        QString text;
        if (auto* cb = qobject_cast<QComboBox*>(editor))
            text = cb->currentText();
        else
            text = editor->property("text").toString();
        model->setData(index, text);
        const int row = index.row() + 1, col = index.column();
        TFPROFINET_Modules_Def* d = &dlg_;
        const bool slot_table = slot_table_;
        QMetaObject::invokeMethod(
            d,
            [d, slot_table, row, col, t = ss(text)] {
                if (slot_table)
                    d->slot_cell_edited(row, col, t);
                else
                    d->param_cell_edited(row, col, t);
            },
            Qt::QueuedConnection);
    }

private:
    std::optional<std::vector<std::string>> choices(const QModelIndex& index) const {
        ProfinetModulesForm& f = dlg_.form();
        return slot_table_ ? f.slot_choices(index.row() + 1, index.column())
                      : f.param_choices(index.row() + 1, index.column());
    }
    TFPROFINET_Modules_Def& dlg_;
    bool slot_table_;
};

TFPROFINET_Modules_Def::TFPROFINET_Modules_Def(GuiApp& app)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowCloseButtonHint),
      app_(app),
      form_(std::make_unique<ProfinetModulesForm>(app.ctx.String_Table)) {
    setObjectName("TFPROFINET_Modules_Def");
    setModal(true);
    resize(1150, 589);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 10);
    L_SW_Code = make_sw_code_label(this);
    root->addWidget(L_SW_Code);
    L_SW_Desc = new QLabel(this);
    L_SW_Desc->setObjectName("L_SW_Desc");
    QFont bold = L_SW_Desc->font();
    bold.setBold(true);
    L_SW_Desc->setFont(bold);
    root->addWidget(L_SW_Desc);

    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName("Splitter");
    Splitter->setChildrenCollapsible(false);
    const auto triggers = QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;
    ASG_SlotModule = new QTableWidget(Splitter);
    ASG_SlotModule->setObjectName("ASG_SlotModule");
    ASG_SlotModule->verticalHeader()->hide();
    ASG_SlotModule->verticalHeader()->setDefaultSectionSize(24);
    ASG_SlotModule->setWordWrap(false);
    ASG_SlotModule->setEditTriggers(triggers);
    ASG_SlotModule->setSelectionMode(QAbstractItemView::SingleSelection);
    ASG_SlotModule->setItemDelegate(new Editors(*this, true));
    ASG_ModProp = new QTableWidget(Splitter);
    ASG_ModProp->setObjectName("ASG_ModProp");
    ASG_ModProp->verticalHeader()->hide();
    ASG_ModProp->verticalHeader()->setDefaultSectionSize(24);
    ASG_ModProp->setWordWrap(false);
    ASG_ModProp->setEditTriggers(triggers);
    ASG_ModProp->setSelectionMode(QAbstractItemView::SingleSelection);
    ASG_ModProp->setItemDelegate(new Editors(*this, false));
    Splitter->addWidget(ASG_SlotModule);
    Splitter->addWidget(ASG_ModProp);
    Splitter->setSizes({260, 200});
    root->addWidget(Splitter, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    Btn_Cancel = new QPushButton(this);
    Btn_Cancel->setObjectName("Btn_Cancel");
    Btn_Cancel->setAutoDefault(false);
    Btn_Cancel->setMinimumSize(170, 36);
    Btn_OK = new QPushButton(this);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setAutoDefault(false);
    Btn_OK->setMinimumSize(170, 36);
    bottom->addWidget(Btn_Cancel);
    bottom->addWidget(Btn_OK);
    root->addLayout(bottom);

    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ASG_SlotModule, &QTableWidget::cellClicked, this, [this](int r, int) { slot_cell_clicked(r + 1); });
    connect(ASG_SlotModule, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (filling_ || !(it->flags() & Qt::ItemIsUserCheckable)) return;
        const bool on = it->checkState() == Qt::Checked;
        if (it->column() == kColStatus) form_->set_status(it->row() + 1, on);
        if (it->column() == kColWordPos) form_->set_word_pos(it->row() + 1, on);
    });
    Set_Lang();
    fill_slot_table();
    fill_param_table();
}

TFPROFINET_Modules_Def::~TFPROFINET_Modules_Def() = default;

void TFPROFINET_Modules_Def::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[1200]));
    L_SW_Desc->setText(qs(t[1201]));
    Btn_OK->setText(qs(t[1202]));
    Btn_OK->setToolTip(qs(t[1203]));
    Btn_Cancel->setText(qs(t[1204]));
    Btn_Cancel->setToolTip(qs(t[1205]));
}

void TFPROFINET_Modules_Def::prepare() {
    L_SW_Code->setText(QString::fromLatin1(SW_Code));
    form_->FormShow();
    fill_slot_table();
    fill_param_table();
}

void TFPROFINET_Modules_Def::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) prepare();
    QDialog::showEvent(e);
}

namespace {

// One form grid into a table widget: row 0 of the grid is the header.
void fill_table(QTableWidget* w, const Grid& g, const std::function<uint32_t(int, int)>& cell_colour) {
    w->clearSpans();
    w->clear();
    w->setColumnCount(g.col_count());
    w->setRowCount(g.RowCount() - 1);
    QStringList headers;
    for (int c = 0; c < g.col_count(); ++c) headers << qs(g.text(0, c));
    w->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < g.col_count(); ++c) {
        w->setColumnWidth(c, g.columns[c].width);
        w->setColumnHidden(c, g.columns[c].hidden);
    }
    for (int r = 1; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.col_count(); ++c) {
            auto* it = new QTableWidgetItem(qs(g.text(r, c)));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (g.has_check(r, c)) {
                it->setText(QString());
                if (g.editable(r, c)) flags |= Qt::ItemIsUserCheckable;
                it->setCheckState(g.checked(r, c) ? Qt::Checked : Qt::Unchecked);
            } else if (g.editable(r, c)) {
                flags |= Qt::ItemIsEditable;
            }
            it->setFlags(flags);
            it->setBackground(colour(cell_colour(r, c)));
            it->setForeground(QColor(Qt::black));
            w->setItem(r - 1, c, it);
        }
    }
}

}  // namespace

void TFPROFINET_Modules_Def::fill_slot_table() {
    filling_ = true;
    const Grid& g = form_->ASG_SlotModule;
    fill_table(ASG_SlotModule, g, [&g](int, int c) { return g.columns[c].colour; });
    const int row = form_->selected_slot_row - 1;
    if (row >= 0 && row < ASG_SlotModule->rowCount()) ASG_SlotModule->setCurrentCell(row, 0);
    filling_ = false;
}

void TFPROFINET_Modules_Def::fill_param_table() {
    filling_ = true;
    const Grid& g = form_->ASG_ModProp;
    ProfinetModulesForm& f = *form_;
    fill_table(ASG_ModProp, g, [&f](int r, int) { return f.param_group_row(r) ? kGroupColour : kWhite; });
    for (int r = 1; r < g.RowCount(); ++r)
        if (f.param_group_row(r)) {
            ASG_ModProp->setSpan(r - 1, 0, 1, kParamCols);
            QFont b = ASG_ModProp->font();
            b.setBold(true);
            ASG_ModProp->item(r - 1, 0)->setFont(b);
        } else {
            mark_param_value(r);
        }
    filling_ = false;
}

void TFPROFINET_Modules_Def::mark_param_value(int row) {
    QTableWidgetItem* it = ASG_ModProp->item(row - 1, kColParValue);
    if (!it) return;
    const std::string w = form_->param_warning(row);
    it->setBackground(colour(w.empty() ? kWhite : kWarningColour));
    it->setToolTip(qs(w));
}

void TFPROFINET_Modules_Def::slot_cell_clicked(int row) {
    form_->click_slot_cell(row);
    fill_param_table();
}

void TFPROFINET_Modules_Def::slot_cell_edited(int row, int col, const std::string& text) {
    switch (col) {
        case kColModule:
            form_->choose_module(row, text);
            break;
        case kColSubmodule: form_->choose_submodule(row, text); break;
        case kColMnemonic: form_->set_mnemonic(row, text); return;
        default: return;
    }
    fill_slot_table();
    fill_param_table();
}

void TFPROFINET_Modules_Def::param_cell_edited(int row, int col, const std::string& text) {
    if (col == kColParValue) {
        form_->set_param_value(row, text);
        mark_param_value(row);
    }
    if (col == kColParMnemonic) form_->set_param_mnemonic(row, text);
}

}  // namespace zv::ui
