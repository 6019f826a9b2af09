#include "profinet/modules_form.h"

#include "text/text_util.h"

namespace zv {
namespace {

struct ColDef {
    int text, width;
    uint32_t colour;
};
constexpr ColDef kSlotDefs[kSlotCols] = {
    {1206, 50, kSlotColour},    {1207, 60, kSlotColour},    {1208, 150, kModuleColour}, {1209, 200, kModuleColour},
    {1210, 200, kModuleColour}, {1211, 70, kModuleColour},  {1212, 70, kOptionColour},  {1213, 70, kOptionColour},
    {1214, 70, kOptionColour},  {1215, 100, kOptionColour}, {1224, 90, kOptionColour},  {1225, 90, kOptionColour},
    {1222, 50, kLengthColour},  {1223, 50, kLengthColour},  {1216, 100, kWhite},
};
constexpr ColDef kParamDefs[kParamCols] = {
    {1217, 250, kWhite}, {1218, 250, kWhite}, {1219, 150, kWhite}, {1220, 150, kWhite}, {1221, 250, kWhite},
};

int int_or(const std::string& text, int fallback) {
    auto v = parse_decimal(trim(text));
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return fallback;
    return static_cast<int>(*v);
}

}  // namespace

ProfinetModulesForm::ProfinetModulesForm(const StringTable& t) : t_(t) { Init_Table(); }

void ProfinetModulesForm::Init_Table() {
    slot_columns_.assign(kSlotCols, GridColumn());
    for (int c = 0; c < kSlotCols; ++c) {
        slot_columns_[c].width = kSlotDefs[c].width;
        slot_columns_[c].colour = kSlotDefs[c].colour;
        slot_columns_[c].hint = t_[kSlotDefs[c].text];  // header text kept from creation
        slot_columns_[c].hidden = c >= kColAddrIn && c <= kColQtyOut;
    }
    slot_columns_[kColStatus].editor = slot_columns_[kColWordPos].editor = ColumnEditor::CheckBox;
    param_columns_.assign(kParamCols, GridColumn());
    for (int c = 0; c < kParamCols; ++c) {
        param_columns_[c].width = kParamDefs[c].width;
        param_columns_[c].colour = kParamDefs[c].colour;
        param_columns_[c].hint = t_[kParamDefs[c].text];
    }
    prepare_slot_grid(2);
    clear_parameters();
}

void ProfinetModulesForm::prepare_slot_grid(int rows) {
    ASG_SlotModule = Grid(std::max(rows, 2), kSlotCols);
    ASG_SlotModule.columns = slot_columns_;
    for (int c = 0; c < kSlotCols; ++c) {
        ASG_SlotModule.text(0, c) = slot_columns_[c].hint;
        ASG_SlotModule.columns[c].hint.clear();
    }
}

void ProfinetModulesForm::prepare_param_grid(int rows) {
    ASG_ModProp = Grid(std::max(rows, 2), kParamCols);
    ASG_ModProp.columns = param_columns_;
    for (int c = 0; c < kParamCols; ++c) {
        ASG_ModProp.text(0, c) = param_columns_[c].hint;
        ASG_ModProp.columns[c].hint.clear();
    }
}

void ProfinetModulesForm::Prepare_Temp_Data() {
    SlotList.clear();
    // A slot copy shares the immutable catalog entries and copies the subslots
    // with the user's values deeply.
    if (Device) SlotList = Device->SlotList;
}

void ProfinetModulesForm::FormShow() {
    selected_slot_row = 1;
    Compile_Def_Val_Table();
    clear_parameters();
}

void ProfinetModulesForm::Compile_Def_Val_Table() {
    int rows = 1;
    for (const TPROFINET_Slot& s : SlotList) rows += s.Selected_Module ? static_cast<int>(s.SubSlotList.size()) : 1;
    prepare_slot_grid(rows);
    Grid& g = ASG_SlotModule;
    int r = 1;
    for (const TPROFINET_Slot& s : SlotList) {
        const TPROFINET_Module* m = s.Selected_Module.get();
        if (!m) {
            for (int c = 0; c < kSlotCols; ++c) g.at(r, c).read_only = true;
            g.text(r, kColSlot) = std::to_string(s.FSlotNum);
            // Without a list of modules there is nothing to choose from.
            g.at(r, kColModule).read_only = s.FFixed || s.ModNameList.empty();
            g.add_check(r, kColStatus, false);
            g.add_check(r, kColWordPos, false);
            ++r;
            continue;
        }
        for (const TPROFINET_Subslot& sub : s.SubSlotList) {
            const TPROFINET_Submodule* sm = sub.Selected_SubModule.get();
            for (int c = 0; c < kSlotCols; ++c) g.at(r, c).read_only = true;
            g.text(r, kColSlot) = std::to_string(s.FSlotNum);
            g.text(r, kColSubslot) = std::to_string(sub.FSubslotNum) + " - " + sub.FSubSlotName;
            g.text(r, kColModule) = m->name_text();
            g.at(r, kColModule).read_only = s.FFixed || s.ModNameList.empty();
            g.text(r, kColModuleDesc) = m->FInfo;
            g.at(r, kColSubmodule).read_only = sub.FFixed;
            g.at(r, kColMnemonic).read_only = false;
            if (sm) {
                g.text(r, kColSubmodule) = sm->FName;
                g.text(r, kColSubmoduleDesc) = sm->FInfo;
                g.text(r, kColAddrIn) = std::to_string(sub.FStartAddIn);
                g.text(r, kColQtyIn) = std::to_string(sub.FQuantityIn);
                g.text(r, kColAddrOut) = std::to_string(sub.FStartAddOut);
                g.text(r, kColQtyOut) = std::to_string(sub.FQuantityOut);
                g.add_check(r, kColStatus, sub.FStatus);
                g.add_check(r, kColWordPos, sub.FWord_Pos);
                g.text(r, kColLenIn) = std::to_string(sm->FDataLenIn);
                g.text(r, kColLenOut) = std::to_string(sm->FDataLenOut);
                g.text(r, kColMnemonic) = sub.FMnemonic;
            } else {
                g.add_check(r, kColStatus, false);
                g.add_check(r, kColWordPos, false);
            }
            g.at(r, kColStatus).read_only = g.at(r, kColWordPos).read_only = false;
            ++r;
        }
    }
    if (selected_slot_row >= g.RowCount()) selected_slot_row = g.last_row();
    g.row = selected_slot_row;
}

int ProfinetModulesForm::GetSlotIndex(int ID_Slot) const {
    for (size_t i = 0; i < SlotList.size(); ++i)
        if (SlotList[i].FSlotNum == ID_Slot) return static_cast<int>(i);
    return -1;
}

int ProfinetModulesForm::GetSubslotIndex(int ID_Subslot, const TPROFINET_Module* Module) {
    if (!Module) return -1;
    for (size_t i = 0; i < Module->SubslotsList.size(); ++i)
        if (Module->SubslotsList[i].FSubslotNum == ID_Subslot) return static_cast<int>(i);
    return -1;
}

std::string ProfinetModulesForm::DeleteDescFromSubSlotIndex(const std::string& SubSlotCell) {
    const size_t blank = SubSlotCell.find(' ');
    return trim_copy(blank == std::string::npos ? SubSlotCell : SubSlotCell.substr(0, blank));
}

TPROFINET_Slot* ProfinetModulesForm::row_slot(int row) {
    if (row < 1 || row >= ASG_SlotModule.RowCount()) return nullptr;
    const int i = GetSlotIndex(int_or(ASG_SlotModule.text(row, kColSlot), -1));
    return i < 0 ? nullptr : &SlotList[i];
}

TPROFINET_Subslot* ProfinetModulesForm::row_subslot(int row) {
    TPROFINET_Slot* s = row_slot(row);
    if (!s) return nullptr;
    const int num = int_or(DeleteDescFromSubSlotIndex(ASG_SlotModule.text(row, kColSubslot)), -1);
    const int i = GetSubslotIndex(num, s->Selected_Module.get());
    if (i < 0 || i >= static_cast<int>(s->SubSlotList.size())) return nullptr;
    return &s->SubSlotList[i];
}

int ProfinetModulesForm::slot_row(int slot, std::optional<int> subslot) {
    for (int r = 1; r < ASG_SlotModule.RowCount(); ++r) {
        const TPROFINET_Slot* s = row_slot(r);
        if (!s || s->FSlotNum != slot) continue;
        if (!subslot) return r;
        if (const TPROFINET_Subslot* sub = row_subslot(r); sub && sub->FSubslotNum == *subslot) return r;
    }
    return -1;
}

std::optional<std::vector<std::string>> ProfinetModulesForm::slot_choices(int row, int col) {
    if ((col != kColModule && col != kColSubmodule) || !ASG_SlotModule.editable(row, col)) return std::nullopt;
    std::vector<std::string> items{""};
    if (col == kColModule) {
        TPROFINET_Slot* s = row_slot(row);
        if (!s || s->ModNameList.empty()) return std::nullopt;
        items.insert(items.end(), s->ModNameList.begin(), s->ModNameList.end());
        return items;
    }
    if (col == kColSubmodule) {
        TPROFINET_Subslot* s = row_subslot(row);
        if (!s) return std::nullopt;
        items.insert(items.end(), s->SubModNameList.begin(), s->SubModNameList.end());
        return items;
    }
    return std::nullopt;
}

void ProfinetModulesForm::click_slot_cell(int row) {
    selected_slot_row = row;
    ASG_SlotModule.row = row;
    if (TPROFINET_Subslot* s = row_subslot(row))
        Show_Submodule_Parameters(s);
    else
        clear_parameters();
}

void ProfinetModulesForm::choose_module(int row, const std::string& text) {
    TPROFINET_Slot* s = row_slot(row);
    if (!s) return;
    const int i = s->GetIndexModule(text);
    plug_module(row, i >= 0 ? s->ModulesList[i] : nullptr);
}

void ProfinetModulesForm::plug_module(int row, ModuleRef m) {
    TPROFINET_Slot* s = row_slot(row);
    if (!s) return;
    s->plug(std::move(m));
    selected_slot_row = row;
    // The parameters shown belonged to a subslot the new layout replaced.
    clear_parameters();
    Compile_Def_Val_Table();
}

void ProfinetModulesForm::choose_submodule(int row, const std::string& text) {
    TPROFINET_Subslot* s = row_subslot(row);
    if (!s) return;
    const int i = s->GetIndexSubmodule(text);
    plug_submodule(row, i >= 0 ? s->SubmodulesList[i] : nullptr);
}

void ProfinetModulesForm::plug_submodule(int row, SubmoduleRef sm) {
    TPROFINET_Subslot* s = row_subslot(row);
    if (!s) return;
    s->plug(std::move(sm));
    selected_slot_row = row;
    Show_Submodule_Parameters(s);
    Compile_Def_Val_Table();
}

void ProfinetModulesForm::set_status(int row, bool on) {
    if (TPROFINET_Subslot* s = row_subslot(row)) {
        s->FStatus = on;
        ASG_SlotModule.set_checked(row, kColStatus, on);
    }
}

void ProfinetModulesForm::set_word_pos(int row, bool on) {
    if (TPROFINET_Subslot* s = row_subslot(row)) {
        s->FWord_Pos = on;
        ASG_SlotModule.set_checked(row, kColWordPos, on);
    }
}

void ProfinetModulesForm::set_mnemonic(int row, const std::string& text) {
    if (TPROFINET_Subslot* s = row_subslot(row)) {
        s->FMnemonic = text;
        ASG_SlotModule.text(row, kColMnemonic) = text;
    }
}

void ProfinetModulesForm::clear_parameters() {
    param_rows_.clear();
    prepare_param_grid(2);
}

void ProfinetModulesForm::Show_Submodule_Parameters(const TPROFINET_Subslot* subslot) {
    param_rows_.clear();
    int rows = 1;
    if (subslot) {
        rows += static_cast<int>(subslot->ParametersList.size());
        for (const TParametersGroup& g : subslot->ParametersList) rows += static_cast<int>(g.Parameters_List.size());
    }
    if (rows < 2) {
        clear_parameters();
        return;
    }
    prepare_param_grid(rows);
    Grid& t = ASG_ModProp;
    param_rows_.push_back({});  // header
    int r = 1;
    for (size_t gi = 0; gi < subslot->ParametersList.size(); ++gi) {
        const TParametersGroup& g = subslot->ParametersList[gi];
        t.text(r, 0) = g.FGroupName;
        for (int c = 0; c < kParamCols; ++c) t.at(r, c).read_only = true;
        param_rows_.push_back({static_cast<int>(gi), -1, {}});
        ++r;
        for (size_t pi = 0; pi < g.Parameters_List.size(); ++pi) {
            const TParam& p = g.Parameters_List[pi];
            t.text(r, kColParName) = p.FName;
            t.at(r, kColParName).read_only = true;
            t.text(r, kColParValue) =
                p.DiscreteList.empty() ? p.FValue : p.GetDiscreteByValue(int_or(p.FValue, 0));
            t.text(r, kColParAllowed) = p.FAllowedValues;
            t.at(r, kColParAllowed).read_only = true;
            t.text(r, kColParDefault) = p.FDefaultValue;
            t.at(r, kColParDefault).read_only = true;
            t.text(r, kColParMnemonic) = p.FMnemonic;
            param_rows_.push_back({static_cast<int>(gi), static_cast<int>(pi), p.value_warning()});
            ++r;
        }
    }
}

bool ProfinetModulesForm::param_group_row(int row) const {
    return row >= 1 && row < static_cast<int>(param_rows_.size()) && param_rows_[row].param < 0;
}

TParam* ProfinetModulesForm::param_at(int row) {
    if (row < 1 || row >= static_cast<int>(param_rows_.size()) || param_rows_[row].param < 0) return nullptr;
    TPROFINET_Subslot* s = row_subslot(selected_slot_row);
    if (!s) return nullptr;
    const ParamRow& pr = param_rows_[row];
    if (pr.group >= static_cast<int>(s->ParametersList.size())) return nullptr;
    auto& params = s->ParametersList[pr.group].Parameters_List;
    if (pr.param >= static_cast<int>(params.size())) return nullptr;
    return &params[pr.param];
}

std::optional<std::vector<std::string>> ProfinetModulesForm::param_choices(int row, int col) {
    if (col != kColParValue) return std::nullopt;
    TParam* p = param_at(row);
    if (!p || p->DiscreteList.empty()) return std::nullopt;
    return p->DiscreteSL;
}

void ProfinetModulesForm::choose_param_value(int row, const std::string& text) {
    TParam* p = param_at(row);
    if (!p) return;
    p->FValue = std::to_string(p->GetValueByDiscrete(text));
    ASG_ModProp.text(row, kColParValue) = text;
}

void ProfinetModulesForm::set_param_value(int row, const std::string& text) {
    TParam* p = param_at(row);
    if (!p) return;
    if (!p->DiscreteList.empty()) return choose_param_value(row, text);
    p->FValue = text;
    ASG_ModProp.text(row, kColParValue) = text;
    param_rows_[row].warning = p->value_warning();
}

std::string ProfinetModulesForm::param_warning(int row) const {
    if (row < 1 || row >= static_cast<int>(param_rows_.size())) return {};
    return param_rows_[row].warning;
}

int ProfinetModulesForm::param_table_row(int group, int param) const {
    for (size_t r = 1; r < param_rows_.size(); ++r)
        if (param_rows_[r].group == group && param_rows_[r].param == param) return static_cast<int>(r);
    return -1;
}

void ProfinetModulesForm::set_param_mnemonic(int row, const std::string& text) {
    TParam* p = param_at(row);
    if (!p) return;
    p->FMnemonic = text;
    ASG_ModProp.text(row, kColParMnemonic) = text;
}

}  // namespace zv
