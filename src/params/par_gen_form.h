#pragma once
#include <filesystem>

#include "params/par_gen.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// The rules of the communication parameter editor, without its window.
class ParGenForm {
public:
    ParGenForm(const StringTable& t, Prompter& p) : t_(t), p_(p) {}

    // FormShow: the file's values, or the defaults for what is missing; clears Is_Change.
    // Throws zv::Error when the file is not well-formed.
    void load(const std::filesystem::path& file);
    // The ten checks in order; the first failing one is shown as an error.
    bool Controllo_Dati();
    void save(const std::filesystem::path& file) const;

    // Btn_OKClick: true when the values passed and were written, so the dialog closes.
    bool ok(const std::filesystem::path& file);
    // Btn_CancelClick: true when the dialog may close without writing.
    bool cancel();

    // DHCP on the cable connection hands the PROFINET address to a server, so
    // address, mask, gateway and the gateway check box are not edited then.
    bool profinet_address_enabled() const { return !values.dhcp_cable; }

    ParGenValues values;
    bool Is_Change = false;

private:
    const StringTable& t_;
    Prompter& p_;
};

}  // namespace zv
