#include <gtest/gtest.h>

#include "text/string_table.h"

// The shipped English.lng is the translators' template: loading it must give
// exactly the built-in texts, blanks and all.
TEST(DemoLanguage, EnglishFileEqualsBuiltInTexts) {
    zv::StringTable builtin, loaded;
    builtin.Build_Table();
    loaded.Build_Table();
    for (int i = 0; i < zv::StringTable::kSize; ++i) loaded.apply_line("STR" + std::to_string(i) + " = \xC2\xB6" "x\xC2\xB6");
    loaded.Lng_Parse(ZV_SOURCE_DIR "/demo/LANGUAGE/English.lng");
    for (int i = 0; i < zv::StringTable::kSize; ++i) {
        if (!builtin[i].empty()) {
            EXPECT_EQ(loaded[i], builtin[i]) << "entry " << i;
        }
    }
}

TEST(DemoLanguage, ItalianTranslatesTheMainWindow) {
    zv::StringTable t;
    t.Build_Table();
    t.Lng_Parse(ZV_SOURCE_DIR "/demo/LANGUAGE/Italiano.lng");
    EXPECT_EQ(t[15], "Nuova configurazione");
    EXPECT_EQ(t[9], "Nessuna configurazione aperta ");
    EXPECT_EQ(t[106], "Errore! Nome non valido: la cartella esiste gi\xC3\xA0");
}
