#pragma once
// JPEG pictures (the About box logo) decoded in memory into 24-bit pixels and turned into a DIB section.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/win32/scoped_win.h"

namespace tovel {

// A decoded picture: rows top to bottom, each row `width` pixels of blue, green, red bytes, padded to
// `stride` bytes (a multiple of 4), which is the row layout of a 24-bit DIB.
struct JpegImage {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> pixels;  // stride * height bytes

    // Blue, green, red of the pixel at (x, y), y counted from the top.
    const std::uint8_t* Pixel(int x, int y) const { return pixels.data() + y * stride + x * 3; }
};

// Decodes a whole JPEG file held in memory. Damaged, truncated or unsupported data (including data the
// decoder would only warn about and patch over) raises "JPEG イメージが不正です (reason)"; nothing is
// written to the console and the process never ends.
JpegImage DecodeJpeg(std::string_view bytes);

// A top-down 24-bit DIB section holding the picture. Raises "ビットマップを作成できません" on failure.
ScopedBitmap CreateJpegBitmap(const JpegImage& image);

}  // namespace tovel
