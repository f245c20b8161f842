// OLE drop targets of the key list window: the list takes files, the find box
// takes text. Each is a registration that lives as long as its object; the COM
// object behind it only calls back while registered, and no exception leaves it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

class DropTargetObject;

class DropRegistration {
public:
    DropRegistration() = default;
    ~DropRegistration() { Revoke(); }
    DropRegistration(DropRegistration&& other) noexcept;
    DropRegistration& operator=(DropRegistration&& other) noexcept;
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

    bool Registered() const { return object_ != nullptr; }
    void Revoke();

protected:
    bool Register(HWND window, DropTargetObject* object);

private:
    HWND window_ = nullptr;
    DropTargetObject* object_ = nullptr;
};

// Accepts file lists (copy effect); hands over the dropped paths.
class FileDropTarget : public DropRegistration {
public:
    bool Register(HWND window, std::function<void(const std::vector<std::string>&)> dropped);
};

// Accepts text (copy effect); hands over the dropped text.
class TextDropTarget : public DropRegistration {
public:
    bool Register(HWND window, std::function<void(const std::string&)> dropped);
};

// The items of a dropped file list (CF_HDROP), in the order given.
std::vector<std::string> DroppedFileNames(HDROP drop);
