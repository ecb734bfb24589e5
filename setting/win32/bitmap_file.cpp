#include "setting/win32/bitmap_file.h"

#include <cstring>
#include <vector>

#include "platform/error.h"
#include "setting/bitmap_file_rules.h"

namespace tovel {
namespace {

std::string ReadWhole(const std::string& path) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw Error(FormatText("ファイル %s は開けません", path));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) throw Error(FormatText("ファイル %s は開けません", path));
    // Too large to be a picture the toolbar could take: refused before a byte is read.
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxBitmapFileBytes) throw Error(kBitmapInvalid);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) ||
            got == 0) {
            break;
        }
        done += got;
    }
    bytes.resize(done);  // a file that shrank while read is checked as it was read
    return bytes;
}

}  // namespace

ScopedBitmap LoadBitmapFile(const std::string& path) {
    const std::string bytes = ReadWhole(path);
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
