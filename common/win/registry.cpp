#include "common/win/registry.h"

#include <cstring>
#include <vector>

#include "common/wildcard.h"

namespace {

// Registry strings may be stored with or without their terminating NUL (and other
// programs write both); the text ends at the first NUL or at the data's end.
std::string TextOfData(const char* data, DWORD size) {
    return std::string(data, strnlen(data, size));
}

}  // namespace

void RegistryKey::reset(HKEY key) {
    if (key_) RegCloseKey(key_);
    key_ = key;
}

RegistryKey RegistryKey::Open(HKEY hive, const std::string& subkey, REGSAM access) {
    RegistryKey key;
    if (RegOpenKeyExA(hive, subkey.c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
        key.release();
    }
    return key;
}

RegistryKey RegistryKey::Create(HKEY hive, const std::string& subkey, REGSAM access) {
    RegistryKey key;
    if (RegCreateKeyExA(hive, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        key.release();
    }
    return key;
}

bool RegistryKeyExists(HKEY hive, const std::string& subkey) {
    return static_cast<bool>(RegistryKey::Open(hive, subkey, KEY_READ));
}

bool RegistryCreateKey(HKEY hive, const std::string& subkey) {
    return static_cast<bool>(RegistryKey::Create(hive, subkey, KEY_QUERY_VALUE));
}

void RegistryDeleteValue(HKEY hive, const std::string& subkey, const std::string& valueName) {
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_SET_VALUE);
    if (key) RegDeleteValueA(key.get(), valueName.c_str());
}

bool RegistryDeleteKey(HKEY hive, const std::string& subkey, const std::string& child) {
    if (child.empty()) return false;
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_READ);
    return key && RegDeleteKeyA(key.get(), child.c_str()) == ERROR_SUCCESS;
}

bool RegistryWriteString(HKEY hive, const std::string& subkey, const std::string& valueName,
                         const std::string& text) {
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_SET_VALUE);
    return key && RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryWriteDword(HKEY hive, const std::string& subkey, const std::string& valueName,
                        std::uint32_t number) {
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_SET_VALUE);
    DWORD data = number;
    return key && RegSetValueExA(key.get(), valueName.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&data),
                                 sizeof data) == ERROR_SUCCESS;
}

std::string RegistryReadString(HKEY hive, const std::string& subkey, const std::string& valueName) {
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_READ);
    if (!key) return "";
    char data[255];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
        return "";
    }
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size < 1 || size > sizeof data) return "";
    std::string text = TextOfData(data, size);
    if (type == REG_EXPAND_SZ && MatchesPattern(text, "*%*?%*")) {
        char expanded[255];
        DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
        // The length counts the terminator; a longer result did not fit and the
        // buffer holds nothing usable, so the unexpanded text stays.
        if (length > 1 && length <= sizeof expanded) {
            text = TextOfData(expanded, sizeof expanded);
        }
    }
    return text;
}

std::optional<std::string> RegistryQueryText(HKEY hive, const std::string& subkey,
                                             const std::string& valueName) {
    RegistryKey key = RegistryKey::Open(hive, subkey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    std::vector<char> data(256);
    DWORD type = 0;
    LONG status;
    DWORD size;
    // Another program may make the value longer between two queries: ask again.
    do {
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) data.resize(size + 1);
    } while (status == ERROR_MORE_DATA);
    if (status != ERROR_SUCCESS) return std::nullopt;
    if (type == REG_SZ || type == REG_EXPAND_SZ) return TextOfData(data.data(), size);
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number;
        std::memcpy(&number, data.data(), sizeof number);
        return std::to_string(number);
    }
    return std::nullopt;
}
