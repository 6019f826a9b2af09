#pragma once
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "shell/shell_state.h"
#include "text/grid.h"

namespace zv::ui {

// A Qt model over one zv::Grid: grid row 0 and column 0 become the headers,
// everything else the cells. Edits go to the grid and are reported through the
// callbacks, so the dialog's form decides what follows.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(Grid& g, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& i, int role) const override;
    bool setData(const QModelIndex& i, const QVariant& v, int role) override;
    Qt::ItemFlags flags(const QModelIndex& i) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // After the form changed the grid behind the model's back.
    void refresh();

    Grid& grid;
    std::function<void(int row, int col)> on_text_edited;            // grid coordinates
    std::function<void(int row, int col, bool checked)> on_checked;  // the cell is already updated when false
    std::function<void(int row, int col, const std::string& text)> on_choice;
    // When set, a check-box change is left entirely to it.
    bool checks_via_callback = false;
};

// Drop-down editor for the columns with a list of choices.
class ChoiceDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
    void setEditorData(QWidget* editor, const QModelIndex& i) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* m, const QModelIndex& i) const override;
};

// The table of a table dialog: sizes and colours from the grid's columns, the
// Enter jump and the header double click of the user's settings, and the current
// cell kept in step with the grid's.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(Grid& g, const ShellState& settings, QWidget* parent = nullptr);

    GridModel* model_() const { return model_ptr_; }
    // Copies the view's current cell into the grid (before a form operation).
    void to_grid();
    // Re-reads the grid and moves the current cell to the grid's (after one).
    void from_grid();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    GridModel* model_ptr_;
    const ShellState& settings_;
};

}  // namespace zv::ui
