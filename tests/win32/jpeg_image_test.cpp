// JPEG decoding of the About box logo: pictures made here with libjpeg's own compressor come back with
// their size and colours; damaged data raises tovel::Error instead of ending the process.
#include "AboutBox/win32/jpeg_image.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/error.h"

namespace {

struct Rgb {
    int r, g, b;
};
constexpr Rgb kRed{230, 20, 20};
constexpr Rgb kBlue{20, 40, 220};

// Left half red, right half blue (colour images), or a left-to-right dark/light split (grey images).
std::string Encode(int width, int height, bool grey = false) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::string row(static_cast<std::size_t>(width) * cinfo.input_components, '\0');
    for (int x = 0; x < width; ++x) {
        const bool left = x < width / 2;
        if (grey) {
            row[x] = static_cast<char>(left ? 40 : 210);
        } else {
            const Rgb c = left ? kRed : kBlue;
            row[x * 3] = static_cast<char>(c.r);
            row[x * 3 + 1] = static_cast<char>(c.g);
            row[x * 3 + 2] = static_cast<char>(c.b);
        }
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW p = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(out), outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

// Colour of a decoded pixel within a tolerance (JPEG is lossy, and chroma is shared between pixels).
::testing::AssertionResult Near(const tovel::JpegImage& image, int x, int y, Rgb want) {
    const std::uint8_t* p = image.Pixel(x, y);
    const int b = p[0], g = p[1], r = p[2];
    if (std::abs(r - want.r) <= 40 && std::abs(g - want.g) <= 40 && std::abs(b - want.b) <= 40) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is r" << r << " g" << g << " b" << b
                                         << ", expected r" << want.r << " g" << want.g << " b" << want.b;
}

void ExpectRejected(const std::string& bytes, const char* what) {
    try {
        tovel::DecodeJpeg(bytes);
        ADD_FAILURE() << what << ": decoded without an error";
    } catch (const tovel::Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("JPEG イメージが不正です", 0), 0u) << what << ": " << e.what();
    }
}

TEST(JpegImage, DecodesSizeRowPaddingAndColoursInBgrOrder) {
    for (const auto& [w, h] : {std::pair{16, 8}, std::pair{13, 5}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const tovel::JpegImage image = tovel::DecodeJpeg(Encode(w, h));
        EXPECT_EQ(image.width, w);
        EXPECT_EQ(image.height, h);
        EXPECT_EQ(image.stride % 4, 0);
        EXPECT_GE(image.stride, w * 3);
        EXPECT_LT(image.stride, w * 3 + 4);
        ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.stride) * h);
        for (int y = 0; y < h; ++y) {
            EXPECT_TRUE(Near(image, 1, y, kRed));
            EXPECT_TRUE(Near(image, w - 2, y, kBlue));
        }
    }
}

TEST(JpegImage, GreyPictureComesOutAsEqualChannels) {
    const tovel::JpegImage image = tovel::DecodeJpeg(Encode(16, 8, true));
    ASSERT_EQ(image.width, 16);
    EXPECT_TRUE(Near(image, 2, 3, Rgb{40, 40, 40}));
    EXPECT_TRUE(Near(image, 13, 3, Rgb{210, 210, 210}));
}

TEST(JpegImage, DamagedDataRaisesErrorWithoutEndingTheProcess) {
    const std::string good = Encode(16, 8);
    ExpectRejected("", "empty");
    ExpectRejected("this is not a JPEG file at all", "text");
    ExpectRejected(std::string(200, '\xFF'), "fill bytes");
    ExpectRejected(good.substr(0, 2), "start marker only");
    ExpectRejected(good.substr(0, good.size() / 3), "first third");
    ExpectRejected(good.substr(0, good.size() - 40), "cut in the tables");
    // Cut inside the compressed rows: the decoder would only warn and fill the rest with grey.
    const std::string large = Encode(128, 64);
    ExpectRejected(large.substr(0, large.size() - 12), "cut in the picture data");
    // After a failure the decoder is usable again.
    EXPECT_EQ(tovel::DecodeJpeg(good).width, 16);
}

TEST(JpegImage, BitmapIsATopDown24BitDibWithTheDecodedPixels) {
    const tovel::JpegImage image = tovel::DecodeJpeg(Encode(16, 8));
    tovel::ScopedBitmap bitmap = tovel::CreateJpegBitmap(image);
    ASSERT_NE(bitmap.Get(), nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap.Get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 16);
    EXPECT_EQ(dib.dsBm.bmHeight, 8);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    ASSERT_NE(dib.dsBm.bmBits, nullptr);
    EXPECT_EQ(std::memcmp(dib.dsBm.bmBits, image.pixels.data(), image.pixels.size()), 0);

    // Drawn, left is red and right is blue, so rows and byte order are the right way round.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.Get());
    const COLORREF left = GetPixel(dc, 1, 0), right = GetPixel(dc, 14, 7);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GT(GetRValue(left), 180);
    EXPECT_LT(GetBValue(left), 80);
    EXPECT_GT(GetBValue(right), 180);
    EXPECT_LT(GetRValue(right), 80);
}

}  // namespace
