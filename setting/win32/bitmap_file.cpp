#include "setting/win32/bitmap_file.h"

#include <cstring>
#include <vector>

#include "platform/error.h"
#include "platform/win32/whole_file.h"
#include "setting/bitmap_file_rules.h"

namespace tovel {

ScopedBitmap LoadBitmapFile(const std::string& path) {
    // Too large to be a picture the toolbar could take: refused before a byte is read. A file that shrank
    // while read is checked as it was read.
    const std::string bytes = ReadWholeFile(path, kMaxBitmapFileBytes, kBitmapInvalid).bytes;
    const std::optional<CheckedBitmap> checked = CheckBitmapFile(bytes);
    if (!checked) return ScopedBitmap();

    // GDI takes the header as aligned words.
    std::vector<DWORD> info((checked->info.size() + 3) / 4);
    std::memcpy(info.data(), checked->info.data(), checked->info.size());
    std::vector<DWORD> sectionInfo = info;
    // The section always holds uncompressed rows; run-length pixels are unpacked into it by GDI.
    const bool runLength = checked->compression == kBiRle8 || checked->compression == kBiRle4;
    if (runLength) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, sectionInfo.data(), sizeof header);
        header.biCompression = BI_RGB;
        header.biSizeImage = 0;
        std::memcpy(sectionInfo.data(), &header, sizeof header);
    }
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(sectionInfo.data()),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits) throw Error("ビットマップを作成できません");
    if (runLength) {
        ScopedGetDC screen(nullptr);
        const int rows =
            SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(checked->height), checked->pixels.data(),
                      reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
        if (rows == 0) throw Error(kBitmapInvalid);
    } else {
        std::memcpy(bits, checked->pixels.data(), checked->pixels.size());  // exactly the section's size
    }
    GdiFlush();
    return bitmap;
}

}  // namespace tovel
