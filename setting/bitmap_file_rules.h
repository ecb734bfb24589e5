#pragma once
// The Windows bitmap file as the toolbar picture reads it: a 14-byte file header starting "BM", then a
// device-independent bitmap (header, colour table, pixels). Pure: the caller reads the file and hands the
// bytes in; every size the file declares is checked here against the bytes it really has, so nothing
// unchecked reaches GDI.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
// A picture whose pixels would take more than this is refused (a toolbar picture takes a few kilobytes).
inline constexpr std::uint64_t kMaxBitmapPixelBytes = 64ull << 20;
// A file larger than the largest acceptable picture with its headers is refused before it is read.
inline constexpr std::uint64_t kMaxBitmapFileBytes = kMaxBitmapPixelBytes + (1ull << 20);

inline constexpr const char* kBitmapReadError = "ストリームからの読み込みエラー";
inline constexpr const char* kBitmapInvalid = "ビットマップイメージが不正です";

// Compression values of the DIB header.
inline constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3;

// A checked picture, ready for GDI.
struct CheckedBitmap {
    // The file's header rewritten in the one form every GDI takes: a 40-byte BITMAPINFOHEADER
    // (little-endian), then the three colour masks when compressed as bit fields, then the colour table
    // as 4-byte entries (blue, green, red, 0).
    std::string info;
    // Exactly the pixel bytes the picture needs, a view into the bytes given to CheckBitmapFile.
    std::string_view pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored top to bottom
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorCount = 0;  // entries in the colour table
};

// Checks a whole bitmap file. An empty file gives nothing (an empty picture). A file shorter than the
// file header raises kBitmapReadError; one that does not start "BM", or whose bitmap is malformed,
// truncated or too large, raises kBitmapInvalid.
std::optional<CheckedBitmap> CheckBitmapFile(std::string_view bytes);

}  // namespace tovel
