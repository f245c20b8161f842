// The packet listing of an OpenPGP file ("PGP Packets"): GnuPG's --list-packets,
// or pgpdump with the user's options when [Settings] UsePgpDump is 1 and
// pgpdump.exe was found, shown in a rich output window.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "common/output_log_layout.h"

// Where the listing window goes, by program: the key manager names the listed
// keys in the caption and centres the window on its main window; the tray program
// centres it on the compose window's area (screen twips); the file tool shows it
// modally on the screen's centre with the file's name below the listing.
struct PacketListingPlace {
    std::string keyIds;           // Morvish: the selected key IDs (" 0x..." items)
    HWND mainWindow = nullptr;    // Morvish
    std::optional<TwipBox> area;  // Pallow
};

// Runs the listing (HideGetPack: "1" hidden behind the wait window, "0" in a
// console window, anything else nothing) and shows it. False when nothing was
// run, the run failed or its output file is missing (reported).
bool ShowPackets(const std::string& file, const PacketListingPlace& place = {});

// The caption of the listing window in this program.
std::string PacketListingCaption(const std::string& programName, const std::string& keyIds, bool pgpDump);
