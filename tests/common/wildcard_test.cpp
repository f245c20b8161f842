#include <gtest/gtest.h>

#include "common/wildcard.h"

struct PatternCase {
    const char* subject;
    const char* pattern;
    bool matches;
};

TEST(Wildcard, Table) {
    const PatternCase cases[] = {
        {"abc", "abc", true},           {"abc", "ABC", false},
        {"abc", "a?c", true},           {"ac", "a?c", false},
        {"", "*", true},                {"", "", true},
        {"x", "", false},               {"abc", "*", true},
        {"c:\\x\\y", "*/*", false},     {"c:/x", "*/*", true},
        {"%APPDATA%\\x", "*%*?%*", true}, {"%%", "*%*?%*", false},
        {".\\conf", ".\\*", true},      {"x.\\conf", ".\\*", false},
        {"c:\\keys\\", "*?\\", true},   {"\\", "*?\\", false},
        {"c:\\", "?:\\", true},         {"c:\\a", "?:\\", false},
        {"c:\\a", "?:\\*?", true},      {"\\\\server\\share", "?:\\*?", false},
        {"v1.4.9", "v1.4.[0123456789]", true},
        {"v1.4.10", "v1.4.[0123456789]", false},
        {"v1.4.9a", "v1.4.[0123456789][a-z.-]*", true},
        {"v1.4.10rc1", "v1.4.[0123456789][a-z.-]*", false},
        {"v0.9.8", "v0.#.#*", true},    {"v1.2.5", "v1.[0123].#*", true},
        {"x7", "x#", true},             {"xa", "x#", false},
        {"b", "[a-c]", true},           {"d", "[a-c]", false},
        {"d", "[!a-c]", true},          {"b", "[!a-c]", false},
        {"Q", "[a-zA-Z0-9]", true},     {"-", "[a-zA-Z0-9]", false},
        {"-", "[a-]", true},            {"[", "[[]", true},
        {"#", "[#]", true},             {"5", "[#]", false},
        {"*", "[*]", true},             {"x", "[*]", false},
        {"?", "[?]", true},             {"a[b", "a[b", true},
        {"[gnupg:] import_ok 1", "[[]gnupg:] import_ok*", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
        {"mississippi", "m*iss*pi", true},
        {"\xe4\xf6", "??", true},       {"\xe4", "[\xe0-\xef]", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesPattern(c.subject, c.pattern), c.matches)
            << "subject \"" << c.subject << "\" pattern \"" << c.pattern << "\"";
    }
}
