#include "params/par_gen_form.h"

#include "text/text_util.h"

namespace zv {

void ParGenForm::load(const std::filesystem::path& file) {
    values = read_par_gen_for_editor(file);
    Is_Change = false;
}

namespace {

// Empty or non-numeric text counts as -1, so it fails every range.
long long as_number(const std::string& text) { return parse_decimal(text).value_or(-1); }

bool in_range(const std::string& text, long long lo, long long hi) {
    long long v = as_number(text);
    return v >= lo && v <= hi;
}

bool name_of_station_char(char c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool ParGenForm::Controllo_Dati() {
    auto fail = [&](int entry) {
        p_.error(t_[entry]);
        return false;
    };
    auto bytes_ok = [&](const std::array<std::string, 4>& bytes, int first_entry) {
        for (int i = 0; i < 4; ++i)
            if (!in_range(bytes[i], 0, 255)) return fail(first_entry + i);
        return true;
    };
    if (values.enable_dns) {
        if (!bytes_ok(values.primary_dns, 1937)) return false;
        if (!bytes_ok(values.secondary_dns, 1941)) return false;
    }
    if (!bytes_ok(values.ip, 444)) return false;
    if (!bytes_ok(values.subnet_mask, 448)) return false;
    if (values.enable_gateway && !bytes_ok(values.gateway, 452)) return false;
    if (values.name_of_station.empty()) return fail(785);
    for (char c : values.name_of_station)
        if (!name_of_station_char(c)) return fail(786);
    if (!in_range(values.revision_number, 0, 4294967295LL)) return fail(1876);
    if (trim(values.slave_name).empty()) return fail(1877);
    if (!in_range(values.node_address, 1, 192)) return fail(1878);
    return true;
}

void ParGenForm::save(const std::filesystem::path& file) const { write_par_gen(file, values); }

bool ParGenForm::ok(const std::filesystem::path& file) {
    if (!Controllo_Dati()) return false;
    save(file);
    return true;
}

bool ParGenForm::cancel() { return !Is_Change || p_.confirm(t_[469]); }

}  // namespace zv
