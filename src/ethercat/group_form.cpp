#include "ethercat/group_form.h"

#include "ethercat/ethercat_files.h"
#include "text/text_util.h"

namespace zv {
namespace {

Grid make_table() {
    Grid g(EtherCATGroupForm::kRows, EtherCATGroupForm::kCols);
    const int widths[] = {40, 300, 100, 300};
    const uint32_t colours[] = {kWindowColour, 0xE0FAFE, 0xA8FFA8, kWindowColour};
    for (int c = 0; c < EtherCATGroupForm::kCols; ++c) {
        g.columns[static_cast<size_t>(c)].width = widths[c];
        g.columns[static_cast<size_t>(c)].colour = colours[c];
    }
    g.columns[0].read_only = true;
    return g;
}

// The rows of a table's list: from row 1 up to the first blank group name.
int list_end(const Grid& g) {
    int r = 1;
    while (r < g.RowCount() && !trim(g.text(r, 1)).empty()) ++r;
    return r;
}

std::vector<GroupRow> rows_of(const Grid& g) {
    std::vector<GroupRow> rows;
    for (int r = 1; r < list_end(g); ++r) rows.push_back({g.text(r, 1), g.text(r, 2), g.text(r, 3)});
    return rows;
}

void fill(Grid& g, const std::vector<GroupRow>& rows) {
    for (size_t i = 0; i < rows.size() && static_cast<int>(i) + 1 < g.RowCount(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.text(r, 1) = rows[i].Group_Name.value_or("");
        g.text(r, 2) = rows[i].Num_Variables.value_or("");
        g.text(r, 3) = rows[i].Mnemonic.value_or("");
    }
}

}  // namespace

EtherCATGroupForm::EtherCATGroupForm(const StringTable& t, Prompter& p, CopyRowBuffer& buf)
    : ACG_Group_StoM(make_table()), ACG_Group_MtoS(make_table()), t_(t), p_(p), buf_(buf) {
    Set_Lang();
}

void EtherCATGroupForm::Set_Lang() {
    const int stom[] = {3516, 3517, 3523, 3518};
    const int mtos[] = {3519, 3520, 3524, 3521};
    for (int c = 0; c < kCols; ++c) {
        ACG_Group_StoM.text(0, c) = t_[stom[c]];
        ACG_Group_MtoS.text(0, c) = t_[mtos[c]];
    }
}

void EtherCATGroupForm::FormShow(const std::filesystem::path& file) {
    GroupLists lists;
    if (std::filesystem::exists(file)) lists = read_group_file(file);
    for (Grid* g : {&ACG_Group_StoM, &ACG_Group_MtoS}) {
        g->number_rows();
        for (int r = 1; r < kRows; ++r)
            for (int c = 1; c < kCols; ++c) g->text(r, c).clear();
        g->row = 1;
        g->col = 1;
    }
    fill(ACG_Group_StoM, lists.Slave_to_Master);
    fill(ACG_Group_MtoS, lists.Master_to_Slave);
    Do_Copy_StM = Do_Copy_MtS = false;
}

bool EtherCATGroupForm::check_table(const Grid& g, int row_msg, int total_msg) {
    long long total = 0;
    for (int r = 1; r < list_end(g); ++r) {
        const long long n = parse_decimal(g.text(r, 2)).value_or(-1);
        if (n < 1 || n > 256) {
            p_.error(t_[3525] + std::to_string(r) + t_[row_msg]);
            return false;
        }
        total += n;
    }
    if (total > 256) {
        p_.error(t_[total_msg]);
        return false;
    }
    return true;
}

bool EtherCATGroupForm::Controllo_dati() {
    return check_table(ACG_Group_StoM, 3526, 3527) && check_table(ACG_Group_MtoS, 3528, 3529);
}

void EtherCATGroupForm::save(const std::filesystem::path& file) const {
    write_group_file(file, {rows_of(ACG_Group_StoM), rows_of(ACG_Group_MtoS)});
}

bool EtherCATGroupForm::Btn_OK(const std::filesystem::path& file) {
    if (!Controllo_dati()) return false;
    save(file);
    return true;
}

void EtherCATGroupForm::Btn_DelRow() {
    Grid& g = active();
    if (p_.confirm(format_d(t_[3522], g.row))) DelRow_ACG(g.row, g);
}

void EtherCATGroupForm::Btn_InsRow() {
    Grid& g = active();
    InsRow_ACG(g.row, g);
}

void EtherCATGroupForm::Btn_CopyRow() {
    Grid& g = active();
    CopyRow_ACG(g, g.row, buf_);
    Do_Copy_StM = page == SlaveToMaster;
    Do_Copy_MtS = page != SlaveToMaster;
}

void EtherCATGroupForm::Btn_PasteRow() {
    Grid& g = active();
    PasteRow_ACG(g, g.row, page == SlaveToMaster ? Do_Copy_StM : Do_Copy_MtS, buf_, t_, p_);
}

}  // namespace zv
