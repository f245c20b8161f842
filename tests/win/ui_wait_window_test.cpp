// The wait window shown while a hidden GnuPG run blocks the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/ui/wait_window.h"
#include "common/ui/window.h"

namespace {

std::string TextOf(HWND control) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

RECT WorkArea() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND LabelOf(HWND window) {
    return FindWindowExA(window, nullptr, "Static", nullptr);
}

}  // namespace

TEST(UiWaitWindow, BorderlessTopmostBoxWithBoldTextClosedByItsOwner) {
    HWND handle = nullptr;
    {
        WaitWindow wait;
        wait.Show("Please wait ...");
        handle = wait.Handle();
        ASSERT_NE(handle, nullptr);
        EXPECT_TRUE(wait.IsShown());
        EXPECT_TRUE(IsWindowVisible(handle));

        char className[64] = {};
        GetClassNameA(handle, className, sizeof className);
        EXPECT_STREQ(className, kCorvaneWindowClass);
        LONG_PTR style = GetWindowLongPtrA(handle, GWL_STYLE);
        LONG_PTR exStyle = GetWindowLongPtrA(handle, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU)) << "borderless";
        EXPECT_FALSE(exStyle & (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
        EXPECT_FALSE(FindWindowExA(handle, nullptr, "Button", nullptr)) << "no buttons";

        HWND label = LabelOf(handle);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(TextOf(label), "Please wait ...");
        EXPECT_TRUE(GetWindowLongPtrA(label, GWL_STYLE) & SS_CENTER);

        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), sizeof font, &font);
        HDC screen = GetDC(nullptr);
        int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        EXPECT_GE(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfHeight, -MulDiv(12, dpiY, 72)) << "12 points";

        // The whole text fits in the label, and the label inside the box.
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE extent;
        GetTextExtentPoint32A(dc, "Please wait ...", 15, &extent);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        RECT labelRect, boxRect;
        GetWindowRect(label, &labelRect);
        GetWindowRect(handle, &boxRect);
        EXPECT_GE(labelRect.right - labelRect.left, extent.cx);
        EXPECT_GE(labelRect.bottom - labelRect.top, extent.cy);
        EXPECT_GT(labelRect.left, boxRect.left);
        EXPECT_LT(labelRect.right, boxRect.right);

        // Painted before Show returned: nothing is left for a WM_PAINT the blocked
        // caller would never let through.
        EXPECT_FALSE(GetUpdateRect(handle, nullptr, FALSE));
        EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));

        RECT work = WorkArea();
        POINT centre = CentreOf(handle);
        EXPECT_LE(std::abs(centre.x - (work.left + work.right) / 2), 1);
        EXPECT_LE(std::abs(centre.y - (work.top + work.bottom) / 2), 1);
    }
    EXPECT_FALSE(IsWindow(handle)) << "closed when the WaitWindow goes";
}

TEST(UiWaitWindow, CentredOnTheCallersPointAndKeptOnScreen) {
    RECT work = WorkArea();
    struct Case {
        POINT point;
        bool centredThere;
    };
    const Case cases[] = {
        {{400, 300}, true},
        {{(work.left + work.right) / 3, (work.top + work.bottom) * 2 / 3}, true},
        {{work.left, work.top}, false},
        {{work.right + 500, work.bottom + 500}, false},
    };
    WaitWindow wait;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.point.x) + "," + std::to_string(c.point.y));
        wait.Show("Please wait ...", c.point);
        RECT r;
        GetWindowRect(wait.Handle(), &r);
        EXPECT_GE(r.left, work.left);
        EXPECT_GE(r.top, work.top);
        EXPECT_LE(r.right, work.right);
        EXPECT_LE(r.bottom, work.bottom);
        if (c.centredThere) {
            POINT centre = CentreOf(wait.Handle());
            EXPECT_LE(std::abs(centre.x - c.point.x), 1);
            EXPECT_LE(std::abs(centre.y - c.point.y), 1);
        }
    }
}

TEST(UiWaitWindow, ShowingAgainChangesTheTextAndCloseEndsIt) {
    WaitWindow wait;
    wait.Show("Wait");
    RECT small;
    GetWindowRect(wait.Handle(), &small);

    const std::string longer = "Receiving keys from the key server, this may take a while ...";
    wait.Show(longer);
    HWND handle = wait.Handle();
    EXPECT_EQ(TextOf(LabelOf(handle)), longer);
    RECT wide;
    GetWindowRect(handle, &wide);
    EXPECT_GT(wide.right - wide.left, small.right - small.left) << "sized to the text";

    wait.Close();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(wait.IsShown());
    wait.Close();  // closing twice is harmless

    wait.Show("Please wait ...");
    EXPECT_TRUE(wait.IsShown());
    EXPECT_EQ(TextOf(LabelOf(wait.Handle())), "Please wait ...");
}
