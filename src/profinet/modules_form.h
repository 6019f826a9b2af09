#pragma once
// What the modules dialog does, without a window: a working copy of one
// device's slots, the slot table and the parameter table with their editors,
// and every choice the user makes in them. The device itself is never touched;
// the network dialog takes SlotList back after OK.
#include <optional>
#include <string>
#include <vector>

#include "profinet/profinet_device.h"
#include "text/grid.h"
#include "text/string_table.h"

namespace zv {

// Columns of the slot table.
enum SlotCol {
    kColSlot = 0, kColSubslot = 1, kColModule = 2, kColModuleDesc = 3, kColSubmodule = 4, kColSubmoduleDesc = 5,
    kColAddrIn = 6, kColQtyIn = 7, kColAddrOut = 8, kColQtyOut = 9, kColStatus = 10, kColWordPos = 11,
    kColLenIn = 12, kColLenOut = 13, kColMnemonic = 14, kSlotCols = 15
};
// Columns of the parameter table.
enum ParamCol { kColParName = 0, kColParValue = 1, kColParAllowed = 2, kColParDefault = 3, kColParMnemonic = 4, kParamCols = 5 };

inline constexpr uint32_t kSlotColour = 0xFFD8B0, kModuleColour = 0xE0FAFE, kOptionColour = 0xFCD6F4,
                          kLengthColour = 0xCAFFCA, kWhite = 0xFFFFFF, kGroupColour = 0xFFFF00;
// A parameter value that does not fit its description.
inline constexpr uint32_t kWarningColour = 0xFFC8C8;

class ProfinetModulesForm {
public:
    explicit ProfinetModulesForm(const StringTable& t);

    // Column headers and widths; done once, at creation.
    void Init_Table();
    // The working copy of Device's slots; the previous one is dropped.
    void Prepare_Temp_Data();
    // On show: the slot table filled, the parameter table cleared.
    void FormShow();

    void Compile_Def_Val_Table();
    void Show_Submodule_Parameters(const TPROFINET_Subslot* subslot);
    void clear_parameters();

    int GetSlotIndex(int ID_Slot) const;
    static int GetSubslotIndex(int ID_Subslot, const TPROFINET_Module* Module);
    static std::string DeleteDescFromSubSlotIndex(const std::string& SubSlotCell);

    // The slot and subslot a table row stands for (null when none).
    TPROFINET_Slot* row_slot(int row);
    TPROFINET_Subslot* row_subslot(int row);
    // The first row of a slot number, or with a subslot number the row of that
    // subslot of the slot's plugged module; -1 when the table has none.
    int slot_row(int slot, std::optional<int> subslot = std::nullopt);

    // The drop-down items of a slot-table cell; nothing when it has no list editor.
    std::optional<std::vector<std::string>> slot_choices(int row, int col);
    // The same for a parameter-table cell.
    std::optional<std::vector<std::string>> param_choices(int row, int col);
    bool param_group_row(int row) const;

    // Slot table edits.
    void click_slot_cell(int row);
    void choose_module(int row, const std::string& text);
    void choose_submodule(int row, const std::string& text);
    // What a choice does once it is resolved: plugs one entry of the row's
    // allowed modules or submodules (null unplugs).
    void plug_module(int row, ModuleRef m);
    void plug_submodule(int row, SubmoduleRef sm);
    void set_status(int row, bool on);
    void set_word_pos(int row, bool on);
    void set_mnemonic(int row, const std::string& text);

    // Parameter table edits (rows of the subslot of the selected slot row).
    void choose_param_value(int row, const std::string& text);
    void set_param_value(int row, const std::string& text);
    void set_param_mnemonic(int row, const std::string& text);
    // Why the value of a parameter row does not fit its description; empty
    // when it fits (the cell is then shown plainly).
    std::string param_warning(int row) const;
    // The parameter table row of parameter `param` of group `group`; -1 when none.
    int param_table_row(int group, int param) const;

    TPROFINET_Device* Device = nullptr;
    std::vector<TPROFINET_Slot> SlotList;
    Grid ASG_SlotModule;
    Grid ASG_ModProp;
    int selected_slot_row = 1;

private:
    struct ParamRow {
        int group = -1, param = -1;  // param -1: the group's header row
        std::string warning;
    };
    TParam* param_at(int row);
    void prepare_slot_grid(int rows);
    void prepare_param_grid(int rows);

    const StringTable& t_;
    std::vector<GridColumn> slot_columns_, param_columns_;
    std::vector<ParamRow> param_rows_;
};

}  // namespace zv
