// Thin wrappers over system services the windows share: version resources, file
// associations, moving files, the foreground window, the folder picker, long
// path names and the clock.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

// The file's version from its version resource, the four 16-bit parts joined by
// "." with the most significant first; "0.0.0.0" without a version resource.
std::string GetFileVer(const std::string& file);
// The product version in the same form.
std::string GetProdVer(const std::string& file);

// The program the system opens the file with; "File not found" when the file
// does not exist, "Error" when no program is associated or the query fails.
std::string GetAssoApp(const std::string& file);

// Moves a file by copying it and then deleting the source, so it also works
// across drives. On failure shows "Unexpected error (#<n>) while moving: ..."
// and returns false; MoveFailed() tells the last result. Moving a file onto
// itself leaves it where it is and succeeds.
bool MoveFileWithCopy(const std::string& source, const std::string& target);
bool MoveFailed();

// Brings the window to the foreground, borrowing the foreground thread's input
// when the window belongs to another thread.
void ForceFore(HWND window);

// True for a 32-bit program running on 64-bit Windows.
bool Check64bit();

// The system's folder picker with the prompt; "" when cancelled.
std::string BrowseFolder(const std::string& prompt, HWND owner);

// While one exists, BrowseFolder shows nothing: it records each prompt and
// answers from the queue (nothing = cancelled; an empty queue cancels).
class ScriptedFolderPicker {
public:
    ScriptedFolderPicker();
    ~ScriptedFolderPicker();
    ScriptedFolderPicker(const ScriptedFolderPicker&) = delete;
    ScriptedFolderPicker& operator=(const ScriptedFolderPicker&) = delete;

    void Answer(std::optional<std::string> folder) { answers_.push_back(std::move(folder)); }
    const std::vector<std::string>& Prompts() const { return prompts_; }

    std::string Respond(const std::string& prompt);

private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<std::string> prompts_;
    ScriptedFolderPicker* previous_ = nullptr;
};

// The path with every component in its long form; the path itself when the
// system cannot convert it.
std::string LongName(const std::string& path);

// The current UTC date ("2024-3-5") or time ("7:4:9"), without leading zeros.
enum class SysTimePart { Date, Time };
std::string GetSysTime(SysTimePart part);
