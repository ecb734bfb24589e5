#pragma once
// The eight toolbar pictures, drawn as 16 x 16 pixel art, and the same pictures at the larger sizes a
// high-resolution screen needs, enlarged so that every edge stays sharp: no pixel takes a colour the art
// does not have.
#include <cstdint>
#include <string>
#include <vector>

namespace tovel {

inline constexpr int kToolArtSize = 16;
inline constexpr int kToolImageCount = 8;
// The colour the transparent pixels are given, 0xRRGGBB (magenta: the art never uses it).
inline constexpr std::uint32_t kToolMaskColor = 0xFF00FF;

// The picture size for a resolution: 16 below 120 dots per inch, 24 below 168, 32 from there.
int ToolImageSizeFor(int dpi);

// Picture `index` (toolbar order: new, open, save, preview, undo, cut, copy, paste) at `size` pixels
// square, one string a row, top row first, one letter a pixel ('.' transparent).
std::vector<std::string> ToolPicture(int index, int size);
// Pixel art at `size` pixels square: the art itself at its own size; larger, first doubled with its
// corners rounded where two edges meet on a slant, then sampled down to the size.
std::vector<std::string> EnlargeArt(const std::vector<std::string>& art, int size);

// The colour a letter of the art stands for, 0xRRGGBB; kToolMaskColor for '.' and any other letter.
std::uint32_t ToolArtColor(char letter);

}  // namespace tovel
