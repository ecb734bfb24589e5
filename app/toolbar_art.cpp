#include "app/toolbar_art.h"

namespace tovel {
namespace {

// One row a string; '.' is transparent. Outlines are dark grey, paper white, accents share one palette so
// the set reads as one family.
constexpr const char* kPictures[kToolImageCount][kToolArtSize] = {
    {// new: a blank sheet with a folded corner
     "..kkkkkkkkk.....", "..kwwwwwwwkk....", "..kwwwwwwwkgk...", "..kwwwwwwwkggk..", "..kwwwwwwwkkkkk.",
     "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.",
     "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kwwwwwwwwwwwk.", "..kkkkkkkkkkkkk.",
     "................"},
    {// open: a folder, its flap raised
     "................", "................", ".kkkkk..........", "kyyyyyk.........", "kyyyyyykkkkkkk..",
     "kyyyyyyyyyyyyk..", "kyyykkkkkkkkkkkk", "kyykoooooooooook", "kyykoooooooooook", "kykoooooooooook.",
     "kykoooooooooook.", "kkoooooooooook..", "kkoooooooooook..", "kkkkkkkkkkkkkk..", "................",
     "................"},
    {// save: a diskette
     "kkkkkkkkkkkkkkk.", "kbbkwwwwwwwwkbbk", "kbbkwwwwwwwwkbbk", "kbbkwggggggwkbbk", "kbbkwwwwwwwwkbbk",
     "kbbkwggggggwkbbk", "kbbkwwwwwwwwkbbk", "kbbbkkkkkkkkbbbk", "kbbbbbbbbbbbbbbk", "kbbbkkkkkkkkbbbk",
     "kbbbkgggkkggkbbk", "kbbbkgggkkggkbbk", "kbbbkgggkkggkbbk", ".kbbkgggggggkbbk", "..kkkkkkkkkkkkkk",
     "................"},
    {// preview: a page under a magnifying glass
     "kkkkkkkkkk......", "kwwwwwwwwk......", "kwggggggwk......", "kwwwwwwwwk......", "kwggggkkkkk.....",
     "kwwwwkbbbbbk....", "kwgggkbwbbbk....", "kwwwwkbbbbbk....", "kwggkbbbbbbbk...", "kwwwkbbbbbbbk...",
     "kkkkkkbbbbbk....", ".....kkbbbkkk...", ".......kkk.okk..", "............okk.", ".............okk",
     "..............k."},
    {// undo: an arrow curving back to the left
     "................", "................", "....k...........", "...kbk..........", "..kbbkkkkkkk....",
     ".kbbbbbbbbbbkk..", "kbbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbbk", "..kbbkkkkkkkbbbk", "...kbk.....kbbbk",
     "....k.......kbbk", "............kbbk", "...........kbbk.", "..........kbbk..", "..........kkk...",
     "................"},
    {// cut: scissors
     "...k.......k....", "...kk.....kk....", "....kk...kk.....", "....kk...kk.....", ".....kk.kk......",
     ".....kk.kk......", "......kkk.......", "......kkk.......", ".....rrkrr......", "....rr...rr.....",
     "...rr.....rr....", "..rr..r.r..rr...", "..r..rr.rr..r...", "..r..r...r..r...", "..rrrr...rrrr...",
     "................"},
    {// copy: two overlapping sheets
     "kkkkkkkk........", "kwwwwwwk........", "kwggggwk........", "kwwwwwwk........", "kwggkkkkkkkk....",
     "kwwwkwwwwwwkk...", "kwggkwggggwkgk..", "kwwwkwwwwwwkkkk.", "kwggkwggggggwwk.", "kkkkkwwwwwwwwwk.",
     "....kwggggggggk.", "....kwwwwwwwwwk.", "....kwggggggggk.", "....kwwwwwwwwwk.", "....kkkkkkkkkkk.",
     "................"},
    {// paste: a clipboard with a sheet on it
     ".....kkkkk......", "..kkkkgggkkkk...", ".koookgggkoook..", ".kookkkkkkkook..", ".koooooooooook..",
     ".kooookkkkkkkkk.", ".kooookwwwwwwkk.", ".kooookwggggwkgk", ".kooookwwwwwwkkk", ".kooookwggggggwk",
     ".kooookwwwwwwwwk", ".kooookwggggggwk", ".kooookwwwwwwwwk", ".kkkkkkwggggggwk", "......kwwwwwwwwk",
     "......kkkkkkkkkk"},
};

}  // namespace

int ToolImageSizeFor(int dpi) {
    if (dpi < 120) return 16;
    if (dpi < 168) return 24;
    return 32;
}

std::vector<std::string> EnlargeArt(const std::vector<std::string>& art, int size) {
    const int n = static_cast<int>(art.size());
    if (size <= n || n == 0) return art;
    // Each pixel becomes four; a quarter takes a neighbour's colour where the two neighbours beside that
    // corner agree and the other two differ, which turns a staircase into a slant instead of a wider
    // staircase. Pixels past the edge count as the pixel itself.
    std::vector<std::string> doubled(2 * n, std::string(2 * n, '.'));
    auto at = [&](int y, int x, char self) {
        if (y < 0 || y >= n || x < 0 || x >= static_cast<int>(art[y].size())) return self;
        return art[y][x];
    };
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < static_cast<int>(art[y].size()) && x < n; ++x) {
            const char p = art[y][x];
            const char up = at(y - 1, x, p), right = at(y, x + 1, p), left = at(y, x - 1, p), down = at(y + 1, x, p);
            doubled[2 * y][2 * x] = (left == up && left != down && up != right) ? up : p;
            doubled[2 * y][2 * x + 1] = (up == right && up != left && right != down) ? right : p;
            doubled[2 * y + 1][2 * x] = (down == left && down != right && left != up) ? left : p;
            doubled[2 * y + 1][2 * x + 1] = (right == down && right != up && down != left) ? down : p;
        }
    }
    if (size == 2 * n) return doubled;
    if (size > 2 * n) return EnlargeArt(doubled, size);
    // Sampled down by whole pixels: each pixel of the result is one of the doubled picture's.
    std::vector<std::string> result(size, std::string(size, '.'));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) result[y][x] = doubled[y * 2 * n / size][x * 2 * n / size];
    }
    return result;
}

std::vector<std::string> ToolPicture(int index, int size) {
    if (index < 0 || index >= kToolImageCount) return {};
    return EnlargeArt(std::vector<std::string>(kPictures[index], kPictures[index] + kToolArtSize), size);
}

std::uint32_t ToolArtColor(char letter) {
    switch (letter) {
        case 'k':
            return 0x404040;
        case 'w':
            return 0xFFFFFF;
        case 'g':
            return 0xA0A0A0;
        case 'y':
            return 0xFAD25A;
        case 'o':
            return 0xE0A840;
        case 'b':
            return 0x3068C8;
        case 'r':
            return 0xD03030;
        default:
            return kToolMaskColor;
    }
}

}  // namespace tovel
