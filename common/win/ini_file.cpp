#include "common/win/ini_file.h"

#include <windows.h>

namespace {

bool HasLineBreak(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

bool IsWritableSection(const std::string& section) {
    return !section.empty() && !HasLineBreak(section) && section.find(']') == std::string::npos;
}

// An empty key is refused as well: the system takes a missing key name as "the
// whole section", and a key that begins like a section header or a comment would
// not read back.
bool IsWritableKey(const std::string& key) {
    return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string::npos &&
           key.front() != '[' && key.front() != ';';
}

}  // namespace

std::string ReadIniValue(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) {
    char buffer[255];
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            buffer, sizeof buffer, file.c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::optional<std::string>& value) {
    if (!IsWritableSection(section) || !IsWritableKey(key)) return false;
    if (value && HasLineBreak(*value)) return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                      value ? value->c_str() : nullptr, file.c_str()) != FALSE;
}
