// Reading and writing single values of an ini file (the portable settings store
// and any other ini file the suite touches).
//
// The system resolves a file name without a full path against the Windows folder,
// so callers always pass full paths.
#pragma once

#include <optional>
#include <string>

// The value of [section] key, or `defaultValue` when the key or the file is
// missing; an existing empty value reads as "". Values are read through a
// 255-character buffer: at most 254 characters come back.
std::string ReadIniValue(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue);

// Writes the key=value line, creating the file and section as needed; no value
// deletes the key's line. A line break in any part, or a key that would read back
// as something else ("a=b", "[x", ";x"), would write lines other than the one
// meant, so such a write is refused: nothing changes and the result is false.
bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::optional<std::string>& value);
