// Small text operations on ANSI strings used all over the suite.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Replaces every occurrence, scanning left to right and going on after each
// inserted replacement (so the replacement is never scanned again).
std::string StrgReplace(std::string_view text, std::string_view from, std::string_view to);
std::vector<std::string> Split(std::string_view text, char separator);
// Lines of a text with CR LF, LF or CR ends; no empty last line for a final end.
std::vector<std::string> SplitLines(std::string_view text);

// Message lines joined the suite's way: CR LF between lines, and an empty line in
// the list (a paragraph break) adds one more LF.
std::string JoinMessageLines(const std::vector<std::string>& lines);
