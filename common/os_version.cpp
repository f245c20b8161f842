#include "common/os_version.h"

std::string OsVersionToken(unsigned platformId, unsigned major, unsigned minor, unsigned build) {
    if (platformId == 1) {
        if (major == 4 && minor == 0) return "Win95";
        if (major == 4 && minor == 10) return "Win98";
        if (major == 4 && minor == 90) return "WinME";
        return "Failed";
    }
    if (platformId != 2) return "Failed";
    switch (major) {
        case 3: return "NT_3.51";
        case 4: return "NT_4.0";
        case 5:
            if (minor == 0) return "Win2000";
            if (minor == 1) return "WinXP";
            if (minor == 2) return "Win2003";
            return "Failed";
        case 6:
            if (minor == 0) return "Vista";
            if (minor == 1) return "Win_7";
            if (minor == 2) return "Win_8";
            if (minor == 3) return "Win_8.1";
            return "Failed";
        case 10: return build >= 22000 ? "Win_11" : "Win_10";
        default: return "";
    }
}

std::string OsFamilyOf(const std::string& token) {
    return (token == "Win95" || token == "Win98" || token == "WinME") ? "Win9x" : "WinNT";
}
