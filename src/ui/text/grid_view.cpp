#include "ui/text/grid_view.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

QColor colour_of(uint32_t c, const QPalette& pal) {
    if (c == kWindowColour) return pal.color(QPalette::Base);
    if (c == kFixedColour) return pal.color(QPalette::Button);
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace

GridModel::GridModel(Grid& g, QObject* parent) : QAbstractTableModel(parent), grid(g) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid.RowCount() - 1; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid.col_count() - 1; }

QVariant GridModel::data(const QModelIndex& i, int role) const {
    if (!i.isValid()) return {};
    const int r = i.row() + 1, c = i.column() + 1;
    const GridCell& cell = grid.at(r, c);
    const GridColumn& col = grid.columns[static_cast<size_t>(c)];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (cell.has_check) return {};
            return qs(cell.text);
        case Qt::CheckStateRole:
            if (!cell.has_check) return {};
            return cell.checked ? Qt::Checked : Qt::Unchecked;
        case Qt::BackgroundRole:
            if (col.colour == kWindowColour) return {};
            return colour_of(col.colour, QPalette());
        case Qt::TextAlignmentRole:
            if (col.centred) return int(Qt::AlignCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& i, const QVariant& v, int role) {
    if (!i.isValid()) return false;
    const int r = i.row() + 1, c = i.column() + 1;
    GridCell& cell = grid.at(r, c);
    if (role == Qt::CheckStateRole && cell.has_check) {
        const bool checked = v.toInt() == Qt::Checked;
        if (!checks_via_callback) cell.checked = checked;
        if (on_checked) on_checked(r, c, checked);
        refresh();
        return true;
    }
    if (role != Qt::EditRole || !grid.editable(r, c)) return false;
    const std::string text = ss(v.toString());
    if (!grid.columns[static_cast<size_t>(c)].choices.empty() && on_choice) {
        on_choice(r, c, text);
    } else {
        cell.text = text;
        if (on_text_edited) on_text_edited(r, c);
    }
    refresh();
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& i) const {
    if (!i.isValid()) return Qt::NoItemFlags;
    const int r = i.row() + 1, c = i.column() + 1;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid.at(r, c).has_check) return f | Qt::ItemIsUserCheckable;
    if (grid.editable(r, c)) f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal) {
        const int c = section + 1;
        if (c >= grid.col_count()) return {};
        if (role == Qt::DisplayRole) return qs(grid.text(0, c));
        if (role == Qt::ToolTipRole && !grid.columns[static_cast<size_t>(c)].hint.empty())
            return qs(grid.columns[static_cast<size_t>(c)].hint);
        return {};
    }
    const int r = section + 1;
    if (r >= grid.RowCount()) return {};
    if (role == Qt::DisplayRole) return qs(grid.text(r, 0));
    return {};
}

void GridModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& i) const {
    auto* m = static_cast<const GridModel*>(i.model());
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    for (const auto& c : m->grid.columns[static_cast<size_t>(i.column() + 1)].choices) box->addItem(qs(c));
    // A choice takes effect as soon as it is made, as the table's drop-down list does.
    connect(box, &QComboBox::activated, this, [this, box] { emit const_cast<ChoiceDelegate*>(this)->commitData(box); });
    return box;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& i) const {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(box->findText(i.data(Qt::EditRole).toString()));
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* m, const QModelIndex& i) const {
    auto* box = static_cast<QComboBox*>(editor);
    if (box->currentIndex() < 0) return;
    if (box->currentText() == i.data(Qt::EditRole).toString()) return;
    m->setData(i, box->currentText(), Qt::EditRole);
}

GridView::GridView(Grid& g, const ShellState& settings, QWidget* parent)
    : QTableView(parent), model_ptr_(new GridModel(g, this)), settings_(settings) {
    setModel(model_ptr_);
    auto* choices = new ChoiceDelegate(this);
    for (int c = 1; c < g.col_count(); ++c) {
        const GridColumn& col = g.columns[static_cast<size_t>(c)];
        setColumnWidth(c - 1, col.width);
        setColumnHidden(c - 1, col.hidden);
        if (!col.choices.empty()) setItemDelegateForColumn(c - 1, choices);
    }
    verticalHeader()->setFixedWidth(g.columns[0].width);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setSectionsClickable(true);  // a click on the row number selects the row
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int section) {
        if (!Table_DblClickCell(0, settings_.Double_Click_Auto_Size)) return;
        // Widest content, header included, with no margin of our own.
        const Grid& gr = model_ptr_->grid;
        QFontMetrics fm(font());
        int w = QFontMetrics(horizontalHeader()->font()).horizontalAdvance(qs(gr.text(0, section + 1)));
        for (int r = 1; r < gr.RowCount(); ++r) w = std::max(w, fm.horizontalAdvance(qs(gr.text(r, section + 1))));
        setColumnWidth(section, w);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& cur) {
        if (cur.isValid()) {
            model_ptr_->grid.row = cur.row() + 1;
            model_ptr_->grid.col = cur.column() + 1;
        }
    });
    setCurrentIndex(model_ptr_->index(0, 0));
}

void GridView::to_grid() {
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return;
    model_ptr_->grid.row = cur.row() + 1;
    model_ptr_->grid.col = cur.column() + 1;
}

void GridView::from_grid() {
    model_ptr_->refresh();
    const Grid& g = model_ptr_->grid;
    if (g.row >= 1 && g.col >= 1) setCurrentIndex(model_ptr_->index(g.row - 1, g.col - 1));
}

void GridView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        char key = '\r';
        to_grid();
        Table_KeyPress(model_ptr_->grid, key, settings_.Enable_Jump_Field_Tables);
        if (key == '\0') {
            from_grid();
            e->accept();
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

}  // namespace zv::ui
