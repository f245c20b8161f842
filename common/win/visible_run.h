// What a program does with its windows before GnuPG runs in a visible console
// window: the key manager repaints them (the run blocks its message loop), the
// tray program hides them (its hook).
#pragma once

#include <functional>
#include <string>

// Runs the installed hook, or repaints every window of this thread.
void PrepareVisibleRun();

// Replaces the default repaint; an empty function restores it.
void SetVisibleRunHook(std::function<void()> hook);

// Runs a GnuPG command hidden behind the wait window showing `waitText` (English,
// translated here), or in a console window after PrepareVisibleRun.
void RunHiddenOrVisible(const std::string& command, bool hidden, const char* waitText, bool allowPause,
                        bool demandPause);
