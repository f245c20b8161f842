// The Windows side of path-valued settings: %VAR% expansion through the system
// and the normalisation steps with the process's ProgramDir.
#pragma once

#include <string>

#include "common/setting_values.h"

// Expands %VAR% references. The result is limited to 254 characters: when the
// expansion fails or would be longer, the text comes back unchanged.
std::string ExpEnviron(const std::string& text);

// ExpandSettingPath with Env().ProgramDir and ExpEnviron; `steps` is one of the
// step sets of common/setting_values.h (kShellHomeDirSteps, kGnuPGHomeSteps, ...).
std::string ExpandSettingPath(const std::string& value, SettingPathSteps steps);
