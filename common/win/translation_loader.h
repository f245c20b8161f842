// Finding and loading a program's translation file ("morvish.lng", ...).
#pragma once

#include <string>

// The language setting, choosing and storing one when none is chosen yet.
std::string ResolveLanguage();

// The translation file to use for `fileName`, or "" when there is none.
std::string LocateTranslationFile(const std::string& language, const std::string& fileName);

// Loads the file into the translation table (an empty table when there is none).
// A file made for another program version is used all the same, after a message
// when `mayShowVersionMessage`.
void LoadTranslation(const std::string& fileName, bool mayShowVersionMessage);
