// The texts of the key list's status panels. Platform-free: the words come
// translated from the caller, the file facts from the file system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "DSA: " + count + " " (label is "DSA", "ELG" or "RSA").
std::string FamilyPanelText(std::string_view label, int count);
// The family's share of the listed keys, formatted "0%" (rounded), + " - " +
// the toggle text; "0% - " + text with no keys.
std::string FamilyPanelTip(int count, int total, std::string_view toggleText);
// selectedWord + " " + n + "/" + rows + " " + keysWord.
std::string SelectionPanelText(std::string_view selectedWord, int selected, int rows, std::string_view keysWord);

// A file size in KB, formatted "#,##0.0" + " KB ".
std::string FileSizePanelText(uint64_t bytes, std::string_view thousandsSeparator = ",",
                              std::string_view decimalSeparator = ".");
// " " + short date + " " + short time + " ".
std::string FileDatePanelText(std::string_view shortDate, std::string_view shortTime);

// prefix + " " + path; when that is 50 characters or longer the path becomes
// the first three characters of the GnuPG home (lower case) + "...\" + the
// home's own folder name + "\" + the file name.
std::string FilePanelTip(std::string_view prefix, std::string_view gnupgHome, std::string_view fileName);

// The algorithm filter a click on panel 1, 2 or 3 (0-based 0..2) leaves: the
// panel's filter ("17", "20", "1"), or "" when it was already set.
std::string ToggledAlgorithmFilter(int panel, std::string_view currentFilter);
