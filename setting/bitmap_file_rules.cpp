#include "setting/bitmap_file_rules.h"

#include <limits>

#include "platform/error.h"

namespace tovel {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;  // the oldest header: 16-bit sizes, 3-byte colours
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaskBytes = 12;

[[noreturn]] void Invalid() { throw Error(kBitmapInvalid); }

// Little-endian fields at a checked offset; a field beyond the bytes means a truncated file.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    std::uint32_t U8(std::uint64_t at) const {
        if (at >= m_bytes.size()) Invalid();
        return static_cast<unsigned char>(m_bytes[at]);
    }
    std::uint32_t U16(std::uint64_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
    std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }

private:
    std::string_view m_bytes;
};

void PutU16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

bool IsInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsBitCount(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(std::uint32_t compression, std::uint32_t bits, std::int32_t height) {
    switch (compression) {
        case kBiRgb:
            return true;
        case kBiRle8:
            return bits == 8 && height > 0;  // run-length pictures are stored bottom-up only
        case kBiRle4:
            return bits == 4 && height > 0;
        case kBiBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;  // embedded JPEG or PNG, and anything unknown
    }
}

}  // namespace

std::optional<CheckedBitmap> CheckBitmapFile(std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    if (bytes.size() < kBitmapFileHeaderSize) throw Error(kBitmapReadError);
    if (bytes[0] != 'B' || bytes[1] != 'M') Invalid();
    if (bytes.size() > kMaxBitmapFileBytes) Invalid();

    const Reader file(bytes);
    const std::uint64_t pixelOffsetField = file.U32(10);
    const std::uint64_t dib = kBitmapFileHeaderSize;
    const std::uint32_t headerSize = file.U32(dib);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && !IsInfoHeaderSize(headerSize)) Invalid();
    if (dib + headerSize > bytes.size()) Invalid();

    CheckedBitmap b;
    std::uint32_t planes, sizeImage = 0, colorsUsed = 0;
    if (core) {
        b.width = static_cast<std::int32_t>(file.U16(dib + 4));
        b.height = static_cast<std::int32_t>(file.U16(dib + 6));
        planes = file.U16(dib + 8);
        b.bitCount = static_cast<std::uint16_t>(file.U16(dib + 10));
    } else {
        b.width = file.I32(dib + 4);
        b.height = file.I32(dib + 8);
        planes = file.U16(dib + 12);
        b.bitCount = static_cast<std::uint16_t>(file.U16(dib + 14));
        b.compression = file.U32(dib + 16);
        sizeImage = file.U32(dib + 20);
        colorsUsed = file.U32(dib + 32);
    }
    if (planes != 1 || !IsBitCount(b.bitCount)) Invalid();
    if (b.width <= 0 || b.height == 0 || b.height == std::numeric_limits<std::int32_t>::min()) Invalid();
    if (!CompressionFits(b.compression, b.bitCount, b.height)) Invalid();

    // Bit-field masks sit inside the larger headers, or right after the 40-byte one.
    std::uint64_t tableStart = dib + headerSize;
    std::uint64_t masksAt = 0;
    if (b.compression == kBiBitFields) {
        masksAt = dib + kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize) tableStart += kMaskBytes;
    }
    // A palette picture has a table of its own colours; a true-colour one may carry an optimisation
    // table, which is skipped over and not kept.
    const std::uint64_t maxColors = b.bitCount <= 8 ? 1u << b.bitCount : 0;
    std::uint64_t tableEntries = colorsUsed;
    if (b.bitCount <= 8) {
        if (colorsUsed > maxColors) Invalid();
        if (colorsUsed == 0) tableEntries = maxColors;
    }
    const std::uint64_t entrySize = core ? 3 : 4;
    const std::uint64_t tableEnd = tableStart + tableEntries * entrySize;
    if (tableEnd > bytes.size()) Invalid();

    // The pixels start where the file header says, unless it says nothing; never inside the tables.
    const std::uint64_t pixelOffset = pixelOffsetField == 0 ? tableEnd : pixelOffsetField;
    if (pixelOffset < tableEnd || pixelOffset > bytes.size()) Invalid();

    const std::uint64_t rows = b.height < 0 ? -static_cast<std::int64_t>(b.height) : b.height;
    const std::uint64_t stride = (static_cast<std::uint64_t>(b.width) * b.bitCount + 31) / 32 * 4;
    if (stride > kMaxBitmapPixelBytes || stride * rows > kMaxBitmapPixelBytes) Invalid();
    std::uint64_t pixelBytes = stride * rows;
    if (b.compression == kBiRle8 || b.compression == kBiRle4) {
        pixelBytes = sizeImage != 0 ? sizeImage : bytes.size() - pixelOffset;
        if (pixelBytes == 0) Invalid();
    }
    if (pixelOffset + pixelBytes > bytes.size()) Invalid();
    b.pixels = bytes.substr(pixelOffset, pixelBytes);
    b.colorCount = b.bitCount <= 8 ? static_cast<std::uint32_t>(tableEntries) : 0;

    std::string& info = b.info;
    PutU32(info, kInfoHeaderSize);
    PutU32(info, static_cast<std::uint32_t>(b.width));
    PutU32(info, static_cast<std::uint32_t>(b.height));
    PutU16(info, 1);
    PutU16(info, b.bitCount);
    PutU32(info, b.compression);
    PutU32(info, b.compression == kBiRle8 || b.compression == kBiRle4 ? static_cast<std::uint32_t>(pixelBytes) : 0);
    PutU32(info, 0);  // pixels per metre, unused
    PutU32(info, 0);
    PutU32(info, b.colorCount);
    PutU32(info, 0);
    if (b.compression == kBiBitFields) {
        for (int i = 0; i < 3; ++i) PutU32(info, file.U32(masksAt + 4 * i));
    }
    for (std::uint32_t i = 0; i < b.colorCount; ++i) {
        const std::uint64_t at = tableStart + i * entrySize;
        info += static_cast<char>(file.U8(at));  // blue
        info += static_cast<char>(file.U8(at + 1));
        info += static_cast<char>(file.U8(at + 2));
        info += '\0';
    }
    return b;
}

}  // namespace tovel
