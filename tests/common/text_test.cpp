#include <gtest/gtest.h>

#include "common/text.h"

TEST(Text, StrgReplaceGoesOnAfterTheInsertedText) {
    EXPECT_EQ(StrgReplace("a/b/c", "/", "\\"), "a\\b\\c");
    EXPECT_EQ(StrgReplace("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(StrgReplace("%%x", "%", "%%"), "%%%%x");
    EXPECT_EQ(StrgReplace("abc", "", "x"), "abc");
}

TEST(Text, SplitLinesTakesEveryLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(Text, MessageLinesUseAnExtraLineFeedForParagraphs) {
    EXPECT_EQ(JoinMessageLines({"a", "b"}), "a\r\nb");
    EXPECT_EQ(JoinMessageLines({"a", "", "b", "c"}), "a\r\n\nb\r\nc");
    EXPECT_EQ(JoinMessageLines({"only"}), "only");
}
