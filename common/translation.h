// Translation of the suite's English texts through a program's translation file.
//
// The table is the file's text with one CR LF put in front, so an entry is found
// as CR LF + key + three spaces; the text after the entry's "   =" is the
// translation. Keys are the English texts without their first "&"; an "x#_"
// prefix gives one English text several translations by context.
#pragma once

#include <string>
#include <string_view>

// The loaded table ("" = none loaded).
std::string& TranslationTable();
bool TranslationLoaded();

// Makes `fileText` the table (empty text = no table). Lone LF line ends are taken
// as CR LF so a file saved by another editor still works.
void SetTranslationTable(std::string_view fileText);

// The text to show for an English text.
std::string Translate(std::string_view text);

// The entry's raw translated text for a key (without "&" handling), or nothing.
bool FindTranslationEntry(std::string_view table, std::string_view key, std::string& text);

// The language to use when none is chosen yet ("???" = ask again next time).
std::string ChooseLanguage(bool lngFileBesideProgram, std::string_view systemLanguage, std::string_view ansiCodepage);

// The message shown when a translation was made for another program version.
std::string TranslationVersionMessage();

inline constexpr const char* kTranslationUpdatePage = "https://www.corvane.org/translations";
