// The suite's one message box, input box and their test seam.
//
// Every message of every program goes through ShowMessage: the program's name is
// the title unless a caller gives another, and tests replace the real box with a
// ScriptedResponder that records each text and answers from a queue.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MsgOptions {
    MsgIcon icon = MsgIcon::Information;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 1;     // 1, 2 or 3
    bool systemModal = false;
    std::string title;         // "" = the program's name
    HWND owner = nullptr;
};

// Shows the box (or asks the installed responder) and returns the answer.
MsgAnswer ShowMessage(const std::string& text, const MsgOptions& options = {});

// Short forms for the common cases.
void ShowInfo(const std::string& text, bool systemModal = false);
void ShowWarning(const std::string& text, bool systemModal = false);
void ShowError(const std::string& text, bool systemModal = false);

// A modal box with a prompt, one text field, OK and Cancel.
// Returns the text, or nothing when the user cancelled.
std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText, HWND owner = nullptr);

struct RecordedMessage {
    std::string text;
    std::string title;
    MsgOptions options;
    bool isInputBox = false;
};

// While one exists, message and input boxes are not shown: each is recorded and
// answered from the queues (Ok / the default text when a queue is empty).
class ScriptedResponder {
public:
    ScriptedResponder();
    ~ScriptedResponder();
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    void Answer(MsgAnswer answer) { answers_.push_back(answer); }
    void AnswerInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }

    const std::vector<RecordedMessage>& Seen() const { return seen_; }
    std::string Texts() const;  // every recorded text, one per line, for assertions
    void Clear() { seen_.clear(); }

    // Used by ShowMessage/InputBox.
    MsgAnswer Respond(const std::string& text, const MsgOptions& options);
    std::optional<std::string> RespondInput(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText);

private:
    std::deque<MsgAnswer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::vector<RecordedMessage> seen_;
    ScriptedResponder* previous_ = nullptr;
};
