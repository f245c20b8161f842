// Finding GnuPG, its version and home directory, and the optional outside tools.
#pragma once

#include <string>

// Sets GnuPGExePath/Name/Dir ("" = not found; the user has been told).
void FindGnuPGExe();
// Sets GnuPGVersion from the cache or a real run of GnuPG; may warn.
// `otherProgramRunning`: a sibling already warned, so a too old version stays quiet.
void CheckGnuPGVersion(bool otherProgramRunning);
// Sets GnuPGHome and SetGnuPGHome.
void ResolveGnuPGHome();
// Sets GnuPGLanguage.
void ReadGnuPGLanguage();
void FindPgpDump();
void FindUnzipSfx();

// True when `folder` is one of the entries of ProgramDir + ";" + PATH, which is
// what running GnuPG by its bare name needs.
bool FolderIsOnSearchPath(const std::string& folder);
