// Process-wide values discovered at start-up and read everywhere afterwards.
// Platform-free: start-up fills them, tests set them directly.
#pragma once

#include <string>

// Switches the user turns on by hand in [Advanced] (some also on the command line).
struct AdvancedSwitches {
    bool Cygwin = false;
    bool EncodedMailto = false;
    bool NoIconChange = false;
    bool NoGreyscale = false;
    bool NoOptWriteWarn = false;
    bool NoUpdateAllWarn = false;
    bool ForceDosCodepage = false;
    bool NoVersionChange = false;
    bool NoVersionWarn = false;
    bool NoOverwriteWarn = false;
    bool NoCloseOutput = false;
    bool NoMultiExt = false;
};

struct Environment {
    std::string ProgramName;      // "Morvish", "Pallow", ... : message box titles, mutexes
    std::string ProgramDir;       // no trailing backslash
    std::string ProgramDirShort;
    std::string OsFamily;         // "Win9x" or "WinNT"
    std::string OsVersion;        // token of GetOSVer
    bool Win2000OrLater = false;  // Pallow only
    std::string WindowsDir;
    std::string SystemDir;
    std::string TempDir;          // lower-cased
    std::string BatchFile;        // file names inside TempDir
    std::string OutputFile;
    std::string ComSpecPath;
    std::string OemCodepage;      // e.g. "850"
    std::string AnsiCodepage;     // e.g. "1252"
    std::string SystemLanguage;   // e.g. "de"
    std::string ProgramVersion;   // e.g. "1.00"
    std::string MinGnuPGVersion = "v1.4.10";
    std::string ShellHomeDir;     // lower-cased, no trailing backslash
    std::string GnuPGExePath;
    std::string GnuPGExeName;     // "gpg.exe" or "gpg2.exe"
    std::string GnuPGExeDir;
    std::string GnuPGVersion;     // "v1.4.23", "v0.0.0" when unknown
    std::string GnuPGHome;
    bool SetGnuPGHome = false;    // batch files set GNUPGHOME
    std::string GnuPGLanguage;    // batch files set LANGUAGE when not ""
    std::string GpgConfPath;
    std::string PubringPath;
    std::string SecringPath;
    std::string TrustdbPath;
    std::string PgpDumpPath;      // "" = not available
    std::string UnzipSfxPath;     // "" = not available
    AdvancedSwitches Switches;
    bool AddBatchPause = false;   // read by each main window from [Settings]
    int CaptionHeight = 0;        // twips
};

// The one instance of the process.
Environment& Env();
