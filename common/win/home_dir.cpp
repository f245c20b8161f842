#include "common/win/home_dir.h"

#include <windows.h>
#include <shlobj.h>

#include "common/environment.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/wildcard.h"
#include "common/win/file_system.h"
#include "common/win/setting_paths.h"
#include "common/win/settings.h"
#include "common/win/system_info.h"

namespace {

const std::string kQuote = "\"";

MsgAnswer AskYesNoCancel(const std::string& text) {
    return ShowMessage(text, {.icon = MsgIcon::Question, .buttons = MsgButtons::YesNoCancel, .systemModal = true});
}

// The user's choice when nothing usable is set: the proposal, a typed path, or ""
// when the user gave up.
std::string AskForHomeDir() {
    const Environment& env = Env();
    std::string proposal = GetSysFolder(CSIDL_APPDATA, true);
    proposal = proposal.empty() ? env.ProgramDir : proposal + "\\Corvane";
    MsgAnswer answer = AskYesNoCancel(JoinMessageLines(
        {Translate("Do you want to use:"), "", kQuote + ToLower(proposal) + kQuote, "",
         Translate("for the Corvane-HomeDir? That's were your option-sets, recipient-lists,"),
         Translate("temporary key-data files, etc. will be stored.")}));
    std::string candidate;
    if (answer == MsgAnswer::Yes) {
        if (proposal != env.ProgramDir && ToLower(LookupFileName(proposal)) != "corvane")
            CreateDirectoryA(proposal.c_str(), nullptr);
        candidate = proposal;
    } else if (answer == MsgAnswer::No) {
        auto typed = InputBox(
            JoinMessageLines({Translate("Please set your Corvane-HomeDir now."), "",
                              Translate("Make sure that you enter a valid path. Relative paths below ") + kQuote +
                                  ToLower(env.ProgramDir) + kQuote + Translate(" (like e.g. ") + kQuote +
                                  ".\\Corvane-Home" + kQuote + Translate(") are allowed.")}),
            "", env.ProgramDir);
        candidate = typed ? Trim(*typed) : "";
        if (candidate.empty()) return "";
    } else {
        return "";
    }
    WriteSetting("Settings", "ShellHomeDir", candidate);
    return candidate;
}

}  // namespace

void ResolveShellHomeDir(const std::string& argument) {
    Environment& env = Env();
    env.ShellHomeDir.clear();
    std::string candidate = argument == "AppStart" ? ReadSetting("Settings", "ShellHomeDir", "") : argument;
    while (true) {
        if (candidate.empty()) {
            candidate = AskForHomeDir();
            if (candidate.empty()) return;
        }
        candidate = ExpandSettingPath(candidate, kShellHomeDirSteps);
        if (!MatchesPattern(candidate, "?:\\*?")) {
            ShowMessage(Translate("Invalid Corvane-HomeDir setting: ") + kQuote + ToLower(candidate) + kQuote,
                        {.icon = MsgIcon::Warning, .systemModal = true});
            candidate.clear();
            continue;
        }
        if (!DirectoryExists(candidate)) {
            MsgAnswer answer = AskYesNoCancel(JoinMessageLines(
                {Translate("Corvane-HomeDir ") + kQuote + ToLower(candidate) + kQuote + Translate(" not available."), "",
                 Translate("Do you want to try to create it now?")}));
            if (answer == MsgAnswer::Cancel) return;
            if (answer == MsgAnswer::No) {
                candidate.clear();
                continue;
            }
            if (!NestedDir(candidate)) {
                ShowMessage(Translate("Could not create ") + kQuote + ToLower(candidate) + kQuote + ".",
                            {.icon = MsgIcon::Warning, .systemModal = true});
                return;
            }
        }
        env.ShellHomeDir = ToLower(candidate);
        return;
    }
}
