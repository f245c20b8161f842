#include "common/ui/rich_edit.h"

#include <richedit.h>

#include <vector>

namespace {

// Loaded once and kept for the life of the process: every rich edit control of
// every window needs it, and unloading it under a live control would crash.
bool LoadRichEditLibrary() {
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    return loaded;
}

}  // namespace

const char* RichEditClassName() {
    return RICHEDIT_CLASSA;
}

bool RichEdit::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& text,
                      const RichEditStyle& style) {
    if (!LoadRichEditLibrary()) return false;
    DWORD s = WS_TABSTOP | ES_MULTILINE | ES_NOHIDESEL | ES_SAVESEL;
    if (style.readOnly) s |= ES_READONLY;
    if (style.verticalScroll) s |= WS_VSCROLL | ES_AUTOVSCROLL;
    if (style.horizontalScroll) s |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (!CreateChild(parent, RichEditClassName(), name, place, "", s, WS_EX_CLIENTEDGE)) return false;
    // The default limit (32767 characters) would cut long listings short.
    Send(EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SetText(text);
    return true;
}

std::string RichEdit::AllText() const {
    GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    LRESULT length = Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
    if (length <= 0) return "";
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(buffer.size());
    query.flags = GT_USECRLF;
    query.codepage = CP_ACP;
    LRESULT copied = Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void RichEdit::SelectAll() const {
    Select(0, -1);
}

void RichEdit::Select(int start, int length) const {
    CHARRANGE range{start, length < 0 ? -1 : start + length};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string RichEdit::SelectedText() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin) return "";
    // A character may take two bytes in a multi-byte code page.
    std::vector<char> buffer(static_cast<size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
    LRESULT copied = Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}
