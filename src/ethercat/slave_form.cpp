#include "ethercat/slave_form.h"

#include "ethercat/ethercat_files.h"
#include "text/encoding.h"
#include "text/text_util.h"

namespace zv {
namespace {

Grid make_table(const VarColumns& k) {
    Grid g(EtherCATSlaveForm::kRows, k.count);
    auto set = [&](int c, int width, uint32_t colour, ColumnEditor ed = ColumnEditor::Text, bool ro = false) {
        if (c < 0) return;
        GridColumn& col = g.columns[static_cast<size_t>(c)];
        col.width = width;
        col.colour = colour;
        col.editor = ed;
        col.read_only = ro;
    };
    set(0, 40, kFixedColour, ColumnEditor::Text, true);
    set(k.Enable, 50, 0xFFD8B0, ColumnEditor::CheckBox);
    g.columns[static_cast<size_t>(k.Enable)].centred = true;
    set(k.Type, 120, 0xE0FAFE, ColumnEditor::DropDown);
    g.columns[static_cast<size_t>(k.Type)].choices = VarType;
    set(k.Length, 100, 0xE0FAFE);
    set(k.Name, 280, 0xE0FAFE);
    set(k.InitValue, 100, 0xA8FFA8);
    set(k.Position, 100, 0xFCD6F4, ColumnEditor::Text, true);
    set(k.StartBit, 100, 0xFCD6F4, ColumnEditor::Text, true);
    set(k.Group, 100, 0xFFFFA8, ColumnEditor::Text, true);
    set(k.Mnemonic, 100, 0xFFFFFF);
    return g;
}

const std::string kZero = "0";

// Characters as the user counts them (UTF-16 code units, as the device texts).
size_t char_count(const std::string& s) { return utf8_to_utf16(s).size(); }

bool is_array_or_string(const std::string& t) { return t == "Array" || t == "String"; }

std::vector<TGroup> groups_from(const std::vector<GroupRow>& rows) {
    std::vector<TGroup> out;
    for (const auto& r : rows) {
        auto n = parse_decimal(r.Num_Variables.value_or(""));
        out.push_back({r.Group_Name.value_or(""), n && *n >= 0 && *n <= 0x7FFFFFFF ? static_cast<int>(*n) : 0});
    }
    return out;
}

void fill(Grid& g, const VarColumns& k, const std::vector<VariableRow>& rows) {
    for (size_t i = 0; i < rows.size() && static_cast<int>(i) + 1 < g.RowCount(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const VariableRow& v = rows[i];
        g.set_checked(r, k.Enable, v.Enable.value_or("Y") != "N");
        g.text(r, k.Type) = v.Type.value_or("");
        g.text(r, k.Length) = v.Length.value_or("");
        g.text(r, k.Name) = v.Name.value_or("");
        if (k.InitValue >= 0) g.text(r, k.InitValue) = v.InitValue.value_or("");
        g.text(r, k.Position) = v.Position.value_or("");
        g.text(r, k.StartBit) = v.BitStart.value_or("");
        g.text(r, k.Mnemonic) = v.Mnemonic.value_or("");
    }
}

std::vector<VariableRow> rows_of(const Grid& g, const VarColumns& k) {
    std::vector<VariableRow> rows;
    for (int r = 1; r < variable_list_end(g, k); ++r) {
        VariableRow v;
        v.Enable = std::string(g.checked(r, k.Enable) ? "Y" : "N");
        v.Type = g.text(r, k.Type);
        v.Length = g.text(r, k.Length);
        v.Name = g.text(r, k.Name);
        if (k.InitValue >= 0) v.InitValue = g.text(r, k.InitValue);
        v.Position = g.text(r, k.Position);
        v.BitStart = g.text(r, k.StartBit);
        v.Group = g.text(r, k.Group);
        v.Mnemonic = g.text(r, k.Mnemonic);
        rows.push_back(std::move(v));
    }
    return rows;
}

}  // namespace

TypeLength type_length(const std::string& t) {
    if (t == "Bool" || t == "Int8" || t == "UInt8") return {true, "1", false};
    if (t == "Int16" || t == "UInt16") return {true, "2", false};
    if (t == "Int32" || t == "UInt32" || t == "Float32") return {true, "4", false};
    if (is_array_or_string(t)) return {true, "10", true};
    return {false, "", true};
}

bool CheckArraySting(const std::string& text) {
    for (char c : to_upper_ascii(text))
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

int variable_list_end(const Grid& g, const VarColumns& k) {
    int r = 1;
    while (r < g.RowCount() && !trim(g.text(r, k.Type)).empty()) ++r;
    return r;
}

EtherCATSlaveForm::EtherCATSlaveForm(const StringTable& t, Prompter& p, CopyRowBuffer& buf)
    : ASG_SlaveMaster(make_table(kStoMColumns)), ASG_MasterSlave(make_table(kMtoSColumns)), t_(t), p_(p), buf_(buf) {
    Set_Lang();
}

void EtherCATSlaveForm::Set_Lang() {
    const std::vector<int> stom_head = {2714, 2715, 2716, 2717, 2719, 2720, 2721, 2722, 2759, 2723};
    const std::vector<int> stom_hint = {2724, 2725, 2726, 2728, 2729, 2730, 2731, 2761, 2732};
    const std::vector<int> mtos_head = {2736, 2737, 2738, 2739, 2740, 2741, 2742, 2760, 2743};
    const std::vector<int> mtos_hint = {2744, 2745, 2746, 2747, 2748, 2749, 2762, 2750};
    auto apply = [&](Grid& g, const std::vector<int>& head, const std::vector<int>& hint) {
        for (int c = 0; c < g.col_count(); ++c) {
            g.text(0, c) = t_[head[static_cast<size_t>(c)]];
            g.columns[static_cast<size_t>(c)].hint = c == 0 ? "" : t_[hint[static_cast<size_t>(c - 1)]];
        }
    };
    apply(ASG_SlaveMaster, stom_head, stom_hint);
    apply(ASG_MasterSlave, mtos_head, mtos_hint);
}

void EtherCATSlaveForm::FormShow(const std::filesystem::path& slave_file, const std::filesystem::path& group_file) {
    // Read both files first, so an ill-formed one leaves the tables as they were.
    GroupLists groups;
    if (std::filesystem::exists(group_file)) groups = read_group_file(group_file);
    VariableLists vars;
    if (std::filesystem::exists(slave_file)) vars = read_variables_file(slave_file);

    for (Grid* g : {&ASG_SlaveMaster, &ASG_MasterSlave}) {
        g->number_rows();
        for (int r = 1; r < kRows; ++r)
            for (int c = 1; c < g->col_count(); ++c) {
                g->text(r, c).clear();
                if (c == 1) g->add_check(r, c, true);
            }
        g->row = 1;
        g->col = 1;
    }
    Group_StoM = groups_from(groups.Slave_to_Master);
    Group_MtoS = groups_from(groups.Master_to_Slave);
    fill(ASG_SlaveMaster, kStoMColumns, vars.Slave_To_Master);
    fill(ASG_MasterSlave, kMtoSColumns, vars.Master_To_Slave);
    apply_length_rule(ASG_SlaveMaster);
    apply_length_rule(ASG_MasterSlave);
    Show_Group(ASG_SlaveMaster);
    Show_Group(ASG_MasterSlave);
    Calc_Position_Bit(ASG_SlaveMaster);
    Calc_Position_Bit(ASG_MasterSlave);
    Do_Copy_StM = Do_Copy_MtS = false;
}

void EtherCATSlaveForm::VarSetLength(Grid& g, const std::string& type, int r) {
    const TypeLength tl = type_length(type);
    if (!tl.known) return;
    const VarColumns& k = columns_of(g);
    g.text(r, k.Length) = tl.length;
    g.at(r, k.Length).read_only = !tl.editable;
}

void EtherCATSlaveForm::apply_length_rule(Grid& g) {
    const VarColumns& k = columns_of(g);
    for (int r = 1; r < g.RowCount(); ++r) g.at(r, k.Length).read_only = !type_length(g.text(r, k.Type)).editable;
}

void EtherCATSlaveForm::Calc_Position_Bit(Grid& g) {
    const VarColumns& k = columns_of(g);
    long long offset = 0;
    int bitcount = 0;
    bool inrun = false;
    for (int r = 1; r < variable_list_end(g, k); ++r) {
        const std::string& type = g.text(r, k.Type);
        std::string& pos = g.text(r, k.Position);
        std::string& bit = g.text(r, k.StartBit);
        if (!g.checked(r, k.Enable)) {
            pos = kZero;
            bit = kZero;
        } else if (type == "Bool") {
            if (!inrun) {
                inrun = true;
                bitcount = 0;
            }
            pos = std::to_string(offset);
            bit = std::to_string(bitcount);
            if (++bitcount == 8) {
                bitcount = 0;
                ++offset;
            }
        } else {
            if (inrun) {
                inrun = false;
                if (bitcount > 0) ++offset;
                bitcount = 0;
            }
            pos = std::to_string(offset);
            bit = kZero;
            if (type == "Int8" || type == "UInt8")
                offset += 1;
            else if (type == "Int16" || type == "UInt16")
                offset += 2;
            else if (type == "Int32" || type == "UInt32" || type == "Float32")
                offset += 4;
            else
                offset += parse_decimal(g.text(r, k.Length)).value_or(0) + (type == "String" ? 1 : 0);
        }
    }
}

void EtherCATSlaveForm::Show_Group(Grid& g) {
    const VarColumns& k = columns_of(g);
    int row = 1;
    for (const TGroup& grp : groups_of(g)) {
        if (grp.Num_Var <= 0) continue;
        int taken = 0;
        while (taken < grp.Num_Var && row <= g.last_row()) {
            if (g.checked(row, k.Enable)) {
                g.text(row, k.Group) = grp.Name;
                ++taken;
            } else {
                g.text(row, k.Group).clear();
            }
            ++row;
        }
    }
    for (; row <= g.last_row(); ++row) g.text(row, k.Group).clear();
}

void EtherCATSlaveForm::MoveRow_ASG(Grid& g, int r, bool up) {
    const int other = up ? r - 1 : r + 1;
    const bool acts = up ? r > 1 : (r >= 1 && r < g.RowCount() - 2);
    if (acts) {
        const VarColumns& k = columns_of(g);
        const bool a = g.checked(r, k.Enable);
        g.set_checked(r, k.Enable, g.checked(other, k.Enable));
        g.set_checked(other, k.Enable, a);
        for (int c = 2; c < g.col_count(); ++c) std::swap(g.at(r, c), g.at(other, c));
    }
    if (other >= 1 && other <= g.last_row()) g.row = other;
}

void EtherCATSlaveForm::type_chosen(Grid& g, int r, const std::string& type) {
    VarSetLength(g, type, r);
    g.text(r, columns_of(g).Type) = type;
    Calc_Position_Bit(g);
}

void EtherCATSlaveForm::enable_changed(Grid& g, int r, bool checked) {
    g.set_checked(r, columns_of(g).Enable, checked);
    Show_Group(g);
    Calc_Position_Bit(g);
}

void EtherCATSlaveForm::cell_edited(Grid& g, int, int c) {
    if (c >= 1 && c <= 3) Calc_Position_Bit(g);
}

void EtherCATSlaveForm::row_error(int r, int msg) { p_.error(t_[2751] + std::to_string(r) + t_[msg]); }

bool EtherCATSlaveForm::check_stom() {
    const Grid& g = ASG_SlaveMaster;
    const VarColumns& k = kStoMColumns;
    for (int r = 1; r < variable_list_end(g, k); ++r) {
        if (!g.checked(r, k.Enable)) continue;
        const std::string& type = g.text(r, k.Type);
        if (!is_array_or_string(type)) continue;
        const long long L = parse_decimal(g.text(r, k.Length)).value_or(-1);
        const std::string& init = g.text(r, k.InitValue);
        const size_t n = char_count(init);
        if (type == "Array") {
            if (L < 1 || L > 255) return row_error(r, 2752), false;
            if (init.empty()) continue;
            if (n % 2 != 0) return row_error(r, 2753), false;
            if (static_cast<long long>(n / 2) > L) return row_error(r, 2754), false;
            if (!CheckArraySting(init)) return row_error(r, 2755), false;
        } else {
            if (L < 1 || L > 255) return row_error(r, 2756), false;
            if (!init.empty() && static_cast<long long>(n) > L) return row_error(r, 2757), false;
        }
    }
    return true;
}

bool EtherCATSlaveForm::check_mtos() {
    const Grid& g = ASG_MasterSlave;
    const VarColumns& k = kMtoSColumns;
    for (int r = 1; r < variable_list_end(g, k); ++r) {
        if (!g.checked(r, k.Enable) || !is_array_or_string(g.text(r, k.Type))) continue;
        const long long L = parse_decimal(g.text(r, k.Length)).value_or(-1);
        if (L < 1 || L > 255) return row_error(r, 2758), false;
    }
    return true;
}

bool EtherCATSlaveForm::Controllo_dati() { return check_stom() && check_mtos(); }

void EtherCATSlaveForm::save(const std::filesystem::path& file) const {
    write_variables_file(file, {rows_of(ASG_SlaveMaster, kStoMColumns), rows_of(ASG_MasterSlave, kMtoSColumns)});
}

bool EtherCATSlaveForm::Btn_OK(const std::filesystem::path& file) {
    if (!Controllo_dati()) return false;
    save(file);
    return true;
}

void EtherCATSlaveForm::Btn_DelRow() {
    Grid& g = active();
    if (p_.confirm(format_d(t_[2733], g.row))) DelRow_ASG(g.row, g);
    apply_length_rule(g);
    Show_Group(g);
    Calc_Position_Bit(g);
}

void EtherCATSlaveForm::Btn_InsRow() {
    Grid& g = active();
    InsRow_ASG(g.row, g);
    apply_length_rule(g);
    Show_Group(g);
}

void EtherCATSlaveForm::Btn_CopyRow() {
    Grid& g = active();
    CopyRow_ASG(g, g.row, buf_);
    Do_Copy_StM = page == SlaveToMaster;
    Do_Copy_MtS = page != SlaveToMaster;
}

void EtherCATSlaveForm::Btn_PasteRow() {
    Grid& g = active();
    PasteRow_ASG(g, g.row, page == SlaveToMaster ? Do_Copy_StM : Do_Copy_MtS, buf_, t_, p_);
    apply_length_rule(g);
    Show_Group(g);
    Calc_Position_Bit(g);
}

void EtherCATSlaveForm::Btn_MoveUp() {
    Grid& g = active();
    MoveRow_ASG(g, g.row, true);
    Show_Group(g);
    Calc_Position_Bit(g);
}

void EtherCATSlaveForm::Btn_MoveDown() {
    Grid& g = active();
    MoveRow_ASG(g, g.row, false);
    Show_Group(g);
    Calc_Position_Bit(g);
}

}  // namespace zv
