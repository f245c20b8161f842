#include <gtest/gtest.h>

#include "common/option_set_text.h"

TEST(OptionSetText, GpgConfIsTheMarkerThenTheTrimmedNonEmptyLines) {
    std::string set =
        "  keyserver hkp://keys.example.org \r\n\r\ncomment2 Made with Corvane\ncomment2x\n"
        "\tarmor\rcomment2  two blanks\r\nno-comment2 x\r\n";
    EXPECT_EQ(ComposeGpgConfFromOptionSet("Work", set),
              "#@#Work\r\n\r\n"
              "keyserver hkp://keys.example.org\r\n"
              "comment Made with Corvane\r\n"
              "comment2x\r\n"
              "armor\r\n"
              "comment  two blanks\r\n"
              "no-comment2 x\r\n");
    EXPECT_EQ(ComposeGpgConfFromOptionSet("Empty", ""), "#@#Empty\r\n\r\n");
    // A set written without a final line end loses nothing.
    EXPECT_EQ(ComposeGpgConfFromOptionSet("S", "armor"), "#@#S\r\n\r\narmor\r\n");
}

TEST(OptionSetText, FindLineStartingWithTakesOnlyLineStarts) {
    const std::string conf =
        "#@#Work\r\n\r\nno-greeting\r\nkeyserver  hkp://a.example \r\n# keyserver x\r\n"
        "keyserver-options auto-key-retrieve\nphoto-viewer \"orlith.exe %i\"";
    struct Case {
        const char* start;
        const char* line;
    } cases[] = {
        {"#@#", "#@#Work"},
        {"keyserver ", "keyserver  hkp://a.example"},
        {"keyserver-options", "keyserver-options auto-key-retrieve"},  // after a lone LF
        {"photo-viewer", "photo-viewer \"orlith.exe %i\""},            // the last line, no line end
        {"greeting", ""},                                              // inside a line only
        {"comment", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FindLineStartingWith(conf, c.start), c.line) << c.start;
    EXPECT_EQ(FindLineStartingWith("", "armor"), "");
}
