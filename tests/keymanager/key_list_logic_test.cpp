// The key list's platform-free rules: sorting by columns, the selection and how
// it survives a re-read, gpg.conf lines, the default key, "Sign with" captions,
// window placement and column layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keymanager/logic/key_list_columns.h"
#include "keymanager/logic/key_list_options.h"
#include "keymanager/logic/list_selection.h"
#include "keymanager/logic/start_switches.h"
#include "keymanager/logic/window_layout.h"

namespace {

KeyRecord Key(const std::string& userId, const std::string& longId, const std::string& created = "2020-01-01") {
    KeyRecord key;
    key.userId = userId;
    key.longKeyId = "0x" + longId;
    key.keyId = "0x" + longId.substr(8);
    key.createdText = created.substr(8, 2) + "." + created.substr(5, 2) + "." + created.substr(0, 4);
    key.createdSort = created;
    return key;
}

std::vector<std::string> UserIds(const std::vector<int>& order, const std::vector<KeyRecord>& keys) {
    std::vector<std::string> ids;
    for (int index : order)
        ids.push_back(keys[static_cast<size_t>(index)].userId + "/" + keys[static_cast<size_t>(index)].keyId);
    return ids;
}

}  // namespace

TEST(KeyListSort, HeaderClicksChooseColumnAndDirection) {
    struct Case {
        SortState current;
        int clicked;
        SortState expected;
    };
    const Case cases[] = {
        {{kColUserId, true}, kColUserId, {kColUserId, false}},  // the sort column flips
        {{kColUserId, false}, kColUserId, {kColUserId, true}},
        {{kColUserId, false}, kColKeyId, {kColKeyId, true}},         // another column starts ascending
        {{kColUserId, true}, kColCreated, {kColCreatedSort, true}},  // dates sort by their hidden copies
        {{kColCreatedSort, true}, kColCreated, {kColCreatedSort, false}},
        {{kColCreatedSort, false}, kColExpires, {kColExpiresSort, true}},
        {{kColExpiresSort, true}, kColExpires, {kColExpiresSort, false}},
    };
    for (const Case& c : cases) {
        SortState next = SortAfterHeaderClick(c.current, c.clicked);
        EXPECT_EQ(next.column, c.expected.column) << c.clicked;
        EXPECT_EQ(next.ascending, c.expected.ascending) << c.clicked;
    }
    EXPECT_EQ(SortArrowImage(true), 2);
    EXPECT_EQ(SortArrowImage(false), 1);
}

TEST(KeyListSort, CreatedTwiceGivesNewestFirstByDateNotDisplayText) {
    // Display texts in day-first form would sort 31.01 after 01.12.
    std::vector<KeyRecord> keys = {Key("Old", "00000000AAAAAAAA", "2019-12-01"),
                                   Key("New", "00000000BBBBBBBB", "2021-01-31"),
                                   Key("Mid", "00000000CCCCCCCC", "2020-06-15")};
    std::vector<int> order = {0, 1, 2};
    SortState sort;
    for (int click = 0; click < 2; ++click) {
        sort = SortAfterHeaderClick(sort, kColCreated);
        SortRows(order, keys, sort.column, sort.ascending);
    }
    EXPECT_EQ(UserIds(order, keys), (std::vector<std::string>{"New/0xBBBBBBBB", "Mid/0xCCCCCCCC", "Old/0xAAAAAAAA"}));
}

TEST(KeyListSort, EqualUserIdsKeepKeyIdOrderAndCaseIsIgnored) {
    std::vector<KeyRecord> keys = {Key("bob", "00000000CCCCCCCC"), Key("Alice", "00000000BBBBBBBB"),
                                   Key("Bob", "00000000AAAAAAAA"), Key("alice", "00000000DDDDDDDD")};
    std::vector<int> order = {0, 1, 2, 3};
    SortRows(order, keys, kColKeyId, true);
    SortRows(order, keys, kColUserId, true);
    EXPECT_EQ(UserIds(order, keys),
              (std::vector<std::string>{"Alice/0xBBBBBBBB", "alice/0xDDDDDDDD", "Bob/0xAAAAAAAA", "bob/0xCCCCCCCC"}));
    SortRows(order, keys, kColUserId, false);
    EXPECT_EQ(UserIds(order, keys).front().substr(0, 3), "Bob");
}

TEST(KeyListSelection, BuiltInListOrderWithNameOfTheLastRow) {
    std::vector<KeyRecord> rows = {Key("Ann <ann@example.org>", "1111111111111111"), Key("Ben", "2222222222222222"),
                                   Key("Cy Dee <cy@example.org>", "3333333333333333")};
    auto rowKey = [&](int row) -> const KeyRecord& { return rows[static_cast<size_t>(row)]; };

    ListSelection two = BuildListSelection({0, 2}, rowKey);
    EXPECT_EQ(two.selectedIds, " 0x1111111111111111 0x3333333333333333");
    EXPECT_EQ(two.selectedCount, 2);
    EXPECT_EQ(two.lastSelectedIndex, 3);
    EXPECT_EQ(two.currentRow, 2);
    EXPECT_EQ(two.selectedName, "Cy Dee");
    EXPECT_FALSE(IsSingleKeySelection(two.selectedIds));

    ListSelection one = BuildListSelection({1}, rowKey);
    EXPECT_TRUE(IsSingleKeySelection(one.selectedIds));
    EXPECT_EQ(one.selectedName, "Ben");

    ListSelection none = BuildListSelection({}, rowKey);
    EXPECT_EQ(none.selectedIds, "");
    EXPECT_EQ(none.lastSelectedIndex, 0);
    EXPECT_EQ(none.currentRow, -1);
    EXPECT_EQ(none.selectedName, "");
}

TEST(KeyListSelection, NameWithoutAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ann Lee <ann@example.org>", "Ann Lee"},
        {"Ann Lee", "Ann Lee"},
        {"Ann <no end", "Ann <no end"},
        {"Ann<ann@example.org>", "Ann<ann@example.org>"},  // no blank before "<": not an address form
        {"A<b <c@d>", ""},                                 // cut before the first "<"
        {"<x> <y>", ""},                                   // nothing before the first "<"
        {"", ""},
    };
    for (const auto& [userId, name] : cases) EXPECT_EQ(NameWithoutAddress(userId), name) << userId;
}

TEST(KeyListSelection, KeysAreFoundOnlyAsWholeItems) {
    const std::string ids = " 0x1111111111111111 0x2222222222222222";
    EXPECT_TRUE(SelectionHasKey(ids, "0x1111111111111111"));
    EXPECT_TRUE(SelectionHasKey(ids, "0x2222222222222222"));
    EXPECT_FALSE(SelectionHasKey(ids, "0x11111111"));
    EXPECT_FALSE(SelectionHasKey(ids, "0x3333333333333333"));
    EXPECT_FALSE(SelectionHasKey(ids, ""));
    EXPECT_FALSE(SelectionHasKey("", "0x1111111111111111"));
}

TEST(KeyListSelection, FocusMarkAfterReread) {
    struct Case {
        bool hadSelection;
        int remembered;
        int rows;
        int expected;
    };
    const Case cases[] = {
        {false, 0, 5, 0},  // nothing selected before: first row
        {true, 3, 5, 2},   // the remembered (1-based) position
        {true, 7, 5, 4},   // the list got shorter: last row
        {true, 1, 0, -1},  // empty list
        {false, 0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FocusMarkRow(c.hadSelection, c.remembered, c.rows), c.expected) << c.remembered << "/" << c.rows;
}

TEST(KeyListOptions, GpgConfLines) {
    EXPECT_EQ(OptionSetNameFromLine("#@#Work set"), "Work set");
    EXPECT_FALSE(OptionSetNameFromLine("#@#"));
    EXPECT_FALSE(OptionSetNameFromLine("#@ x"));
    EXPECT_EQ(DefaultKeyFromLine("default-key 0x12345678"), "0x12345678");
    EXPECT_EQ(DefaultKeyFromLine("default-key "), "");
    EXPECT_EQ(DefaultKeyFromLine("default-keyring x"), "");
    EXPECT_EQ(DefaultKeyFromLine("# default-key 0x12345678"), "");
}

TEST(KeyListOptions, DefaultKeyMatchesLongOrShownIdExactly) {
    std::vector<KeyRecord> rows = {Key("Ann", "1111111111111111"), Key("Ben", "00000000ABCDEF12")};
    auto rowKey = [&](int row) -> const KeyRecord& { return rows[static_cast<size_t>(row)]; };
    const std::pair<const char*, int> cases[] = {
        {"0xABCDEF12", 1},          // short ID as shown
        {"0x00000000ABCDEF12", 1},  // long ID (column 8)
        {"0xabcdef12", -1},         // lower case never matches
        {"ABCDEF12", -1},          {"", -1},
    };
    for (const auto& [defaultKey, row] : cases) EXPECT_EQ(DefaultKeyRow(defaultKey, 2, rowKey), row) << defaultKey;
    // With long IDs shown, column 1 holds 16 digits and the short form no longer matches.
    rows[1].keyId = rows[1].longKeyId;
    EXPECT_EQ(DefaultKeyRow("0xABCDEF12", 2, rowKey), -1);
}

TEST(KeyListOptions, SignWithCaptionsNeedTwoKeyPairs) {
    EXPECT_FALSE(SignWithCaptions(""));
    EXPECT_FALSE(SignWithCaptions("0x1111111111111111"));
    auto captions = SignWithCaptions("0xbbbbbbbbbbbbbbbb 0xAAAAAAAAAAAAAAAA 0xCCCCCCCCCCCCCCCC");
    ASSERT_TRUE(captions);
    EXPECT_EQ(*captions,
              (std::vector<std::string>{"0xAAAAAAAAAAAAAAAA...", "0xbbbbbbbbbbbbbbbb...", "0xCCCCCCCCCCCCCCCC..."}));
}

TEST(KeyListPlacement, ClampsToTheScreen) {
    const int screenW = 19200, screenH = 15360;  // 1280 x 1024 at 96 dpi
    struct Case {
        StoredPlacement stored;
        WindowPlacementTwips expected;
    };
    const Case cases[] = {
        // Nothing stored: the minimum size, centred.
        {{"", "", "", "", ""}, {false, (screenW - 10350) / 2, (screenH - 7760) / 2, 10350, 7760}},
        // Smaller than the minimum grows; negative positions become 0.
        {{"Normal", "5000", "3000", "-200", "-10"}, {false, 0, 0, 10350, 7760}},
        // Reaching past the bottom with the top on the screen: shortened.
        {{"Normal", "12000", "12000", "6000", "100"}, {false, 100, 6000, 12000, screenH - 6000}},
        // Top below the screen: moved to the top. Left past the right edge: moved left.
        {{"Normal", "12000", "9000", "16000", "20000"}, {false, 0, 0, 12000, 9000}},
        // Reaching past the right edge with the left on the screen: narrowed.
        {{"Normal", "12000", "9000", "100", "10000"}, {false, 10000, 100, screenW - 10000, 9000}},
        {{"Maximized", "", "", "", ""}, {true, (screenW - 10350) / 2, (screenH - 7760) / 2, 10350, 7760}},
        // Damaged values count as never stored.
        {{"Normal", "wide", "x", "top", "?"}, {false, (screenW - 10350) / 2, (screenH - 7760) / 2, 10350, 7760}},
    };
    for (const Case& c : cases) {
        WindowPlacementTwips place = PlaceKeyListWindow(c.stored, screenW, screenH);
        EXPECT_EQ(place.maximized, c.expected.maximized);
        EXPECT_EQ(place.left, c.expected.left) << c.stored.left;
        EXPECT_EQ(place.top, c.expected.top) << c.stored.top;
        EXPECT_EQ(place.width, c.expected.width) << c.stored.width;
        EXPECT_EQ(place.height, c.expected.height) << c.stored.height;
    }
}

TEST(KeyListColumnsLayout, PositionsAndWidthsRoundTrip) {
    const std::vector<int> builtIn = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(ColumnOrderFromPositions({"1", "2", "3", "4", "5", "6", "7", "8"}, 11), builtIn);
    // Key ID first, user ID third.
    EXPECT_EQ(ColumnOrderFromPositions({"3", "1", "2", "4", "5", "6", "7", "8"}, 11),
              (std::vector<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10}));
    // Duplicates, gaps or junk fall back to the built-in order.
    EXPECT_EQ(ColumnOrderFromPositions({"1", "1", "3", "4", "5", "6", "7", "8"}, 11), builtIn);
    EXPECT_EQ(ColumnOrderFromPositions({"1", "2", "3", "4", "5", "6", "7", "9"}, 11), builtIn);
    EXPECT_EQ(ColumnOrderFromPositions({"", "", "", "", "", "", "", ""}, 11), builtIn);

    // A hidden column dragged between visible ones does not shift their positions.
    EXPECT_EQ(PositionsFromColumnOrder({1, 9, 2, 0, 3, 4, 5, 6, 7, 8, 10}), (std::vector<int>{3, 1, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(ColumnOrderFromPositions({"3", "1", "2", "4", "5", "6", "7", "8"}, 11)[0], 1);

    EXPECT_EQ(ColumnWidthFromSetting("120", 0), 120);
    EXPECT_EQ(ColumnWidthFromSetting("0", 3), 0);  // a hidden column stays hidden
    EXPECT_EQ(ColumnWidthFromSetting("", 2), 39);
    EXPECT_EQ(ColumnWidthFromSetting("", 0, 144), 456);  // defaults follow the screen's scaling
    EXPECT_EQ(ColumnWidthFromSetting("120", 0, 144), 120);
    EXPECT_EQ(ColumnWidthFromSetting("-5", 7), 143);
}

TEST(KeyManagerStartSwitches, FirstInTheFixedOrderWins) {
    const std::pair<const char*, StartSwitch> cases[] = {
        {"", StartSwitch::None},
        {"/no-greyscale", StartSwitch::None},
        {"/environment", StartSwitch::Environment},
        {"/visit-keyserver /prefs-gnupg", StartSwitch::PrefsGnupg},
        {"/visit-keyserver /prefs-corvane", StartSwitch::PrefsCorvane},
        {"/prefs-corvane /environment", StartSwitch::Environment},
        {"x /visit-keyserver", StartSwitch::VisitKeyServer},
        {"/ENVIRONMENT", StartSwitch::None},  // the command line is not case-folded
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(StartSwitchOf(line), expected) << line;
}
