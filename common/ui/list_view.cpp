#include "common/ui/list_view.h"

#include <algorithm>
#include <cstring>

#include "common/translation.h"
#include "common/ui/window.h"

namespace {

DWORD ExtendedStyleOf(const ListViewStyle& style) {
    DWORD ex = LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER;
    if (style.fullRowSelect) ex |= LVS_EX_FULLROWSELECT;
    if (style.gridLines) ex |= LVS_EX_GRIDLINES;
    if (style.headerDragDrop) ex |= LVS_EX_HEADERDRAGDROP;
    return ex;
}

void CopyText(std::string_view text, char* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

bool ListView::Create(Window& parent, const std::string& name, const TwipRect& place, const ListViewStyle& style) {
    DWORD s = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP;
    if (!style.multiSelect) s |= LVS_SINGLESEL;
    if (!CreateChild(parent, WC_LISTVIEWA, name, place, "", s, WS_EX_CLIENTEDGE)) return false;
    SetExtendedStyle(style);
    SetListFont(reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    return true;
}

void ListView::SetExtendedStyle(const ListViewStyle& style) {
    DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER;
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, ExtendedStyleOf(style));
}

void ListView::SetListFont(HFONT font) {
    if (font) SetFont(font);
    baseFont_ = font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA logFont = {};
    GetObjectA(baseFont_, sizeof logFont, &logFont);
    logFont.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectA(&logFont));
}

void ListView::Refresh() {
    int count = model_ ? model_->RowCount() : 0;
    Send(LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void ListView::SetColumns(const std::vector<ListColumn>& columns) {
    while (Send(LVM_DELETECOLUMN, 0)) {
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        std::string header = Translate(columns[i].header);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = columns[i].width;
        column.pszText = header.data();
        column.iSubItem = static_cast<int>(i);
        Send(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

int ListView::ColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column));
}

void ListView::SetColumnWidth(int column, int width) {
    Send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

std::vector<int> ListView::ColumnOrder() const {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::vector<int> order(std::max(count, 0));
    if (count > 0) Send(LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()));
    return order;
}

void ListView::SetColumnOrder(const std::vector<int>& order) {
    if (!order.empty())
        Send(LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(const_cast<int*>(order.data())));
}

void ListView::SetSmallImages(HIMAGELIST images) {
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void ListView::SetHeaderImages(HIMAGELIST images) {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    if (header) SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void ListView::SetHeaderImage(int column, int image) {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    if (!header) return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    item.mask = HDI_FORMAT | HDI_IMAGE;
    if (image > 0) {
        item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
        item.iImage = image;
    } else {
        item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        item.iImage = 0;
    }
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

bool ListView::IsSelected(int row) const {
    return Send(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
}

void ListView::SetSelected(int row, bool selected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::SelectAll(bool selected) {
    SetSelected(-1, selected);
}

std::vector<int> ListView::SelectedRows() const {
    std::vector<int> rows;
    int row = -1;
    while ((row = static_cast<int>(Send(LVM_GETNEXTITEM, row, LVNI_SELECTED))) != -1) rows.push_back(row);
    return rows;
}

int ListView::SelectedCount() const {
    return static_cast<int>(Send(LVM_GETSELECTEDCOUNT));
}

int ListView::FocusedRow() const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::SetFocusedRow(int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::EnsureVisible(int row) {
    Send(LVM_ENSUREVISIBLE, row, FALSE);
}

int ListView::RowAt(POINT clientPoint) const {
    LVHITTESTINFO hit = {};
    hit.pt = clientPoint;
    return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT ListView::RowBounds(int row) const {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

bool ListView::HandleNotify(const NMHDR* header, LRESULT& result) {
    if (!header || header->hwndFrom != Handle() || !model_) return false;
    switch (header->code) {
        case LVN_GETDISPINFOA: {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header));
            LVITEMA& item = info->item;
            if (item.iItem < 0 || item.iItem >= model_->RowCount()) return true;
            if (item.mask & LVIF_TEXT) CopyText(model_->CellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
            if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = model_->RowImage(item.iItem);
            result = 0;
            return true;
        }
        case LVN_GETINFOTIPA: {
            auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(const_cast<NMHDR*>(header));
            if (tip->iItem >= 0 && tip->iItem < model_->RowCount()) {
                std::string text = model_->RowTip(tip->iItem);
                if (!text.empty()) CopyText(text, tip->pszText, tip->cchTextMax);
            }
            result = 0;
            return true;
        }
        case NM_CUSTOMDRAW: {
            auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header));
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
                return true;
            }
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                int row = static_cast<int>(draw->nmcd.dwItemSpec);
                result = CDRF_DODEFAULT;
                if (row < 0 || row >= model_->RowCount()) return true;
                COLORREF colour = model_->RowColour(row);
                if (colour != CLR_DEFAULT) draw->clrText = colour;
                if (model_->RowBold(row) && boldFont_) {
                    SelectObject(draw->nmcd.hdc, boldFont_.get());
                    result = CDRF_NEWFONT;
                }
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}
