#include <gtest/gtest.h>

#include <optional>

#include "common/test_support.h"
#include "shell/options_form.h"
#include "shell/product.h"
#include "shell/workspace.h"

namespace fs = std::filesystem;
using zv::SoftOptionsForm;

namespace {

struct CannedHttp : zv::HttpClient {
    std::optional<std::string> body;
    std::vector<std::string> urls;
    std::optional<std::string> get(const std::string& url) override {
        urls.push_back(url);
        return body;
    }
};

// A started program over a temporary workspace, with the options form.
struct OptionsFixture {
    zvtest::TempDir dir;
    zv::ShellState s;
    zv::StringTable t;
    zvtest::ScriptedPrompter prompter;
    int language_changes = 0;
    std::string name_while_changing;
    SoftOptionsForm form{s, t, [this] {
                             ++language_changes;
                             name_while_changing = s.Language_Name;
                         }};

    void start() { zv::Start_Up(s, t, dir.path); }
    fs::path lang(const std::string& name) const { return dir / ("LANGUAGE/" + name); }
    std::vector<std::string> visible_names() const {
        std::vector<std::string> v;
        for (const auto& slot : form.lang_slots)
            if (slot.visible) v.push_back(slot.name);
        return v;
    }
};

}  // namespace

TEST(OptionsLanguages, SevenFilesMakeTwoPages) {
    OptionsFixture f;
    for (const char* n : {"italiano.lng", "English.lng", "Deutsch.lng", "Zulu.lng", "espanol.lng", "Francais.lng",
                          "Polski.lng"})
        zvtest::spit(f.lang(n), "STR0 = x\n");
    // Not offered: a folder, a read-only file, other extensions.
    fs::create_directories(f.lang("Folder.lng"));
    zvtest::spit(f.lang("Locked.lng"), "");
    fs::permissions(f.lang("Locked.lng"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    zvtest::spit(f.lang("notes.txt"), "");
    zvtest::spit(f.lang("Old.lng.bak"), "");
    f.start();
    f.form.Show();

    EXPECT_EQ(f.form.SL_Languages, (std::vector<std::string>{"Deutsch.lng", "English.lng", "espanol.lng", "Francais.lng",
                                                             "italiano.lng", "Polski.lng", "Zulu.lng"}));
    EXPECT_EQ(f.form.page_count(), 2);
    EXPECT_EQ(f.form.L_Page_Lang, "Page 1 / 2");
    EXPECT_EQ(f.form.L_Sel_Lang, "Selected Language : English");
    EXPECT_FALSE(f.form.Btn_Prev_visible);
    EXPECT_TRUE(f.form.Btn_Next_visible);
    EXPECT_EQ(f.visible_names(),
              (std::vector<std::string>{"Deutsch", "English", "espanol", "Francais", "italiano", "Polski"}));

    f.form.Btn_NextClick();
    EXPECT_EQ(f.form.L_Page_Lang, "Page 2 / 2");
    EXPECT_TRUE(f.form.Btn_Prev_visible);
    EXPECT_FALSE(f.form.Btn_Next_visible);
    EXPECT_EQ(f.visible_names(), (std::vector<std::string>{"Zulu"}));
    EXPECT_TRUE(f.form.lang_slots[0].visible);
    EXPECT_FALSE(f.form.lang_slots[1].visible);
    f.form.Btn_NextClick();  // already the last page
    EXPECT_EQ(f.form.Show_Page, 2);

    f.form.Btn_PrevClick();
    f.form.Btn_PrevClick();  // already the first page
    EXPECT_EQ(f.form.Show_Page, 1);
    EXPECT_EQ(f.visible_names().size(), 6u);

    // Every Show starts on page 1 again.
    f.form.Btn_NextClick();
    f.form.Show();
    EXPECT_EQ(f.form.Show_Page, 1);
}

TEST(OptionsLanguages, NoFileAtAll) {
    OptionsFixture f;
    f.start();
    fs::remove_all(f.dir / "LANGUAGE");  // also a missing folder is just an empty list
    f.form.Show();
    EXPECT_TRUE(f.form.SL_Languages.empty());
    EXPECT_TRUE(f.visible_names().empty());
    EXPECT_EQ(f.form.L_Page_Lang, "Page 1 / 0");
    EXPECT_FALSE(f.form.Btn_Prev_visible);
    EXPECT_TRUE(f.form.Btn_Next_visible);
    f.form.Btn_NextClick();
    EXPECT_EQ(f.form.Show_Page, 1);
    EXPECT_EQ(f.form.L_Page_Lang, "Page 1 / 0");
    EXPECT_FALSE(f.form.Lang_Click(1, f.prompter));
    EXPECT_TRUE(f.prompter.shown.empty());
}

TEST(OptionsLanguages, FlagPictureFallsBackToDefaultThenNone) {
    OptionsFixture f;
    for (const char* n : {"English.lng", "Italiano.lng"}) zvtest::spit(f.lang(n), "");
    zvtest::spit(f.lang("Italiano.bmp"), "BM");
    f.start();
    f.form.Show();
    EXPECT_EQ(f.form.lang_slots[0].picture, fs::path());  // English: no own picture, no default
    EXPECT_EQ(f.form.lang_slots[1].picture, f.lang("Italiano.bmp"));

    zvtest::spit(f.lang("DefaultFlag.bmp"), "BM");
    fs::create_directories(f.lang("English.bmp"));  // a folder is no picture
    f.form.Show();
    EXPECT_EQ(f.form.lang_slots[0].picture, f.lang("DefaultFlag.bmp"));
    EXPECT_EQ(f.form.lang_slots[0].name, "English");  // the label stays either way
    EXPECT_EQ(f.form.lang_slots[1].picture, f.lang("Italiano.bmp"));
}

TEST(OptionsForm, UpdateCheckBoxNeedsBothOptions) {
    struct Case {
        bool en_con, update, cb_update_enabled, check_enabled;
    };
    const Case cases[] = {
        {false, false, false, false},
        {false, true, false, false},  // whatever CB_Update shows
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const auto& c : cases) {
        OptionsFixture f;
        f.start();
        f.s.Enable_Internet = c.en_con;
        f.s.Enable_Update = c.update;
        f.form.Show();
        EXPECT_EQ(f.form.CB_Update_enabled, c.cb_update_enabled);
        EXPECT_EQ(f.form.Btn_Check_Update_enabled, c.check_enabled);
        // The same rule when the boxes change while the dialog is open.
        f.form.CB_En_Con = !c.en_con;
        f.form.Update_CheckBox();
        EXPECT_EQ(f.form.CB_Update_enabled, !c.en_con);
        EXPECT_EQ(f.form.Btn_Check_Update_enabled, !c.en_con && c.update);
    }
}

TEST(OptionsForm, CheckAvailableUpdateShowsLinkOrPlainText) {
    OptionsFixture f;
    f.start();
    CannedHttp http;
    f.form.Show();
    EXPECT_FALSE(f.form.LL_Check_Update_visible);

    http.body = "VER. 1.007";
    f.form.Btn_Check_UpdateClick(http);
    EXPECT_TRUE(f.form.LL_Check_Update_visible);
    EXPECT_EQ(f.form.LL_Check_Update_text, f.t[314]);
    EXPECT_EQ(f.form.LL_Check_Update_link, zv::download_page_url());
    EXPECT_EQ(http.urls.back(), zv::version_query_url());

    for (std::optional<std::string> body : {std::optional<std::string>("VER. 1.006"), std::optional<std::string>()}) {
        http.body = body;
        f.form.Btn_Check_UpdateClick(http);
        EXPECT_TRUE(f.form.LL_Check_Update_visible);
        EXPECT_EQ(f.form.LL_Check_Update_text, "No Update Available");
        EXPECT_EQ(f.form.LL_Check_Update_link, "");
    }
    f.form.Show();
    EXPECT_FALSE(f.form.LL_Check_Update_visible);
}

TEST(OptionsForm, ChoosingLanguageThenCancelKeepsTheSetting) {
    OptionsFixture f;
    zvtest::spit(f.lang("English.lng"), "");
    zvtest::spit(f.lang("Italiano.lng"), "\xEF\xBB\xBFSTR15 = Nuova Configurazione\nSTR304 = \u00b6Lingua Selezionata : \u00b6\n"
                                         "STR305 = \u00b6Pagina \u00b6\nSTR316 = \u00b6Cambiare la lingua da \u00b6\n");
    f.start();
    f.form.Show();
    ASSERT_EQ(f.form.lang_slots[1].name, "Italiano");

    f.prompter.answers = {false};
    EXPECT_FALSE(f.form.Lang_Click(2, f.prompter));
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0],
              (zvtest::ScriptedPrompter::Shown{"confirm", "Do you want to change the Language from English to Italiano?"}));
    EXPECT_EQ(f.t[15], "New Configuration");
    EXPECT_EQ(f.language_changes, 0);
    EXPECT_EQ(f.form.Language_In_Use, "English");

    f.prompter.answers = {true};
    EXPECT_TRUE(f.form.Lang_Click(2, f.prompter));
    EXPECT_EQ(f.t[15], "Nuova Configurazione");
    EXPECT_EQ(f.language_changes, 1);
    EXPECT_EQ(f.name_while_changing, "English");  // the setting is back before the windows re-read texts
    EXPECT_EQ(f.s.Language_Name, "English");
    EXPECT_EQ(f.form.Language_In_Use, "Italiano");
    EXPECT_EQ(f.form.L_Sel_Lang, "Lingua Selezionata : Italiano");
    EXPECT_EQ(f.form.L_Page_Lang, "Pagina 1 / 1");

    // The next question names the language now in use, in its own words.
    f.prompter.answers = {false};
    f.form.Lang_Click(1, f.prompter);
    EXPECT_EQ(f.prompter.last(), "Cambiare la lingua da Italiano to English?");

    // Cancel: nothing copied back; the settings written on close keep English.
    ASSERT_TRUE(zv::Save_Setting(f.s));
    EXPECT_NE(zvtest::slurp(f.dir / "Zevirovave.xml").find("<language>English</language>"), std::string::npos);
    zv::ShellState again;
    zv::StringTable t2;
    zv::Start_Up(again, t2, f.dir.path);
    EXPECT_EQ(again.Language_Name, "English");
    EXPECT_EQ(t2[15], "New Configuration");
}

TEST(OptionsForm, OkCopiesEverySettingBack) {
    OptionsFixture f;
    zvtest::spit(f.lang("Italiano.lng"), "STR15 = Nuova Configurazione\n");
    f.start();
    f.s.Enable_Internet = true;
    f.form.Show();
    EXPECT_TRUE(f.form.CB_En_Con);
    EXPECT_FALSE(f.form.CB_Update || f.form.CB_Soft_Set_Jump_Table || f.form.CB_DoubleClick_Auto_Size);

    f.prompter.answers = {true};
    ASSERT_TRUE(f.form.Lang_Click(1, f.prompter));
    f.form.CB_En_Con = false;
    f.form.CB_Update = true;  // kept although disabled by CB_En_Con
    f.form.CB_Soft_Set_Jump_Table = true;
    f.form.CB_DoubleClick_Auto_Size = true;
    f.form.Btn_OKClick();
    EXPECT_EQ(f.s.Language_Name, "Italiano");
    EXPECT_FALSE(f.s.Enable_Internet);
    EXPECT_TRUE(f.s.Enable_Update && f.s.Enable_Jump_Field_Tables && f.s.Double_Click_Auto_Size);

    ASSERT_TRUE(zv::Save_Setting(f.s));
    const std::string xml = zvtest::slurp(f.dir / "Zevirovave.xml");
    EXPECT_NE(xml.find("<language>Italiano</language>"), std::string::npos);
    EXPECT_NE(xml.find("<lastinternet><enable_internet>0</enable_internet><enable_update>1</enable_update>"
                       "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1"
                       "</Double_Click_Auto_Size></lastinternet>"),
              std::string::npos)
        << xml;
    zv::ShellState again;
    zv::StringTable t2;
    zv::Start_Up(again, t2, f.dir.path);
    EXPECT_EQ(again.Language_Name, "Italiano");
    EXPECT_EQ(t2[15], "Nuova Configurazione");
}
