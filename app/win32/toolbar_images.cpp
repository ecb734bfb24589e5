#include "app/win32/toolbar_images.h"

#include <string>
#include <vector>

#include "app/toolbar_art.h"

namespace tovel {

ScopedImageList CreateToolImages(int size) {
    ScopedImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kToolImageCount, 0));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down rows, as the art is written
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    for (int index = 0; index < kToolImageCount; ++index) {
        const std::vector<std::string> picture = ToolPicture(index, size);
        void* bits = nullptr;
        ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap.Get() || !bits) continue;  // out of GDI memory: the button shows no picture
        auto* pixels = static_cast<DWORD*>(bits);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) pixels[y * size + x] = ToolArtColor(picture[y][x]);  // 0x00RRGGBB
        }
        ImageList_AddMasked(list.Get(), bitmap.Get(), RGB(255, 0, 255));
    }
    return list;
}

}  // namespace tovel
