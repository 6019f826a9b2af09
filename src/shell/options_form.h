#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/http_client.h"
#include "shell/shell_state.h"
#include "text/prompter.h"
#include "text/string_table.h"

namespace zv {

// The language files a user may pick: "*.lng" regular files of the folder that
// are not read-only, sorted without regard to case.
std::vector<std::string> list_language_files(const std::filesystem::path& Language_Path);

// The flag of a language: its own .bmp, else DefaultFlag.bmp, else none (empty).
std::filesystem::path flag_picture(const std::filesystem::path& Language_Path, const std::string& language);

// The options dialog's state and rules; the window only mirrors these fields.
class SoftOptionsForm {
public:
    static constexpr int kSlots = 6;

    struct Slot {
        bool visible = false;
        std::string name;               // the language: file name without ".lng"
        std::filesystem::path picture;  // empty: no picture
    };

    // change_language re-applies every window's texts after the table was reloaded.
    SoftOptionsForm(ShellState& s, StringTable& t, std::function<void()> change_language);

    // Show: language list on page 1, check boxes from the settings, result label hidden.
    void Show();
    void Create_Lang_List();
    void Update_Lang_Page();
    void Btn_NextClick();
    void Btn_PrevClick();
    int page_count() const { return static_cast<int>((SL_Languages.size() + 5) / 6); }

    // A click on the picture or label of slot k (1..6): asks through the
    // prompter; true when the language changed.
    bool Lang_Click(int k, Prompter& p);

    // Run after any of the four check boxes changed.
    void Update_CheckBox();
    // "Check Available Update": blocks until the server answered or gave up.
    void Btn_Check_UpdateClick(HttpClient& http);
    // OK: the choices become the program settings.
    void Btn_OKClick();

    // What the controls show.
    std::vector<std::string> SL_Languages;
    int Show_Page = 1;
    std::string Language_In_Use;
    std::array<Slot, kSlots> lang_slots;
    std::string L_Sel_Lang, L_Page_Lang;
    bool Btn_Prev_visible = false, Btn_Next_visible = false;

    bool CB_En_Con = false, CB_Update = false, CB_Soft_Set_Jump_Table = false, CB_DoubleClick_Auto_Size = false;
    bool CB_Update_enabled = false, Btn_Check_Update_enabled = false;

    bool LL_Check_Update_visible = false;
    std::string LL_Check_Update_text;
    std::string LL_Check_Update_link;  // empty: plain text

private:
    void refresh_selected();

    ShellState& s_;
    StringTable& t_;
    std::function<void()> change_language_;
};

}  // namespace zv
