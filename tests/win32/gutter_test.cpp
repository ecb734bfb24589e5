// The line-number gutter on a real window: the panel as created and at another resolution, and on the real
// main window, that each number stands beside its line's row at once after whatever moved the rows.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gutter/win32/line_gutter.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/ui_helpers.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::PumpMessages;

std::string Lines(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        if (!text.empty()) text += "\r\n";
        text += "line " + std::to_string(i);
    }
    return text;
}

std::vector<std::string> Texts(const LineGutter& gutter) {
    std::vector<std::string> texts;
    for (const GutterNumber& n : gutter.Numbers()) texts.push_back(n.text);
    return texts;
}

// The y of the top of a file line's first row, in gutter client pixels.
int RowTopInGutter(const ScintillaEditor& editor, const LineGutter& gutter, long long line) {
    const LRESULT start = SendMessageW(editor.Handle(), SCI_POSITIONFROMLINE, static_cast<WPARAM>(line), 0);
    POINT p{0, static_cast<int>(SendMessageW(editor.Handle(), SCI_POINTYFROMPOSITION, 0, start))};
    MapWindowPoints(editor.Handle(), gutter.Panel(), &p, 1);
    return p.y;
}

// Every number drawn stands at its line's row, and every line whose first row shows in the gutter has one.
void ExpectNumbersBesideRows(const ScintillaEditor& editor, const LineGutter& gutter) {
    const auto& shown = gutter.Numbers();
    ASSERT_FALSE(shown.empty());
    for (const GutterNumber& n : shown) {
        EXPECT_EQ(n.y, RowTopInGutter(editor, gutter, std::stoll(n.text) - 1)) << "number " << n.text;
    }
    RECT client;
    GetClientRect(gutter.Panel(), &client);
    const long long first = std::stoll(shown.front().text), last = std::stoll(shown.back().text);
    EXPECT_EQ(last - first + 1, static_cast<long long>(shown.size())) << "a line in between has no number";
    if (first > 1) EXPECT_LT(RowTopInGutter(editor, gutter, first - 2), 0) << "the line above shows unnumbered";
    const long long lines = SendMessageW(editor.Handle(), SCI_GETLINECOUNT, 0, 0);
    if (last < lines) EXPECT_GE(RowTopInGutter(editor, gutter, last), client.bottom) << "the line below is unnumbered";
}

// ---- the panel ----------------------------------------------------------------------------------

class GutterPanelTest : public testing::Test {
protected:
    test::TestParentWindow window{"gutter test", 700, 800};
    HWND parent = window.Handle();
};

TEST_F(GutterPanelTest, StandsWhereDesignedAndScalesWithTheDpi) {
    LineGutter gutter(parent, 96);
    RECT client;
    GetClientRect(parent, &client);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    RECT panel;
    GetWindowRect(gutter.Panel(), &panel);
    EXPECT_EQ(panel.left - origin.x, 0);
    EXPECT_EQ(panel.top - origin.y, 41);
    EXPECT_EQ(panel.right - panel.left, 37);
    EXPECT_EQ(gutter.Width(), 37);
    EXPECT_EQ(panel.bottom - panel.top, client.bottom - 41);

    gutter.SetBounds(0, 50, 37, -20);  // a window shorter than the band: nothing left, no failure
    GetWindowRect(gutter.Panel(), &panel);
    EXPECT_EQ(panel.bottom - panel.top, 0);

    gutter.SetDpi(144);
    EXPECT_EQ(gutter.Width(), 56);  // 37 x 1.5, rounded
    gutter.SetDpi(96);
    EXPECT_EQ(gutter.Width(), 37);
    LineGutter large(parent, 144);
    GetWindowRect(large.Panel(), &panel);
    EXPECT_EQ(panel.right - panel.left, 56);
    EXPECT_EQ(large.Width(), 56);
}

TEST_F(GutterPanelTest, ColoursCursorBevelAndNumbersDrawn) {
    LineGutter gutter(parent, 96);
    ScintillaEditor editor(parent, 100, RECT{37, 41, 637, 441});
    editor.SetText("a\r\nb");
    gutter.SetBounds(0, 41, 37, 100);
    ASSERT_FALSE(gutter.Refresh(editor));
    ASSERT_EQ(Texts(gutter), (std::vector<std::string>{"1", "2"}));

    HWND panel = gutter.Panel();
    EXPECT_EQ(GetClassLongPtrA(panel, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(panel, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(GetWindowLongA(panel, GWL_STYLE) & (WS_TABSTOP | WS_BORDER | WS_CAPTION), 0);
    EXPECT_EQ(GetWindow(panel, GW_CHILD), nullptr) << "no label windows";
    char text[32] = {};
    GetWindowTextA(panel, text, sizeof text);
    EXPECT_STREQ(text, "1 2");

    // Raised 1-px bevel: light top and left edges, shadowed bottom and right, panel colour inside; the
    // numbers in the window-text colour, right-aligned against the editor.
    ScopedMemoryDC dc(nullptr);
    ScopedBitmap bitmap;
    {
        ScopedGetDC screen(nullptr);
        bitmap.Reset(CreateCompatibleBitmap(screen.Get(), 37, 100));
    }
    ScopedSelect select(dc.Get(), bitmap.Get());
    SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(dc.Get(), 20, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc.Get(), 0, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc.Get(), 20, 99), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc.Get(), 36, 50), GetSysColor(COLOR_BTNSHADOW));
    const auto inkIn = [&](int left, int right, int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) ink += GetPixel(dc.Get(), x, y) == GetSysColor(COLOR_WINDOWTEXT);
        return ink;
    };
    const int y = gutter.Numbers()[1].y;
    EXPECT_GT(inkIn(20, 35, y, y + 17), 0) << "the 2 stands at the right";
    EXPECT_EQ(inkIn(2, 18, y, y + 17), 0) << "nothing at the left";
    EXPECT_EQ(inkIn(2, 35, y + 17, 99), 0) << "nothing below the last line";
}

// ---- on the main window -------------------------------------------------------------------------

class GutterOnMainWindowTest : public test::MainWindowFixture {
protected:
    GutterOnMainWindowTest() {
        ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
        Paint();
    }
    // Lets the editor paint, as it would on the screen.
    void Paint() {
        UpdateWindow(form.Handle());
        PumpMessages();
        UpdateWindow(Note().Handle());
    }
    ScintillaEditor& Note() { return form.Note(); }
    LineGutter& Gutter() { return form.Gutter(); }
    long long Top() { return SendMessageW(Note().Handle(), SCI_GETFIRSTVISIBLELINE, 0, 0); }
};

TEST_F(GutterOnMainWindowTest, NumbersFollowLoadAndEveryScrollAtOnce) {
    EXPECT_EQ(Texts(Gutter()), std::vector<std::string>{"1"}) << "an empty text has its one line";
    Note().SetText(Lines(1, 300));
    ExpectNumbersBesideRows(Note(), Gutter());
    EXPECT_EQ(Gutter().Numbers().front().text, "1");

    // Wheel down, then up: no paint, no key, no click in between.
    SendMessageW(Note().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA * 2), 0);
    ASSERT_GT(Top(), 0);
    EXPECT_EQ(Gutter().Numbers().front().text, std::to_string(Top() + 1));
    ExpectNumbersBesideRows(Note(), Gutter());
    SendMessageW(Note().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(Gutter().Numbers().front().text, std::to_string(Top() + 1));

    // The scroll bar, and a scroll asked for by message.
    SendMessageW(Note().Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Gutter().Numbers().front().text, std::to_string(Top() + 1));
    SendMessageW(Note().Handle(), SCI_LINESCROLL, 0, 40);
    EXPECT_EQ(Gutter().Numbers().front().text, std::to_string(Top() + 1));
    ExpectNumbersBesideRows(Note(), Gutter());

    // A smaller window: the numbers end where the gutter does.
    RECT r;
    GetWindowRect(form.Handle(), &r);
    SetWindowPos(form.Handle(), nullptr, 0, 0, r.right - r.left, (r.bottom - r.top) / 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Paint();
    ExpectNumbersBesideRows(Note(), Gutter());
}

TEST_F(GutterOnMainWindowTest, FiveDigitNumbersShowInFullBesideTheirRows) {
    EXPECT_EQ(Gutter().Width(), 37);
    Note().SetText(Lines(1, 20000));
    SendMessageW(Note().Handle(), SCI_SETFIRSTVISIBLELINE, 9999, 0);
    Paint();
    ASSERT_EQ(Gutter().Numbers().front().text, "10000");
    ExpectNumbersBesideRows(Note(), Gutter());

    // Wide enough for the widest number, and the editor moved over for it.
    ScopedFont font(CreateFormFont(16));
    ScopedGetDC dc(Gutter().Panel());
    ScopedSelect select(dc.Get(), font.Get());
    int widest = 0;
    for (const GutterNumber& n : Gutter().Numbers()) {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), n.text.c_str(), static_cast<int>(n.text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    EXPECT_GT(Gutter().Width(), 37);
    EXPECT_LE(widest + 3, Gutter().Width()) << "a number is cut at the left (bevel and margin: 3 px)";
    RECT panel, note;
    GetWindowRect(Gutter().Panel(), &panel);
    GetWindowRect(Note().Frame(), &note);
    EXPECT_EQ(panel.right - panel.left, Gutter().Width());
    EXPECT_EQ(note.left, panel.right);

    // Back to three digits: the design width again.
    Note().SetText(Lines(1, 20));
    EXPECT_EQ(Gutter().Width(), 37);
    GetWindowRect(Note().Frame(), &note);
    EXPECT_EQ(note.left - panel.left, 37);
}

TEST_F(GutterOnMainWindowTest, AWrappedLineIsNumberedOnceAndNothingFollowsTheText) {
    ASSERT_TRUE(Note().WordWrap());
    std::string paragraph;
    for (int i = 0; i < 120; ++i) paragraph += "word ";
    Note().SetText("first\r\n" + paragraph + "\r\nlast");
    Paint();
    EXPECT_EQ(Texts(Gutter()), (std::vector<std::string>{"1", "2", "3"}));
    ExpectNumbersBesideRows(Note(), Gutter());
    const auto& shown = Gutter().Numbers();
    const int rowHeight = static_cast<int>(SendMessageW(Note().Handle(), SCI_TEXTHEIGHT, 0, 0));
    EXPECT_GT(shown[2].y - shown[1].y, 2 * rowHeight) << "the paragraph did not wrap";

    // Five lines in a tall window: five numbers; with a final break, the empty line it leaves is the sixth.
    Note().SetText(Lines(1, 5));
    Paint();
    EXPECT_EQ(Texts(Gutter()), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    Note().SetText(Lines(1, 5) + "\r\n");
    EXPECT_EQ(Texts(Gutter()), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    ExpectNumbersBesideRows(Note(), Gutter());

    // Typing a break adds a number, undoing it takes it away.
    SendMessageW(Note().Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(Gutter().Numbers().size(), 7u);
    Note().Undo();
    EXPECT_EQ(Gutter().Numbers().size(), 6u);
}

TEST_F(GutterOnMainWindowTest, EveryRowIsNumberedAtTheRowHeightOfAnyZoom) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    SetWindowPos(form.Handle(), nullptr, 0, 0, r.right - r.left, 1000, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Note().SetText(Lines(1, 200));
    Paint();
    RECT client;
    GetClientRect(Gutter().Panel(), &client);
    ASSERT_GT(client.bottom, 43 * 12) << "a window tall enough for more than 43 small rows";
    for (const int zoom : {-4, 6, 0}) {
        // Smaller text: more rows than the 43 numbers of 16 px that once ended at 688 px; larger: fewer.
        SendMessageW(Note().Handle(), SCI_SETZOOM, static_cast<WPARAM>(zoom), 0);
        const int rowHeight = static_cast<int>(SendMessageW(Note().Handle(), SCI_TEXTHEIGHT, 0, 0));
        ExpectNumbersBesideRows(Note(), Gutter());
        EXPECT_GE(static_cast<int>(Gutter().Numbers().size()), client.bottom / rowHeight) << "zoom " << zoom;
        if (zoom < 0) EXPECT_GT(Gutter().Numbers().size(), 43u);
    }
}

// Ctrl+End straight after a long wrapped text is set, before the editor has wrapped it in the background,
// and again with Shift from a caret further up: the caret ends on the last line, that line's rows show at
// the foot of the window with its number in the gutter, and with Shift the selection runs from where the
// caret was to the end.
TEST_F(GutterOnMainWindowTest, CtrlEndOnALongWrappedTextShowsTheLastLineWithItsNumber) {
    ASSERT_TRUE(Note().WordWrap());
    std::string text;
    for (int i = 1; i <= 40000; ++i) {
        text += "テキストエディタの行 line " + std::to_string(i) + " 日本語の文章が続きます。The quick brown fox.\r\n";
    }
    text += "最後の行 the last line, long enough to take two rows of the window at the least when wrapped";
    for (const bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Ctrl+Shift+End" : "Ctrl+End");
        Note().SetText("");
        Note().SetText(text);
        Paint();
        Note().SetSelStart(static_cast<int>(SendMessageW(Note().Handle(), SCI_POSITIONFROMLINE, 2, 0)));
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Note().Handle(), WM_KEYDOWN, VK_END, 1);
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        Paint();

        const auto lines = SendMessageW(Note().Handle(), SCI_GETLINECOUNT, 0, 0);
        const auto end = SendMessageW(Note().Handle(), SCI_GETLENGTH, 0, 0);
        EXPECT_EQ(SendMessageW(Note().Handle(), SCI_GETCURRENTPOS, 0, 0), end);
        EXPECT_EQ(SendMessageW(Note().Handle(), SCI_GETANCHOR, 0, 0),
                  shift ? SendMessageW(Note().Handle(), SCI_POSITIONFROMLINE, 2, 0) : end);
        const int rowHeight = static_cast<int>(SendMessageW(Note().Handle(), SCI_TEXTHEIGHT, 0, 0));
        RECT client;
        GetClientRect(Note().Handle(), &client);
        const int caretY = static_cast<int>(SendMessageW(Note().Handle(), SCI_POINTYFROMPOSITION, 0, end));
        EXPECT_GE(caretY, 0);
        EXPECT_LE(caretY + rowHeight, client.bottom) << "the caret's row is below the window";
        EXPECT_GT(caretY + 2 * rowHeight, client.bottom) << "rows are left empty below the end";
        EXPECT_GE(RowTopInGutter(Note(), Gutter(), lines - 1), 0) << "the last line's first row is above the window";
        ASSERT_FALSE(Gutter().Numbers().empty());
        EXPECT_EQ(Gutter().Numbers().back().text, std::to_string(lines));
        ExpectNumbersBesideRows(Note(), Gutter());
    }
}

}  // namespace
}  // namespace tovel
