// The suite's wildcard patterns: "?" any one character, "*" any run (also none),
// "#" one digit, "[list]" / "[!list]" one character of / not of the list, with
// ranges such as "[a-z0-9]"; a special character alone in brackets ("[[]", "[#]",
// "[*]") stands for itself. The whole subject must match; matching is
// case-sensitive (callers lower-case first where case must not count).
#pragma once

#include <string_view>

bool MatchesPattern(std::string_view subject, std::string_view pattern);
