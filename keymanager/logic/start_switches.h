// The key manager's start switches: a start with one of them shows only one
// dialog and ends.
#pragma once

#include <string_view>

enum class StartSwitch { None, Environment, PrefsGnupg, PrefsCorvane, VisitKeyServer };

// The first switch the command line holds, tested in the order above.
StartSwitch StartSwitchOf(std::string_view commandLine);
