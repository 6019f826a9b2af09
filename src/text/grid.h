#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// How a column's cells are edited. The check-box kind is a column bound to a
// check box editor: the text-only row operations do not count its text as content.
enum class ColumnEditor { Text, DropDown, CheckBox };

// A colour as 0xRRGGBB, or the window colour of the platform.
inline constexpr uint32_t kWindowColour = 0xFF000000u;
inline constexpr uint32_t kFixedColour = 0xFE000000u;

struct GridColumn {
    int width = 64;
    uint32_t colour = kWindowColour;
    ColumnEditor editor = ColumnEditor::Text;
    bool read_only = false;
    bool hidden = false;   // hidden columns still count as data columns
    bool centred = false;
    std::vector<std::string> choices;  // drop-down list
    std::string hint;                  // shown on the header cell
};

struct GridCell {
    std::string text;
    bool has_check = false;
    bool checked = false;
    bool read_only = false;  // on top of the column's own flag
};

// A fixed-size table as the table dialogs edit it: row 0 is the header, column 0
// the row number; rows are never added or removed. The Qt grids are views of it.
class Grid {
public:
    Grid() = default;
    Grid(int rows, int cols);

    int RowCount() const { return rows_; }
    // Every column, hidden ones included.
    int col_count() const { return static_cast<int>(columns.size()); }
    int visible_col_count() const;
    // Data columns are 1..data_cols(): everything but the row-number column.
    int data_cols() const { return col_count() - 1; }
    int last_row() const { return rows_ - 1; }

    GridCell& at(int row, int col) { return cells_[index(row, col)]; }
    const GridCell& at(int row, int col) const { return cells_[index(row, col)]; }
    std::string& text(int row, int col) { return at(row, col).text; }
    const std::string& text(int row, int col) const { return at(row, col).text; }

    bool has_check(int row, int col) const { return at(row, col).has_check; }
    bool checked(int row, int col) const { return at(row, col).checked; }
    void add_check(int row, int col, bool checked);
    void set_checked(int row, int col, bool checked) { at(row, col).checked = checked; }

    bool editable(int row, int col) const;
    bool valid_data_cell(int row, int col) const { return row >= 1 && row < rows_ && col >= 1 && col < col_count(); }

    // Writes 1..RowCount-1 into column 0.
    void number_rows();

    std::vector<GridColumn> columns;
    int row = 1;  // current cell
    int col = 1;

private:
    size_t index(int row, int col) const;
    int rows_ = 0;
    std::vector<GridCell> cells_;
};

// The row copy buffer shared by every table dialog for the whole run.
struct CopyRowBuffer {
    std::vector<std::string> Copy_Row_Buffer;
    std::vector<bool> Copy_Row_CheckBox;
};

// Row operations of the text-only tables.
void DelRow_ACG(int r, Grid& g);
void InsRow_ACG(int r, Grid& g);
void CopyRow_ACG(const Grid& g, int r, CopyRowBuffer& buf);
// Returns true when the row was pasted.
bool PasteRow_ACG(Grid& g, int r, bool copied, const CopyRowBuffer& buf, const StringTable& t, Prompter& p);

// Row operations of the tables with check-box cells.
void DelRow_ASG(int r, Grid& g);
void InsRow_ASG(int r, Grid& g);
void CopyRow_ASG(const Grid& g, int r, CopyRowBuffer& buf);
bool PasteRow_ASG(Grid& g, int r, bool copied, const CopyRowBuffer& buf, const StringTable& t, Prompter& p);

// Enter moves to the next cell when the setting is on; the key is then consumed
// (set to 0) so the cell editor never sees it.
void Table_KeyPress(Grid& g, char& key, bool Enable_Jump_Field_Tables);
// True when the view should fit the column to its widest content.
bool Table_DblClickCell(int row, bool Double_Click_Auto_Size);

}  // namespace zv
