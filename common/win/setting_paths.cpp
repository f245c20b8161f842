#include "common/win/setting_paths.h"

#include <cstring>
#include <vector>

#include <windows.h>

#include "common/environment.h"

std::string ExpEnviron(const std::string& text) {
    constexpr size_t kMaxLength = 254;
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    // The reported size may exceed the real length (the ANSI form counts for
    // double-byte text), so the limit is judged on what was actually written.
    std::vector<char> buffer(needed + 1);
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(),
                                              static_cast<DWORD>(buffer.size()));
    if (written == 0 || written > buffer.size()) return text;
    size_t length = strnlen(buffer.data(), buffer.size());
    if (length > kMaxLength) return text;
    return std::string(buffer.data(), length);
}

std::string ExpandSettingPath(const std::string& value, SettingPathSteps steps) {
    return ExpandSettingPath(value, steps, Env().ProgramDir,
                             [](const std::string& text) { return ExpEnviron(text); });
}
