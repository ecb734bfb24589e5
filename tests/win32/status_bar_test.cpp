// The status bar of the main window: the format it is told, the caret's place in the file (never a display
// row), its View-menu switch and the room it leaves the editor, and the switch kept in the settings file.
#include "app/win32/status_bar.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/win32/tovel_unit.h"
#include "gutter/win32/line_gutter.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/ui_helpers.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

RECT RectIn(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Checked(TTovForm& form) { return (GetMenuState(form.MainMenu(), cmdStatusBarS3, MF_BYCOMMAND) & MF_CHECKED) != 0; }

bool Shown(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

class StatusBarTest : public test::MainWindowFixture {
protected:
    std::string Position() { return form.Status().Text(StatusBar::kPositionPart); }
    std::string Format() { return form.Status().Text(StatusBar::kFormatPart); }
    // A key as the editor gets it: pressed and released.
    void Key(WPARAM vk) {
        SendMessageA(form.Note().Handle(), WM_KEYDOWN, vk, 1);
        SendMessageA(form.Note().Handle(), WM_KEYUP, vk, 1 | (1u << 30) | (1u << 31));
    }
};

TEST_F(StatusBarTest, ShowsTheFormatItIsTold) {
    struct Row {
        TextFormat format;
        const char* shown;
    };
    const Row rows[] = {
        {{Encoding::ShiftJis, false, LineBreak::CrLf}, "Shift_JIS  CRLF"},
        {{Encoding::Utf8, true, LineBreak::Lf}, "UTF-8 (BOM)  LF"},
        {{Encoding::Utf16Be, true, LineBreak::Cr}, "UTF-16 BE  CR"},
        {{Encoding::EucJp, false, LineBreak::Mixed}, "EUC-JP  改行混在"},
    };
    EXPECT_EQ(Format(), "Shift_JIS  CRLF") << "a new document";
    for (const Row& row : rows) {
        form.AsMainWindow().ShowFormat(row.format);
        EXPECT_EQ(Format(), row.shown);
    }
}

// The line is the file's, counted by its breaks whatever they are, while word wrap lays a long line over
// many rows; the column counts bytes, so a double-byte character is two.
TEST_F(StatusBarTest, ShowsTheCaretsFileLineAndByteColumnOnEveryKey) {
    const std::string wrapped(3000, 'w');
    struct Row {
        const char* name;
        std::string text;
        int caret;  // byte offset
        const char* shown;
    };
    const Row rows[] = {
        {"a wrapped first line", wrapped + "\r\nb\r\nxyz", 3000 + 5 + 2, "3 行  3 列"},
        {"LF breaks", "a\nb\nc\nd", 6, "4 行  1 列"},
        {"CR breaks", "a\rbc\rd", 4, "2 行  3 列"},
        {"mixed breaks", "a\r\nb\nc\rd", 7, "4 行  1 列"},
        {"double-byte characters", "\x82\xa0\x82\xa2z", 4, "1 行  5 列"},
        {"after the final break", "a\r\n", 3, "2 行  1 列"},
    };
    ASSERT_TRUE(form.Note().WordWrap());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        form.Note().SetText(row.text);
        form.Note().SetSelStart(row.caret);
        Key(VK_SHIFT);
        EXPECT_EQ(Position(), row.shown);
    }
    form.Note().SetText(wrapped + "\r\nb\r\nxyz");
    form.Note().SetSelStart(3000 + 5);
    EXPECT_EQ(form.Note().CaretLine(), 2) << "the commands count the same lines, however many rows the first takes";
}

TEST_F(StatusBarTest, FollowsKeysClicksCommandsAndLoads) {
    form.Note().SetText("ab\r\ncd");
    form.Note().SetSelStart(0);
    Key(VK_DOWN);
    EXPECT_EQ(Position(), "2 行  1 列") << "an arrow";
    SendMessageA(form.Note().Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(Position(), "2 行  2 列") << "a typed character";
    form.RunCommand(cmdUndoU1);
    EXPECT_EQ(Position(), "2 行  1 列") << "a command";
    SendMessageA(form.Note().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(form.Note().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Position(), "1 行  1 列") << "a click";
    form.Note().SetSelStart(5);
    Key(VK_SHIFT);
    form.Note().SetText("new text");
    EXPECT_EQ(Position(), "1 行  1 列") << "a load";
}

// Hidden, the bar leaves its room to the editor and the gutter; the menu item's mark follows, and folding
// and unfolding the window keep the layout.
TEST_F(StatusBarTest, TheViewSwitchHidesAndShowsItAndTheEditorTakesItsPlace) {
    HWND status = form.Status().Handle();
    RECT client;
    GetClientRect(form.Handle(), &client);
    const RECT bar = RectIn(form.Handle(), status);
    const RECT note = RectIn(form.Handle(), form.Note().Frame());
    const RECT gutter = RectIn(form.Handle(), form.Gutter().Panel());
    EXPECT_TRUE(Shown(status));
    EXPECT_TRUE(Checked(form));
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_GT(bar.bottom - bar.top, 0);
    EXPECT_EQ(note.bottom, bar.top);
    EXPECT_EQ(gutter.bottom, bar.top);

    form.RunCommand(cmdStatusBarS3);
    EXPECT_FALSE(Shown(status));
    EXPECT_FALSE(Checked(form));
    EXPECT_EQ(RectIn(form.Handle(), form.Note().Frame()).bottom, client.bottom);
    EXPECT_EQ(RectIn(form.Handle(), form.Gutter().Panel()).bottom, client.bottom);
    EXPECT_EQ(RectIn(form.Handle(), form.Note().Frame()).top, note.top);

    form.RunCommand(cmdStatusBarS3);
    EXPECT_TRUE(Shown(status));
    EXPECT_TRUE(Checked(form));
    EXPECT_EQ(RectIn(form.Handle(), form.Note().Frame()).bottom, bar.top);

    form.RunCommand(cmdFoldF1);
    form.RunCommand(cmdFoldF1);
    EXPECT_EQ(RectIn(form.Handle(), status).top, bar.top) << "unfolded, all stands where it stood";
    EXPECT_EQ(RectIn(form.Handle(), form.Note().Frame()).bottom, bar.top);
}

// The place is drawn into its part as the key is handled, with no paint to wait for; the format part and
// the grip stay as they were; the grip sizes a restored window from its corner and is gone when maximized.
TEST_F(StatusBarTest, DrawsANewPlaceAtOnceAndSizesTheWindowFromItsGrip) {
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(form.Handle());
    StatusBar& bar = form.Status();
    RECT client;
    GetClientRect(bar.Handle(), &client);
    const int formatLeft = client.right - MulDiv(200, WindowDpi(form.Handle()), 96);
    const auto ink = [&](int left, int right) {
        ScopedGetDC dc(bar.Handle());
        int count = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = left; x < right; ++x) count += GetPixel(dc.Get(), x, y) == GetSysColor(COLOR_BTNTEXT);
        return count;
    };
    bar.ShowPosition(1, 1);
    const int shortInk = ink(0, formatLeft), formatInk = ink(formatLeft, client.right);
    bar.ShowPosition(1234567, 890);
    EXPECT_GT(ink(0, formatLeft), shortInk) << "drawn before any message is handled";
    EXPECT_EQ(ink(formatLeft, client.right), formatInk) << "the format part is not touched";
    EXPECT_EQ(Position(), "1234567 行  890 列");

    const auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(bar.Handle(), &p);
        return SendMessageA(bar.Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(client.right - 2, client.bottom - 2), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(5, client.bottom / 2), HTCLIENT);
    ShowWindow(form.Handle(), SW_MAXIMIZE);
    GetClientRect(bar.Handle(), &client);
    EXPECT_EQ(hit(client.right - 2, client.bottom - 2), HTCLIENT) << "a maximized window has no grip";
    ShowWindow(form.Handle(), SW_RESTORE);
}

std::string StoredSwitch(const std::string& ini) {
    char value[16] = {};
    GetPrivateProfileStringA("Form", "StatusBar", "(none)", value, sizeof value, ini.c_str());
    return value;
}

class StatusBarSetting : public test::MainWindowHost {};

// The folder is the current one while alive, as when the program is started from its own folder: the close
// writes its backup there.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) {
        GetCurrentDirectoryA(sizeof m_previous, m_previous);
        SetCurrentDirectoryA(folder.c_str());
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    ~CurrentFolder() { SetCurrentDirectoryA(m_previous); }

private:
    char m_previous[MAX_PATH] = {};
};

// Read at start (1 shown, 0 hidden, anything else or nothing the default: shown) and written at the close.
TEST_F(StatusBarSetting, IsReadAtStartAndWrittenAtTheClose) {
    struct Row {
        const char* stored;  // nullptr: no key
        bool shown;
        const char* written;
    };
    const Row rows[] = {
        {"0", false, "0"}, {"1", true, "1"}, {nullptr, true, "1"}, {"2", true, "1"}, {"off", true, "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "(none)");
        test::TestFolder folder;
        const std::string ini = folder / "tovel.ini";
        if (row.stored) WritePrivateProfileStringA("Form", "StatusBar", row.stored, ini.c_str());
        {
            CurrentFolder current(folder.Path());
            StopAtExit stop(*this);
            TTovForm& form = Start(folder.Path());
            EXPECT_EQ(form.Status().Shown(), row.shown);
            EXPECT_EQ(Shown(form.Status().Handle()), row.shown);
            EXPECT_EQ(Checked(form), row.shown);
            SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(StoredSwitch(ini), row.written);
    }
}

}  // namespace
}  // namespace tovel
