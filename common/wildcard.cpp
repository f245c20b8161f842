#include "common/wildcard.h"

namespace {

// Matches one pattern element at pattern[p] against ch. Sets `length` to the
// element's length in the pattern. An unterminated "[" is taken literally.
bool MatchElement(std::string_view pattern, size_t p, unsigned char ch, size_t& length) {
    char c = pattern[p];
    if (c == '?') {
        length = 1;
        return true;
    }
    if (c == '#') {
        length = 1;
        return ch >= '0' && ch <= '9';
    }
    if (c != '[') {
        length = 1;
        return static_cast<unsigned char>(c) == ch;
    }
    size_t i = p + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == '!') {
        negate = true;
        ++i;
    }
    size_t close = pattern.find(']', i);
    if (close == std::string_view::npos) {
        length = 1;
        return ch == '[';
    }
    length = close - p + 1;
    bool found = false;
    for (size_t k = i; k < close; ++k) {
        unsigned char lo = static_cast<unsigned char>(pattern[k]);
        if (k + 2 < close && pattern[k + 1] == '-') {
            unsigned char hi = static_cast<unsigned char>(pattern[k + 2]);
            if (ch >= lo && ch <= hi) found = true;
            k += 2;
        } else if (ch == lo) {
            found = true;
        }
    }
    return found != negate;
}

}  // namespace

bool MatchesPattern(std::string_view subject, std::string_view pattern) {
    // Greedy matching with backtracking to the last "*": every other element
    // consumes exactly one character, so this is complete and runs in O(n*m).
    size_t s = 0, p = 0;
    size_t starP = std::string_view::npos, starS = 0;
    while (s < subject.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starS = s;
            continue;
        }
        size_t length = 0;
        if (p < pattern.size() && MatchElement(pattern, p, static_cast<unsigned char>(subject[s]), length)) {
            p += length;
            ++s;
            continue;
        }
        if (starP == std::string_view::npos) return false;
        p = starP + 1;
        s = ++starS;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
