#include "setting/bitmap_file_rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "platform/error.h"

namespace tovel {
namespace {

void PutU16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v);
    s[at + 1] = static_cast<char>(v >> 8);
}
void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
    PutU16(s, at, v & 0xFFFF);
    PutU16(s, at + 2, v >> 16);
}
std::uint32_t U32(std::string_view s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// A bitmap file with a 40-byte header: `colors` table entries, then the pixel rows, all bytes 0x40.
std::string InfoBitmap(int width, int height, int bits, int colors = 0, std::uint32_t compression = kBiRgb) {
    const int stride = (width * bits + 31) / 32 * 4;
    const int rows = height < 0 ? -height : height;
    const int masks = compression == kBiBitFields ? 12 : 0;
    const int offset = 14 + 40 + masks + 4 * colors;
    std::string f(offset + stride * rows, '\x40');
    f[0] = 'B';
    f[1] = 'M';
    PutU32(f, 2, static_cast<std::uint32_t>(f.size()));
    PutU32(f, 6, 0);
    PutU32(f, 10, offset);
    PutU32(f, 14, 40);
    PutU32(f, 18, width);
    PutU32(f, 22, static_cast<std::uint32_t>(height));
    PutU16(f, 26, 1);
    PutU16(f, 28, bits);
    PutU32(f, 30, compression);
    PutU32(f, 34, 0);
    PutU32(f, 46, colors);
    PutU32(f, 50, 0);
    for (int i = 0; i < colors; ++i)
        PutU32(f, 54 + masks + 4 * i, 0x00102030u + i);  // blue 0x30+i, green 0x20, red 0x10
    if (masks) {
        PutU32(f, 54, 0xF800);
        PutU32(f, 58, 0x07E0);
        PutU32(f, 62, 0x001F);
    }
    return f;
}

std::string ErrorOf(std::string_view bytes) {
    try {
        CheckBitmapFile(bytes);
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

TEST(BitmapFile, EmptyGivesNoPictureAndTheHeaderIsCheckedFirst) {
    EXPECT_FALSE(CheckBitmapFile("").has_value());
    EXPECT_EQ(ErrorOf("B"), kBitmapReadError);
    EXPECT_EQ(ErrorOf("BM"), kBitmapReadError);
    EXPECT_EQ(ErrorOf(std::string("BM") + std::string(11, '\0')), kBitmapReadError) << "13 bytes";
    EXPECT_EQ(ErrorOf("This is a text file, not a picture.\r\n"), kBitmapInvalid);
    EXPECT_EQ(ErrorOf("bm" + InfoBitmap(2, 2, 24).substr(2)), kBitmapInvalid) << "the marker is case-sensitive";
    EXPECT_EQ(ErrorOf(std::string("BM") + std::string(12, '\0')), kBitmapInvalid) << "a file header and no bitmap";
}

TEST(BitmapFile, WellFormedPicturesComeOutInOneHeaderForm) {
    const std::string rgb = InfoBitmap(3, 2, 24);
    const auto b = CheckBitmapFile(rgb);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->pixels.size(), 2u * 12u) << "rows padded to four bytes";
    EXPECT_EQ(b->pixels.data(), rgb.data() + 54);
    EXPECT_EQ(b->info.size(), 40u) << "no colour table";
    EXPECT_EQ(CheckBitmapFile(InfoBitmap(2, -3, 32))->pixels.size(), 24u) << "top-down rows";

    const auto palette = CheckBitmapFile(InfoBitmap(5, 1, 8, 2));  // fewer colours than 8 bits allow
    ASSERT_TRUE(palette);
    ASSERT_EQ(palette->info.size(), 48u);
    EXPECT_EQ(U32(palette->info, 32), 2u);
    EXPECT_EQ(U32(palette->info, 44), 0x00102031u);
    EXPECT_EQ(palette->pixels.size(), 8u);

    const auto fields = CheckBitmapFile(InfoBitmap(2, 2, 16, 0, kBiBitFields));
    ASSERT_TRUE(fields);
    ASSERT_EQ(fields->info.size(), 52u) << "the masks follow the header";
    EXPECT_EQ(U32(fields->info, 48), 0x001Fu);

    // The oldest header, 1 x 1 at 1 bit: 16-bit sizes and 3-byte colours, which become 4-byte ones.
    std::string core = "BM" + std::string(24, '\0') + "\x01\x02\x03\x04\x05\x06" + std::string("\x80\0\0\0", 4);
    PutU32(core, 10, 14 + 12 + 6);
    PutU32(core, 14, 12);
    for (std::size_t at : {18, 20, 22, 24}) PutU16(core, at, 1);  // width, height, planes, bits
    const auto old = CheckBitmapFile(core);
    ASSERT_TRUE(old);
    EXPECT_EQ(U32(old->info, 40), 0x00030201u);
    EXPECT_EQ(U32(old->info, 44), 0x00060504u);

    // Run-length data is taken as long as the header says, and must be there.
    std::string rle = InfoBitmap(4, 4, 8, 1, kBiRle8).substr(0, 14 + 40 + 4) + std::string("\x04\x00\x00\x01", 4);
    PutU32(rle, 34, 4);
    ASSERT_TRUE(CheckBitmapFile(rle));
    EXPECT_EQ(CheckBitmapFile(rle)->pixels.size(), 4u);
    PutU32(rle, 34, 5);
    EXPECT_EQ(ErrorOf(rle), kBitmapInvalid);
}

struct Fault {
    const char* what;
    std::function<void(std::string&)> damage;
};

class DamagedBitmap : public testing::TestWithParam<Fault> {};

TEST_P(DamagedBitmap, IsRefusedAsAnInvalidImage) {
    std::string f = InfoBitmap(4, 4, 8, 4);
    ASSERT_TRUE(CheckBitmapFile(f)) << "undamaged, the picture is accepted";
    GetParam().damage(f);
    EXPECT_EQ(ErrorOf(f), kBitmapInvalid);
}

INSTANTIATE_TEST_SUITE_P(
    BitmapFile, DamagedBitmap,
    testing::Values(Fault{"pixels cut by one byte", [](std::string& f) { f.pop_back(); }},
                    Fault{"cut inside the header", [](std::string& f) { f.resize(30); }},
                    Fault{"cut inside the colour table", [](std::string& f) { f.resize(60); }},
                    Fault{"unknown header size", [](std::string& f) { PutU32(f, 14, 64); }},
                    Fault{"two planes", [](std::string& f) { PutU16(f, 26, 2); }},
                    Fault{"7 bits per pixel", [](std::string& f) { PutU16(f, 28, 7); }},
                    Fault{"no width", [](std::string& f) { PutU32(f, 18, 0); }},
                    Fault{"negative width", [](std::string& f) { PutU32(f, 18, 0xFFFFFFFCu); }},
                    Fault{"no height", [](std::string& f) { PutU32(f, 22, 0); }},
                    Fault{"embedded JPEG", [](std::string& f) { PutU32(f, 30, 4); }},
                    Fault{"run length at the wrong depth", [](std::string& f) { PutU32(f, 30, kBiRle4); }},
                    Fault{"bit fields on a palette picture", [](std::string& f) { PutU32(f, 30, kBiBitFields); }},
                    Fault{"more colours than 8 bits hold", [](std::string& f) { PutU32(f, 46, 257); }},
                    Fault{"pixels said to start inside the table", [](std::string& f) { PutU32(f, 10, 60); }},
                    Fault{"pixels said to start beyond the file", [](std::string& f) { PutU32(f, 10, 100000); }},
                    // Small file, enormous declared size: refused before anything is allocated for it.
                    Fault{"too large",
                          [](std::string& f) {
                              PutU32(f, 18, 0x7FFFFFFF);
                              PutU32(f, 22, 0x7FFFFFFF);
                          }},
                    Fault{"the smallest height", [](std::string& f) { PutU32(f, 22, 0x80000000u); }}),
    [](const testing::TestParamInfo<Fault>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

}  // namespace
}  // namespace tovel
