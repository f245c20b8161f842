// A report-style list view that asks its model for every cell when it is drawn
// (owner data): filling it with 10,000 rows costs nothing, and sorting or
// filtering only rearranges the model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/ui/controls.h"
#include "common/ui/gdi.h"

// What the list shows; rows are 0-based.
class ListModel {
public:
    virtual ~ListModel() = default;
    virtual int RowCount() const = 0;
    virtual std::string_view CellText(int row, int column) const = 0;
    virtual int RowImage(int /*row*/) const { return -1; }
    virtual COLORREF RowColour(int /*row*/) const { return CLR_DEFAULT; }
    virtual bool RowBold(int /*row*/) const { return false; }
    // The row's tooltip, "" for none.
    virtual std::string RowTip(int /*row*/) const { return ""; }
};

struct ListColumn {
    std::string header;  // translated when the columns are set
    int width = 100;     // pixels
    int format = LVCFMT_LEFT;
};

struct ListViewStyle {
    bool multiSelect = true;
    bool fullRowSelect = true;
    bool gridLines = false;
    bool headerDragDrop = true;
};

class ListView : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place, const ListViewStyle& style = {});
    void SetModel(const ListModel* model) { model_ = model; }
    // Tells the control how many rows the model has now and redraws it.
    void Refresh();

    void SetColumns(const std::vector<ListColumn>& columns);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    std::vector<int> ColumnOrder() const;
    void SetColumnOrder(const std::vector<int>& order);
    void SetSmallImages(HIMAGELIST images);
    void SetHeaderImages(HIMAGELIST images);
    // Image of a column header (0 = none); the other headers keep theirs.
    void SetHeaderImage(int column, int image);
    void SetExtendedStyle(const ListViewStyle& style);
    void SetListFont(HFONT font);

    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    void SelectAll(bool selected);
    std::vector<int> SelectedRows() const;
    int SelectedCount() const;
    int FocusedRow() const;
    void SetFocusedRow(int row);
    void EnsureVisible(int row);
    int RowAt(POINT clientPoint) const;
    RECT RowBounds(int row) const;

    // The parent forwards WM_NOTIFY from this control; true when handled.
    bool HandleNotify(const NMHDR* header, LRESULT& result);

private:
    const ListModel* model_ = nullptr;
    UniqueFont boldFont_;
    HFONT baseFont_ = nullptr;
};
