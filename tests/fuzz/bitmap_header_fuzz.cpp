// The toolbar picture's file check: it raises only its two errors; a picture it accepts has the sizes,
// colours and masks of the file's own bytes, its pixels lie inside the file where the file header puts
// them and are the rows the header declares, and the file made again from the rewritten header and the
// pixels checks to the same picture.
#include <cstring>
#include <string>

#include "platform/error.h"
#include "setting/bitmap_file_rules.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tovel::fuzz::Check;

std::uint32_t U16(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t U32(std::string_view s, std::size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view file = fuzz::Bytes(data, size);
    std::optional<CheckedBitmap> checked;
    try {
        checked = CheckBitmapFile(file);
    } catch (const Error& e) {
        const bool short_ = size < kBitmapFileHeaderSize;
        Check(std::strcmp(e.what(), short_ ? kBitmapReadError : kBitmapInvalid) == 0, "a refusal with another message");
        return 0;
    }
    if (!checked) {
        Check(size == 0, "only an empty file gives no picture");
        return 0;
    }
    const CheckedBitmap& b = *checked;
    Check(size >= 14 + 12 && file.substr(0, 2) == "BM", "a file without its headers is accepted");

    // The values are the file's.
    const std::uint32_t headerSize = U32(file, 14);
    const bool core = headerSize == 12;
    Check(core || headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124,
          "an unknown header size is accepted");
    Check(14 + headerSize <= size, "the header runs past the file");
    Check(b.width == static_cast<std::int32_t>(core ? U16(file, 18) : U32(file, 18)), "the width is not the file's");
    Check(b.height == static_cast<std::int32_t>(core ? U16(file, 20) : U32(file, 22)), "the height is not the file's");
    Check(b.bitCount == U16(file, core ? 24 : 28), "the bit count is not the file's");
    Check(b.compression == (core ? kBiRgb : U32(file, 30)), "the compression is not the file's");
    Check(b.width > 0 && b.height != 0, "an empty picture is accepted");
    const bool rle = b.compression == kBiRle8 || b.compression == kBiRle4;
    const bool bitFields = b.compression == kBiBitFields;
    Check(b.compression <= kBiBitFields, "an unknown compression is accepted");
    Check(!rle || b.height > 0, "a top-down run-length picture is accepted");
    Check(b.bitCount <= 8 ? b.colorCount <= (1u << b.bitCount) : b.colorCount == 0, "a colour table of another size");

    // Where the pixels are and how many.
    Check(b.pixels.data() >= file.data() && b.pixels.data() + b.pixels.size() <= file.data() + size,
          "the pixels lie outside the file");
    const std::size_t pixelOffset = static_cast<std::size_t>(b.pixels.data() - file.data());
    const std::size_t tableStart = 14 + headerSize + (bitFields && headerSize == 40 ? 12 : 0);
    Check(pixelOffset >= tableStart + (core ? 3 : 4) * std::size_t{b.colorCount}, "the pixels overlap the headers");
    if (U32(file, 10) != 0) Check(pixelOffset == U32(file, 10), "the pixels are not where the file header puts them");
    const std::uint64_t rows = b.height < 0 ? -static_cast<std::int64_t>(b.height) : b.height;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(b.width) * b.bitCount + 31) / 32 * 4;
    Check(rowBytes * rows <= kMaxBitmapPixelBytes, "a picture beyond the size limit is accepted");
    if (rle) {
        Check(!b.pixels.empty(), "a run-length picture without data");
        const std::uint32_t sizeImage = U32(file, 34);
        if (sizeImage != 0) Check(b.pixels.size() == sizeImage, "the run-length data is not the declared size");
    } else {
        Check(b.pixels.size() == rowBytes * rows, "the pixels are not the declared rows");
    }

    // The rewritten header: 40 bytes, the masks, the colour table in 4-byte entries.
    const std::string& info = b.info;
    Check(info.size() == 40 + (bitFields ? 12 : 0) + 4 * std::size_t{b.colorCount},
          "the rewritten header has another size");
    Check(U32(info, 0) == 40 && static_cast<std::int32_t>(U32(info, 4)) == b.width &&
              static_cast<std::int32_t>(U32(info, 8)) == b.height && U16(info, 12) == 1 &&
              U16(info, 14) == b.bitCount && U32(info, 16) == b.compression && U32(info, 32) == b.colorCount,
          "the rewritten header does not hold the checked values");
    Check(U32(info, 20) == (rle ? b.pixels.size() : 0), "the rewritten image size is wrong");
    if (bitFields) Check(info.compare(40, 12, file.substr(54, 12)) == 0, "the masks are not the file's");
    const std::size_t entry = core ? 3 : 4;
    for (std::size_t i = 0; i < b.colorCount; ++i) {
        const std::size_t to = info.size() - 4 * (b.colorCount - i), from = tableStart + i * entry;
        Check(info.compare(to, 3, file.substr(from, 3)) == 0 && info[to + 3] == '\0', "a colour is not the file's");
    }

    // The file made again from what was checked checks to the same picture.
    std::string again = "BM";
    PutU32(again, static_cast<std::uint32_t>(14 + info.size() + b.pixels.size()));
    PutU32(again, 0);
    PutU32(again, static_cast<std::uint32_t>(14 + info.size()));
    again += info;
    again.append(b.pixels);
    const auto second = CheckBitmapFile(again);
    Check(second && second->info == info && second->pixels == b.pixels && second->width == b.width &&
              second->height == b.height && second->bitCount == b.bitCount && second->compression == b.compression &&
              second->colorCount == b.colorCount,
          "the file made from the checked picture checks to another picture");
    return 0;
}
