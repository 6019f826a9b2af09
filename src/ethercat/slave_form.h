#pragma once
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "text/grid.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// The types of the Type column, in list order.
inline const std::vector<std::string> VarType = {"Bool",  "Int8",   "Int16",   "Int32", "UInt8",
                                                 "UInt16", "UInt32", "Float32", "Array", "String"};

// One group as the variables dialog lays it over the rows.
struct TGroup {
    std::string Name;
    int Num_Var = 0;
};

// Where each field sits in one direction's table.
struct VarColumns {
    int count;
    int Enable, Type, Length, Name, InitValue, Position, StartBit, Group, Mnemonic;  // InitValue -1: none
};
inline constexpr VarColumns kStoMColumns{10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
inline constexpr VarColumns kMtoSColumns{9, 1, 2, 3, 4, -1, 5, 6, 7, 8};

// The Length a type sets when chosen, and whether the user may change it.
// Unknown types (and an empty Type) set nothing.
struct TypeLength {
    bool known;
    const char* length;
    bool editable;
};
TypeLength type_length(const std::string& type);

// What the variables dialog (TFEtherCATSlave) edits and checks: two tables of
// 256 variables with their computed positions, start bits and groups.
class EtherCATSlaveForm {
public:
    static constexpr int kRows = 257;  // header + 256 variables
    enum Page { SlaveToMaster = 0, MasterToSlave = 1 };

    EtherCATSlaveForm(const StringTable& t, Prompter& p, CopyRowBuffer& buf);

    // Header cells and header hints from the string table.
    void Set_Lang();
    // Empties both tables (every row enabled), reads the groups and the variables
    // when their files exist, computes groups and positions, clears the flags.
    void FormShow(const std::filesystem::path& slave_file, const std::filesystem::path& group_file);
    bool Controllo_dati();
    void save(const std::filesystem::path& file) const;
    bool Btn_OK(const std::filesystem::path& file);

    void VarSetLength(Grid& g, const std::string& type, int r);
    void Calc_Position_Bit(Grid& g);
    void Show_Group(Grid& g);
    // Move Up (up) or Move Down at row r; moves the current row along.
    void MoveRow_ASG(Grid& g, int r, bool up);

    // Edits of one cell, as the table reports them.
    void type_chosen(Grid& g, int r, const std::string& type);
    void enable_changed(Grid& g, int r, bool checked);
    void cell_edited(Grid& g, int r, int c);

    // The buttons, on the active page's table at its current row.
    void Btn_DelRow();
    void Btn_InsRow();
    void Btn_CopyRow();
    void Btn_PasteRow();
    void Btn_MoveUp();
    void Btn_MoveDown();

    Grid& active() { return page == SlaveToMaster ? ASG_SlaveMaster : ASG_MasterSlave; }
    const VarColumns& columns_of(const Grid& g) const { return &g == &ASG_SlaveMaster ? kStoMColumns : kMtoSColumns; }
    std::vector<TGroup>& groups_of(const Grid& g) { return &g == &ASG_SlaveMaster ? Group_StoM : Group_MtoS; }

    Grid ASG_SlaveMaster, ASG_MasterSlave;
    std::vector<TGroup> Group_StoM, Group_MtoS;
    int page = SlaveToMaster;
    bool Do_Copy_StM = false;
    bool Do_Copy_MtS = false;

    // The Length cell of every row is editable exactly when its type allows it;
    // run after every operation that moves rows.
    void apply_length_rule(Grid& g);

private:
    bool check_stom();
    bool check_mtos();
    void row_error(int r, int msg);

    const StringTable& t_;
    Prompter& p_;
    CopyRowBuffer& buf_;
};

// Hexadecimal digits only, in either case; an empty text passes.
bool CheckArraySting(const std::string& text);

// Rows 1.. up to the first row whose Type, trimmed, is empty.
int variable_list_end(const Grid& g, const VarColumns& cols);

}  // namespace zv
