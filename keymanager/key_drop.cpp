#include "keymanager/key_drop.h"

#include <ole2.h>

#include "common/translation.h"
#include "common/ui/list_view.h"
#include "common/ui/message_box.h"
#include "common/ui/window.h"
#include "common/win/command_runner.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"
#include "common/win/key_transfer.h"
#include "keymanager/drop_targets.h"
#include "keymanager/logic/drop_format.h"

KeyDrop::KeyDrop(KeyListHost& host) : host_(host) {}

KeyDrop::~KeyDrop() {
    Destroy();
}

bool KeyDrop::Create() {
    // Drag and drop needs OLE on this thread; it stays until the part goes.
    if (!oleInitialised_) oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    target_ = std::make_unique<FileDropTarget>();
    return target_->Register(host_.KeyList().Handle(),
                             [this](const std::vector<std::string>& items) { ItemsDropped(items); });
}

void KeyDrop::Destroy() {
    target_.reset();
    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
}

void KeyDrop::SetOwnerTrustImport(std::function<bool(const std::string& path)> import) {
    ownerTrustImport_ = std::move(import);
}

void KeyDrop::ItemsDropped(const std::vector<std::string>& items) {
    if (items.empty()) return;
    HWND main = host_.HostWindow().Handle();
    SetForegroundWindow(main);
    const std::string& item = items.front();
    if (!FileExists(item)) {
        ShowMessage(Translate("Unsupported data format: ") + "\"" + item + "\"", {MsgIcon::Information});
        return;
    }
    droppedPath_ = item;
    host_.HostWindow().StartTimer(kDragAndDropTimerId, kDragAndDropDelay);
}

bool KeyDrop::OnTimer(UINT_PTR id) {
    if (id != kDragAndDropTimerId) return false;
    host_.HostWindow().StopTimer(kDragAndDropTimerId);
    HandleDroppedFile();
    return true;
}

void KeyDrop::HandleDroppedFile() {
    if (droppedPath_.empty()) return;
    const std::string path = droppedPath_;
    droppedPath_.clear();
    std::string content;
    if (!ReadWholeFile(path, content)) {
        ShowFileError(GetLastError(), path);
        return;
    }
    switch (ClassifyDroppedFile(content)) {
        case DroppedFileKind::KeyBlock:
            ImportKeys(path);
            break;
        case DroppedFileKind::OwnerTrust:
            if (!ownerTrustImport_) {
                // Nothing takes owner trust yet: no run, so no reload either.
                ClearLastRunOk();
                return;
            }
            ownerTrustImport_(path);
            break;
        case DroppedFileKind::Unsupported:
            ShowMessage(Translate("Unsupported data format."), {MsgIcon::Information});
            return;
    }
    if (LastRunOk() && host_.AutoReload()) host_.ReadKeyData();
}
