#include "support/settings_sandbox.h"

#include <windows.h>

#include "common/win/system_info.h"

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name)), old_(EnvironmentVariable(name_)), had_(GetEnvironmentVariableA(name_.c_str(), nullptr, 0) > 0) {
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr);
}
