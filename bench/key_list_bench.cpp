// How long the key list takes with a large keyring, beside GnuPG's own listing run:
//   key_list_bench.exe GNUPG_HOME GPG_DIR WORK_DIR [LISTING_RUNS]
// GNUPG_HOME holds the keyring, GPG_DIR gpg.exe, WORK_DIR is an empty folder that
// serves as the Corvane home (the key cache files) and the temporary folder.
// Measures the suite's own listing batch (CreateKeyListing), reading the key cache
// files into records (ReadKeyListing), the read-to-painted-list path with the key
// list's model in an owner-data list view, a sort by every column (the key list's
// own sort), a find-box search over every row, and the process's memory.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <psapi.h>

#include "common/environment.h"
#include "common/key_listing.h"
#include "common/text.h"
#include "common/ui/list_view.h"
#include "common/ui/window.h"
#include "common/win/key_listing_files.h"
#include "keymanager/key_list_model.h"
#include "keymanager/logic/find_match.h"
#include "keymanager/logic/key_list_columns.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Best of `runs` runs of `work`, in milliseconds.
double Best(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        best = std::min(best, MillisecondsSince(start));
    }
    return best;
}

struct Memory {
    double workingSetMb = 0;
    double privateMb = 0;
};

Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    // Wine leaves PrivateUsage at zero; the commit charge is the same figure there.
    SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return {counters.WorkingSetSize / 1048576.0, privateBytes / 1048576.0};
}

const char* const kColumnNames[] = {"User ID", "Key ID",  "Size",    "Trust",
                                    "Valid",   "Created", "Expires", "Description"};

class ListWindow : public Window {
public:
    ListView list;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            LRESULT result = 0;
            if (list.HandleNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }
};

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

const char* Verdict(bool ok) {
    return ok ? "ok" : "OVER";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: key_list_bench GNUPG_HOME GPG_DIR WORK_DIR [LISTING_RUNS]\n");
        return 2;
    }
    const std::string gnupgHome = argv[1], gpgDir = argv[2], workDir = ToLower(argv[3]);
    const int listingRuns = argc > 4 ? std::max(1, std::atoi(argv[4])) : 2;

    // What the start-up sequence would have found.
    Environment& env = Env();
    env.ProgramName = "Morvish";
    env.OsFamily = "WinNT";
    env.TempDir = workDir;
    env.BatchFile = "~gpgtmp.bat";
    env.OutputFile = "~gpgtmp.txt";
    char comSpec[MAX_PATH] = {};
    GetEnvironmentVariableA("ComSpec", comSpec, MAX_PATH);
    env.ComSpecPath = comSpec[0] ? comSpec : "C:\\windows\\system32\\cmd.exe";
    env.OemCodepage = std::to_string(GetOEMCP());
    env.AnsiCodepage = std::to_string(GetACP());
    env.ShellHomeDir = workDir;
    env.GnuPGExeName = "gpg.exe";
    env.GnuPGExeDir = gpgDir;
    env.ProgramDirShort = gpgDir;  // puts gpg.exe on the batch's PATH
    env.GnuPGHome = gnupgHome;
    env.SetGnuPGHome = true;

    KeyListingOptions options;
    options.colorNormal = GetSysColor(COLOR_WINDOWTEXT);
    options.dates = LocaleDateStyle();
    options.userIds = SystemUserIdDecoding();

    // (a) GnuPG's listing: the suite's listing batch, as the key manager runs it.
    // The first run also builds GnuPG's trust database; it is not counted.
    std::printf("GnuPG listing (warm-up run) ...\n");
    std::fflush(stdout);
    DeleteKeyListing();
    if (!CreateKeyListing()) {
        std::fprintf(stderr, "the listing batch did not run\n");
        return 1;
    }
    double gnupgMs = Best(listingRuns, [] {
        DeleteKeyListing();
        CreateKeyListing();
    });

    // (b) Reading the key cache files into records.
    const Memory before = ProcessMemory();
    size_t keyCount = 0;
    double readMs = Best(10, [&] {
        auto listing = ReadKeyListing(options);
        keyCount = listing ? listing->keys.size() : 0;
    });
    if (keyCount == 0) {
        std::fprintf(stderr, "the key cache files held no keys\n");
        return 1;
    }

    // (c) Read to painted list, in an owner-data list view.
    ListWindow window;
    window.Create({.caption = "Keys", .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .bounds = {0, 0, 1000, 700}});
    window.list.Create(window, "KeyList", {0, 0, 14500, 9800});
    std::vector<ListColumn> columns;
    for (const char* name : kColumnNames) columns.push_back({name, name == kColumnNames[0] ? 260 : 80});
    window.list.SetColumns(columns);
    PumpMessages();

    KeyListModel model;
    double fillMs = 1e300;
    for (int run = 0; run < 5; ++run) {
        window.list.SetModel(nullptr);
        window.list.Refresh();
        PumpMessages();
        auto start = Clock::now();
        model.SetListing(*ReadKeyListing(options));
        window.list.SetModel(&model);
        window.list.Refresh();
        UpdateWindow(window.list.Handle());
        fillMs = std::min(fillMs, MillisecondsSince(start));
    }
    PumpMessages();
    const Memory after = ProcessMemory();

    std::printf("\n%zu keys, GnuPG home %s\n\n", keyCount, gnupgHome.c_str());
    std::printf("%-44s %10s   %s\n", "step", "ms", "target");
    std::printf("%-44s %10.0f\n", "GnuPG listing batch (gpg.exe)", gnupgMs);
    std::printf("%-44s %10.1f   < %.0f ms (a tenth of GnuPG's): %s\n", "read key cache files into records", readMs,
                gnupgMs / 10, Verdict(readMs < gnupgMs / 10));
    const bool fillOk = fillMs < 150 && fillMs < gnupgMs / 10;
    std::printf("%-44s %10.1f   < 150 ms and < a tenth of GnuPG's: %s\n", "read + fill + paint the list", fillMs,
                Verdict(fillOk));

    bool allSortsOk = true;
    for (int column = 0; column < 8; ++column) {
        bool ascending = true;
        double sortMs = Best(3, [&] {
            ascending = !ascending;
            model.SortBy(SortColumnFor(column), ascending);
            window.list.Refresh();
            UpdateWindow(window.list.Handle());
        });
        allSortsOk = allSortsOk && sortMs < 100;
        std::string label = std::string("sort by ") + kColumnNames[column] + " + paint";
        std::printf("%-44s %10.1f   < 100 ms: %s\n", label.c_str(), sortMs, Verdict(sortMs < 100));
    }

    // The find box: "*text*" against the lower-cased user ID and key ID of every row.
    const int rows = model.RowCount();
    const KeyListing& listing = model.Listing();
    const std::string middleKeyId = ToLower(listing.keys[listing.keys.size() / 2].keyId).substr(2, 6);
    for (const std::string& text : {std::string("schmidt"), std::string("anna weber"), middleKeyId,
                                   std::string("no such key")}) {
        int found = 0;
        double findMs = Best(3, [&] {
            found = 0;
            for (int row = 0; row < rows; ++row) {
                const KeyRecord& key = model.RowKey(row);
                if (FindMatchesRow(text, key.userId, KeyColumnText(key, kColKeyId))) ++found;
            }
        });
        std::string label = "find \"" + text + "\" (" + std::to_string(found) + " found)";
        std::printf("%-44s %10.1f   < 100 ms: %s\n", label.c_str(), findMs, Verdict(findMs < 100));
    }

    std::printf("\nmemory before reading: working set %.1f MB, private %.1f MB\n", before.workingSetMb,
                before.privateMb);
    std::printf("memory with the filled list: working set %.1f MB, private %.1f MB (< 50 MB: %s)\n",
                after.workingSetMb, after.privateMb, Verdict(after.privateMb < 50 && after.workingSetMb < 50));
    window.Destroy();
    return 0;
}
