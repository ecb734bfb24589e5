#include "gutter/gutter_model.h"

#include <gtest/gtest.h>

#include <climits>

namespace tovel {
namespace {

int VisibleCount(const GutterState& s) {
    int n = 0;
    for (bool v : s.visible) n += v ? 1 : 0;
    return n;
}

// Visible labels always form one run from the top.
bool VisibleFromTop(const GutterState& s) {
    bool seenHidden = false;
    for (bool v : s.visible) {
        if (v && seenHidden) return false;
        if (!v) seenHidden = true;
    }
    return true;
}

TEST(GutterModel, ShowsOneLabelMoreThanTheLineCountUpToAll) {
    const struct {
        int lines, shown;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {41, 42}, {42, 43}, {43, 43}, {100, 43}, {INT_MAX, 43}, {-1, 1}, {INT_MIN, 1}};
    for (const auto& c : cases) {
        const GutterState s = ComputeGutter(c.lines, 0);
        EXPECT_EQ(VisibleCount(s), c.shown) << "lines " << c.lines;
        EXPECT_TRUE(VisibleFromTop(s)) << "lines " << c.lines;
        EXPECT_TRUE(s.visible[0]) << "lines " << c.lines;
    }
}

TEST(GutterModel, NumbersEveryLabelFromTheTopLineHiddenOnesToo) {
    const GutterState s = ComputeGutter(1, 85);
    EXPECT_EQ(s.Text(0), "86");
    EXPECT_EQ(s.Text(1), "87");
    EXPECT_EQ(s.Text(42), "128");
    EXPECT_FALSE(s.visible[42]);

    // Visibility follows the count only, never the scroll position.
    EXPECT_EQ(ComputeGutter(100, 85).visible, ComputeGutter(100, 0).visible);
    EXPECT_EQ(ComputeGutter(5, 3).visible, ComputeGutter(5, 0).visible);
}

TEST(GutterModel, LargeTopLineDoesNotOverflow) {
    const GutterState s = ComputeGutter(50, INT_MAX);
    EXPECT_EQ(s.Text(0), "2147483648");
    EXPECT_EQ(s.Text(42), "2147483690");
}

TEST(GutterModel, InitialStateShowsOnlyTheFirstOfOneToFortyThree) {
    const GutterState s = InitialGutter();
    EXPECT_EQ(VisibleCount(s), 1);
    EXPECT_TRUE(s.visible[0]);
    for (int i = 0; i < kGutterLabelCount; ++i) EXPECT_EQ(s.Text(i), std::to_string(i + 1));
}

TEST(GutterModel, DiffListsOnlyWhatChanged) {
    const GutterState base = ComputeGutter(10, 4);

    EXPECT_TRUE(DiffGutter(base, ComputeGutter(10, 4)).Empty());

    // One more line: one more label shows, no number changes.
    GutterDiff d = DiffGutter(base, ComputeGutter(11, 4));
    EXPECT_EQ(d.visibility, std::vector<int>{11});
    EXPECT_TRUE(d.text.empty());

    // Counts beyond 42 all look alike.
    EXPECT_TRUE(DiffGutter(ComputeGutter(42, 0), ComputeGutter(5000, 0)).Empty());

    // Scrolled by a line: every number changes, visibility does not.
    d = DiffGutter(base, ComputeGutter(10, 5));
    EXPECT_TRUE(d.visibility.empty());
    ASSERT_EQ(d.text.size(), static_cast<std::size_t>(kGutterLabelCount));
    for (int i = 0; i < kGutterLabelCount; ++i) EXPECT_EQ(d.text[static_cast<std::size_t>(i)], i);

    // From many lines back to none: everything below the first label hides, in label order.
    d = DiffGutter(ComputeGutter(60, 0), ComputeGutter(0, 0));
    ASSERT_EQ(d.visibility.size(), static_cast<std::size_t>(kGutterLabelCount - 1));
    EXPECT_EQ(d.visibility.front(), 1);
    EXPECT_EQ(d.visibility.back(), 42);
    EXPECT_TRUE(d.text.empty());
}

}  // namespace
}  // namespace tovel
