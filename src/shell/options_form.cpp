#include "shell/options_form.h"

#include <algorithm>
#include <system_error>

#include "shell/product.h"
#include "shell/version_check.h"
#include "text/text_util.h"

namespace zv {
namespace fs = std::filesystem;

std::vector<std::string> list_language_files(const fs::path& Language_Path) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(Language_Path, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".lng") != 0) continue;
        std::error_code sec;
        fs::file_status st = it->status(sec);
        if (sec || !fs::is_regular_file(st)) continue;  // folders and anything else that is no file
        if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) continue;  // read-only
        names.push_back(std::move(name));
    }
    // Without regard to case; the exact text decides between names that differ only in case.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string ua = to_upper_ascii(a), ub = to_upper_ascii(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

fs::path flag_picture(const fs::path& Language_Path, const std::string& language) {
    std::error_code ec;
    fs::path own = Language_Path / (language + ".bmp");
    if (fs::is_regular_file(own, ec)) return own;
    fs::path fallback = Language_Path / "DefaultFlag.bmp";
    if (fs::is_regular_file(fallback, ec)) return fallback;
    return {};
}

SoftOptionsForm::SoftOptionsForm(ShellState& s, StringTable& t, std::function<void()> change_language)
    : s_(s), t_(t), change_language_(std::move(change_language)) {}

void SoftOptionsForm::Show() {
    Language_In_Use = s_.Language_Name;
    Create_Lang_List();
    LL_Check_Update_visible = false;
    CB_En_Con = s_.Enable_Internet;
    CB_Update = s_.Enable_Update;
    CB_Soft_Set_Jump_Table = s_.Enable_Jump_Field_Tables;
    CB_DoubleClick_Auto_Size = s_.Double_Click_Auto_Size;
    Update_CheckBox();
}

void SoftOptionsForm::Create_Lang_List() {
    SL_Languages = list_language_files(s_.Language_Path);
    Show_Page = 1;
    Update_Lang_Page();
}

void SoftOptionsForm::refresh_selected() { L_Sel_Lang = t_[304] + Language_In_Use; }

void SoftOptionsForm::Update_Lang_Page() {
    const int pages = page_count();
    refresh_selected();
    L_Page_Lang = t_[305] + std::to_string(Show_Page) + t_[306] + std::to_string(pages);
    Btn_Prev_visible = Show_Page != 1;
    Btn_Next_visible = Show_Page != pages;
    for (int k = 0; k < kSlots; ++k) {
        Slot& slot = lang_slots[k];
        size_t index = static_cast<size_t>((Show_Page - 1) * kSlots + k);
        slot.visible = index < SL_Languages.size();
        if (!slot.visible) {
            slot = Slot{};
            continue;
        }
        const std::string& file = SL_Languages[index];
        slot.name = file.substr(0, file.size() - 4);
        slot.picture = flag_picture(s_.Language_Path, slot.name);
    }
}

void SoftOptionsForm::Btn_NextClick() {
    if (Show_Page + 1 <= page_count()) ++Show_Page;
    Update_Lang_Page();
}

void SoftOptionsForm::Btn_PrevClick() {
    if (Show_Page - 1 > 0) --Show_Page;
    Update_Lang_Page();
}

bool SoftOptionsForm::Lang_Click(int k, Prompter& p) {
    if (k < 1 || k > kSlots || !lang_slots[k - 1].visible) return false;
    const std::string L = lang_slots[k - 1].name;
    if (!p.confirm(t_[316] + Language_In_Use + t_[317] + L + t_[318])) return false;
    Language_In_Use = L;
    // The settings keep the old language until OK: it names the new one only
    // while the table is loaded.
    std::string previous = s_.Language_Name;
    s_.Language_Name = L;
    Lng_Load(t_, s_.Language_Path, s_.Language_Name);
    s_.Language_Name = previous;
    if (change_language_) change_language_();
    Update_Lang_Page();  // the labels in the new language
    return true;
}

void SoftOptionsForm::Update_CheckBox() {
    CB_Update_enabled = CB_En_Con;
    Btn_Check_Update_enabled = CB_Update_enabled && CB_Update;
}

void SoftOptionsForm::Btn_Check_UpdateClick(HttpClient& http) {
    if (Check_Version(http)) {
        LL_Check_Update_text = t_[314];
        LL_Check_Update_link = download_page_url();
    } else {
        LL_Check_Update_text = t_[315];
        LL_Check_Update_link.clear();
    }
    LL_Check_Update_visible = true;
}

void SoftOptionsForm::Btn_OKClick() {
    s_.Language_Name = Language_In_Use;
    s_.Enable_Internet = CB_En_Con;
    s_.Enable_Update = CB_Update;
    s_.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table;
    s_.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size;
}

}  // namespace zv
