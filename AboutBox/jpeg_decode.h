#pragma once
// JPEG pictures (the About box logo) decoded in memory into 24-bit pixels. Pure: libjpeg only, no window
// system, so the host tests and the fuzz target run the very decoder that ships.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tovel {

// Pictures above this many pixel bytes (stride * height) are refused rather than allocated; the logo
// takes a few hundred kilobytes.
inline constexpr std::size_t kMaxJpegPixelBytes = std::size_t{256} << 20;

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

}  // namespace tovel
