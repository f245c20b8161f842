// Image lists made from pictures drawn by code (common/icon_art.h).
#pragma once

#include <utility>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "common/icon_art.h"

class UniqueImageList {
public:
    UniqueImageList() = default;
    explicit UniqueImageList(HIMAGELIST list) : list_(list) {}
    ~UniqueImageList() { reset(); }
    UniqueImageList(const UniqueImageList&) = delete;
    UniqueImageList& operator=(const UniqueImageList&) = delete;
    UniqueImageList(UniqueImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    UniqueImageList& operator=(UniqueImageList&& other) noexcept {
        if (this != &other) reset(std::exchange(other.list_, nullptr));
        return *this;
    }
    HIMAGELIST get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    void reset(HIMAGELIST list = nullptr) {
        if (list_) ImageList_Destroy(list_);
        list_ = list;
    }

private:
    HIMAGELIST list_ = nullptr;
};

// A 32-bit image list of size x size pictures, in the given order.
UniqueImageList MakeImageList(int size, const std::vector<IconPixels>& pictures);

// The key list's 50 key icons at index 1 to 50 (index 0 is empty, so an icon
// number is its image index), sized for the screen's scaling.
UniqueImageList MakeKeyIconList();
// The header arrows: image 1 descending, image 2 ascending (index 0 empty).
UniqueImageList MakeSortArrowList();
// Small-icon size in pixels for the screen's scaling (16 at 96 dpi).
int SmallIconSize();
