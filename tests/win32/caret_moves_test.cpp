// The caret keys on a big text the editor is still wrapping in the background.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/scintilla_editor.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

class CaretMovesTest : public test::MainWindowFixture {
protected:
    CaretMovesTest() {
        ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
        UpdateWindow(form.Handle());
    }
    ScintillaEditor& Note() { return form.Note(); }
    // A key as the editor gets it, with Ctrl and Shift held as asked.
    void Key(WORD vk, bool shift, bool ctrl = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Note().Handle(), WM_KEYDOWN, vk, 1);
        state[VK_SHIFT] = state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    }
    std::pair<long long, long long> Selection() {
        return {SendMessageW(Note().Handle(), SCI_GETANCHOR, 0, 0),
                SendMessageW(Note().Handle(), SCI_GETCURRENTPOS, 0, 0)};
    }
};

// Right after Ctrl+End, before the background wrapping has come near the end: every arrow, Home, End and
// page key and the word moves, with and without Shift, lands where the component's own key lands once everything is
// wrapped, and none of them has made the component wrap the rest of the text first (a minute at a gigabyte).
TEST_F(CaretMovesTest, KeysWhileABigTextIsStillWrappedLandWhereTheComponentsOwnDo) {
    ASSERT_TRUE(Note().WordWrap());
    std::string text;
    for (int i = 1; i <= 40000; ++i) {
        text += "テキストエディタの行 line " + std::to_string(i) +
                " 日本語の文章が続きます。The quick brown fox jumps.\r\n";
    }
    text +=
        "最後の行 the last line, long enough to take two rows of the window at the least when wrapped, "
        "and a third one too";
    Note().SetText(text);
    UpdateWindow(Note().Handle());
    ASSERT_TRUE(Note().WrappingPending());

    struct Step {
        WORD key;
        bool shift;
        bool ctrl;
        const char* name;
    };
    const Step steps[] = {
        {VK_UP, false, false, "Up from the end"},
        {VK_UP, false, false, "Up again, keeping the column"},
        {VK_END, false, false, "End of a row"},
        {VK_LEFT, true, false, "Shift+Left"},
        {VK_LEFT, false, false, "Left ends it"},
        {VK_RIGHT, false, false, "Right"},
        {VK_HOME, false, false, "Home of a row"},
        {VK_END, false, false, "End"},
        {VK_UP, true, false, "Shift+Up"},
        {VK_RIGHT, false, false, "Right ends it"},
        {VK_LEFT, false, true, "Ctrl+Left"},
        {VK_LEFT, false, true, "Ctrl+Left again"},
        {VK_RIGHT, true, true, "Ctrl+Shift+Right"},
        {VK_RIGHT, true, true, "Ctrl+Shift+Right again"},
        {VK_LEFT, false, true, "Ctrl+Left with a selection"},
        {VK_UP, false, false, "Up after a word move, at its column"},
        {VK_PRIOR, false, false, "PageUp"},
        {VK_PRIOR, true, false, "Shift+PageUp"},
        {VK_NEXT, false, false, "PageDown"},
        {VK_DOWN, false, false, "Down"},
        {VK_NEXT, false, false, "PageDown to the foot"},
        {VK_DOWN, false, false, "Down on the last row"},
        {VK_HOME, false, false, "Home"},
        {VK_LEFT, false, true, "Ctrl+Left over a line end"},
        {VK_RIGHT, false, true, "Ctrl+Right over it again"},
        {VK_LEFT, true, true, "Ctrl+Shift+Left"},
        {VK_HOME, true, false, "Shift+Home"},
        {VK_LEFT, false, false, "Left"},
    };
    const auto walk = [&] {
        Key(VK_END, false, true);
        std::vector<std::pair<long long, long long>> places;
        for (const Step& step : steps) {
            Key(step.key, step.shift, step.ctrl);
            places.push_back(Selection());
        }
        return places;
    };
    // Rows not wrapped yet count one per line: wrapped, the lines of this text take two rows or more.
    const auto rows = [&] {
        const auto lines = SendMessageW(Note().Handle(), SCI_GETLINECOUNT, 0, 0);
        return SendMessageW(Note().Handle(), SCI_VISIBLEFROMDOCLINE, lines - 1, 0) / static_cast<double>(lines);
    };
    const auto ours = walk();
    EXPECT_LT(rows(), 1.5) << "a key made the component wrap the whole text";

    // The component's own keys, once it has wrapped everything. Asking restarts the component's idle timer,
    // so it is asked only after its timer has had time to run many times.
    for (int waited = 0; waited < 60000 && Note().WrappingPending(); waited += 200) {
        const ULONGLONG until = GetTickCount64() + 200;
        while (GetTickCount64() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            test::PumpMessages();
        }
    }
    ASSERT_FALSE(Note().WrappingPending());
    ASSERT_GT(rows(), 1.9) << "the lines of the text do not wrap in this window: " << rows();
    const auto theirs = walk();
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(ours[i], theirs[i]) << steps[i].name;
    }
    EXPECT_NE(ours.front(), ours.back()) << "the keys went nowhere";
}

}  // namespace
}  // namespace tovel
