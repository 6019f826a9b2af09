#pragma once
#include <filesystem>

#include "text/grid.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// What the groups dialog (TFEtherCATSlave_Group) edits and checks: two tables
// of 16 groups, Slave To Master and Master To Slave.
class EtherCATGroupForm {
public:
    static constexpr int kRows = 17;  // header + 16 groups
    static constexpr int kCols = 4;   // N, Group Name, Num Variables, Mnemonic
    enum Page { SlaveToMaster = 0, MasterToSlave = 1 };

    EtherCATGroupForm(const StringTable& t, Prompter& p, CopyRowBuffer& buf);

    // Header cells from the string table.
    void Set_Lang();
    // Empties both tables, fills them from the file when it exists, clears the
    // row-copied flags. Throws zv::Error for a file that is not well-formed.
    void FormShow(const std::filesystem::path& file);
    bool Controllo_dati();
    void save(const std::filesystem::path& file) const;
    // Validates and saves; true when the dialog may close.
    bool Btn_OK(const std::filesystem::path& file);

    // The row buttons act on the active page's table at its current row.
    void Btn_DelRow();
    void Btn_InsRow();
    void Btn_CopyRow();
    void Btn_PasteRow();

    Grid& active() { return page == SlaveToMaster ? ACG_Group_StoM : ACG_Group_MtoS; }

    Grid ACG_Group_StoM, ACG_Group_MtoS;
    int page = SlaveToMaster;  // set at creation only; later showings keep it
    bool Do_Copy_StM = false;
    bool Do_Copy_MtS = false;

private:
    bool check_table(const Grid& g, int row_msg, int total_msg);

    const StringTable& t_;
    Prompter& p_;
    CopyRowBuffer& buf_;
};

}  // namespace zv
