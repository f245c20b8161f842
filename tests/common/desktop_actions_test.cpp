#include <gtest/gtest.h>

#include "common/desktop_actions.h"

// What each desktop operation opens, with and without the user's handler shortcut.
TEST(DesktopActions, HandlersGetTheirParametersTheDefaultsTheSystemVerbs) {
    const std::string h = "c:\\home\\_handler.lnk";
    struct Case {
        DesktopLaunch got;
        DesktopLaunch expected;
    } cases[] = {
        {ExploreFolderLaunch("c:\\my keys", ""), {"c:\\my keys", "", "explore"}},
        {ExploreFolderLaunch("c:\\my keys", h), {h, "\"c:\\my keys\"", "open"}},
        {OpenUrlLaunch("https://www.corvane.org", ""), {"https://www.corvane.org", "", "open"}},
        // The web handler gets the address without quotes.
        {OpenUrlLaunch("https://www.corvane.org", h), {h, "https://www.corvane.org", "open"}},
        {SendMailLaunch("a@b.org?subject=Hi", false, ""), {"mailto:a@b.org?subject=Hi", "", "open"}},
        {SendMailLaunch("a@b.org", false, h), {h, "\"a@b.org\"", "open"}},
        {EditFileLaunch("c:\\a b\\gpg.conf", ""), {"notepad.exe", "\"c:\\a b\\gpg.conf\"", "open"}},
        {EditFileLaunch("c:\\a b\\gpg.conf", h), {h, "\"c:\\a b\\gpg.conf\"", "open"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.file, c.expected.file);
        EXPECT_EQ(c.got.parameters, c.expected.parameters) << c.expected.file;
        EXPECT_EQ(c.got.verb, c.expected.verb) << c.expected.file;
    }
}

TEST(DesktopActions, EncodedMailtoSendsEverySpaceAsPercent20) {
    const std::string text = "Corvane team <team@corvane.org>?subject=Key  question";
    EXPECT_EQ(SendMailLaunch(text, true, "").file,
              "mailto:Corvane%20team%20<team@corvane.org>?subject=Key%20%20question");
    EXPECT_EQ(SendMailLaunch(text, true, "h.lnk").parameters,
              "\"Corvane%20team%20<team@corvane.org>?subject=Key%20%20question\"");
    EXPECT_EQ(SendMailLaunch(text, false, "").file, "mailto:" + text) << "switch off: unchanged";
}
