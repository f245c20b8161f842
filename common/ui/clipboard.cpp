#include "common/ui/clipboard.h"

#include <cstring>

namespace {

// Holds the clipboard open for one operation.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool PutClipboardText(HWND owner, const std::string& text) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    char* target = static_cast<char*>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    // On success the clipboard owns the memory.
    if (!SetClipboardData(CF_TEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

std::optional<std::string> ClipboardText(HWND owner) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* source = static_cast<const char*>(GlobalLock(data));
    if (!source) return std::nullopt;
    // The block may be larger than the text, and a foreign one may lack its NUL.
    size_t size = GlobalSize(data);
    std::string text(source, strnlen(source, size));
    GlobalUnlock(data);
    return text;
}
