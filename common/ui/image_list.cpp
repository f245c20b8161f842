#include "common/ui/image_list.h"

#include <cstring>

#include "common/ui/gdi.h"
#include "common/ui/twips.h"

namespace {

HBITMAP MakeBitmap(int size, const IconPixels& pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down, as the pixels are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits && pixels.size() == static_cast<size_t>(size) * size)
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    return bitmap;
}

}  // namespace

int SmallIconSize() {
    // 16 pixels at 96 dpi, 24 at 144 dpi (150 %), ...
    return MulDiv(16, ScreenDpiY(), 96);
}

UniqueImageList MakeImageList(int size, const std::vector<IconPixels>& pictures) {
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(pictures.size()), 4));
    if (!list) return list;
    for (const auto& pixels : pictures) {
        HBITMAP bitmap = MakeBitmap(size, pixels);
        ImageList_Add(list.get(), bitmap, nullptr);
        if (bitmap) DeleteObject(bitmap);
    }
    return list;
}

UniqueImageList MakeKeyIconList() {
    int size = SmallIconSize();
    std::vector<IconPixels> pictures;
    pictures.push_back(IconPixels(static_cast<size_t>(size) * size, 0));
    for (int icon = 1; icon <= kKeyIconCount; ++icon) pictures.push_back(DrawKeyIcon(icon, size));
    return MakeImageList(size, pictures);
}

UniqueImageList MakeSortArrowList() {
    int size = SmallIconSize();
    return MakeImageList(size, {IconPixels(static_cast<size_t>(size) * size, 0), DrawSortArrow(1, size),
                                DrawSortArrow(2, size)});
}
