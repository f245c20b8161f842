// The key list window on a real keyring made by gpg.exe once for the suite: rows,
// texts, icons, colours and the bold default key read back through the list view,
// the selection across re-reads, sorting, the option watch, the layout, and what
// Exit stores and Esc does not.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <memory>

#include "common/environment.h"
#include "common/text.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/win/file_system.h"
#include "common/win/key_listing_files.h"
#include "common/win/settings.h"
#include "common/ui/rich_output_window.h"
#include "keymanager/fetch_box.h"
#include "keymanager/key_list_menus.h"
#include "keymanager/key_list_window.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

std::string CellText(HWND list, int row, int column) {
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int RowImage(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int HeaderImage(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    return (item.fmt & HDF_IMAGE) ? item.iImage : 0;
}

std::string HeaderText(HWND list, int column) {
    char text[128] = {};
    LVCOLUMNA item = {};
    item.mask = LVCF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&item));
    return text;
}

// How the window has a row drawn: its text colour and whether it asks for the
// bold font, through the custom-draw notification the list sends.
struct DrawnRow {
    COLORREF colour;
    bool bold;
};

DrawnRow DrawRow(HWND window, HWND list, int row) {
    WindowDc dc(list);
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = list;
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.nmcd.hdc = dc.get();
    draw.clrText = CLR_DEFAULT;
    LRESULT result = SendMessageA(window, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    return {draw.clrText, result == CDRF_NEWFONT};
}

void ClickHeader(HWND window, HWND list, int column) {
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(window, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<std::string> UserIdsInList(HWND list) {
    std::vector<std::string> ids;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) ids.push_back(CellText(list, row, 0));
    return ids;
}

// Three keys made once: Alice (RSA key pair, 2015), Dave (RSA key pair, 2021) and
// Bob (DSA, 2019), whose secret part stays in keyrings of its own.
class KeyListWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        gnupgHome_ = std::make_unique<TempFolder>("gnupg");
        const std::string folder = gnupgHome_->Path();
        const std::string gpg = Quoted(GnuPGFolder() + "\\gpg.exe") + " --homedir " + Quoted(folder) + " --batch ";
        WriteTextFile(folder + "\\keys.txt",
                      "Key-Type: RSA\nKey-Length: 1024\nName-Real: Alice Able\nName-Email: alice@example.org\n"
                      "Creation-Date: 2015-03-01\nExpire-Date: 0\n%commit\n"
                      "Key-Type: RSA\nKey-Length: 1024\nName-Real: Dave Dunn\nName-Email: dave@example.org\n"
                      "Creation-Date: 2021-08-20\nExpire-Date: 0\n%commit\n"
                      "Key-Type: DSA\nKey-Length: 1024\nName-Real: Bob Baker\nName-Email: bob@example.org\n"
                      "Creation-Date: 2019-06-15\nExpire-Date: 0\n%pubring " +
                          folder + "\\other.pub\n%secring " + folder + "\\other.sec\n%commit\n");
        generated_ = RunHiddenWithTimeLimit(gpg + "--gen-key " + Quoted(folder + "\\keys.txt"), 180000) &&
                     RunHiddenWithTimeLimit(gpg + "--import " + Quoted(folder + "\\other.pub"), 60000);
    }
    static void TearDownTestSuite() { gnupgHome_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(generated_) << "gpg.exe --gen-key failed";
        UseGnuPGHome(gnupgHome_->Path());
        Env().OsFamily = "WinNT";
        Env().ShellHomeDir = home_.Path();
        Env().ProgramName = "Morvish";
        WriteSetting("Settings", "HideReload", "1");
        WriteSetting("Morvish", "AskedForNewKey", "1");
        WriteSetting("Settings", "WatchRingChange", "0");
        WriteTextFile(GpgConf(), "");
    }

    static void UseGnuPGHome(const std::string& folder) {
        Env().GnuPGHome = folder;
        Env().SetGnuPGHome = true;
        Env().GpgConfPath = folder + "\\gpg.conf";
        Env().PubringPath = folder + "\\pubring.gpg";
        Env().SecringPath = folder + "\\secring.gpg";
        Env().TrustdbPath = folder + "\\trustdb.gpg";
    }

    std::string GpgConf() const { return Env().GpgConfPath; }

    // gpg.conf rewritten with a modification time that surely differs.
    void WriteGpgConf(const std::string& text) {
        WriteTextFile(GpgConf(), text);
        HANDLE file = CreateFileA(GpgConf().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        FILETIME time;
        GetSystemTimeAsFileTime(&time);
        ULARGE_INTEGER t{{time.dwLowDateTime, time.dwHighDateTime}};
        t.QuadPart += 10000000ULL * static_cast<ULONGLONG>(++stamp_);  // stamp_ seconds later
        time.dwLowDateTime = t.LowPart;
        time.dwHighDateTime = t.HighPart;
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }

    std::unique_ptr<KeyListWindow> OpenWindow(StartSwitch which = StartSwitch::None) {
        auto window = std::make_unique<KeyListWindow>();
        KeyListOpenOptions options;
        options.startSwitch = which;
        options.show = which == StartSwitch::None;
        EXPECT_TRUE(window->Open(options));
        return window;
    }

    int RowOf(const KeyListWindow& window, const std::string& userIdStart) const {
        for (int row = 0; row < window.Model().RowCount(); ++row) {
            if (StartsWith(window.Model().RowKey(row).userId, userIdStart)) return row;
        }
        return -1;
    }

    static std::unique_ptr<TempFolder> gnupgHome_;
    static bool generated_;
    int stamp_ = 0;
    ScopedIniSettings settings_;
    ScopedRunEnvironment run_;
    TempFolder home_{"home"};
};

std::unique_ptr<TempFolder> KeyListWindowTest::gnupgHome_;
bool KeyListWindowTest::generated_ = false;

}  // namespace

TEST_F(KeyListWindowTest, OpensWithRowsTextsIconsColoursAndTheBoldDefaultKey) {
    ScriptedResponder responder;
    WriteTextFile(run_.Folder() / "~gpg1234.bat", "echo left over");
    WriteTextFile(run_.Folder() / "~gpg12a4.bat", "not a console batch");
    WriteGpgConf("#@#Work set\r\nkeyserver hkp://127.0.0.1\r\n");
    auto window = OpenWindow();
    ASSERT_TRUE(window->Exists());
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();

    // Found as every suite program finds the key manager.
    EXPECT_EQ(FindWindowA(kCorvaneWindowClass, "Morvish"), window->Handle());
    HWND list = window->FindControl("ListView");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(UserIdsInList(list),
              (std::vector<std::string>{"Alice Able <alice@example.org>", "Bob Baker <bob@example.org>",
                                        "Dave Dunn <dave@example.org>"}));
    EXPECT_EQ(HeaderText(list, 0), "User ID");
    EXPECT_EQ(HeaderText(list, 5), "Created");
    EXPECT_EQ(HeaderImage(list, 0), 2);  // ascending on the user ID

    const KeyListing& listing = window->Listing();
    for (int row = 0; row < 3; ++row) {
        const KeyRecord& key = window->RowKey(row);
        EXPECT_EQ(CellText(list, row, 1), key.keyId);
        EXPECT_EQ(CellText(list, row, 8), key.longKeyId);
        EXPECT_EQ(CellText(list, row, 9), key.createdSort);
        EXPECT_EQ(RowImage(list, row), key.icon);
        EXPECT_GT(key.icon, 0);
        bool lastAdded = key.longKeyId == listing.lastAddedKeyId;
        EXPECT_EQ(EndsWith(CellText(list, row, 7), " (last added)"), lastAdded) << CellText(list, row, 7);
        DrawnRow drawn = DrawRow(window->Handle(), list, row);
        EXPECT_EQ(drawn.colour, key.isKeyPair ? static_cast<COLORREF>(kDefaultColorKeyPair) : key.textColour);
        EXPECT_FALSE(drawn.bold);  // no default key yet
    }
    EXPECT_EQ(CellText(list, RowOf(*window, "Bob"), 2), "1024");
    EXPECT_EQ(CellText(list, RowOf(*window, "Bob"), 9), "2019-06-15");
    EXPECT_TRUE(window->RowKey(RowOf(*window, "Alice")).isKeyPair);
    EXPECT_FALSE(window->RowKey(RowOf(*window, "Bob")).isKeyPair);

    EXPECT_EQ(window->OptionsLabelText(), "Options: Work set");
    EXPECT_TRUE(window->Menus().IsEnabled(kFileMenu, kFileSaveAs));
    // Two usable key pairs: the "Sign with" captions, sorted.
    std::string alice = window->RowKey(RowOf(*window, "Alice")).longKeyId;
    std::string dave = window->RowKey(RowOf(*window, "Dave")).longKeyId;
    std::vector<std::string> expected = {alice + "...", dave + "..."};
    if (ToLower(dave) < ToLower(alice)) std::swap(expected[0], expected[1]);
    EXPECT_EQ(window->SignWithCaptions(), expected);

    EXPECT_FALSE(FileExists(run_.Folder() / "~gpg1234.bat"));
    EXPECT_TRUE(FileExists(run_.Folder() / "~gpg12a4.bat"));
}

TEST_F(KeyListWindowTest, DefaultKeyMatchesExactlyTheShownOrLongId) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    HWND list = window->FindControl("ListView");
    const int daveRow = RowOf(*window, "Dave");
    const KeyRecord dave = window->RowKey(daveRow);
    struct Case {
        std::string defaultKey;
        bool longIds;
        bool bold;
    };
    const Case cases[] = {
        {dave.keyId, false, true},      // "0x" + 8 digits while short IDs are shown
        {dave.longKeyId, false, true},  // the long ID of column 8
        // An ID written in lower case never matches (unless it has no letters at all).
        {ToLower(dave.longKeyId), false, ToLower(dave.longKeyId) == dave.longKeyId},
        {"0x" + dave.longKeyId.substr(10), true, false},  // short form while long IDs are shown
        {dave.longKeyId, true, true},
    };
    for (const Case& c : cases) {
        window->CurrentSettings().longKeyIds = c.longIds;
        WriteGpgConf("default-key " + c.defaultKey + "\r\n");
        window->Reload();
        window->HandleDefaultKey();
        ASSERT_EQ(window->DefaultKey(), c.defaultKey);
        int row = RowOf(*window, "Dave");
        EXPECT_EQ(DrawRow(window->Handle(), list, row).bold, c.bold) << c.defaultKey;
        EXPECT_FALSE(DrawRow(window->Handle(), list, RowOf(*window, "Alice")).bold);
    }
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
}

TEST_F(KeyListWindowTest, SelectionIsKeptByKeyIdWhenRowsMove) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    HWND list = window->FindControl("ListView");
    ListView& view = window->KeyList();
    const std::string bob = window->RowKey(RowOf(*window, "Bob")).longKeyId;
    const std::string dave = window->RowKey(RowOf(*window, "Dave")).longKeyId;

    view.SetSelected(RowOf(*window, "Bob"), true);
    view.SetSelected(RowOf(*window, "Dave"), true);
    PumpMessages();  // the selection is rebuilt once the list reported the change
    EXPECT_EQ(window->Selection().selectedIds, " " + bob + " " + dave);
    EXPECT_EQ(window->Selection().selectedCount, 2);
    EXPECT_EQ(window->Selection().lastSelectedIndex, 3);
    EXPECT_EQ(window->Selection().selectedName, "Dave Dunn");

    // Newest first: Dave, Bob, Alice. The selection moves with its keys.
    ClickHeader(window->Handle(), list, kColCreated);
    ClickHeader(window->Handle(), list, kColCreated);
    EXPECT_EQ(UserIdsInList(list)[0], "Dave Dunn <dave@example.org>");
    EXPECT_EQ(view.SelectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(window->Selection().selectedIds, " " + dave + " " + bob);

    // RSA keys only: Bob is gone, Dave stays selected.
    window->SetAlgorithmFilter("1");
    EXPECT_EQ(window->Caption(), "Morvish - RSA keys");
    EXPECT_EQ(window->Selection().selectedIds, " " + dave);
    EXPECT_EQ(view.SelectedRows(), (std::vector<int>{RowOf(*window, "Dave")}));

    // All keys again, re-read from GnuPG: Bob is back and not selected.
    window->SetAlgorithmFilter("");
    EXPECT_EQ(window->Caption(), "Morvish");
    EXPECT_TRUE(window->RunMenuItem(kFileMenu, kFileReload));
    EXPECT_EQ(window->Model().RowCount(), 3);
    EXPECT_EQ(window->Selection().selectedIds, " " + dave);
    EXPECT_EQ(view.SelectedRows(), (std::vector<int>{RowOf(*window, "Dave")}));
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
}

TEST_F(KeyListWindowTest, SortingByHeaders) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    HWND list = window->FindControl("ListView");
    ClickHeader(window->Handle(), list, kColCreated);
    EXPECT_EQ(UserIdsInList(list)[0], "Alice Able <alice@example.org>");  // 2015 first
    EXPECT_EQ(HeaderImage(list, kColCreated), 2);
    EXPECT_EQ(HeaderImage(list, kColUserId), 0);
    ClickHeader(window->Handle(), list, kColCreated);
    EXPECT_EQ(UserIdsInList(list),
              (std::vector<std::string>{"Dave Dunn <dave@example.org>", "Bob Baker <bob@example.org>",
                                        "Alice Able <alice@example.org>"}));
    EXPECT_EQ(HeaderImage(list, kColCreated), 1);
    EXPECT_EQ(window->Sort().column, kColCreatedSort);
    EXPECT_FALSE(window->Sort().ascending);
    // A re-read keeps the order.
    window->ReadKeyData();
    EXPECT_EQ(UserIdsInList(list)[0], "Dave Dunn <dave@example.org>");
    // Another column starts ascending.
    ClickHeader(window->Handle(), list, kColUserId);
    EXPECT_EQ(UserIdsInList(list)[0], "Alice Able <alice@example.org>");
    EXPECT_EQ(HeaderImage(list, kColCreated), 0);
    EXPECT_EQ(HeaderImage(list, kColUserId), 2);
}

TEST_F(KeyListWindowTest, OptionWatchAsksOnceAndAppliesTheNewDefaultKey) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    HWND list = window->FindControl("ListView");
    const std::string alice = window->RowKey(RowOf(*window, "Alice")).longKeyId;

    window->CheckOptionsChanged();
    EXPECT_TRUE(responder.Seen().empty());  // nothing changed

    WriteGpgConf("default-key " + alice + "\r\n");
    responder.Answer(MsgAnswer::No);
    window->CheckOptionsChanged();
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].text, "Your GnuPG options have been changed, do you want to reload the key-list?");
    EXPECT_FALSE(DrawRow(window->Handle(), list, RowOf(*window, "Alice")).bold);
    window->CheckOptionsChanged();  // "No" took the new time
    EXPECT_EQ(responder.Seen().size(), 1u);

    WriteGpgConf("#@#Home\r\ndefault-key " + alice + "\r\n");
    responder.Answer(MsgAnswer::Yes);
    window->CheckOptionsChanged();
    EXPECT_EQ(responder.Seen().size(), 2u);
    EXPECT_TRUE(DrawRow(window->Handle(), list, RowOf(*window, "Alice")).bold);
    EXPECT_EQ(window->OptionsLabelText(), "Options: Home");
}

TEST_F(KeyListWindowTest, LayoutOfListButtonsRowAndStatusBar) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    SetWindowPos(window->Handle(), nullptr, 10, 10, 900, 600, SWP_NOZORDER);
    RECT client;
    GetClientRect(window->Handle(), &client);
    RECT list = window->KeyList().Bounds();
    HWND reload = window->FindControl("ReloadButton");
    RECT button;
    GetWindowRect(reload, &button);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&button), 2);
    HWND bar = window->FindControl("StatusBar");
    ASSERT_NE(bar, nullptr);
    RECT status;
    GetWindowRect(bar, &status);
    const int statusHeight = status.bottom - status.top;

    // Below the toolbar, which carries the find box.
    RECT toolbar;
    GetWindowRect(window->FindControl("Toolbar"), &toolbar);
    const int toolbarHeight = toolbar.bottom - toolbar.top;
    EXPECT_EQ(toolbarHeight, TwipsToPixelsY(kToolbarHeight));
    HWND find = window->FindControl("TxtFindKey");
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(IsWindowVisible(find));
    RECT findBox;
    GetWindowRect(find, &findBox);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&findBox), 2);
    EXPECT_EQ(findBox.left, TwipsToPixelsX(120));
    EXPECT_LE(findBox.bottom, toolbarHeight);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, toolbarHeight);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom - statusHeight - TwipsToPixelsY(600));
    EXPECT_EQ(button.top, list.bottom + TwipsToPixelsY(195));
    char caption[64] = {};
    GetWindowTextA(reload, caption, sizeof caption);
    EXPECT_STREQ(caption, "&Reload Keys");

    window->ToggleButtonsRow();
    list = window->KeyList().Bounds();
    EXPECT_EQ(list.bottom, client.bottom - statusHeight);
    EXPECT_EQ(list.top, toolbarHeight);
    EXPECT_FALSE(IsWindowVisible(reload));
    window->ShowButtonsRow();
    EXPECT_TRUE(IsWindowVisible(reload));
}

TEST_F(KeyListWindowTest, EscKeepsThePreviousLayoutAndExitStoresIt) {
    ScriptedResponder responder;
    {
        auto window = OpenWindow();
        window->KeyList().SetColumnWidth(kColUserId, 222);
        MSG escape = {window->KeyList().Handle(), WM_KEYDOWN, VK_ESCAPE, 0};
        EXPECT_TRUE(window->PreTranslate(escape));
        EXPECT_FALSE(window->Exists());
        EXPECT_TRUE(window->ClosingRulesRan());
        EXPECT_EQ(ReadSetting("Settings", "GnuPG_HomeDir", "<absent>"), "");  // the last program's clean-up
        EXPECT_EQ(ReadSetting("Morvish", "ColKeyWidth", "<absent>"), "<absent>");
        EXPECT_EQ(ReadSetting("Morvish", "WindowWidth", "<absent>"), "<absent>");
    }
    {
        auto window = OpenWindow();
        EXPECT_EQ(window->KeyList().ColumnWidth(kColUserId), 304);  // not the width Esc left behind
        window->KeyList().SetColumnWidth(kColUserId, 250);
        window->KeyList().SetColumnOrder({1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        SetWindowPos(window->Handle(), nullptr, 30, 40, TwipsToPixelsX(11000), TwipsToPixelsY(8000), SWP_NOZORDER);
        EXPECT_TRUE(window->RunMenuItem(kFileMenu, kFileExit));
        EXPECT_FALSE(window->Exists());
        EXPECT_EQ(ReadSetting("Morvish", "ColKeyWidth"), "250");
        EXPECT_EQ(ReadSetting("Morvish", "ColKeyPosition"), "2");
        EXPECT_EQ(ReadSetting("Morvish", "ColKeyIDPosition"), "1");
        EXPECT_EQ(ReadSetting("Morvish", "WindowState"), "Normal");
        EXPECT_EQ(ReadSetting("Morvish", "WindowLeft"), std::to_string(PixelsToTwipsX(30)));
        EXPECT_EQ(ReadSetting("Morvish", "WindowWidth"), std::to_string(PixelsToTwipsX(TwipsToPixelsX(11000))));
        EXPECT_EQ(ReadSetting("Morvish", "ViewButtons"), "1");
        EXPECT_EQ(ReadSetting("Morvish", "LongKeyIDs"), "0");
        EXPECT_FALSE(ReadSetting("Morvish", "KeyListFontSize").empty());
    }
    {
        auto window = OpenWindow();
        EXPECT_EQ(window->KeyList().ColumnWidth(kColUserId), 250);
        EXPECT_EQ(window->KeyList().ColumnOrder()[0], kColKeyId);
        RECT r;
        GetWindowRect(window->Handle(), &r);
        EXPECT_EQ(r.left, 30);
        EXPECT_EQ(r.right - r.left, TwipsToPixelsX(11000));
    }
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
}

TEST_F(KeyListWindowTest, StartSwitchesEndTheStartEarly) {
    ScriptedResponder responder;
    {
        auto window = OpenWindow(StartSwitch::Environment);
        EXPECT_FALSE(IsWindowVisible(window->Handle()));
        EXPECT_EQ(window->Model().RowCount(), 0);  // no key list read
    }
    {
        // The GnuPG options need the keys, without trust words or public-key icons.
        auto window = OpenWindow(StartSwitch::PrefsGnupg);
        ASSERT_EQ(window->Model().RowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            const KeyRecord& key = window->RowKey(row);
            EXPECT_EQ(key.validityText, "");
            EXPECT_EQ(key.icon == 0, !key.isKeyPair);
        }
    }
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
}

TEST_F(KeyListWindowTest, FirstKeyQuestionOnAnEmptyKeyringIsAskedOnce) {
    TempFolder empty("gnupg-empty");
    UseGnuPGHome(empty.Path());
    WriteTextFile(GpgConf(), "");
    WriteSetting("Morvish", "AskedForNewKey", "0");
    ScriptedResponder responder;
    responder.Answer(MsgAnswer::No);
    {
        auto window = OpenWindow();
        EXPECT_EQ(window->Model().RowCount(), 0);
        EXPECT_FALSE(window->Menus().IsEnabled(kFileMenu, kFileSaveAs));
        ASSERT_EQ(responder.Seen().size(), 1u) << responder.Texts();
        EXPECT_EQ(responder.Seen()[0].text,
                  "It seems that you don't have any keys. Do you want to create your own key now?\r\n\n"
                  "To import already existing keys, choose the \"Import\" item from the \"Key(s)\" menu.");
        EXPECT_EQ(ReadSetting("Morvish", "AskedForNewKey"), "1");
    }
    DeleteKeyListing();
    auto again = OpenWindow();
    EXPECT_EQ(responder.Seen().size(), 1u);
}

TEST_F(KeyListWindowTest, KeyIdSelectedInAPacketListingGoesToTheKeyServerBox) {
    ScriptedResponder responder;
    auto window = OpenWindow();
    window->ToggleButtonsRow();  // hidden: the selection shows it again
    RichOutputRequest request;
    request.caption = "Morvish - PGP Packets for Key 0x12345678";
    request.text = ":public key packet:\r\n\tkeyid: 1A2B3C4D5E6F7A8B\r\n";
    RichOutputWindow* packets = ShowRichOutput(request);
    ASSERT_NE(packets, nullptr);
    HWND rich = nullptr;
    EnumChildWindows(
        packets->Handle(),
        [](HWND child, LPARAM found) {
            char name[64] = {};
            GetClassNameA(child, name, sizeof name);
            if (std::string(name).find("RichEdit") != std::string::npos || std::string(name).find("RICHEDIT") != std::string::npos)
                *reinterpret_cast<HWND*>(found) = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rich));
    ASSERT_NE(rich, nullptr);
    // The rich edit counts a line break as one character.
    std::string text = packets->AllText();
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    const auto start = static_cast<LONG>(text.find("5E6F7A8B"));
    CHARRANGE range = {start, start + 8};
    SendMessageA(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    packets->SelectionReleased();

    EXPECT_EQ(window->Fetch()->Text(), "0x5E6F7A8B");
    EXPECT_TRUE(IsWindowVisible(window->FindControl("ReloadButton")));
    DestroyWindow(packets->Handle());
}
