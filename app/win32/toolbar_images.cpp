#include "app/win32/toolbar_images.h"

#include <cstring>

namespace tovel {
namespace {

// One row a string; '.' is transparent. Outlines are dark grey, paper white, accents share one palette so
// the set reads as one family.
constexpr const char* kPictures[kToolImageCount][kToolImageSize] = {
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

COLORREF PaletteColor(char c) {
    switch (c) {
        case 'k':
            return RGB(64, 64, 64);
        case 'w':
            return RGB(255, 255, 255);
        case 'g':
            return RGB(160, 160, 160);
        case 'y':
            return RGB(250, 210, 90);
        case 'o':
            return RGB(224, 168, 64);
        case 'b':
            return RGB(48, 104, 200);
        case 'r':
            return RGB(208, 48, 48);
        default:
            return RGB(255, 0, 255);  // the mask colour
    }
}

}  // namespace

ScopedImageList CreateToolImages() {
    ScopedImageList list(ImageList_Create(kToolImageSize, kToolImageSize, ILC_COLOR24 | ILC_MASK, kToolImageCount, 0));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kToolImageSize;
    info.bmiHeader.biHeight = -kToolImageSize;  // top-down rows, as the art is written
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    for (const auto& picture : kPictures) {
        void* bits = nullptr;
        ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap.Get() || !bits) continue;  // out of GDI memory: the button shows no picture
        auto* pixels = static_cast<DWORD*>(bits);
        for (int y = 0; y < kToolImageSize; ++y) {
            for (int x = 0; x < kToolImageSize; ++x) {
                const COLORREF c = PaletteColor(picture[y][x]);
                pixels[y * kToolImageSize + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        ImageList_AddMasked(list.Get(), bitmap.Get(), RGB(255, 0, 255));
    }
    return list;
}

}  // namespace tovel
