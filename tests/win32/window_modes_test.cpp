// The window modes on the real main window: the opacity and the topmost flag read back from the system,
// the document and the drop target surviving the on-top switch, a box above a topmost window, the fold.
#include <Scintilla.h>
#include <gtest/gtest.h>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/drop_files.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
// True when `upper` comes before `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}
bool IsLayered(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// The alpha the system draws the window with, or -1 when it is not drawn by alpha.
int AlphaOf(HWND hwnd) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!IsLayered(hwnd) || !GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags) || flags != LWA_ALPHA) return -1;
    return alpha;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

std::string ItemCaption(HMENU menu, CommandId command) {
    char buf[128] = {};
    GetMenuStringA(menu, command, buf, sizeof buf, MF_BYCOMMAND);
    return buf;
}

class WindowModesWindowTest : public test::MainWindowFixture {
protected:
    WindowModesWindowTest() {
        ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
        test::PumpMessages();
    }
    ~WindowModesWindowTest() override {
        DestroyWindow(form.Handle());
        DropQueuedMessages();
    }
    void SetHeight(int height) {
        const RECT r = WindowRect(form.Handle());
        SetWindowPos(form.Handle(), nullptr, 0, 0, r.right - r.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

TEST_F(WindowModesWindowTest, OpacityOutlastsTheOnTopSwitchAndNothingMakesTheWindowOpaque) {
    form.Commands().N351Click();
    EXPECT_EQ(AlphaOf(form.Handle()), 89);
    form.Commands().FrontF1Click();
    EXPECT_TRUE(IsTopmost(form.Handle()));
    EXPECT_EQ(AlphaOf(form.Handle()), 89) << "after the switch on top";
    form.Commands().FrontF1Click();
    EXPECT_EQ(AlphaOf(form.Handle()), 89) << "after the switch back";
    form.Commands().N751Click();
    EXPECT_EQ(AlphaOf(form.Handle()), 191);
    form.Commands().NothingN1Click();
    EXPECT_FALSE(IsLayered(form.Handle()));
    form.Commands().N151Click();
    EXPECT_EQ(AlphaOf(form.Handle()), 38);
}

TEST_F(WindowModesWindowTest, OnTopSwitchSetsAndClearsTheFlagAndTheItemCaption) {
    EXPECT_EQ(ItemCaption(form.MainMenu(), cmdFrontF1), "常に手前に表示(&A)\tF3");
    const RECT before = WindowRect(form.Handle());
    form.Commands().FrontF1Click();
    EXPECT_TRUE(IsTopmost(form.Handle()));
    EXPECT_EQ(ItemCaption(form.MainMenu(), cmdFrontF1), "常に手前表示を解除\tF3");
    EXPECT_EQ(form.Globals().Modes.TopMostState, "ON");
    form.Commands().FrontF1Click();
    EXPECT_FALSE(IsTopmost(form.Handle()));
    EXPECT_EQ(ItemCaption(form.MainMenu(), cmdFrontF1), "常に手前に表示\tF3");
    const RECT after = WindowRect(form.Handle());
    EXPECT_TRUE(EqualRect(&before, &after)) << "position and size stay";
}

TEST_F(WindowModesWindowTest, TheDocumentAndTheDropTargetSurviveTwoSwitches) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    form.Note().SetText(text);
    form.Note().SetMaxLength(5000);
    SendMessageA(form.Note().Handle(), WM_CHAR, 'k', 0);  // one undoable edit, at the start
    form.Note().SetSelStart(1500);
    form.Note().SetSelLength(4);
    test::PumpMessages();
    const HWND editor = form.Note().Handle();
    const int firstVisible = form.Note().FirstVisibleLine();
    const int selStart = form.Note().SelStart();
    const auto selEnd = SendMessageA(editor, SCI_GETSELECTIONEND, 0, 0);
    ASSERT_GT(selEnd, selStart);
    ASSERT_GT(firstVisible, 0) << "scrolled away from the top";

    form.Commands().FrontF1Click();
    form.Commands().FrontF1Click();
    test::PumpMessages();
    EXPECT_EQ(form.Note().Handle(), editor) << "nothing was re-created";
    EXPECT_EQ(form.Note().Text(), "k" + text);
    EXPECT_EQ(form.Note().SelStart(), selStart);
    EXPECT_EQ(SendMessageA(editor, SCI_GETSELECTIONEND, 0, 0), selEnd);
    EXPECT_EQ(form.Note().FirstVisibleLine(), firstVisible);
    EXPECT_EQ(form.Note().MaxLength(), 5000);
    form.Note().Undo();
    EXPECT_EQ(form.Note().Text(), text) << "the undo record survived";

    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    test::WriteBytes(folder / "dropped.txt", "from the shell");
    DialogAnswerer answer({{Act::Click("いいえ(&N)")}});  // the changed text asks first
    SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({folder / "dropped.txt"})), 0);
    EXPECT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(form.Note().Text(), "from the shell");
}

TEST_F(WindowModesWindowTest, AQuestionShowsAboveTheOnTopWindowWhichIsOnTopAgainAfterwards) {
    form.Commands().FrontF1Click();
    DialogAnswerer answer({{Act::Call([&](HWND box) {
                                EXPECT_FALSE(IsTopmost(form.Handle()));
                                EXPECT_TRUE(IsAbove(box, form.Handle()));
                            }),
                            Act::Click("いいえ(&N)")}});
    form.Commands().ViewV1Click();  // untitled: the preview asks first
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_EQ(answer.Seen()[0].caption, "tovel editor plus!");
    EXPECT_EQ(answer.Seen()[0].statics,
              std::vector<std::string>{"保存しないとプレビューは利用できません。\r\nブラウザで開きますか？"});
    EXPECT_TRUE(IsTopmost(form.Handle()));
    EXPECT_FALSE(test::FileExists(folder / "olka_temp.htm")) << "No writes nothing";
}

// The strip is exactly 38 pixels (nothing keeps the window taller), only the height changes, and an
// unfold with no fold before it gives the design height.
TEST_F(WindowModesWindowTest, FoldLeavesTheStripAndUnfoldGivesTheHeightBack) {
    const RECT design = WindowRect(form.Handle());  // no settings file: the design size
    SetHeight(30);
    form.Commands().FoldF1Click();
    EXPECT_EQ(WindowRect(form.Handle()).bottom - WindowRect(form.Handle()).top, design.bottom - design.top);
    SetHeight(300);
    const RECT unfolded = WindowRect(form.Handle());
    form.Commands().FoldF1Click();
    const RECT folded = WindowRect(form.Handle());
    EXPECT_EQ(folded.bottom - folded.top, 38);
    EXPECT_EQ(folded.left, unfolded.left);
    EXPECT_EQ(folded.top, unfolded.top);
    EXPECT_EQ(folded.right, unfolded.right);
    form.Commands().FoldF1Click();
    EXPECT_EQ(WindowRect(form.Handle()).bottom - WindowRect(form.Handle()).top, 300);
}

// The fold from the View menu's item (the command the menu sends) and from the toolbar's menu: both items
// carry the check while the window is folded, whatever folded it, and lose it when a maximize or a drag of
// the frame makes the window tall again.
TEST_F(WindowModesWindowTest, TheFoldItemsAreCheckedWhileTheWindowIsFolded) {
    auto checks = [&] {
        auto checked = [](HMENU menu) { return (GetMenuState(menu, cmdFoldF1, MF_BYCOMMAND) & MF_CHECKED) != 0; };
        return std::to_string(checked(form.MainMenu())) + std::to_string(checked(form.ToolPopupMenu()));
    };
    EXPECT_EQ(ItemCaption(form.MainMenu(), cmdFoldF1), "折りたたみ(&F)\tF11");
    SetHeight(300);
    EXPECT_EQ(checks(), "00");
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(cmdFoldF1, 0), 0);  // as the menu bar sends it
    EXPECT_EQ(WindowRect(form.Handle()).bottom - WindowRect(form.Handle()).top, 38);
    EXPECT_EQ(checks(), "11");
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(cmdFoldF1, 0), 0);
    EXPECT_EQ(WindowRect(form.Handle()).bottom - WindowRect(form.Handle()).top, 300);
    EXPECT_EQ(checks(), "00");
    form.RunCommand(cmdFoldF1);
    ShowWindow(form.Handle(), SW_MAXIMIZE);
    EXPECT_EQ(checks(), "00") << "maximized";
    ShowWindow(form.Handle(), SW_RESTORE);
    EXPECT_EQ(checks(), "11") << "restored to the strip";
    SetHeight(200);
    EXPECT_EQ(checks(), "00") << "made tall by hand";
}

}  // namespace
}  // namespace tovel
