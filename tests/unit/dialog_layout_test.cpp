#include "platform/win32/dialog_layout.h"

#include <gtest/gtest.h>

namespace tovel::dialogs {
namespace {

TEST(MulDivRound, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDivRound(8, 6, 4), 12);
    EXPECT_EQ(MulDivRound(1, 6, 4), 2);    // 1.5
    EXPECT_EQ(MulDivRound(5, 5, 4), 6);    // 6.25
    EXPECT_EQ(MulDivRound(7, 13, 8), 11);  // 11.375
    EXPECT_EQ(MulDivRound(-1, 6, 4), -2);
    EXPECT_EQ(MulDivRound(1, -6, 4), -2);
    EXPECT_EQ(MulDivRound(1, 6, -4), -2);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2, 4), 1000000000);  // no overflow in the product
}

TEST(DialogUnits, FromTheAlphabetsExtent) {
    const DialogUnits u = DialogUnits::FromAlphabet(363, 13);  // 363 / 52 = 6 (6.98 truncated)
    EXPECT_EQ(u.x, 6);
    EXPECT_EQ(u.y, 13);
    EXPECT_EQ(u.H(180), 270);
    EXPECT_EQ(u.V(14), 23);  // 22.75
    EXPECT_EQ(u.V(8), 13);
}

TEST(LayoutInputBox, StacksLabelEditAndButtons) {
    const DialogUnits u{6, 13};
    const InputBoxLayout l = LayoutInputBox(u, 26, 21);
    EXPECT_EQ(l.prompt, (Box{12, 13, 246, 26}));
    EXPECT_EQ(l.edit, (Box{12, 13 + 26 + 5, 246, 21}));
    EXPECT_EQ(l.ok, (Box{57, 44 + 21 + 15, 75, 23}));
    EXPECT_EQ(l.cancel, (Box{138, 80, 75, 23}));
    EXPECT_EQ(l.clientWidth, 270);
    EXPECT_EQ(l.clientHeight, 80 + 23 + 13);
}

TEST(LayoutMessage, WithIconTheTextMovesRightAndTheBlockIsAtLeastTheIcon) {
    const DialogUnits u{6, 13};
    // One short line beside the icon: the block is 32 high; three buttons of 75 (50 units) with 6 gaps.
    const MessageLayout l = LayoutMessage(u, 100, 13, true, {40, 50, 60});
    EXPECT_EQ(l.icon, (Box{12, 13, 32, 32}));
    EXPECT_EQ(l.text, (Box{12 + 32 + 15, 13, 100, 13}));
    const int row = 3 * 75 + 2 * 6;
    EXPECT_EQ(l.clientWidth, row + 24);  // the row is wider than icon and text (147)
    EXPECT_EQ(l.clientHeight, 32 + 23 + 16 + 26);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0], (Box{12, 13 + 32 + 16, 75, 23}));
    EXPECT_EQ(l.buttons[1].x, 12 + 75 + 6);
    EXPECT_EQ(l.buttons[2].Right(), l.clientWidth - 12);
}

TEST(LayoutMessage, WithoutIconAWideTextSetsTheWidthAndCentresTheButton) {
    const DialogUnits u{6, 13};
    const MessageLayout l = LayoutMessage(u, 400, 39, false, {90});  // a caption wider than 50 units
    EXPECT_EQ(l.icon, Box{});
    EXPECT_EQ(l.text, (Box{12, 13, 400, 39}));
    EXPECT_EQ(l.clientWidth, 424);
    EXPECT_EQ(l.clientHeight, 39 + 23 + 16 + 26);
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_EQ(l.buttons[0].w, 98);
    EXPECT_EQ(l.buttons[0].x, (424 - 98) / 2);
    EXPECT_EQ(l.buttons[0].y, 13 + 39 + 16);
}

TEST(MessageCopyText, DividersCaptionMessageAndButtonsWithoutAmpersands) {
    const std::string d = "---------------------------\r\n";
    EXPECT_EQ(MessageCopyText("確認", "a\rb", {"はい(&Y)", "いいえ(&N)", "キャンセル"}),
              d + "確認\r\n" + d + "a\rb\r\n" + d + "はい(Y)   いいえ(N)   キャンセル   \r\n" + d);
    EXPECT_EQ(MessageCopyText("t", "", {"&&OK&"}), d + "t\r\n" + d + "\r\n" + d + "OK   \r\n" + d);
}

}  // namespace
}  // namespace tovel::dialogs
