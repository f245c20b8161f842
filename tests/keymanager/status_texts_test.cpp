#include "keymanager/logic/status_texts.h"

#include <gtest/gtest.h>

TEST(StatusPanelsText, FamilyCountsAndShares) {
    EXPECT_EQ(FamilyPanelText("DSA", 12), "DSA: 12 ");
    struct Case {
        int count, total;
        const char* tip;
    } cases[] = {
        {0, 0, "0% - Click to toggle All/DSA keys"},
        {3, 3, "100% - Click to toggle All/DSA keys"},
        {1, 3, "33% - Click to toggle All/DSA keys"},
        {2, 3, "67% - Click to toggle All/DSA keys"},
        {1, 8, "13% - Click to toggle All/DSA keys"},
        {0, 5, "0% - Click to toggle All/DSA keys"},
        {1, 1000, "0% - Click to toggle All/DSA keys"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FamilyPanelTip(c.count, c.total, "Click to toggle All/DSA keys"), c.tip) << c.count << "/" << c.total;
    EXPECT_EQ(SelectionPanelText("Selected:", 2, 10, "keys"), "Selected: 2/10 keys");
}

TEST(StatusPanelsText, FileSizesInKilobytes) {
    struct Case {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0.0 KB "},
        {1024, "1.0 KB "},
        {1536, "1.5 KB "},
        {51, "0.0 KB "},
        {52, "0.1 KB "},
        {1024ull * 999, "999.0 KB "},
        {1024ull * 1000, "1,000.0 KB "},
        {1024ull * 1234567 + 922, "1,234,567.9 KB "},
    };
    for (const auto& c : cases) EXPECT_EQ(FileSizePanelText(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(FileSizePanelText(1024ull * 1234 + 512, ".", ","), "1.234,5 KB ");
    EXPECT_EQ(FileDatePanelText("05.03.2024", "14:07"), " 05.03.2024 14:07 ");
}

TEST(StatusPanelsText, LongFilePathsAreShortenedInTheTip) {
    // "Size of c:\gnupg\pubring.gpg" is short and stays.
    EXPECT_EQ(FilePanelTip("Size of", "c:\\gnupg", "pubring.gpg"), "Size of c:\\gnupg\\pubring.gpg");
    // 49 characters stay, 50 are shortened.
    const std::string home49 = "c:\\" + std::string(49 - 8 - 3 - 12, 'a');
    EXPECT_EQ(FilePanelTip("Size of", home49, "pubring.gpg").size(), 49u);
    const std::string home50 = home49 + "b";
    EXPECT_EQ(FilePanelTip("Size of", home50, "pubring.gpg"), "Size of c:\\...\\" + home50.substr(3) + "\\pubring.gpg");
    EXPECT_EQ(FilePanelTip("Date of", "C:\\Documents and Settings\\Someone\\Application Data\\GnuPG", "trustdb.gpg"),
              "Date of c:\\...\\GnuPG\\trustdb.gpg");
}

TEST(StatusPanelsText, PanelClicksToggleTheirFilter) {
    struct Case {
        int panel;
        const char* current;
        const char* next;
    } cases[] = {
        {0, "", "17"}, {0, "17", ""}, {1, "17", "20"}, {1, "20", ""}, {2, "", "1"}, {2, "1", ""}, {3, "20", "20"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToggledAlgorithmFilter(c.panel, c.current), c.next) << c.panel;
}
