#include <gtest/gtest.h>

#include "common/translation.h"

namespace {

// Sets a table for one test and removes it afterwards.
struct ScopedTable {
    explicit ScopedTable(const std::string& text) { SetTranslationTable(text); }
    ~ScopedTable() { SetTranslationTable(""); }
};

}  // namespace

TEST(Translation, Lookup) {
    ScopedTable table(
        "[Morvish]\r\n"
        "Version   = 1.00\r\n"
        "Reload   = Neu &laden\r\n"
        "Close     =   Schlie&ssen  \r\n"
        "Keep   = <don't translate>\r\n"
        "Empty   = \"\"\r\n"
        "Blank   =\r\n"
        "Two  = Zwei\r\n"
        "x1_Open   = Oeffnen (Datei)\r\n"
        "Name   = Name   = Wert\r\n");
    struct Case {
        const char* english;
        const char* shown;
    } cases[] = {
        {"&Reload", "Neu &laden"},      {"Reload", "Neu &laden"},  {"Re&load", "Neu &laden"},
        {"&Close", "Schlie&ssen"},      {"&Keep", "&Keep"},        {"Empty", ""},
        {"Blank", "Blank"},             {"Two", "Two"},            {"x1_Open", "Oeffnen (Datei)"},
        {"x2_Open", "Open"},            {"x2_", ""},               {"Missing &text", "Missing &text"},
        {"Name", "Name   = Wert"},      {"eload", "eload"},        {"Version", "1.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(Translate(c.english), c.shown) << c.english;
}

TEST(Translation, NoTableLeavesEnglishAndStripsContextPrefixes) {
    SetTranslationTable("");
    EXPECT_FALSE(TranslationLoaded());
    EXPECT_EQ(Translate("&Reload"), "&Reload");
    EXPECT_EQ(Translate("x0_Keys"), "Keys");
    EXPECT_EQ(Translate("xa_Keys"), "xa_Keys");
}

TEST(Translation, FileWithUnixLineEndsStillTranslates) {
    ScopedTable table("Reload   = Neu laden\nExit   = Beenden\n");
    EXPECT_EQ(Translate("Exit"), "Beenden");
    EXPECT_EQ(Translate("Reload"), "Neu laden");
}

TEST(Translation, AutomaticLanguageChoice) {
    struct Case {
        bool lngBeside;
        const char* language;
        const char* codepage;
        const char* chosen;
    } cases[] = {
        {true, "de", "1252", "Default"},      {false, "de", "1252", "German"},
        {false, "zh", "936", "Chinese(zh-cn)"}, {false, "zh", "950", "Chinese(zh-tw)"},
        {false, "zh", "1252", "???"},         {false, "nb", "1252", "Norwegian(bm)"},
        {false, "en", "1252", "Default"},     {false, "", "", "Default"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseLanguage(c.lngBeside, c.language, c.codepage), c.chosen) << c.language << c.codepage;
}
