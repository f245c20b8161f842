#include "common/ui/message_box.h"

#include "common/environment.h"
#include "common/ui/input_box.h"

namespace {

ScriptedResponder*& ActiveResponder() {
    static ScriptedResponder* active = nullptr;
    return active;
}

UINT StyleFor(const MsgOptions& options) {
    UINT style = 0;
    switch (options.buttons) {
        case MsgButtons::Ok: style |= MB_OK; break;
        case MsgButtons::OkCancel: style |= MB_OKCANCEL; break;
        case MsgButtons::YesNo: style |= MB_YESNO; break;
        case MsgButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
        case MsgButtons::RetryCancel: style |= MB_RETRYCANCEL; break;
    }
    switch (options.icon) {
        case MsgIcon::None: break;
        case MsgIcon::Information: style |= MB_ICONINFORMATION; break;
        case MsgIcon::Warning: style |= MB_ICONWARNING; break;
        case MsgIcon::Error: style |= MB_ICONERROR; break;
        case MsgIcon::Question: style |= MB_ICONQUESTION; break;
    }
    if (options.defaultButton == 2) style |= MB_DEFBUTTON2;
    if (options.defaultButton == 3) style |= MB_DEFBUTTON3;
    style |= options.systemModal ? MB_SYSTEMMODAL : MB_APPLMODAL;
    return style | MB_SETFOREGROUND;
}

MsgAnswer AnswerFor(int result) {
    switch (result) {
        case IDCANCEL: return MsgAnswer::Cancel;
        case IDYES: return MsgAnswer::Yes;
        case IDNO: return MsgAnswer::No;
        case IDRETRY: return MsgAnswer::Retry;
        default: return MsgAnswer::Ok;
    }
}

std::string TitleFor(const MsgOptions& options) {
    if (!options.title.empty()) return options.title;
    return Env().ProgramName.empty() ? "Corvane" : Env().ProgramName;
}

}  // namespace

MsgAnswer ShowMessage(const std::string& text, const MsgOptions& options) {
    if (ScriptedResponder* responder = ActiveResponder()) return responder->Respond(text, options);
    return AnswerFor(MessageBoxA(options.owner, text.c_str(), TitleFor(options).c_str(), StyleFor(options)));
}

void ShowInfo(const std::string& text, bool systemModal) {
    ShowMessage(text, {.icon = MsgIcon::Information, .systemModal = systemModal});
}

void ShowWarning(const std::string& text, bool systemModal) {
    ShowMessage(text, {.icon = MsgIcon::Warning, .systemModal = systemModal});
}

void ShowError(const std::string& text, bool systemModal) {
    ShowMessage(text, {.icon = MsgIcon::Error, .systemModal = systemModal});
}

std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText, HWND owner) {
    if (ScriptedResponder* responder = ActiveResponder()) return responder->RespondInput(prompt, title, defaultText);
    return ShowInputDialog(prompt, title.empty() ? TitleFor({}) : title, defaultText, owner);
}

ScriptedResponder::ScriptedResponder() : previous_(ActiveResponder()) {
    ActiveResponder() = this;
}

ScriptedResponder::~ScriptedResponder() {
    ActiveResponder() = previous_;
}

std::string ScriptedResponder::Texts() const {
    std::string all;
    for (const auto& m : seen_) all += m.text + "\n";
    return all;
}

MsgAnswer ScriptedResponder::Respond(const std::string& text, const MsgOptions& options) {
    seen_.push_back({text, TitleFor(options), options, false});
    if (answers_.empty()) {
        switch (options.buttons) {
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel: return options.defaultButton == 2 ? MsgAnswer::No : MsgAnswer::Yes;
            case MsgButtons::RetryCancel: return MsgAnswer::Cancel;
            default: return MsgAnswer::Ok;
        }
    }
    MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedResponder::RespondInput(const std::string& prompt, const std::string& title,
                                                           const std::string& defaultText) {
    MsgOptions options;
    options.title = title;
    seen_.push_back({prompt, title, options, true});
    if (inputs_.empty()) return defaultText;
    auto answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}
