// Where a stored window rectangle starts: kept where it can be used, otherwise moved onto a monitor.
#include "window/window_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovel {
namespace {

constexpr int kCaption = 30;
const ScreenRect kSmallDesktop{0, 0, 1024, 738};  // 1024x768 less a taskbar at the bottom
const ScreenRect kLeftMonitor{0, 0, 1920, 1040}, kRightMonitor{1920, 0, 3200, 1024};

ScreenRect At(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

TEST(WindowPlacement, KeptWhereUsableMovedOntoTheNearestWorkAreaOtherwise) {
    struct Row {
        const char* name;
        ScreenRect stored;
        std::vector<ScreenRect> areas;
        ScreenRect expected;
    };
    const Row rows[] = {
        {"on screen", At(258, 176, 545, 410), {kSmallDesktop}, At(258, 176, 545, 410)},
        {"Left 3000 on a 1024-px desktop", At(3000, 176, 545, 410), {kSmallDesktop}, At(479, 176, 545, 410)},
        {"the minimized position", At(-32000, -32000, 160, 28), {kSmallDesktop}, At(0, 0, 160, 28)},
        {"on the second monitor", At(2500, 300, 545, 410), {kLeftMonitor, kRightMonitor}, At(2500, 300, 545, 410)},
        {"beyond the second monitor goes to it",
         At(4000, 300, 545, 410),
         {kLeftMonitor, kRightMonitor},
         At(2655, 300, 545, 410)},
        {"straddling, mostly on the second",
         At(1820, 100, 400, 300),
         {kLeftMonitor, kRightMonitor},
         At(1820, 100, 400, 300)},
        {"larger than the work area shrinks", At(-50, -40, 1200, 900), {kSmallDesktop}, At(0, 0, 1024, 738)},
        {"partly off the left edge, mostly visible", At(-200, 100, 545, 410), {kSmallDesktop}, At(-200, 100, 545, 410)},
        {"mostly off the left edge", At(-400, 100, 545, 410), {kSmallDesktop}, At(0, 100, 545, 410)},
        {"caption above the work area", At(100, -20, 545, 410), {kSmallDesktop}, At(100, 0, 545, 410)},
        {"caption under a taskbar at the top", At(100, 0, 545, 410), {{0, 40, 1024, 768}}, At(100, 40, 545, 410)},
        {"mostly below the bottom", At(100, 600, 545, 410), {kSmallDesktop}, At(100, 328, 545, 410)},
        {"nearest is the second monitor, whose top is lower",
         At(2000, -100, 400, 300),
         {kLeftMonitor, {1920, 200, 3200, 1224}},
         At(2000, 200, 400, 300)},
        {"no monitor known", At(3000, 176, 545, 410), {}, At(3000, 176, 545, 410)},
        {"a monitor with no room is skipped",
         At(3000, 176, 545, 410),
         {{5000, 0, 5000, 0}, kSmallDesktop},
         At(479, 176, 545, 410)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScreenRect placed = PlaceOnScreen(row.stored, row.areas, kCaption);
        EXPECT_EQ(placed, row.expected) << placed.left << "," << placed.top << " " << placed.Width() << "x"
                                        << placed.Height();
    }
}

// A first start: the designed place scaled to 144 dpi runs past a 1024-px desktop, though mostly on it.
TEST(WindowPlacement, AFirstStartStandsWhollyOnScreen) {
    const std::vector<ScreenRect> small{kSmallDesktop};
    EXPECT_EQ(FitOnScreen(At(258, 176, 800, 560), small), At(224, 176, 800, 560)) << "moved in, not resized";
    EXPECT_EQ(FitOnScreen(At(258, 176, 1200, 560), small), At(0, 176, 1024, 560)) << "narrowed to the desktop";
    EXPECT_EQ(FitOnScreen(At(100, 100, 545, 410), small), At(100, 100, 545, 410)) << "already whole: kept";
    const std::vector<ScreenRect> two{kLeftMonitor, kRightMonitor};
    EXPECT_EQ(FitOnScreen(At(2500, 300, 545, 410), two), At(2500, 300, 545, 410)) << "on the second monitor";
}

}  // namespace
}  // namespace tovel
