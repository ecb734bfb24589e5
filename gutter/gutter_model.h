#pragma once
// What the line-number gutter draws beside the editor's rows, and how wide it has to be. Pure logic, so it
// is tested on the host; the window side reads the rows from the editor and draws the result.
#include <cstdint>
#include <string>
#include <vector>

namespace tovel {

// One display row of the editor, counted from the top of its window.
struct GutterRow {
    std::int64_t line = 0;  // the zero-based file line the row belongs to
    bool firstRow = true;   // false for the second and later rows of a wrapped line
};

// The editor as the gutter sees it.
struct GutterView {
    std::vector<GutterRow> rows;  // from the top row of the window down, as far as the editor has rows
    int top = 0;                  // y of the top row's top edge, in gutter pixels
    int rowHeight = 0;            // pixels per row
    int height = 0;               // the gutter's height in pixels: nothing is drawn from there down
    std::int64_t lineCount = 0;   // the file's lines, the empty one after a final break included
};

// A number and the y of the top of the row it stands beside.
struct GutterNumber {
    int y = 0;
    std::string text;
    friend bool operator==(const GutterNumber&, const GutterNumber&) = default;
};

// The numbers to draw: each file line's number (one-based) beside its first row, none beside the further
// rows of a wrapped line, none for a row past the last line or wholly outside 0 .. height. Rows stand one
// rowHeight apart from `top`. A row height of 0 or less draws nothing.
std::vector<GutterNumber> NumbersToDraw(const GutterView& view);

// The digits of the largest number a text of `lineCount` lines shows (at least 1), so the width follows the
// text and not the scroll position.
int DigitCount(std::int64_t lineCount);

// The gutter's width: `baseWidth` holds three digits, every further digit adds `digitWidth`.
inline constexpr int kDigitsInBaseWidth = 3;
int GutterWidth(int digits, int baseWidth, int digitWidth);

}  // namespace tovel
