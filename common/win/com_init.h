// COM for the calling thread for as long as the object lives. The shell's
// execute operation and folder dialog may hand work to shell extensions, which
// need a single-threaded apartment; a thread already set up otherwise is left
// as it is.
#pragma once

#include <objbase.h>

class ScopedComInit {
public:
    ScopedComInit() {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // S_FALSE: already initialised here, which still needs its own uninitialise.
        initialised_ = SUCCEEDED(hr);
    }
    ~ScopedComInit() {
        if (initialised_) CoUninitialize();
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    bool initialised_ = false;
};
