// What start-up asks the system: version, folders, locale, interpreter, search path.
#pragma once

#include <string>

std::string GetOSVer();
// Special folder (CSIDL_...) without trailing NUL, optionally created; "" on failure.
std::string GetSysFolder(int csidl, bool create);
std::string GetLocInfo(unsigned long locale, unsigned long type);
// The short (8.3) form, or the path itself when the system has none.
std::string ShortName(const std::string& path);
// The command interpreter: COMSPEC, else the system's cmd.exe / command.com.
std::string GetComSpec(bool reject4Dos);
// First "<entry>\<name>" along ProgramDir (when asked), WINDIR\System on Win9x and
// PATH; only absolute drive paths are searched, never UNC or unexpanded entries.
std::string WhichFile(const std::string& name, bool includeProgramDir);
// The environment variable, "" when unset.
std::string EnvironmentVariable(const std::string& name);
// The directory of the running module, without trailing backslash.
std::string ModuleDirectory();
// "major.minor" with two minor digits from the module's version resource.
std::string ModuleVersionText();
