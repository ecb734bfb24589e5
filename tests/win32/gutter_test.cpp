// The line-number gutter on a real window beside a real editor: the panel and labels as created, what a
// refresh shows for the editor's text and scroll position, and that a refresh leaves unchanged labels alone.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gutter/win32/line_gutter.h"
#include "platform/win32/scintilla_editor.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::PumpMessages;

constexpr int kEditId = 100;

std::string WindowText(HWND hwnd) {
    char buf[64] = {};
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

bool HasVisibleStyle(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// A window's rectangle relative to another window's top-left corner.
RECT RelativeRect(HWND hwnd, HWND origin) {
    RECT r, o;
    GetWindowRect(hwnd, &r);
    GetWindowRect(origin, &o);
    return RECT{r.left - o.left, r.top - o.top, r.right - o.left, r.bottom - o.top};
}

std::string Lines(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        if (!text.empty()) text += "\r\n";
        text += "line " + std::to_string(i);
    }
    return text;
}

// Counts the messages that change a label or its visibility, by subclassing every label.
class LabelSpy {
public:
    explicit LabelSpy(const LineGutter& gutter) {
        for (int k = 1; k <= kGutterLabelCount; ++k) {
            m_labels.push_back(gutter.Label(k));
            SetWindowSubclass(gutter.Label(k), Proc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    ~LabelSpy() {
        for (HWND label : m_labels) RemoveWindowSubclass(label, Proc, 1);
    }
    int Count(UINT msg) const {
        const auto it = m_counts.find(msg);
        return it == m_counts.end() ? 0 : it->second;
    }
    int Total() const {
        int total = 0;
        for (const auto& [msg, n] : m_counts) total += n;
        return total;
    }
    void Clear() { m_counts.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<LabelSpy*>(data);
        if (msg == WM_SETTEXT || msg == WM_SHOWWINDOW || msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED ||
            msg == WM_SETFONT) {
            ++self->m_counts[msg];
        }
        return DefSubclassProc(hwnd, msg, wp, lp);
    }

    std::vector<HWND> m_labels;
    std::map<UINT, int> m_counts;
};

class GutterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_parent, nullptr);
        gutter = std::make_unique<LineGutter>(m_parent, 96);
        editor = std::make_unique<ScintillaEditor>(m_parent, kEditId, RECT{37, 41, 637, 441});
        PumpMessages();
    }
    void TearDown() override {
        editor.reset();
        gutter.reset();
        m_window.Destroy();
        PumpMessages();
    }

    void Refresh() { gutter->Refresh(*editor); }
    HWND Edit() const { return editor->Handle(); }
    int FirstVisibleLine() const { return editor->FirstVisibleLine(); }
    void ScrollLines(int lines) { SendMessageW(Edit(), SCI_LINESCROLL, 0, lines); }

    // The texts of the visible labels, top to bottom; they must form one run from gyou1.
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        bool ended = false;
        for (int k = 1; k <= kGutterLabelCount; ++k) {
            const bool visible = HasVisibleStyle(gutter->Label(k));
            EXPECT_FALSE(visible && ended) << "gyou" << k << " shows below a hidden label";
            if (visible)
                texts.push_back(WindowText(gutter->Label(k)));
            else
                ended = true;
        }
        return texts;
    }

    test::TestParentWindow m_window{"gutter test", 700, 800};
    HWND m_parent = m_window.Handle();
    std::unique_ptr<LineGutter> gutter;
    std::unique_ptr<ScintillaEditor> editor;
};

// ---- as created ---------------------------------------------------------------------------------

TEST_F(GutterTest, CreatedShowingOnlyOneWithLabelsInOrder) {
    EXPECT_EQ(Shown(), std::vector<std::string>{"1"});
    EXPECT_EQ(gutter->TopLine(), 0);
    HWND child = GetWindow(gutter->Panel(), GW_CHILD);
    for (int k = 1; k <= kGutterLabelCount; ++k) {
        ASSERT_EQ(child, gutter->Label(k)) << "child " << k;
        EXPECT_EQ(GetDlgCtrlID(child), k);
        EXPECT_EQ(WindowText(child), std::to_string(k));
        EXPECT_EQ(HasVisibleStyle(child), k == 1);
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, "Static");
        EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(GutterTest, PanelAndLabelsStandWhereDesignedAt96Dpi) {
    RECT client;
    GetClientRect(m_parent, &client);
    POINT origin{0, 0};
    ClientToScreen(m_parent, &origin);
    RECT panel;
    GetWindowRect(gutter->Panel(), &panel);
    EXPECT_EQ(panel.left - origin.x, 0);
    EXPECT_EQ(panel.top - origin.y, 41);
    EXPECT_EQ(panel.right - panel.left, 37);
    EXPECT_EQ(panel.bottom - panel.top, client.bottom - 41);

    const auto expect = [&](int k, RECT want) {
        const RECT r = RelativeRect(gutter->Label(k), gutter->Panel());
        EXPECT_EQ(r.left, want.left) << "gyou" << k;
        EXPECT_EQ(r.top, want.top) << "gyou" << k;
        EXPECT_EQ(r.right, want.right) << "gyou" << k;
        EXPECT_EQ(r.bottom, want.bottom) << "gyou" << k;
    };
    expect(1, {8, 3, 33, 19});
    expect(13, {10, 195, 34, 211});
    expect(18, {6, 272, 35, 289});
    expect(19, {7, 288, 35, 304});
    expect(20, {7, 304, 35, 320});
    expect(43, {7, 672, 35, 688});
    for (int k = 1; k <= kGutterLabelCount; ++k) {
        const RECT r = RelativeRect(gutter->Label(k), gutter->Panel());
        EXPECT_GE(r.right, 32) << "gyou" << k;
        EXPECT_LE(r.right, 35) << "gyou" << k;
        if (k > 1) {
            EXPECT_GT(r.top, RelativeRect(gutter->Label(k - 1), gutter->Panel()).top) << "gyou" << k;
        }
    }

    gutter->SetBounds(0, 50, 37, 200);
    GetWindowRect(gutter->Panel(), &panel);
    EXPECT_EQ(panel.top - origin.y, 50);
    EXPECT_EQ(panel.bottom - panel.top, 200);
    gutter->SetBounds(0, 50, 37, -20);  // a window shorter than the band: nothing left, no failure
    GetWindowRect(gutter->Panel(), &panel);
    EXPECT_EQ(panel.bottom - panel.top, 0);
}

TEST_F(GutterTest, EverythingScalesWithTheDpi) {
    gutter.reset();
    LineGutter large(m_parent, 144);
    RECT panel;
    GetWindowRect(large.Panel(), &panel);
    EXPECT_EQ(panel.right - panel.left, 56);  // 37 x 1.5, rounded
    const RECT r = RelativeRect(large.Label(43), large.Panel());
    EXPECT_EQ(r.left, 11);
    EXPECT_EQ(r.top, 1008);
    EXPECT_EQ(r.right - r.left, 42);
    EXPECT_EQ(r.bottom - r.top, 24);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(large.Label(1), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -24);
}

TEST_F(GutterTest, LabelsUseTheGutterFont) {
    for (int k : {1, 18, 43}) {
        const auto handle = reinterpret_cast<HFONT>(SendMessageA(gutter->Label(k), WM_GETFONT, 0, 0));
        ASSERT_NE(handle, nullptr) << "gyou" << k;
        LOGFONTA font{};
        ASSERT_EQ(GetObjectA(handle, sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, -16);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_TRUE(font.lfWeight == FW_NORMAL || font.lfWeight == FW_DONTCARE);
        EXPECT_FALSE(font.lfItalic);
        EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
    }
}

TEST_F(GutterTest, PanelColoursCursorAndBevel) {
    HWND panel = gutter->Panel();
    EXPECT_EQ(GetClassLongPtrA(panel, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(panel, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(GetWindowLongA(panel, GWL_STYLE) & (WS_TABSTOP | WS_BORDER | WS_CAPTION), 0);
    EXPECT_EQ(WindowText(panel), "");

    // The labels draw with the panel's background and the window-text colour.
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(gutter->Label(1))));
    EXPECT_EQ(brush, GetSysColorBrush(COLOR_APPWORKSPACE));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_APPWORKSPACE));

    // Raised 1-px bevel: light top and left edges, shadowed bottom and right, panel colour inside.
    gutter->SetBounds(0, 41, 37, 100);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 37, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(dc, 20, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 0, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 20, 99), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 36, 50), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 20, 50), GetSysColor(COLOR_APPWORKSPACE));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GutterTest, LabelsLetTheMouseThroughAndNothingTakesTheFocus) {
    // Transparent to hit-testing, so the panel's cross cursor shows over the numbers as well.
    EXPECT_EQ(SendMessageA(gutter->Label(1), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    SetFocus(Edit());
    SendMessageA(gutter->Panel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(gutter->Panel(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(GetFocus(), Edit());
}

// ---- refresh ------------------------------------------------------------------------------------

TEST_F(GutterTest, ShowsOneLabelMoreThanTheCountedLines) {
    Refresh();
    EXPECT_EQ(Shown(), std::vector<std::string>{"1"});

    editor->SetText("abc");
    Refresh();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "2"}));

    // The empty line after a final break is not counted: the second label stands beside it.
    editor->SetText("abc\r\n");
    Refresh();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "2"}));

    editor->SetText(Lines(1, 5));
    Refresh();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));

    // Labels shown before hide again when the text shrinks.
    editor->Clear();
    Refresh();
    EXPECT_EQ(Shown(), std::vector<std::string>{"1"});
}

// Around the point where every label shows, with and without a final break (which is not counted).
TEST_F(GutterTest, ShowsAllLabelsFromFortyTwoCountedLinesOn) {
    for (int lines = 40; lines <= 45; ++lines) {
        for (const bool finalBreak : {false, true}) {
            editor->SetText(Lines(1, lines) + (finalBreak ? "\r\n" : ""));
            ASSERT_EQ(editor->LineCount(), lines);
            Refresh();
            EXPECT_EQ(static_cast<int>(Shown().size()), std::min(lines + 1, kGutterLabelCount))
                << lines << " lines, final break " << finalBreak;
        }
    }
}

TEST_F(GutterTest, ScrolledFarDownShowsAllNumbersFromTheTopLine) {
    editor->SetBounds(37, 41, 600, 120);  // a few rows, so line 86 can reach the top
    editor->SetText(Lines(1, 100));
    ScrollLines(85);
    ASSERT_EQ(FirstVisibleLine(), 85);
    Refresh();
    EXPECT_EQ(gutter->TopLine(), 85);
    std::vector<std::string> expected;
    for (int n = 86; n <= 128; ++n) expected.push_back(std::to_string(n));
    EXPECT_EQ(Shown(), expected);  // numbers go on beside the empty area under line 100

    // Scrolling alone changes nothing until the next refresh.
    ScrollLines(-80);
    EXPECT_EQ(WindowText(gutter->Label(1)), "86");
    Refresh();
    EXPECT_EQ(gutter->TopLine(), FirstVisibleLine());
    EXPECT_EQ(WindowText(gutter->Label(1)), std::to_string(FirstVisibleLine() + 1));
}

TEST_F(GutterTest, HiddenLabelsAreNumberedToo) {
    editor->SetBounds(37, 41, 600, 120);
    editor->SetText(Lines(1, 30));
    ScrollLines(20);
    const int top = FirstVisibleLine();
    ASSERT_GT(top, 0);
    Refresh();
    EXPECT_EQ(Shown().size(), 31u);
    for (int k = 32; k <= kGutterLabelCount; ++k) {
        EXPECT_FALSE(HasVisibleStyle(gutter->Label(k)));
        EXPECT_EQ(WindowText(gutter->Label(k)), std::to_string(top + k)) << "gyou" << k;
    }
}

TEST_F(GutterTest, WrappedParagraphsCountDisplayedRows) {
    ASSERT_TRUE(editor->WordWrap());
    editor->SetBounds(37, 41, 600, 60);  // a few rows, so the paragraph can scroll
    std::string paragraph;
    for (int i = 0; i < 120; ++i) paragraph += "word ";
    editor->SetText(paragraph + "\r\nlast");
    ASSERT_EQ(editor->LineCount(), 2) << "the wrapped paragraph is one line";
    Refresh();
    EXPECT_EQ(Shown().size(), 3u);
}

TEST_F(GutterTest, RefreshTouchesOnlyLabelsThatChange) {
    editor->SetText(Lines(1, 10));
    LabelSpy spy(*gutter);

    Refresh();  // ten more labels show; the numbers stand as created
    EXPECT_EQ(spy.Count(WM_SHOWWINDOW), 10);
    EXPECT_EQ(spy.Count(WM_SETTEXT), 0);

    spy.Clear();
    Refresh();
    EXPECT_EQ(spy.Total(), 0) << "an unchanged refresh sent the labels messages";
    PumpMessages();

    // One more line: only the twelfth label is shown, no text is set.
    editor->Add("line 11");
    spy.Clear();
    Refresh();
    EXPECT_EQ(spy.Count(WM_SHOWWINDOW), 1);
    EXPECT_EQ(spy.Count(WM_SETTEXT), 0);
    EXPECT_TRUE(HasVisibleStyle(gutter->Label(12)));

    // Scrolled by a line: every number is set, no visibility changes.
    editor->SetBounds(37, 41, 600, 80);
    ScrollLines(1);
    ASSERT_EQ(FirstVisibleLine(), 1);
    spy.Clear();
    Refresh();
    EXPECT_EQ(spy.Count(WM_SETTEXT), kGutterLabelCount);
    EXPECT_EQ(spy.Count(WM_SHOWWINDOW), 0);
    EXPECT_EQ(spy.Count(WM_WINDOWPOSCHANGING), 0);

    spy.Clear();
    Refresh();
    EXPECT_EQ(spy.Total(), 0);
}

}  // namespace
}  // namespace tovel
