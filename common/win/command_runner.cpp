#include "common/win/command_runner.h"

#include <windows.h>

#include "common/environment.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"
#include "common/win/handles.h"

namespace {

bool lastRunOk = false;

std::string ConvertCodepage(std::string_view text, bool toOem) {
    if (Env().OemCodepage == Env().AnsiCodepage || text.empty()) return std::string(text);
    std::string out(text);
    if (toOem)
        CharToOemBuffA(out.c_str(), out.data(), static_cast<DWORD>(out.size()));
    else
        OemToCharBuffA(out.c_str(), out.data(), static_cast<DWORD>(out.size()));
    return out;
}

// Start failures caused by the command line itself (too long, malformed).
bool IsInvalidArgumentFailure(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_FILENAME_EXCED_RANGE || error == ERROR_BAD_ARGUMENTS;
}

// Writes the batch file in TempDir, runs it through the interpreter, deletes it.
bool RunBatchTextIn(const std::string& batchFileName, const std::string& batchText, int windowStyle) {
    const std::string batchPath = Env().TempDir + "\\" + batchFileName;
    if (size_t longest = LongestBatchLine(batchText); longest > kMaxBatchLineLength) {
        ShowError(JoinMessageLines(
            {Translate("Error: The command-line is too long to be run (") + std::to_string(longest) +
                 Translate(" characters, at most ") + std::to_string(kMaxBatchLineLength) + Translate(" are possible)."),
             "", Translate("If you tried a file-operation, move the file to a directory with a shorter path,"),
             Translate("or select fewer keys.")}));
        return false;
    }
    if (unsigned error = WriteWholeFile(batchPath, batchText)) {
        ShowFileError(error, batchPath);
        DeleteFileIfPresent(batchPath);
        return false;
    }
    bool ok = false;
    if (ToLower(LookupFileName(batchPath)) == ToLower(batchFileName)) {
        ok = SyncShell(InterpreterCommandLine(Env().ComSpecPath, batchPath), windowStyle);
    } else {
        ShowError(Translate("Error: Temporary file ") + "\"" + batchPath + "\"" + Translate(" not found."));
    }
    DeleteFileIfPresent(batchPath);
    return ok;
}

}  // namespace

bool LastRunOk() {
    return lastRunOk;
}

void ClearLastRunOk() {
    lastRunOk = false;
}

std::string BatchFilePath() {
    return Env().TempDir + "\\" + Env().BatchFile;
}

std::string OutputFilePath() {
    return Env().TempDir + "\\" + Env().OutputFile;
}

std::string ConvertToDosCodepage(std::string_view text) {
    return ConvertCodepage(text, true);
}

std::string ConvertFromDosCodepage(std::string_view text) {
    return ConvertCodepage(text, false);
}

BatchContext CurrentBatchContext() {
    const Environment& env = Env();
    BatchContext context;
    context.forceDosCodepage = env.Switches.ForceDosCodepage;
    context.oemCodepage = env.OemCodepage;
    context.setGnuPGHome = env.SetGnuPGHome;
    context.gnuPGHome = env.GnuPGHome;
    context.gnuPGLanguage = env.GnuPGLanguage;
    context.programDirShort = env.ProgramDirShort;
    return context;
}

void RunBatch(const std::string& commandLine, int windowStyle, bool allowPause, bool demandPause) {
    bool pause = BatchPauseWanted(allowPause, demandPause, Env().AddBatchPause);
    auto lines = ComposeBatchLines(CurrentBatchContext(), ConvertToDosCodepage(commandLine), pause);
    lastRunOk = RunBatchText(JoinBatchLines(lines), windowStyle);
}

bool RunBatchText(const std::string& batchText, int windowStyle) {
    return RunBatchTextIn(Env().BatchFile, batchText, windowStyle);
}

bool RunNamedBatchText(const std::string& batchFileName, const std::string& batchText, int windowStyle) {
    lastRunOk = RunBatchTextIn(batchFileName, batchText, windowStyle);
    return lastRunOk;
}

namespace {

// Starts the command line; on failure returns false with the system's error number.
bool LaunchProcess(const std::string& commandLine, int windowStyle, DWORD flags, PROCESS_INFORMATION& process,
                   DWORD& error) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = windowStyle == kWindowHidden ? SW_HIDE : SW_SHOWNORMAL;
    process = {};
    std::string mutableLine = commandLine;
    if (CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                       &process))
        return true;
    error = GetLastError();
    return false;
}

}  // namespace

bool SyncShell(const std::string& commandLine, int windowStyle) {
    PROCESS_INFORMATION process;
    DWORD error = 0;
    DWORD flags = windowStyle == kWindowHidden ? CREATE_NO_WINDOW : CREATE_NEW_CONSOLE;
    if (!LaunchProcess(commandLine, windowStyle, flags, process, error)) {
        std::string head = Translate("Error #") + std::to_string(error) + ": " + SystemErrorText(error) +
                           " - [Function SyncShell]";
        if (IsInvalidArgumentFailure(error)) {
            ShowWarning(JoinMessageLines(
                {head, "", Translate("This error also occurs, when the command-line, which should be executed,"),
                 Translate("exceeds the maximum number of characters for a command.com command-line."), "",
                 Translate("The command-line, which should be executed, contained ") +
                     std::to_string(commandLine.size()) + Translate(" characters. So,"),
                 Translate("if you tried a file-operation, move the file to a directory with a shorter path.")}));
        } else {
            ShowError(head);
        }
        return false;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    return true;
}

bool StartProgram(const std::string& commandLine, int windowStyle) {
    PROCESS_INFORMATION process;
    DWORD error = 0;
    if (!LaunchProcess(commandLine, windowStyle, 0, process, error)) return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}
