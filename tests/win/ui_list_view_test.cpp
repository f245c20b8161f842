#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ui/image_list.h"
#include "common/ui/list_view.h"
#include "common/ui/status_bar.h"
#include "common/ui/window.h"

namespace {

class NumberModel : public ListModel {
public:
    explicit NumberModel(int rows) {
        for (int i = 0; i < rows; ++i) cells_.push_back({"user " + std::to_string(i), "0x" + std::to_string(1000 + i)});
    }
    int RowCount() const override { return static_cast<int>(cells_.size()); }
    std::string_view CellText(int row, int column) const override { return cells_[row][column]; }
    int RowImage(int row) const override { return row % 50 + 1; }
    COLORREF RowColour(int row) const override { return row % 2 ? RGB(255, 0, 0) : CLR_DEFAULT; }
    bool RowBold(int row) const override { return row == 7; }
    std::string RowTip(int row) const override { return row == 3 ? "a long user ID" : ""; }

private:
    std::vector<std::vector<std::string>> cells_;
};

// A window that forwards its list's and status bar's notifications as a real
// window of the suite does.
class ListWindow : public Window {
public:
    ListView list;
    StatusBar status;
    int clickedPanel = -1;
    bool doubleClicked = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT result = 0;
            if (list.HandleNotify(header, result)) return result;
            bool twice = false;
            if (int panel = status.ClickedPanel(header, twice); panel >= 0) {
                clickedPanel = panel;
                doubleClicked = twice;
                return 0;
            }
        }
        return Window::HandleMessage(message, wParam, lParam);
    }
};

std::string ItemText(const ListView& list, int row, int column) {
    char buffer[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    list.Send(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

}  // namespace

TEST(UiListView, ShowsTheModelOnDemand) {
    NumberModel model(10000);
    ListWindow window;
    ASSERT_TRUE(window.Create({.caption = "List", .style = WS_OVERLAPPEDWINDOW, .bounds = {0, 0, 600, 400}}));
    ASSERT_TRUE(window.list.Create(window, "ListView", {0, 0, 8000, 4000}));
    window.list.SetColumns({{"User ID", 200}, {"Key ID", 80}});
    UniqueImageList icons = MakeKeyIconList();
    UniqueImageList arrows = MakeSortArrowList();
    EXPECT_EQ(ImageList_GetImageCount(icons.get()), 51);
    EXPECT_EQ(ImageList_GetImageCount(arrows.get()), 3);
    window.list.SetSmallImages(icons.get());
    window.list.SetHeaderImages(arrows.get());
    window.list.SetModel(&model);
    window.list.Refresh();

    EXPECT_EQ(window.list.Send(LVM_GETITEMCOUNT), 10000);
    EXPECT_EQ(ItemText(window.list, 9999, 0), "user 9999");
    EXPECT_EQ(ItemText(window.list, 42, 1), "0x1042");

    window.list.SetSelected(5, true);
    window.list.SetSelected(9000, true);
    EXPECT_EQ(window.list.SelectedRows(), (std::vector<int>{5, 9000}));
    window.list.SelectAll(false);
    EXPECT_EQ(window.list.SelectedCount(), 0);

    window.list.SetColumnOrder({1, 0});
    EXPECT_EQ(window.list.ColumnOrder(), (std::vector<int>{1, 0}));
    window.list.SetColumnWidth(1, 0);
    EXPECT_EQ(window.list.ColumnWidth(1), 0);

    window.list.SetHeaderImage(0, 2);
    HDITEMA header = {};
    header.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(reinterpret_cast<HWND>(window.list.Send(LVM_GETHEADER)), HDM_GETITEMA, 0,
                 reinterpret_cast<LPARAM>(&header));
    EXPECT_TRUE(header.fmt & HDF_IMAGE);
    EXPECT_EQ(header.iImage, 2);
}

TEST(UiListView, RowColourBoldAndTipComeFromTheModel) {
    NumberModel model(10);
    ListWindow window;
    ASSERT_TRUE(window.Create({.caption = "List", .style = WS_OVERLAPPEDWINDOW, .bounds = {0, 0, 600, 400}}));
    ASSERT_TRUE(window.list.Create(window, "ListView", {0, 0, 8000, 4000}));
    window.list.SetModel(&model);
    window.list.Refresh();

    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {window.list.Handle(), static_cast<UINT_PTR>(window.list.Id()), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = GetDC(window.list.Handle());
    LRESULT result = 0;
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    ASSERT_TRUE(window.list.HandleNotify(&draw.nmcd.hdr, result));
    EXPECT_EQ(result, CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = 7;
    draw.clrText = RGB(1, 2, 3);
    ASSERT_TRUE(window.list.HandleNotify(&draw.nmcd.hdr, result));
    EXPECT_EQ(result, CDRF_NEWFONT);
    EXPECT_EQ(draw.clrText, RGB(255, 0, 0));
    draw.nmcd.dwItemSpec = 4;
    draw.clrText = RGB(1, 2, 3);
    window.list.HandleNotify(&draw.nmcd.hdr, result);
    EXPECT_EQ(result, CDRF_DODEFAULT);
    EXPECT_EQ(draw.clrText, RGB(1, 2, 3));
    ReleaseDC(window.list.Handle(), draw.nmcd.hdc);

    char tipText[64] = {};
    NMLVGETINFOTIPA tip = {};
    tip.hdr = {window.list.Handle(), static_cast<UINT_PTR>(window.list.Id()), static_cast<UINT>(LVN_GETINFOTIPA)};
    tip.pszText = tipText;
    tip.cchTextMax = sizeof tipText;
    tip.iItem = 3;
    window.list.HandleNotify(&tip.hdr, result);
    EXPECT_STREQ(tipText, "a long user ID");
}

TEST(UiStatusBar, PanelsTextsTipsAndClicks) {
    ListWindow window;
    ASSERT_TRUE(window.Create({.caption = "Status", .style = WS_OVERLAPPEDWINDOW, .bounds = {0, 0, 900, 300}}));
    ASSERT_TRUE(window.status.Create(window, "StatusBar"));
    window.status.SetPanelWidths({60, 60, 60, 120, 90, 90, 90, 80, -1});
    EXPECT_EQ(window.status.Send(SB_GETPARTS, 0, 0), 9);
    window.status.SetPanelText(0, "DSA: 3 ");
    window.status.SetPanelTip(0, "30% - Click to toggle All/DSA keys");
    EXPECT_EQ(window.status.PanelText(0), "DSA: 3 ");
    EXPECT_EQ(window.status.PanelTip(0), "30% - Click to toggle All/DSA keys");

    NMMOUSE click = {};
    click.hdr = {window.status.Handle(), static_cast<UINT_PTR>(window.status.Id()), static_cast<UINT>(NM_DBLCLK)};
    click.dwItemSpec = 8;
    SendMessageA(window.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.clickedPanel, 8);
    EXPECT_TRUE(window.doubleClicked);
}
