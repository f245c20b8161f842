// The system's common dialogs and their test seam: while a ScriptedCommonDialogs
// exists, no dialog is shown; each call is recorded and answered from a queue,
// the way ScriptedResponder answers message boxes.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

// A font as the suite stores it: face name, whole points, bold and italic.
struct FontChoice {
    std::string name;
    int points = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

// The system font dialog offering fixed-pitch screen fonts only, preset with
// `current`; nothing when the user cancels.
std::optional<FontChoice> ChooseFixedPitchFont(HWND owner, const FontChoice& current);

// The font of a choice at the screen's resolution.
HFONT CreateChoiceFont(const FontChoice& choice);

class ScriptedCommonDialogs {
public:
    ScriptedCommonDialogs();
    ~ScriptedCommonDialogs();
    ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
    ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

    // Nothing = the user cancels. An empty queue cancels.
    void AnswerFont(std::optional<FontChoice> choice) { fonts_.push_back(std::move(choice)); }
    // The preset each font dialog was opened with.
    const std::vector<FontChoice>& FontPresets() const { return fontPresets_; }

    std::optional<FontChoice> RespondFont(const FontChoice& current);

private:
    std::deque<std::optional<FontChoice>> fonts_;
    std::vector<FontChoice> fontPresets_;
    ScriptedCommonDialogs* previous_ = nullptr;
};
