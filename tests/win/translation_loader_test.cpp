#include <gtest/gtest.h>

#include <windows.h>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/win/settings.h"
#include "common/win/translation_loader.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

struct TranslationFixture {
    ScopedIniSettings settings;
    TempFolder programDir{"lng"};
    Environment saved = Env();
    TranslationFixture() {
        Env().ProgramDir = programDir.Path();
        Env().ProgramVersion = "1.00";
        Env().SystemLanguage = "de";
        Env().AnsiCodepage = "1252";
    }
    ~TranslationFixture() {
        Env() = saved;
        SetTranslationTable("");
    }
};

}  // namespace

TEST(TranslationLoader, ChoosesTheLanguageAndFindsItsFile) {
    TranslationFixture f;
    CreateDirectoryA((f.programDir / "_language").c_str(), nullptr);
    CreateDirectoryA((f.programDir / "_language\\German").c_str(), nullptr);
    WriteTextFile(f.programDir / "_language\\German\\morvish.lng", "&Reload   = Neu &laden\r\nReload   = Neu &laden\r\n");
    ScriptedResponder responder;

    LoadTranslation("morvish.lng", true);
    EXPECT_EQ(ReadSetting("Settings", "Language"), "German");
    EXPECT_EQ(Translate("&Reload"), "Neu &laden");
    EXPECT_TRUE(responder.Seen().empty());  // no "Version" entry: never a message

    // A file beside the program makes "Default" the choice, and is used.
    WriteSetting("Settings", "Language", "");
    WriteTextFile(f.programDir / "morvish.lng", "Reload   = Recharger\r\n");
    LoadTranslation("morvish.lng", true);
    EXPECT_EQ(ReadSetting("Settings", "Language"), "Default");
    EXPECT_EQ(Translate("Reload"), "Recharger");

    // No file for this program: English.
    LoadTranslation("pallow.lng", true);
    EXPECT_FALSE(TranslationLoaded());
}

TEST(TranslationLoader, TranslationForAnotherVersion) {
    TranslationFixture f;
    WriteSetting("Settings", "Language", "Default");
    WriteTextFile(f.programDir / "orlith.lng", "Version   = 0.90\r\nSave   = Speichern\r\n");
    {
        ScriptedResponder responder;
        LoadTranslation("orlith.lng", true);
        ASSERT_EQ(responder.Seen().size(), 1u);
        EXPECT_EQ(responder.Seen()[0].text.substr(0, 70),
                  "The versions of the program and the translation do not match. Please\r\n");
        EXPECT_EQ(Translate("Save"), "Speichern");  // used all the same
    }
    {
        ScriptedResponder responder;
        LoadTranslation("orlith.lng", false);
        EXPECT_TRUE(responder.Seen().empty());
    }
    {
        WriteTextFile(f.programDir / "orlith.lng", "Version   = 1.00\r\n");
        ScriptedResponder responder;
        LoadTranslation("orlith.lng", true);
        EXPECT_TRUE(responder.Seen().empty());
    }
}
