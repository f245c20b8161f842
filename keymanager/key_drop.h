// Files dropped on the key list: a key block is imported, an owner-trust export
// goes to the owner-trust import, anything else is refused. The drop is only
// noted; a one-shot timer (TimerDragAndDrop) handles the file once the drag has
// ended, so the dragging program is not kept waiting during the import.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "keymanager/key_list_host.h"

class FileDropTarget;

inline constexpr UINT_PTR kDragAndDropTimerId = 0x5302;
inline constexpr UINT kDragAndDropDelay = 100;  // ms

class KeyDrop : public KeyListPart {
public:
    explicit KeyDrop(KeyListHost& host);
    ~KeyDrop() override;
    KeyDrop(const KeyDrop&) = delete;
    KeyDrop& operator=(const KeyDrop&) = delete;

    // Makes the host's KeyList a drop target for files (copy effect).
    bool Create();
    // Revokes the drop target (before the list goes away).
    void Destroy();

    // Imports an owner-trust export; returns LastRunOk. Until the Trust menu's
    // import is built the owner-trust file is reported as unsupported.
    void SetOwnerTrustImport(std::function<bool(const std::string& path)> import);

    // What a drop does with its items: refuses a non-file with a message, else
    // brings the window to the front, keeps the path and starts the timer.
    void ItemsDropped(const std::vector<std::string>& items);
    // What the timer runs: reads, classifies and imports the kept file.
    void HandleDroppedFile();
    const std::string& DroppedPath() const { return droppedPath_; }

    bool OnTimer(UINT_PTR id) override;

private:
    KeyListHost& host_;
    std::string droppedPath_;
    std::function<bool(const std::string&)> ownerTrustImport_;
    std::unique_ptr<FileDropTarget> target_;
    bool oleInitialised_ = false;
};
