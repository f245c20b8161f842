#include "keymanager/logic/start_switches.h"

#include "common/wildcard.h"

StartSwitch StartSwitchOf(std::string_view commandLine) {
    if (MatchesPattern(commandLine, "*/environment*")) return StartSwitch::Environment;
    if (MatchesPattern(commandLine, "*/prefs-gnupg*")) return StartSwitch::PrefsGnupg;
    if (MatchesPattern(commandLine, "*/prefs-corvane*")) return StartSwitch::PrefsCorvane;
    if (MatchesPattern(commandLine, "*/visit-keyserver*")) return StartSwitch::VisitKeyServer;
    return StartSwitch::None;
}
