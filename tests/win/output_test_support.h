// Shared by the output window and key transfer tests: reading lights and texts
// back through Win32, letting posted messages run, and one real test key.
#pragma once

#include <windows.h>

#include <string>

#include "common/batch_text.h"
#include "common/environment.h"
#include "common/text.h"
#include "common/ui/indicator_light.h"
#include "common/win/command_runner.h"
#include "support/test_env.h"

namespace output_test {

inline std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Runs what is waiting in this thread's queue (posted commands, WM_APP).
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What a light control shows: the colour in the middle of its picture.
inline COLORREF LightPixel(HWND light) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(light, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return CLR_INVALID;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::string pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4, '\0');
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight) return CLR_INVALID;
    // Below the highlight, which sits up left of the middle.
    size_t at = (static_cast<size_t>(info.bmHeight) * 5 / 8 * info.bmWidth + info.bmWidth * 5 / 8) * 4;
    auto byte = [&](size_t i) { return static_cast<unsigned char>(pixels[at + i]); };
    return RGB(byte(2), byte(1), byte(0));
}

inline const char* LightName(COLORREF pixel) {
    if (pixel == LightColour(Light::Good)) return "good";
    if (pixel == LightColour(Light::Alarm)) return "alarm";
    if (pixel == LightColour(Light::Neutral)) return "neutral";
    return "unknown";
}

inline std::string LightShown(HWND light) {
    return LightName(LightPixel(light));
}

// One RSA key made by the real gpg.exe for the whole test program, its armored
// public export made by plain GnuPG, and its key ID.
struct TestKey {
    std::string home;        // GnuPG home holding the key
    std::string exportFile;  // armored public key
    std::string keyId;       // 16 hex digits
    std::string userId;
};

inline const TestKey& SharedTestKey() {
    static TempFolder folder("testkey");
    static const TestKey key = [] {
        TestKey made;
        made.home = folder / "home";
        made.exportFile = folder / "key.asc";
        made.userId = "Corvane Test <test@corvane.invalid>";
        CreateDirectoryA(made.home.c_str(), nullptr);
        WriteTextFile(folder / "params.txt",
                      "Key-Type: RSA\nKey-Length: 1024\nName-Real: Corvane Test\n"
                      "Name-Email: test@corvane.invalid\nExpire-Date: 0\n%commit\n");
        const std::string listing = folder / "listing.txt";
        ScopedRunEnvironment run;
        Env().SetGnuPGHome = true;
        Env().GnuPGHome = made.home;
        RunBatch("gpg.exe --batch --no-tty --quick-random --gen-key " + BatchQuoted(folder / "params.txt") +
                     " 2>nul\r\ngpg.exe --batch --no-tty -a --export>" + BatchQuoted(made.exportFile) +
                     "\r\ngpg.exe --batch --no-tty --with-colons --list-keys>" + BatchQuoted(listing),
                 kWindowHidden, false, false);
        for (const auto& line : SplitLines(ReadTextFile(listing))) {
            if (line.starts_with("pub:")) {
                auto fields = Split(line, ':');
                if (fields.size() > 4) made.keyId = fields[4];
            }
        }
        return made;
    }();
    return key;
}

}  // namespace output_test
