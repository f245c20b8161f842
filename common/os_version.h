// The operating system token of the running system.
#pragma once

#include <string>

// platformId: 1 = Windows 9x, 2 = Windows NT. Systems after Windows 7 get tokens of
// the same style ("Win_8", "Win_8.1", "Win_10", "Win_11") so nobody mistakes them
// for an unknown system.
std::string OsVersionToken(unsigned platformId, unsigned major, unsigned minor, unsigned build);

// "Win9x" for Win95/Win98/WinME, otherwise "WinNT".
std::string OsFamilyOf(const std::string& token);
