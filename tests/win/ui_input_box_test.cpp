// The real input box, driven as a user would: keys and clicks reach it through its
// own modal loop, from a timer that runs inside that loop.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "common/ui/input_box.h"
#include "common/ui/window.h"

namespace {

// Waits (by a thread timer) for the top-level window of the shared class with the
// caption to appear, then runs the action on it once.
class DialogDriver {
public:
    DialogDriver(std::string caption, std::function<void(HWND)> action)
        : caption_(std::move(caption)), action_(std::move(action)) {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogDriver() {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool Acted() const { return acted_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogDriver* self = active_;
        if (!self || self->acted_) return;
        HWND dialog = FindWindowA(kCorvaneWindowClass, self->caption_.c_str());
        if (dialog && IsWindowVisible(dialog)) {
            self->acted_ = true;
            KillTimer(nullptr, self->timer_);
            self->action_(dialog);
        } else if (++self->ticks_ > 200) {
            KillTimer(nullptr, self->timer_);
            ADD_FAILURE() << "no window \"" << self->caption_ << "\" appeared";
        }
    }

    static inline DialogDriver* active_ = nullptr;
    std::string caption_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool acted_ = false;
};

HWND Named(HWND dialog, const char* name) {
    Window* window = Window::FromHandle(dialog);
    return window ? window->FindControl(name) : nullptr;
}

std::string TextOf(HWND control) {
    char text[1024] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

void PressKey(HWND control, WPARAM key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

struct Owner {
    Owner() {
        window.Create({.caption = "UiInputBox owner", .bounds = {100, 100, 600, 400}});
        ShowWindow(window.Handle(), SW_SHOW);
    }
    Window window;
};

}  // namespace

TEST(UiInputBox, ShowsPromptAndSelectedDefaultWhileOwnerIsDisabled) {
    Owner owner;
    const std::string prompt =
        "Enter the new name for the key:\r\nAlice Example <alice@example.org>\r\n\n"
        "Smith & Sons keep their ampersand.";
    bool ownerWasEnabled = true;
    std::string caption, label, text;
    std::pair<DWORD, DWORD> selection{};
    RECT labelRect{}, editRect{};
    int lineHeight = 0;
    DialogDriver driver("UiInputBox rename", [&](HWND dialog) {
        ownerWasEnabled = IsWindowEnabled(owner.window.Handle());
        caption = TextOf(dialog);
        HWND labelHandle = Named(dialog, kInputPromptLabel);
        HWND edit = Named(dialog, kInputTextBox);
        label = TextOf(labelHandle);
        text = TextOf(edit);
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.first),
                     reinterpret_cast<LPARAM>(&selection.second));
        GetWindowRect(labelHandle, &labelRect);
        GetWindowRect(edit, &editRect);
        HDC dc = GetDC(labelHandle);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(labelHandle, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        lineHeight = metrics.tmHeight;
        SelectObject(dc, old);
        ReleaseDC(labelHandle, dc);
        PressKey(edit, VK_RETURN);
    });

    auto result = ShowInputDialog(prompt, "UiInputBox rename", "Alice", owner.window.Handle());

    ASSERT_TRUE(driver.Acted());
    EXPECT_EQ(result, std::optional<std::string>("Alice"));
    EXPECT_FALSE(ownerWasEnabled) << "modal to its owner";
    EXPECT_TRUE(IsWindowEnabled(owner.window.Handle())) << "owner enabled again afterwards";
    EXPECT_EQ(caption, "UiInputBox rename");
    EXPECT_EQ(label, prompt);
    EXPECT_EQ(text, "Alice");
    EXPECT_EQ(selection, (std::pair<DWORD, DWORD>{0, 5})) << "default text selected";
    // Four lines (one empty) must fit above the text box.
    EXPECT_GE(labelRect.bottom - labelRect.top, 4 * lineHeight);
    EXPECT_GE(editRect.top, labelRect.bottom);
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "UiInputBox rename"), nullptr) << "gone after it returned";
}

TEST(UiInputBox, AnswersByKeyButtonAndClose) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        std::optional<std::string> expected;
    };
    auto setText = [](HWND dialog, const char* text) {
        SendMessageA(Named(dialog, kInputTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    const Case cases[] = {
        {"typed text, OK clicked",
         [&](HWND d) {
             setText(d, "0xDEADBEEF & 100% sure");
             SendMessageA(Named(d, kInputOkButton), BM_CLICK, 0, 0);
         },
         "0xDEADBEEF & 100% sure"},
        {"emptied text, Enter: an empty answer, not a cancel",
         [&](HWND d) {
             setText(d, "");
             PressKey(Named(d, kInputTextBox), VK_RETURN);
         },
         ""},
        {"typed text, Esc",
         [&](HWND d) {
             setText(d, "ignored");
             PressKey(Named(d, kInputTextBox), VK_ESCAPE);
         },
         std::nullopt},
        {"Cancel clicked", [](HWND d) { SendMessageA(Named(d, kInputCancelButton), BM_CLICK, 0, 0); }, std::nullopt},
        {"Enter while Cancel has the focus",
         [](HWND d) {
             HWND cancel = Named(d, kInputCancelButton);
             SetFocus(cancel);
             PressKey(cancel, VK_RETURN);
         },
         std::nullopt},
        {"window closed", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, std::nullopt},
        {"window closed by Alt+F4", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, std::nullopt},
    };
    Owner owner;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogDriver driver("UiInputBox answers", c.act);
        auto result = ShowInputDialog("Key ID:", "UiInputBox answers", "0x12345678", owner.window.Handle());
        ASSERT_TRUE(driver.Acted());
        EXPECT_EQ(result, c.expected);
        EXPECT_TRUE(IsWindowEnabled(owner.window.Handle()));
    }
}

TEST(UiInputBox, QuitDuringTheBoxCancelsAndReachesTheOuterLoop) {
    DialogDriver driver("UiInputBox quit", [](HWND) { PostQuitMessage(3); });
    auto result = ShowInputDialog("Name:", "UiInputBox quit", "x", nullptr);
    ASSERT_TRUE(driver.Acted());
    EXPECT_EQ(result, std::nullopt);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is handed on, not swallowed";
    EXPECT_EQ(msg.wParam, 3u);
}
