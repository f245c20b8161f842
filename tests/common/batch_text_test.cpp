#include <gtest/gtest.h>

#include "common/batch_text.h"

namespace {

BatchContext PlainContext() {
    BatchContext context;
    context.oemCodepage = "850";
    context.programDirShort = "c:\\corvane";
    return context;
}

}  // namespace

TEST(BatchText, DefaultBatchHasFourLines) {
    auto lines = ComposeBatchLines(PlainContext(), "gpg.exe --list-keys>\"c:\\t\\~morvish.out\"", false);
    EXPECT_EQ(lines, (std::vector<std::string>{"@echo off", "set PATH=c:\\corvane;%PATH%",
                                               "gpg.exe --list-keys>\"c:\\t\\~morvish.out\"", "cls"}));
    EXPECT_EQ(JoinBatchLines(lines),
              "@echo off\r\nset PATH=c:\\corvane;%PATH%\r\ngpg.exe --list-keys>\"c:\\t\\~morvish.out\"\r\ncls\r\n");
}

TEST(BatchText, EveryPreambleLineInOrder) {
    BatchContext context = PlainContext();
    context.forceDosCodepage = true;
    context.setGnuPGHome = true;
    context.gnuPGHome = "d:\\keys";
    context.gnuPGLanguage = "DE";
    auto lines = ComposeBatchLines(context, "echo.\r\ngpg.exe --version", true);
    EXPECT_EQ(lines, (std::vector<std::string>{"@echo off", "chcp 850", "set GNUPGHOME=d:\\keys", "set LANGUAGE=DE",
                                               "set PATH=c:\\corvane;%PATH%", "echo.", "gpg.exe --version", "echo.",
                                               "pause", "cls"}));
}

TEST(BatchText, PauseIsWrittenOnceWhateverAsksForIt) {
    struct Case {
        bool allow, demand, addBatchPause, wanted;
    } cases[] = {
        {false, false, false, false}, {true, false, false, false}, {true, false, true, true},
        {false, true, false, true},   {true, true, true, true},    {false, false, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BatchPauseWanted(c.allow, c.demand, c.addBatchPause), c.wanted)
            << c.allow << c.demand << c.addBatchPause;
    }
}

TEST(BatchText, OutsideTextCannotExpandOrRunAnything) {
    EXPECT_EQ(BatchQuoted("c:\\data\\100% sure.txt"), "\"c:\\data\\100%% sure.txt\"");
    EXPECT_EQ(BatchQuoted("a%PATH%b.txt"), "\"a%%PATH%%b.txt\"");
    EXPECT_EQ(BatchQuoted("line\r\nbreak \"x\""), "\"line  break 'x'\"");
    EXPECT_EQ(BatchLiteral("Smith & Sons"), "Smith ^& Sons");
    EXPECT_EQ(BatchLiteral("a|b<c>d^e(f)%g%\"h"), "a^|b^<c^>d^^e^(f^)%%g%%^\"h");
    EXPECT_EQ(BatchLiteral("x\ny"), "x y");
    // A home or program folder with special characters keeps the preamble intact.
    BatchContext context = PlainContext();
    context.programDirShort = "c:\\tools & more (x86)";
    EXPECT_EQ(ComposeBatchLines(context, "x", false)[1], "set PATH=c:\\tools ^& more ^(x86^);%PATH%");
}

TEST(BatchText, LongestLineAndInterpreter) {
    EXPECT_EQ(LongestBatchLine("ab\r\ncdef\r\n"), 4u);
    EXPECT_EQ(InterpreterCommandLine("c:\\windows\\system32\\cmd.exe", "c:\\t\\~m.bat"),
              "c:\\windows\\system32\\cmd.exe /d /v:off /c \"c:\\t\\~m.bat\"");
    EXPECT_EQ(InterpreterCommandLine("c:\\windows\\command.com", "c:\\t\\~m.bat"),
              "c:\\windows\\command.com /c \"c:\\t\\~m.bat\"");
    EXPECT_EQ(InterpreterCommandLine("c:\\my tools\\cmd.exe", "b.bat"), "\"c:\\my tools\\cmd.exe\" /d /v:off /c \"b.bat\"");
}
