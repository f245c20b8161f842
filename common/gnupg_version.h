// GnuPG's version: how we ask for it, read it and judge it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kMinGnuPGVersion = "v1.4.10";
inline constexpr const char* kUnknownGnuPGVersion = "v0.0.0";

// The command of the version check batch: GnuPG's configuration listing into the
// output file, then unix2dos over it in Cygwin mode (lines joined by CR LF).
std::string ComposeVersionCheckCommand(std::string_view exeName, std::string_view tempDir,
                                       std::string_view outputFile, bool cygwin);

// "v" + the text after "cfg:version:" of the first such line; "v0.0.0" when the
// line is empty after the prefix; "" when there is no such line.
std::string ParseListConfigVersion(const std::vector<std::string>& lines);

// Versions below v1.4.10 (v1.4.10rc1, v1.5.0 and every version 2 pass).
bool IsGnuPGVersionTooOld(std::string_view version);
