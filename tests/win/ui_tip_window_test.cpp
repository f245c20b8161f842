// The information tip and the "i" labels that open it.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "common/translation.h"
#include "common/ui/tip_window.h"
#include "common/ui/twips.h"
#include "common/ui/window.h"

namespace {

RECT WorkArea() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

LPARAM ClientPoint(int x, int y) {
    return MAKELPARAM(x, y);
}

// Runs the tip with the given messages waiting in its queue. A tip still open
// after a few seconds is closed from outside and reported.
struct TipRun {
    bool timedOut = false;
    bool escapeLeft = false;  // an Escape posted last was never needed
};

TipRun RunWithQueued(TipWindow& tip, const std::function<void(HWND)>& post) {
    static TipWindow* running = nullptr;
    static bool timedOut = false;
    running = &tip;
    timedOut = false;
    post(tip.Handle());
    UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
        timedOut = true;
        running->Destroy();
    });
    tip.RunTip(nullptr);
    KillTimer(nullptr, guard);
    TipRun result;
    result.timedOut = timedOut;
    MSG left;
    while (PeekMessageA(&left, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (left.message == WM_KEYDOWN && left.wParam == VK_ESCAPE) result.escapeLeft = true;
    }
    return result;
}

POINT MouseNow() {
    POINT p;
    GetCursorPos(&p);
    return p;
}

}  // namespace

TEST(UiTip, SizedToItsLabelInTooltipColoursCentredOnTheMouseAndKeptOnScreen) {
    const std::string text = "Line one\r\nA second, rather longer line of the tip";
    TipWindow tip;
    ASSERT_TRUE(tip.Build(text, {400, 300}));
    HWND window = tip.Handle();
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU)) << "borderless, no caption buttons";
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_EQ(tip.LabelTip.Text(), text);

    // The window is the label plus 135 twips across and down.
    RECT client, label = tip.LabelTip.Bounds();
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, (label.right - label.left) + TwipsToPixelsX(kTipMargin));
    EXPECT_EQ(client.bottom, (label.bottom - label.top) + TwipsToPixelsY(kTipMargin));
    EXPECT_NEAR(label.left, client.right - label.right, 1) << "label centred";
    // Both lines fit.
    HDC dc = GetDC(window);
    SelectObject(dc, tip.LabelTip.Font());
    SIZE longLine;
    GetTextExtentPoint32A(dc, "A second, rather longer line of the tip", 39, &longLine);
    ReleaseDC(window, dc);
    EXPECT_GE(label.right - label.left, longLine.cx);
    EXPECT_GE(label.bottom - label.top, 2 * longLine.cy);

    RECT r;
    GetWindowRect(window, &r);
    EXPECT_NEAR((r.left + r.right) / 2, 400, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, 300, 1);

    // The label is drawn in the system's tooltip colours.
    HDC memory = CreateCompatibleDC(nullptr);
    LRESULT brush = SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                                 reinterpret_cast<LPARAM>(tip.LabelTip.Handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_INFOBK));
    EXPECT_EQ(GetTextColor(memory), GetSysColor(COLOR_INFOTEXT));
    DeleteDC(memory);

    // Near a corner of the screen it moves in.
    RECT work = WorkArea();
    for (POINT corner : {POINT{work.right - 2, work.bottom - 2}, POINT{work.left + 1, work.top + 1}}) {
        TipWindow edge;
        ASSERT_TRUE(edge.Build(text, corner));
        GetWindowRect(edge.Handle(), &r);
        EXPECT_GE(r.left, work.left);
        EXPECT_GE(r.top, work.top);
        EXPECT_LE(r.right, work.right);
        EXPECT_LE(r.bottom, work.bottom);
    }
}

TEST(UiTip, ClosedByEscapeClickOrMovementButNotByTheMouseItOpenedUnder) {
    POINT mouse = MouseNow();
    struct Case {
        const char* what;
        std::function<void(HWND)> post;
        bool closesBeforeEscape;
    } cases[] = {
        {"escape", [](HWND) { PostMessageA(nullptr, WM_NULL, 0, 0); }, false},
        {"click", [](HWND w) { PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5)); }, true},
        {"click on the label",
         [](HWND w) {
             // The label lets the mouse through to the window.
             HWND label = FindWindowExA(w, nullptr, "Static", nullptr);
             RECT r;
             GetWindowRect(label, &r);
             POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
             EXPECT_EQ(SendMessageA(label, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
             ScreenToClient(w, &p);
             PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(p.x, p.y));
         },
         true},
        {"movement", [](HWND w) { PostMessageA(w, WM_MOUSEMOVE, 0, ClientPoint(3, 4)); }, true},
        {"the mouse it opened under",
         [mouse](HWND w) {
             POINT p = mouse;
             ScreenToClient(w, &p);
             PostMessageA(w, WM_MOUSEMOVE, 0, ClientPoint(p.x, p.y));
         },
         false},
        {"movement with Ctrl held", [](HWND w) { PostMessageA(w, WM_MOUSEMOVE, MK_CONTROL, ClientPoint(3, 4)); },
         false},
    };
    for (const Case& c : cases) {
        TipWindow tip;
        // Away from the mouse, so the moves above are real moves.
        ASSERT_TRUE(tip.Build("Tip text", {mouse.x > 300 ? 200 : 400, 200}));
        TipRun run = RunWithQueued(tip, [&](HWND w) {
            c.post(w);
            PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        EXPECT_FALSE(run.timedOut) << c.what;
        EXPECT_EQ(run.escapeLeft, c.closesBeforeEscape) << c.what;
        EXPECT_FALSE(tip.Exists() && IsWindowVisible(tip.Handle())) << c.what;
    }
}

TEST(UiTip, DraggingWithCtrlMovesTheTip) {
    TipWindow tip;
    ASSERT_TRUE(tip.Build("Drag me", {300, 300}));
    RECT before, after;
    GetWindowRect(tip.Handle(), &before);
    TipRun run = RunWithQueued(tip, [&](HWND w) {
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, ClientPoint(5, 5));
        PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, ClientPoint(25, 15));
        // The window has moved by now: the release is where the mouse is over it.
        PostMessageA(w, WM_LBUTTONUP, MK_CONTROL, ClientPoint(5, 5));
        PostMessageA(w, WM_MOUSEMOVE, 0, ClientPoint(5, 5));  // resting where it was let go
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(run.timedOut);
    EXPECT_FALSE(run.escapeLeft) << "dragging must not close the tip";
    ASSERT_TRUE(tip.Exists());
    GetWindowRect(tip.Handle(), &after);
    EXPECT_EQ(after.left - before.left, 20);
    EXPECT_EQ(after.top - before.top, 10);
}

TEST(UiTip, InfoLabelIsAYellowBoxThatShowsItsTranslatedText) {
    SetTranslationTable("Keys are kept here.   =Hier liegen die Schluessel.\r\n");
    Window window;
    ASSERT_TRUE(window.Create({.caption = "UiTip owner", .style = WS_POPUP | WS_VISIBLE, .bounds = {0, 0, 200, 200}}));
    InfoLabel info;
    ASSERT_TRUE(info.Create(window, "LabelInfo", {120, 120, kInfoLabelSize, kInfoLabelSize}, "Keys are kept here."));
    SetTranslationTable("");
    EXPECT_EQ(info.Text(), "Hier liegen die Schluessel.");
    EXPECT_EQ(window.FindControl("LabelInfo"), info.Handle());

    // The box is yellow with a red letter.
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT box;
    GetClientRect(info.Handle(), &box);
    HDC dc = GetDC(info.Handle());
    COLORREF background = GetPixel(dc, 2, 2);
    bool red = false;
    for (int x = 0; x < box.right; ++x) {
        for (int y = 0; y < box.bottom; ++y) {
            COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) > 160 && GetGValue(c) < 80 && GetBValue(c) < 80) red = true;
        }
    }
    ReleaseDC(info.Handle(), dc);
    EXPECT_TRUE(GetRValue(background) > 200 && GetGValue(background) > 200 && GetBValue(background) < 180)
        << std::hex << background;
    EXPECT_TRUE(red);

    {
        ScopedTipRecorder tips;
        SendMessageA(info.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(3, 3));
        SendMessageA(info.Handle(), WM_LBUTTONUP, 0, ClientPoint(3, 3));
        EXPECT_EQ(tips.Texts(), std::vector<std::string>{"Hier liegen die Schluessel."});
        // A release that did not start on the label is no click.
        SendMessageA(info.Handle(), WM_LBUTTONUP, 0, ClientPoint(3, 3));
        EXPECT_EQ(tips.Texts().size(), 1u);
    }

    // The real tip: modal over the window, which is disabled meanwhile and
    // enabled again afterwards; Escape closes it.
    static bool ownerDisabled = false;
    static HWND owner = nullptr;
    owner = window.Handle();
    ownerDisabled = false;
    UINT_PTR look = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        ownerDisabled = !IsWindowEnabled(owner);
        PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    SendMessageA(info.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(3, 3));
    SendMessageA(info.Handle(), WM_LBUTTONUP, 0, ClientPoint(3, 3));
    KillTimer(nullptr, look);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}
