// Direct registry access for the settings store and for the keys the suite touches
// outside it (GnuPG's own values, file associations, the Explorer extension).
// Text is exchanged in the ANSI code page; the hive is passed as a predefined key
// (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <windows.h>

// Owns one open registry key. Move-only, so a key is closed exactly once.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() { reset(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(other.release()) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    // Opens an existing key; an empty RegistryKey when it does not open.
    static RegistryKey Open(HKEY hive, const std::string& subkey, REGSAM access);
    // Opens the key, creating it and its missing parents first.
    static RegistryKey Create(HKEY hive, const std::string& subkey, REGSAM access);

    HKEY get() const { return key_; }
    // Closes the key held and hands out the slot for an API that fills it.
    HKEY* put() {
        reset();
        return &key_;
    }
    HKEY release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void reset(HKEY key = nullptr);
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// True when the key opens for reading.
bool RegistryKeyExists(HKEY hive, const std::string& subkey);
// Creates the key (non-volatile, default security); an existing key is left as it
// is. True when the key exists afterwards.
bool RegistryCreateKey(HKEY hive, const std::string& subkey);
// Deletes the value ("" is the key's default value); nothing when the key does not
// open or the value is missing.
void RegistryDeleteValue(HKEY hive, const std::string& subkey, const std::string& valueName);
// Deletes the key `child` below `subkey`. An empty child name is refused: the
// system would take it as `subkey` itself.
bool RegistryDeleteKey(HKEY hive, const std::string& subkey, const std::string& child);
// Write a value into an existing key; nothing when the key does not open.
// Strings are stored with their terminating NUL.
bool RegistryWriteString(HKEY hive, const std::string& subkey, const std::string& valueName,
                         const std::string& text);
bool RegistryWriteDword(HKEY hive, const std::string& subkey, const std::string& valueName,
                        std::uint32_t number);
// A short string value (at most 254 characters) as text, "" when the key does not
// open, the value is missing, too long or not a string. REG_EXPAND_SZ values that
// hold a %VAR% reference come back expanded when the expansion fits.
std::string RegistryReadString(HKEY hive, const std::string& subkey, const std::string& valueName);

// The settings store's read: a string value of any length, a REG_DWORD as its
// decimal text, and nothing when the key or value is missing or of another type,
// so that the caller can tell an empty value from an absent one.
std::optional<std::string> RegistryQueryText(HKEY hive, const std::string& subkey,
                                             const std::string& valueName);
