#include "AboutBox/win32/jpeg_image.h"

#include <cstring>

#include "platform/error.h"

namespace tovel {

ScopedBitmap CreateJpegBitmap(const JpegImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // negative: rows top to bottom, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits || image.pixels.empty()) throw Error("ビットマップを作成できません");
    std::memcpy(bits, image.pixels.data(), image.pixels.size());
    GdiFlush();
    return bitmap;
}

}  // namespace tovel
