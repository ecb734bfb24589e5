// Always on top, transparency and the fold over a desktop window that records what it is asked.
#include "window/window_modes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::RecordingDesktopWindow;
using Calls = std::vector<std::string>;
constexpr int kDesignHeight = 410;

class WindowModesTest : public testing::Test {
protected:
    Calls Take() { return std::exchange(window.calls, {}); }

    RecordingDesktopWindow window;
    WindowModeState state;
    WindowModes modes{window, state, kDesignHeight};
};

TEST_F(WindowModesTest, TopmostToggleSwitchesBandStateAndCaption) {
    EXPECT_EQ(modes.ToggleTopmost(), "常に手前表示を解除");
    EXPECT_EQ(state.TopMostState, "ON");
    EXPECT_EQ(modes.ToggleTopmost(), "常に手前に表示") << "no access letter once switched";
    EXPECT_EQ(state.TopMostState, "OFF");
    EXPECT_EQ(Take(), (Calls{"topmost", "not topmost"}));
    state.TopMostState = "on";  // only "OFF" counts as off
    modes.ToggleTopmost();
    EXPECT_EQ(Take(), Calls{"not topmost"});
}

TEST_F(WindowModesTest, LevelsApplyOnlyWhatChangesAndSwitchingOnShowsTheHeldAlphaFirst) {
    EXPECT_EQ(AlphaOfPercent(75), 191);
    EXPECT_EQ(AlphaOfPercent(55), 140);
    EXPECT_EQ(AlphaOfPercent(35), 89);
    EXPECT_EQ(AlphaOfPercent(15), 38);
    modes.ShowOpaque();
    EXPECT_EQ(Take(), Calls{}) << "already opaque";
    modes.ShowAtPercent(35);
    EXPECT_EQ(Take(), (Calls{"alpha 255", "alpha 89"}));
    modes.ShowAtPercent(35);
    EXPECT_EQ(Take(), Calls{}) << "the same level twice changes nothing";
    modes.ShowAtPercent(75);
    EXPECT_EQ(Take(), Calls{"alpha 191"});
    modes.ShowOpaque();
    modes.ShowAtPercent(75);
    EXPECT_EQ(Take(), (Calls{"opaque", "alpha 191"})) << "the alpha is held while opaque";
    modes.ToggleTopmost();
    EXPECT_EQ(Take(), Calls{"topmost"}) << "the switch leaves the opacity alone";
}

TEST_F(WindowModesTest, WithoutTranslucencyEveryLevelIsIgnored) {
    window.translucentPossible = false;
    modes.ShowAtPercent(15);
    modes.ShowOpaque();
    modes.ShowAtPercent(55);
    EXPECT_EQ(Take(), Calls{});
}

struct FoldCase {
    const char* name;
    std::vector<int> handSizedBefore;  // heights set by hand before each fold (0: left as it is)
    std::vector<int> heightsAfter;     // the height after each fold
    std::int32_t foldHeight;
};

class FoldTest : public WindowModesTest, public testing::WithParamInterface<FoldCase> {};

TEST_P(FoldTest, HeightsAfterEachFold) {
    const FoldCase& c = GetParam();
    std::vector<int> after;
    for (int handSized : c.handSizedBefore) {
        if (handSized) window.height = handSized;
        modes.ToggleFold();
        after.push_back(window.height);
    }
    EXPECT_EQ(after, c.heightsAfter);
    EXPECT_EQ(state.FoldHeight, c.foldHeight);
}

INSTANTIATE_TEST_SUITE_P(Heights, FoldTest,
                         testing::Values(FoldCase{"FoldAndBack", {300, 0, 0}, {38, 300, 38}, 300},
                                         FoldCase{"FoldedThenResizedByHand", {300, 200, 0}, {38, 38, 200}, 200},
                                         FoldCase{"ExactlyTheStripUnfolds", {38}, {kDesignHeight}, 0},
                                         FoldCase{
                                             "StartedSmallNeverVanishes", {20, 0}, {kDesignHeight, 38}, kDesignHeight},
                                         FoldCase{"JustAboveTheStripFolds", {39, 0}, {38, 39}, 39}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the close stores: a folded window's unfolded height, never the strip.
TEST(UnfoldedHeight, TheStripGivesTheHeightAnUnfoldWould) {
    const struct {
        int height, foldHeight, expected;
    } rows[] = {{300, 0, 300}, {39, 0, 39}, {38, 300, 300}, {38, 0, kDesignHeight}, {20, 38, kDesignHeight}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.height);
        EXPECT_EQ(UnfoldedHeight(row.height, WindowModeState{"OFF", row.foldHeight}, kDesignHeight), row.expected);
    }
}

}  // namespace
}  // namespace tovel
