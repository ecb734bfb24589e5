#include "gutter/gutter_model.h"

#include <algorithm>

namespace tovel {

std::vector<GutterNumber> NumbersToDraw(const GutterView& view) {
    std::vector<GutterNumber> numbers;
    if (view.rowHeight <= 0) return numbers;
    // 64-bit, so that a far row of a huge window cannot overflow before it is found to be off the gutter.
    std::int64_t y = view.top;
    for (const GutterRow& row : view.rows) {
        if (y >= view.height || row.line >= view.lineCount || row.line < 0) break;
        if (row.firstRow && y + view.rowHeight > 0) {
            numbers.push_back({static_cast<int>(y), std::to_string(row.line + 1)});
        }
        y += view.rowHeight;
    }
    return numbers;
}

int DigitCount(std::int64_t lineCount) {
    int digits = 1;
    for (std::int64_t n = lineCount; n >= 10; n /= 10) ++digits;
    return digits;
}

int GutterWidth(int digits, int baseWidth, int digitWidth) {
    return baseWidth + std::max(0, digits - kDigitsInBaseWidth) * std::max(0, digitWidth);
}

}  // namespace tovel
