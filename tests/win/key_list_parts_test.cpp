// The key list window's parts on a small stand-in window: a fixed set of keys
// in an owner-data list, the parts' messages passed on as the real window does,
// and a count of every window operation the parts ask for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/environment.h"
#include "common/ui/list_view.h"
#include "common/ui/message_box.h"
#include "common/ui/window.h"
#include "common/win/command_runner.h"
#include "keymanager/fetch_box.h"
#include "keymanager/find_box.h"
#include "keymanager/key_drop.h"
#include "keymanager/key_list_host.h"
#include "keymanager/logic/fetch_text.h"
#include "keymanager/logic/find_match.h"
#include "keymanager/status_panels.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

KeyRecord Key(const std::string& userId, const std::string& keyId) {
    KeyRecord key;
    key.userId = userId;
    key.keyId = keyId;
    key.longKeyId = "0x00000000" + keyId.substr(2);
    return key;
}

class TestHost : public Window, public KeyListHost, public ListModel {
public:
    TestHost() {
        listing.keys = {Key("Alice Example <alice@example.org>", "0x11111111"),
                        Key("Bob Builder <bob@example.org>", "0x22222222"),
                        Key("Smith & Sons <sales@example.org>", "0xABCDEF12")};
        listing.dsaCount = 1;
        listing.rsaCount = 2;
        WindowParams params;
        params.caption = "Morvish";
        params.bounds = {0, 0, 900, 500};
        EXPECT_TRUE(Create(params));
        EXPECT_TRUE(list.Create(*this, "ListView", {0, 0, 12000, 3000}));
        list.SetColumns({{"User ID", 200}, {"Key ID", 80}});
        list.SetModel(this);
        list.Refresh();
    }
    ~TestHost() override { Destroy(); }

    // KeyListHost
    Window& HostWindow() override { return *this; }
    ListView& KeyList() override { return list; }
    int RowCount() const override { return static_cast<int>(listing.keys.size()); }
    const KeyRecord& RowKey(int row) const override { return listing.keys[row]; }
    std::string RowText(int row, int column) const override { return std::string(CellText(row, column)); }
    const KeyListing& Listing() const override { return listing; }
    void ReadKeyData() override { ++readKeyData; }
    void SelectionChanged() override { ++selectionChanged; }
    void ClearSelection() override {
        ++clearSelection;
        list.SelectAll(false);
    }
    const std::string& AlgorithmFilter() const override { return filter; }
    void SetAlgorithmFilter(const std::string& value) override {
        filter = value;
        SetCaption(value.empty() ? "Morvish" : "Morvish - filtered");
        ReadKeyData();
    }
    bool AutoReload() const override { return autoReload; }
    void ShowDefaultKey() override { ++showDefaultKey; }
    void ToggleButtonsRow() override { ++toggleButtonsRow; }
    void ShowButtonsRow() override {}
    void HideAllWindows() override { ++hideAll; }
    void ShowAllWindows() override { ++showAll; }
    void Relayout() override {}

    // ListModel
    std::string_view CellText(int row, int column) const override {
        const KeyRecord& key = listing.keys[row];
        return column == 0 ? std::string_view(key.userId) : std::string_view(key.keyId);
    }

    std::vector<int> Selected() const { return list.SelectedRows(); }

    ListView list;
    KeyListing listing;
    std::vector<KeyListPart*> parts;
    std::string filter;
    bool autoReload = true;
    int readKeyData = 0, selectionChanged = 0, clearSelection = 0, showDefaultKey = 0, toggleButtonsRow = 0,
        hideAll = 0, showAll = 0;
    std::vector<UINT_PTR> timers;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        for (KeyListPart* part : parts) {
            switch (message) {
                case WM_COMMAND:
                    if (part->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
                    break;
                case WM_NOTIFY:
                    if (part->OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
                    break;
                case WM_TIMER:
                    if (part->OnTimer(wParam)) return 0;
                    break;
                default:
                    if (part->OnMessage(message, wParam, lParam, result)) return result;
            }
        }
        if (message == WM_NOTIFY && list.HandleNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        return Window::HandleMessage(message, wParam, lParam);
    }
};

// The text colour a part chooses for an edit control of the window.
COLORREF EditColour(TestHost& host, HWND edit) {
    HDC dc = GetDC(edit);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageA(host.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    COLORREF colour = GetTextColor(dc);
    ReleaseDC(edit, dc);
    return colour;
}

void Notify(HWND control, int code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

// A control's own visibility (the stand-in window itself is never shown).
bool Shown(const Control& control) {
    return (GetWindowLongPtrA(control.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

// What a click on the button sends to its window.
void Press(const Button& button) {
    Notify(button.Handle(), BN_CLICKED);
}

// Leaves LastRunOk as a finished run leaves it.
void SetLastRunOk(bool ok) {
    if (!ok) {
        ClearLastRunOk();
        return;
    }
    RunBatch("rem", kWindowHidden, false, false);
    ASSERT_TRUE(LastRunOk());
}

}  // namespace

// ---- Find box -------------------------------------------------------------------

TEST(FindBoxWindow, TypingSelectsMatchingRowsAndTheHintComesBackWhenLeftEmpty) {
    TestHost host;
    FindBox find(host);
    host.parts = {&find};
    ASSERT_TRUE(find.Create({12500, 60, 2400, 315}));
    HWND box = find.Box().Handle();
    EXPECT_EQ(find.Box().Text(), kFindHint);
    EXPECT_EQ(EditColour(host, box), GetSysColor(COLOR_GRAYTEXT));

    Notify(box, EN_SETFOCUS);
    EXPECT_EQ(find.Box().Text(), "");

    struct Case {
        const char* text;
        std::vector<int> rows;
    } cases[] = {
        {"BOB", {1}},
        {"example.org", {0, 1, 2}},
        {"0x#", {0, 1}},  // the pattern grammar works
        {"& sons", {2}},
        {"abcdef", {2}},  // key-ID column
        {"carol", {}},
        {"", {}},  // empty text selects nothing
    };
    for (const auto& c : cases) {
        const int changes = host.selectionChanged;
        find.Box().SetText(c.text);
        EXPECT_EQ(host.Selected(), c.rows) << c.text;
        EXPECT_EQ(host.selectionChanged, changes + 1) << c.text;
    }
    find.Box().SetText("alice");
    EXPECT_EQ(EditColour(host, box), GetSysColor(COLOR_WINDOWTEXT));

    Notify(box, EN_KILLFOCUS);  // not empty: stays
    EXPECT_EQ(find.Box().Text(), "alice");
    Notify(box, EN_SETFOCUS);  // typed text is selected, not cleared
    EXPECT_EQ(find.Box().Selection(), std::make_pair(0, 5));

    find.Box().SetText("");
    Notify(box, EN_KILLFOCUS);
    EXPECT_EQ(find.Box().Text(), kFindHint);
    EXPECT_EQ(find.SearchText(), "");
    EXPECT_EQ(EditColour(host, box), GetSysColor(COLOR_GRAYTEXT));
}

TEST(FindBoxWindow, DroppedTextReplacesTheTextAndKeepsTheNameOnly) {
    TestHost host;
    FindBox find(host);
    host.parts = {&find};
    ASSERT_TRUE(find.Create({12500, 60, 2400, 315}));
    find.DropText("Bob Builder <bob@example.org>");
    EXPECT_EQ(find.Box().Text(), "Bob Builder");
    EXPECT_EQ(host.Selected(), std::vector<int>{1});
}

// ---- Fetch box ------------------------------------------------------------------

TEST(FetchBoxWindow, CaptionColourAndTipFollowTheText) {
    TestHost host;
    FetchBox fetch(host);
    host.parts = {&fetch};
    ASSERT_TRUE(fetch.Create());
    fetch.Layout(3000, 12000, true);
    HWND box = fetch.KeyBox().Handle();
    EXPECT_EQ(fetch.Text(), "0x");
    EXPECT_EQ(fetch.GetKeysButton().Text(), "Key-&server");
    EXPECT_EQ(EditColour(host, box), GetSysColor(COLOR_GRAYTEXT));

    struct Case {
        const char* text;
        const char* caption;
        bool grey;
    } cases[] = {
        {"0x1234ABCD", "Get from Key-&server", false},
        {"0x1234ABCD 0x9876FEDC", "Get from Key-&server", false},
        {"Bob Builder", "Search on Key-&server", false},
        {"0x", "Key-&server", true},
        {" <Enter User or Key ID>", "Key-&server", true},
    };
    for (const auto& c : cases) {
        fetch.KeyBox().SetText(c.text);  // as typed: through EN_CHANGE
        EXPECT_EQ(fetch.GetKeysButton().Text(), c.caption) << c.text;
        EXPECT_EQ(EditColour(host, box), GetSysColor(c.grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)) << c.text;
    }
    EXPECT_EQ(fetch.BoxTip(), "Bob Builder");

    // Focus on the hint puts the caret after "0x"; leaving with the prompt restores "0x".
    fetch.SetText("0x");
    Notify(box, EN_SETFOCUS);
    EXPECT_EQ(fetch.KeyBox().Selection(), std::make_pair(2, 2));
    fetch.SetText(" <Enter User or Key ID>");
    Notify(box, EN_KILLFOCUS);
    EXPECT_EQ(fetch.Text(), "0x");
    fetch.SetText("");
    Notify(box, EN_KILLFOCUS);
    EXPECT_EQ(fetch.Text(), "0x");
}

TEST(FetchBoxWindow, ButtonWithoutTextAsksForOneAndRunsNothing) {
    TestHost host;
    FetchBox fetch(host);
    host.parts = {&fetch};
    ASSERT_TRUE(fetch.Create());
    int runs = 0;
    fetch.SetBatchRunner([&](const std::string&) { ++runs; });
    Press(fetch.GetKeysButton());
    EXPECT_EQ(fetch.Text(), kEnterIdHint);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(host.hideAll, 0);
}

TEST(FetchBoxWindow, EnterFetchesTwoKeyIdsInOneRunFromTheChosenServer) {
    ScopedRunEnvironment run;
    ScopedIniSettings settings;
    Env().ShellHomeDir = run.Folder().Path();
    Env().GnuPGHome = run.Folder().Path();
    TestHost host;
    FetchBox fetch(host);
    host.parts = {&fetch};
    ASSERT_TRUE(fetch.Create());
    fetch.SetKeyServers({"hkp://127.0.0.1", "", "hkp://keys.example.org"});
    EXPECT_EQ(fetch.KeyServerCombo().ItemCount(), 3);
    EXPECT_EQ(fetch.KeyServerText(), kDefaultServerEntry);

    std::vector<std::string> commands;
    bool runOk = false;
    fetch.SetBatchRunner([&](const std::string& command) {
        commands.push_back(command);
        SetLastRunOk(runOk);
    });
    host.list.SetSelected(0, true);
    fetch.SetText("0x11111111 0x22222222");
    fetch.SetKeyServerText("hkp://127.0.0.1");
    SendMessageA(fetch.KeyBox().Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_NE(commands[0].find("\r\ngpg.exe --keyserver hkp://127.0.0.1 --interactive --recv-keys 0x11111111 0x22222222"),
              std::string::npos)
        << commands[0];
    EXPECT_EQ(host.Selected(), std::vector<int>{});
    EXPECT_EQ(host.hideAll, 1);
    EXPECT_EQ(host.showAll, 1);
    EXPECT_EQ(host.readKeyData, 0);  // the run failed

    // A name on the default server: a search, and a successful run reloads.
    runOk = true;
    fetch.SetText("Bob Builder");
    fetch.KeyServerCombo().SelectItem(0);
    fetch.GetKeys();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_NE(commands[1].find("\r\ngpg.exe --search-keys Bob Builder"), std::string::npos) << commands[1];
    EXPECT_EQ(host.readKeyData, 1);
    host.autoReload = false;
    fetch.GetKeys();
    EXPECT_EQ(host.readKeyData, 1);
}

// A real batch run of a composed search: what arrives at the program is the
// text as typed, whatever cmd.exe would make of it.
TEST(FetchBoxWindow, SearchTextReachesTheProgramLiterally) {
    ScopedRunEnvironment run;
    const std::string typed = "Smith & Sons 100% %PATH% (x) ^ | <y>";
    const std::string output = run.Folder() / "args.txt";
    RunBatch(ComposeFetchCommand(typed, "srv&x", "echo") + " > \"" + output + "\"", kWindowHidden, false, false);
    ASSERT_TRUE(LastRunOk());
    std::string text = ReadTextFile(output);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    EXPECT_EQ(text, "--keyserver srv&x --search-keys " + typed);
}

TEST(FetchBoxWindow, ServerComboAndOptionsLabel) {
    TestHost host;
    FetchBox fetch(host);
    host.parts = {&fetch};
    ASSERT_TRUE(fetch.Create());
    fetch.SetKeyServers({"hkp://keys.example.org"});
    fetch.Layout(3000, 20000, true);
    EXPECT_FALSE(Shown(fetch.KeyServerCombo()));
    EXPECT_TRUE(Shown(fetch.KeyServerShowButton()));
    HWND comboEdit = fetch.KeyServerCombo().EditHandle();
    EXPECT_EQ(EditColour(host, comboEdit), GetSysColor(COLOR_GRAYTEXT));

    Press(fetch.KeyServerShowButton());
    EXPECT_TRUE(Shown(fetch.KeyServerCombo()));
    EXPECT_FALSE(Shown(fetch.KeyServerShowButton()));

    fetch.SetKeyServerText("hkp://other.example.org");
    EXPECT_EQ(EditColour(host, comboEdit), GetSysColor(COLOR_WINDOWTEXT));
    fetch.SetKeyServerText("");
    Notify(fetch.KeyServerCombo().Handle(), CBN_KILLFOCUS);
    EXPECT_EQ(fetch.KeyServerText(), kDefaultServerEntry);

    fetch.SetOptionsLabel("Options: work");
    EXPECT_EQ(fetch.OptionsLabel().Text(), "Options: work");
    EXPECT_TRUE(Shown(fetch.OptionsLabel()));
    // A narrow window: the label would run into the combo.
    fetch.Layout(3000, 9000, true);
    EXPECT_FALSE(Shown(fetch.OptionsLabel()));
    fetch.Layout(3000, 20000, false);
    EXPECT_FALSE(Shown(fetch.KeyBox()));
    EXPECT_FALSE(Shown(fetch.OptionsLabel()));
}

// ---- Status panels --------------------------------------------------------------

TEST(StatusPanelsWindow, CountsSelectionAndFilePanels) {
    ScopedRunEnvironment run;
    TempFolder home("gnupg");
    Env().GnuPGHome = home.Path();
    WriteTextFile(home / "pubring.gpg", std::string(1536, 'x'));
    WriteTextFile(home / "trustdb.gpg", std::string(40, 'x'));
    TestHost host;
    StatusPanels panels(host);
    host.parts = {&panels};
    ASSERT_TRUE(panels.Create());
    host.list.SetSelected(2, true);
    panels.Update();
    StatusBar& bar = panels.Bar();
    EXPECT_EQ(bar.PanelCount(), 9);
    EXPECT_EQ(bar.PanelText(0), "DSA: 1 ");
    EXPECT_EQ(bar.PanelText(1), "ELG: 0 ");
    EXPECT_EQ(bar.PanelText(2), "RSA: 2 ");
    EXPECT_EQ(bar.PanelTip(0), "33% - Click to toggle All/DSA keys");
    EXPECT_EQ(bar.PanelTip(2), "67% - Click to toggle All/RSA keys");
    EXPECT_EQ(bar.PanelText(3), "Selected: 1/3 keys");
    EXPECT_EQ(bar.PanelTip(3), "Click to remove key-selections");
    EXPECT_NE(bar.PanelText(4).find("1"), std::string::npos);
    EXPECT_NE(bar.PanelText(4).find("5 KB "), std::string::npos);
    EXPECT_EQ(bar.PanelText(5), "");  // no secring.gpg
    EXPECT_GT(panels.Height(), 0);
    EXPECT_NE(bar.PanelText(7), "");
    EXPECT_NE(bar.PanelText(8), "");

    panels.PanelClicked(5, false);  // any file panel switches all three to dates
    EXPECT_TRUE(panels.ShowsFileDates());
    EXPECT_EQ(bar.PanelText(4).front(), ' ');
    EXPECT_EQ(bar.PanelText(4).back(), ' ');
    EXPECT_EQ(bar.PanelText(5), "");
    EXPECT_EQ(bar.PanelTip(6).rfind("Date of ", 0), 0u);
    EXPECT_NE(bar.PanelTip(6).find("trustdb.gpg"), std::string::npos);
    panels.PanelClicked(6, false);
    EXPECT_FALSE(panels.ShowsFileDates());
    EXPECT_EQ(bar.PanelTip(4).rfind("Size of ", 0), 0u);
}

TEST(StatusPanelsWindow, ClicksFilterDeselectAndDoubleClicksReachTheWindow) {
    TestHost host;
    StatusPanels panels(host);
    host.parts = {&panels};
    ASSERT_TRUE(panels.Create());

    host.list.SetSelected(1, true);
    // A real click notification on panel 1, as the bar sends it.
    NMMOUSE click{};
    click.hdr.hwndFrom = panels.Bar().Handle();
    click.hdr.idFrom = panels.Bar().Id();
    click.hdr.code = NM_CLICK;
    click.dwItemSpec = 0;
    SendMessageA(host.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(host.filter, "17");
    EXPECT_EQ(host.Caption(), "Morvish - filtered");
    EXPECT_EQ(host.Selected(), std::vector<int>{});
    EXPECT_EQ(host.readKeyData, 1);
    SendMessageA(host.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(host.filter, "");  // a second click shows all keys again
    EXPECT_EQ(host.Caption(), "Morvish");

    panels.PanelClicked(1, false);
    EXPECT_EQ(host.filter, "20");
    panels.PanelClicked(2, false);
    EXPECT_EQ(host.filter, "1");

    host.list.SetSelected(0, true);
    const int reads = host.readKeyData;
    panels.PanelClicked(3, false);  // the selection panel only deselects
    EXPECT_EQ(host.Selected(), std::vector<int>{});
    EXPECT_EQ(host.filter, "1");
    EXPECT_EQ(host.readKeyData, reads);
    EXPECT_EQ(panels.Bar().PanelText(3), "Selected: 0/3 keys");

    panels.PanelClicked(7, true);
    panels.PanelClicked(8, true);
    panels.PanelClicked(7, false);  // a single click on the date does nothing
    EXPECT_EQ(host.showDefaultKey, 1);
    EXPECT_EQ(host.toggleButtonsRow, 1);
}

// ---- Dropped files ---------------------------------------------------------------

TEST(KeyDropWindow, RefusesWhatIsNotAFileAndDefersTheFile) {
    TempFolder folder("drop");
    TestHost host;
    KeyDrop drop(host);
    host.parts = {&drop};
    EXPECT_TRUE(drop.Create());
    ScriptedResponder responder;

    drop.ItemsDropped({folder.Path(), folder / "other.asc"});
    EXPECT_EQ(responder.Texts(), "Unsupported data format: \"" + folder.Path() + "\"\n");
    EXPECT_EQ(responder.Seen().front().options.icon, MsgIcon::Information);
    EXPECT_EQ(drop.DroppedPath(), "");

    responder.Clear();
    const std::string file = folder / "note.txt";
    WriteTextFile(file, "just a note\r\n");
    drop.ItemsDropped({file});
    EXPECT_EQ(drop.DroppedPath(), file);
    EXPECT_TRUE(responder.Seen().empty());
    // The timer handles it once the drag is over, one shot.
    MSG message;
    const DWORD start = GetTickCount();
    while (responder.Seen().empty() && GetTickCount() - start < 3000) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        } else {
            Sleep(10);
        }
    }
    EXPECT_EQ(responder.Texts(), "Unsupported data format.\n");
    EXPECT_EQ(drop.DroppedPath(), "");
    EXPECT_EQ(host.readKeyData, 0);
}

TEST(KeyDropWindow, OwnerTrustExportGoesToTheOwnerTrustImportThenReloads) {
    ScopedRunEnvironment run;
    TestHost host;
    KeyDrop drop(host);
    host.parts = {&drop};
    const std::string file = run.Folder() / "trust.txt";
    WriteTextFile(file, "# List of assigned trustvalues\r\n" + std::string(40, 'A') + ":6:\r\n");

    // Until the Trust menu provides the import, nothing runs and nothing reloads.
    SetLastRunOk(true);
    drop.ItemsDropped({file});
    drop.HandleDroppedFile();
    EXPECT_FALSE(LastRunOk());
    EXPECT_EQ(host.readKeyData, 0);

    std::vector<std::string> imported;
    drop.SetOwnerTrustImport([&](const std::string& path) {
        imported.push_back(path);
        SetLastRunOk(true);
        return true;
    });
    drop.ItemsDropped({file});
    drop.HandleDroppedFile();
    EXPECT_EQ(imported, std::vector<std::string>{file});
    EXPECT_EQ(host.readKeyData, 1);
    host.autoReload = false;
    drop.ItemsDropped({file});
    drop.HandleDroppedFile();
    EXPECT_EQ(host.readKeyData, 1);
}
