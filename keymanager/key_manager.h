// The key manager after its start-up: the key list window, or with a start
// switch only the dialog it names; the program ends with the window.
#pragma once

#include <string>

int RunKeyManager(const std::string& commandLine);
