// Translation lookup: every visible text passes through Translate. The English
// text stands while no translation is loaded.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// The loaded translation: English text (first "&" dropped) -> translated text.
std::unordered_map<std::string, std::string>& TranslationTable();

std::string Translate(std::string_view text);
