#include "keymanager/logic/find_match.h"

#include <gtest/gtest.h>

TEST(FindBoxMatch, TextAnywhereInUserIdOrKeyIdIgnoringCase) {
    struct Case {
        const char* text;
        const char* userId;
        const char* keyId;
        bool matches;
    } cases[] = {
        {"smith", "John Smith <js@example.org>", "0x1234ABCD", true},
        {"SMITH", "john smith", "0x1234ABCD", true},
        {"34ab", "Alice", "0x1234ABCD", true},
        {"", "Alice", "0x1234ABCD", false},  // an empty box selects nothing
        {"bob", "Alice", "0x1234ABCD", false},
        // The pattern grammar works inside the box.
        {"a?ice", "Alice", "0x1", true},
        {"0x#", "Alice", "0x1234ABCD", true},
        {"0x#", "Alice", "0xABCD1234", false},
        {"[jm]ohn", "Mohn", "", true},
        {"[!jm]ohn", "Mohn", "", false},
        // "*" is a wildcard too, so "a*e" spans.
        {"a*e", "Alice", "", true},
        // Only the one text is searched: a user ID in the key-ID column's place
        // does not leak between the two.
        {"alice0x", "Alice", "0x1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindMatchesRow(c.text, c.userId, c.keyId), c.matches) << c.text << " / " << c.userId;
}

TEST(FindBoxMatch, DroppedTextKeepsTheNameBeforeTheAddress) {
    struct Case {
        const char* dropped;
        const char* kept;
    } cases[] = {
        {"John Smith <js@example.org>", "John Smith"},
        {"John Smith", "John Smith"},
        {"<js@example.org>", "<js@example.org>"},          // no blank before "<": not "* <*>"
        {"a <b> c <d>", "a"},                               // up to the first "<"
        {"<x> y <z>", ""},                                  // first "<" at the start: nothing before it
        {"Smith & Sons <s@x> ", "Smith & Sons <s@x> "},     // must end with ">"
    };
    for (const auto& c : cases) EXPECT_EQ(DroppedFindText(c.dropped), c.kept) << c.dropped;
}
