#include "keymanager/drop_targets.h"

#include <ole2.h>
#include <shellapi.h>

class DropTargetObject : public IDropTarget {
public:
    DropTargetObject(CLIPFORMAT format, std::function<void(IDataObject*)> dropped)
        : format_(format), dropped_(std::move(dropped)) {}
    virtual ~DropTargetObject() = default;

    // Called on revoking: a drag still holding the object gets nothing more.
    void Detach() { dropped_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC format = Format();
        accepting_ = data && dropped_ && data->QueryGetData(&format) == S_OK;
        return Effect(effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Effect(effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        accepting_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        HRESULT result = Effect(effect);
        const bool accept = accepting_;
        accepting_ = false;
        if (accept && data && dropped_) {
            try {
                auto handler = dropped_;
                handler(data);
            } catch (...) {
            }
        }
        return result;
    }

    FORMATETC Format() const { return {format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

private:
    HRESULT Effect(DWORD* effect) const {
        if (!effect) return E_INVALIDARG;
        *effect = accepting_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }

    LONG references_ = 1;
    CLIPFORMAT format_;
    std::function<void(IDataObject*)> dropped_;
    bool accepting_ = false;
};

DropRegistration::DropRegistration(DropRegistration&& other) noexcept
    : window_(other.window_), object_(other.object_) {
    other.window_ = nullptr;
    other.object_ = nullptr;
}

DropRegistration& DropRegistration::operator=(DropRegistration&& other) noexcept {
    if (this != &other) {
        Revoke();
        window_ = other.window_;
        object_ = other.object_;
        other.window_ = nullptr;
        other.object_ = nullptr;
    }
    return *this;
}

bool DropRegistration::Register(HWND window, DropTargetObject* object) {
    Revoke();
    if (!window || !object) {
        if (object) object->Release();
        return false;
    }
    if (FAILED(RegisterDragDrop(window, object))) {
        object->Release();
        return false;
    }
    window_ = window;
    object_ = object;
    return true;
}

void DropRegistration::Revoke() {
    if (!object_) return;
    object_->Detach();
    if (IsWindow(window_)) RevokeDragDrop(window_);
    object_->Release();
    object_ = nullptr;
    window_ = nullptr;
}

std::vector<std::string> DroppedFileNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(length);
        names.push_back(std::move(name));
    }
    return names;
}

namespace {

// The medium's global memory, locked while the object lives.
class LockedMedium {
public:
    LockedMedium(IDataObject* data, FORMATETC format) {
        if (FAILED(data->GetData(&format, &medium_))) return;
        got_ = true;
        if (medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal) {
            bytes_ = GlobalLock(medium_.hGlobal);
            size_ = GlobalSize(medium_.hGlobal);
        }
    }
    ~LockedMedium() {
        if (bytes_) GlobalUnlock(medium_.hGlobal);
        if (got_) ReleaseStgMedium(&medium_);
    }
    LockedMedium(const LockedMedium&) = delete;
    LockedMedium& operator=(const LockedMedium&) = delete;

    HGLOBAL Global() const { return bytes_ ? medium_.hGlobal : nullptr; }
    const char* Bytes() const { return static_cast<const char*>(bytes_); }
    size_t Size() const { return size_; }

private:
    STGMEDIUM medium_{};
    bool got_ = false;
    void* bytes_ = nullptr;
    size_t size_ = 0;
};

}  // namespace

bool FileDropTarget::Register(HWND window, std::function<void(const std::vector<std::string>&)> dropped) {
    auto* object = new DropTargetObject(CF_HDROP, [dropped = std::move(dropped)](IDataObject* data) {
        LockedMedium medium(data, {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        if (!medium.Global()) return;
        const auto names = DroppedFileNames(static_cast<HDROP>(medium.Global()));
        if (dropped) dropped(names);
    });
    return DropRegistration::Register(window, object);
}

bool TextDropTarget::Register(HWND window, std::function<void(const std::string&)> dropped) {
    auto* object = new DropTargetObject(CF_TEXT, [dropped = std::move(dropped)](IDataObject* data) {
        LockedMedium medium(data, {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        if (!medium.Bytes()) return;
        // The text ends at its terminator, or at the block's end should one be missing.
        size_t length = 0;
        while (length < medium.Size() && medium.Bytes()[length] != '\0') ++length;
        if (dropped) dropped(std::string(medium.Bytes(), length));
    });
    return DropRegistration::Register(window, object);
}
