#include "text/grid.h"

#include <stdexcept>

#include "text/text_util.h"

namespace zv {

Grid::Grid(int rows, int cols) : columns(static_cast<size_t>(cols)), rows_(rows) {
    cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(cols));
}

size_t Grid::index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= col_count()) throw std::out_of_range("grid cell");
    return static_cast<size_t>(row) * columns.size() + static_cast<size_t>(col);
}

int Grid::visible_col_count() const {
    int n = 0;
    for (const auto& c : columns)
        if (!c.hidden) ++n;
    return n;
}

void Grid::add_check(int row, int col, bool checked) {
    GridCell& c = at(row, col);
    c.has_check = true;
    c.checked = checked;
}

bool Grid::editable(int row, int col) const {
    if (!valid_data_cell(row, col)) return false;
    return !columns[static_cast<size_t>(col)].read_only && !at(row, col).read_only;
}

void Grid::number_rows() {
    for (int r = 1; r < rows_; ++r) text(r, 0) = std::to_string(r);
}

namespace {

// One cell's content moves from `from` to `to`: its checked state when the
// source holds a check box, else its text.
void move_cell(Grid& g, int to, int from, int c) {
    if (g.has_check(from, c))
        g.set_checked(to, c, g.checked(from, c));
    else
        g.text(to, c) = g.text(from, c);
}

// A row freed by a delete or an insert: texts empty, the Enable box of column 1
// checked, every other box unchecked.
void clear_asg_row(Grid& g, int r) {
    for (int c = 1; c <= g.data_cols(); ++c) {
        if (g.has_check(r, c))
            g.set_checked(r, c, c == 1);
        else
            g.text(r, c).clear();
    }
}

bool valid_row(const Grid& g, int r) { return r >= 1 && r < g.RowCount(); }

// The checks both paste operations make before anything changes.
bool paste_allowed(const Grid& g, bool copied, const CopyRowBuffer& buf, const StringTable& t, Prompter& p) {
    if (!copied) {
        p.error(t[902]);
        return false;
    }
    if (static_cast<size_t>(g.data_cols()) != buf.Copy_Row_Buffer.size()) {
        p.error(t[901]);
        return false;
    }
    return true;
}

}  // namespace

void DelRow_ACG(int r, Grid& g) {
    if (!valid_row(g, r)) return;
    for (int k = r; k <= g.RowCount() - 2; ++k)
        for (int c = 1; c <= g.data_cols(); ++c) g.text(k, c) = g.text(k + 1, c);
    for (int c = 1; c <= g.data_cols(); ++c) g.text(g.last_row(), c).clear();
}

void InsRow_ACG(int r, Grid& g) {
    if (!valid_row(g, r)) return;
    for (int k = g.RowCount() - 2; k >= r; --k)
        for (int c = 1; c <= g.data_cols(); ++c) g.text(k + 1, c) = g.text(k, c);
    for (int c = 1; c <= g.data_cols(); ++c) g.text(r, c).clear();
}

void CopyRow_ACG(const Grid& g, int r, CopyRowBuffer& buf) {
    if (!valid_row(g, r)) return;
    buf.Copy_Row_Buffer.clear();
    for (int c = 1; c <= g.data_cols(); ++c) buf.Copy_Row_Buffer.push_back(g.text(r, c));
}

bool PasteRow_ACG(Grid& g, int r, bool copied, const CopyRowBuffer& buf, const StringTable& t, Prompter& p) {
    if (!valid_row(g, r)) return false;
    if (!paste_allowed(g, copied, buf, t, p)) return false;
    bool in_use = false;
    for (int c = 1; c <= g.data_cols(); ++c)
        if (g.columns[static_cast<size_t>(c)].editor != ColumnEditor::CheckBox && !trim(g.text(r, c)).empty())
            in_use = true;
    if (in_use && !p.confirm(t[900])) return false;
    for (int c = 1; c <= g.data_cols(); ++c) g.text(r, c) = buf.Copy_Row_Buffer[static_cast<size_t>(c - 1)];
    return true;
}

void DelRow_ASG(int r, Grid& g) {
    if (!valid_row(g, r)) return;
    for (int k = r; k <= g.RowCount() - 2; ++k)
        for (int c = 1; c <= g.data_cols(); ++c) move_cell(g, k, k + 1, c);
    clear_asg_row(g, g.last_row());
}

void InsRow_ASG(int r, Grid& g) {
    if (!valid_row(g, r)) return;
    for (int k = g.RowCount() - 2; k >= r; --k)
        for (int c = 1; c <= g.data_cols(); ++c) move_cell(g, k + 1, k, c);
    clear_asg_row(g, r);
}

void CopyRow_ASG(const Grid& g, int r, CopyRowBuffer& buf) {
    if (!valid_row(g, r)) return;
    buf.Copy_Row_Buffer.clear();
    buf.Copy_Row_CheckBox.assign(static_cast<size_t>(g.data_cols()), false);
    for (int c = 1; c <= g.data_cols(); ++c) {
        if (g.has_check(r, c)) {
            buf.Copy_Row_CheckBox[static_cast<size_t>(c - 1)] = true;
            buf.Copy_Row_Buffer.push_back(g.checked(r, c) ? "Y" : "N");
        } else {
            buf.Copy_Row_Buffer.push_back(g.text(r, c));
        }
    }
}

bool PasteRow_ASG(Grid& g, int r, bool copied, const CopyRowBuffer& buf, const StringTable& t, Prompter& p) {
    if (!valid_row(g, r)) return false;
    if (!paste_allowed(g, copied, buf, t, p)) return false;
    bool in_use = false;
    for (int c = 1; c <= g.data_cols(); ++c)
        if (!g.has_check(r, c) && !g.text(r, c).empty()) in_use = true;
    if (in_use && !p.confirm(t[900])) return false;
    for (int c = 1; c <= g.data_cols(); ++c) {
        const auto i = static_cast<size_t>(c - 1);
        // A buffer filled by the text-only copy has no flags: every entry is a text.
        if (i < buf.Copy_Row_CheckBox.size() && buf.Copy_Row_CheckBox[i])
            g.set_checked(r, c, buf.Copy_Row_Buffer[i] == "Y");
        else
            g.text(r, c) = buf.Copy_Row_Buffer[i];
    }
    return true;
}

void Table_KeyPress(Grid& g, char& key, bool Enable_Jump_Field_Tables) {
    if (!Enable_Jump_Field_Tables || key != '\r') return;
    key = '\0';
    if (g.row <= 0 || g.col <= 0) return;
    if (g.col < g.visible_col_count() - 1) {
        ++g.col;
    } else {
        g.col = 1;
        g.row = g.row >= g.last_row() ? 1 : g.row + 1;
    }
}

bool Table_DblClickCell(int row, bool Double_Click_Auto_Size) { return Double_Click_Auto_Size && row == 0; }

}  // namespace zv
