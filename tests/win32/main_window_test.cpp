// The main window as a person meets it: menus, toolbar, context menus and the shortcut lookup driven by
// real key input (and kept out of the settings dialog), the editing commands, and the gutter following keys and clicks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "AboutBox/win32/about_form.h"
#include "app/win32/tool_band.h"
#include "app/win32/tovel_unit.h"
#include "gutter/win32/line_gutter.h"
#include "platform/error.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_desktop_window.h"
#include "setting/win32/setting_form.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/drop_files.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

std::string Text(HWND hwnd) { return test::WindowCaption(hwnd); }

// True when `upper` lies above `lower` among the windows on the screen.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string MenuText(HMENU menu, UINT position) {
    char buf[256] = {};
    GetMenuStringA(menu, position, buf, sizeof buf, MF_BYPOSITION);
    return buf;
}

class MainWindowTest : public test::MainWindowFixture {
protected:
    MainWindowTest() : m_about(app, form.Handle()), m_setting(app, form, form.Handle()) {
        form.SetCompanions(&m_about, &m_setting);
        form.SetCommandObserver([this](CommandId c) { m_commands.push_back(c); });
        ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
        ShowWindow(form.Handle(), SW_SHOW);
        SetForegroundWindow(form.Handle());
        SetFocus(form.Note().Handle());
        Pump();
    }
    ~MainWindowTest() override {
        ShowWindow(form.Handle(), SW_HIDE);
        Pump();
    }

    // The program's message loop in miniature: the shortcut lookup sees every message first.
    void Pump(int rounds = 3) {
        for (int i = 0; i < rounds; ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) continue;
                if (form.PreviewMessage(msg) || m_about.PreviewMessage(msg) || m_setting.PreviewMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(20);
        }
    }

    // Real key input: the key with Ctrl held when asked.
    void Press(WORD vk, bool ctrl = false, bool pump = true) {
        std::vector<INPUT> in;
        auto key = [&](WORD code, bool up) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = code;
            i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            in.push_back(i);
        };
        if (ctrl) key(VK_CONTROL, false);
        key(vk, false);
        key(vk, true);
        if (ctrl) key(VK_CONTROL, true);
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
        if (pump) Pump();
    }

    std::vector<CommandId> TakeCommands() { return std::exchange(m_commands, {}); }

    TAbout_Form m_about;
    TSettingForm m_setting;
    std::vector<CommandId> m_commands;
};

TEST_F(MainWindowTest, MenuBarAndContextMenusCarryTheCaptionsAndShortcutNames) {
    HMENU bar = form.MainMenu();
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    EXPECT_EQ(MenuText(bar, 0), "ファイル(&F)");
    EXPECT_EQ(MenuText(bar, 2), "ツール(&T)");
    EXPECT_EQ(MenuText(bar, 4), "ヘルプ(&H)");
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemCount(file), 18);
    EXPECT_EQ(MenuText(file, 0), "新規作成(&N)\tCtrl+N");
    EXPECT_EQ(MenuText(file, 6), "文字コードを指定して保存(&K)...");
    EXPECT_EQ(MenuText(file, 7), "文字コードを指定して開き直す(&E)");
    EXPECT_EQ(MenuText(GetSubMenu(file, 7), 0), "自動判定(&A)");
    EXPECT_EQ(MenuText(GetSubMenu(file, 7), 7), "JIS(&J)");
    EXPECT_EQ(MenuText(GetSubMenu(file, 8), 1), "LF (Unix)(&U)");
    EXPECT_EQ(MenuText(file, 13), "プレビュー(&V)\tF4");
    EXPECT_EQ(MenuText(file, 17), "tovelの終了(&X)");
    HMENU show = GetSubMenu(bar, 3);
    EXPECT_EQ(MenuText(show, 0), "常に手前に表示(&A)\tF3");
    HMENU strings = GetSubMenu(GetSubMenu(bar, 2), 2);
    EXPECT_EQ(MenuText(strings, 2), "指定文字列削除(&D)");
    EXPECT_EQ(MenuText(form.NotePopupMenu(), 1), "やり直し(&R)\tCtrl+Y");
    EXPECT_EQ(MenuText(form.NotePopupMenu(), 3), "切り取り(&T)\tCtrl+T");
    EXPECT_EQ(MenuText(GetSubMenu(form.NotePopupMenu(), 10), 2), "開く(&O)");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 1), 1), "やり直し(&R)\tCtrl+Y");
    EXPECT_EQ(MenuText(form.ToolPopupMenu(), 2), "tovel editorを起動\tF12");
    EXPECT_EQ(MenuText(GetSubMenu(form.ToolPopupMenu(), 4), 4), "15%");
}

TEST_F(MainWindowTest, ToolbarHasEightCaptionedButtonsFillingItsWidth) {
    HWND bar = form.Band().ToolBar();
    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 12);
    const char* captions[] = {"新規", "開く", "保存", "プレビュー", "元に戻す", "切り取り", "コピー", "貼り付け"};
    int captioned = 0, right = 0;
    for (int i = 0; i < 12; ++i) {
        TBBUTTON b{};
        SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        RECT r{};
        SendMessageA(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        right = r.right;
        if (b.fsStyle & BTNS_SEP) {
            EXPECT_EQ(r.right - r.left, 8) << "separator " << i;
            continue;
        }
        char text[64] = {};
        SendMessageA(bar, TB_GETBUTTONTEXTA, b.idCommand, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, captions[captioned++]);
        EXPECT_EQ(r.right - r.left, 60);
        EXPECT_EQ(r.bottom - r.top, 35);
    }
    EXPECT_EQ(captioned, 8);
    // The toolbar window itself stands at left 9 in its band, 512 px wide, and its buttons fill it.
    RECT band{}, toolbar{};
    GetWindowRect(form.Band().CoolBar(), &band);
    GetWindowRect(bar, &toolbar);
    EXPECT_EQ(band.bottom - band.top, 41);
    EXPECT_EQ(toolbar.left - band.left, 9);
    EXPECT_EQ(toolbar.right - toolbar.left, 512);
    EXPECT_EQ(right, toolbar.right - toolbar.left);
}

TEST_F(MainWindowTest, BandPictureShowsBehindTheTransparentToolbar) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    RECT all{0, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(red);
    ReleaseDC(nullptr, screen);

    form.Band().SetBackground(picture);
    RedrawWindow(form.Band().CoolBar(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    HDC band = GetDC(form.Band().CoolBar());
    HDC bar = GetDC(form.Band().ToolBar());
    EXPECT_EQ(GetPixel(band, 2, 2), RGB(255, 0, 0)) << "the holder left of the toolbar";
    EXPECT_EQ(GetPixel(bar, 1, 1), RGB(255, 0, 0)) << "through the toolbar, above a button's picture";
    ReleaseDC(form.Band().ToolBar(), bar);
    ReleaseDC(form.Band().CoolBar(), band);
    form.Band().SetBackground(nullptr);
    DeleteObject(picture);
}

TEST_F(MainWindowTest, ShortcutsWithTheEditorFocusedSearchItsContextMenuThenTheMenuBar) {
    // Find asks for its string (Esc ends it silently); the paste marks the document modified, so the
    // template's New asks first: answer No.
    CreateDirectoryA((folder / "doc").c_str(), nullptr);
    CloseHandle(CreateFileA((folder / "doc\\tag.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Win32Clipboard(form.Handle()).WriteText("pasted");
    test::DialogAnswerer answer({{test::Act::Escape()}, {test::Act::Click("いいえ(&N)")}});
    Press(VK_F3);
    Press('P', true);
    Press('H', true);
    Press('N', true);
    RECT before{}, folded{};
    GetWindowRect(form.Handle(), &before);
    Press(VK_F11);
    GetWindowRect(form.Handle(), &folded);
    Press(VK_F12);
    EXPECT_EQ(TakeCommands(), (std::vector<CommandId>{cmdFind1, cmdPasteP1, cmdHTMLTagH1, cmdNewN1, cmdFoldF1}))
        << "F3 runs Find, never always-on-top; F11 folds once, from the menu bar; F12 does nothing in the editor";
    EXPECT_EQ(folded.bottom - folded.top, 38);
    EXPECT_EQ(folded.right - folded.left, before.right - before.left);
    EXPECT_TRUE(GetMenuState(form.MainMenu(), cmdFoldF1, MF_BYCOMMAND) & MF_CHECKED);
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(answer.Seen()[0].caption, "検索");
    EXPECT_EQ(answer.Seen()[1].caption, "確認");
}

TEST_F(MainWindowTest, F11AndF12ActWhileTheToolbarHasTheFocus) {
    SetFocus(form.Band().ToolBar());
    Pump();
    // The test's program folder holds no tovel.exe: the new editor cannot start, and the user is told.
    test::DialogAnswerer answer({{test::Act::Enter()}});
    Press(VK_F11);
    Press(VK_F12);
    Press('P', true);
    EXPECT_EQ(TakeCommands(), (std::vector<CommandId>{cmdFoldF1, cmdExecuteTovel1, cmdPasteP1}));
    ASSERT_EQ(answer.Seen().size(), 1u);
    EXPECT_NE(answer.Seen()[0].statics.back().find("tovel.exe を開けませんでした。"), std::string::npos);
}

TEST_F(MainWindowTest, KeysInTheSettingsDialogActOnItsOwnControlsNeverOnTheDocument) {
    test::DialogAnswerer answer({});  // a question from a command the keys must not run is closed and counted
    Win32Clipboard clipboard(form.Handle());
    form.Note().SetText("document");
    form.Note().SetSelStart(0);
    clipboard.WriteText("zz");
    m_setting.ShowModeless();
    SetFocus(m_setting.Item(SettingItem::PageControl1));
    Pump();
    Press(VK_TAB, true);  // Ctrl+Tab: the page with the path box
    HWND box = m_setting.Item(SettingItem::ToolBit);
    ASSERT_TRUE(IsWindowVisible(box));
    SetWindowTextA(box, "C:\\pic.bmp");
    SetFocus(box);
    SendMessageA(box, EM_SETSEL, 0, -1);
    Pump();
    Press('A', true);
    Press('C', true);
    EXPECT_EQ(clipboard.ReadText(), "C:\\pic.bmp") << "the box's text, not the document";
    Press('D', true);
    Press('N', true);
    Press('P', true);
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(answer.Unexpected(), 0);
    EXPECT_EQ(form.Note().Text(), "document");
    EXPECT_EQ(form.Note().SelLength(), 0);
    // Back in the main window the same keys are the document's again.
    SetForegroundWindow(form.Handle());
    SetFocus(form.Note().Handle());
    Pump();
    Press('A', true);
    EXPECT_EQ(TakeCommands(), std::vector<CommandId>{cmdSelectAllA1});
    EXPECT_EQ(form.Note().SelLength(), 8);
}

TEST_F(MainWindowTest, NoShortcutActsWhileAModalBoxIsOpen) {
    // The keys go through the box's own loop, which never runs the shortcut lookup; they are used up
    // there, so none is left over to run a command once the box has closed.
    auto pressWhileOpen = [&](HWND) { Press('N', true, false); };
    auto wait = [](HWND) {};
    test::DialogAnswerer answer({{test::Act::Call(pressWhileOpen), test::Act::Call(wait), test::Act::Call(wait),
                                  test::Act::Call(wait), test::Act::Enter()}});
    app.ShowError("modal");
    Pump();
    EXPECT_TRUE(TakeCommands().empty());
    EXPECT_EQ(answer.Seen().size(), 1u);
    // The same keys with no box open do run the command.
    form.Note().SetText("");
    Press('N', true);
    EXPECT_EQ(TakeCommands(), std::vector<CommandId>{cmdNewN1});
}

TEST_F(MainWindowTest, EditingCommandsActOnTheEditorAndMarkTheDocument) {
    Win32Clipboard clipboard(form.Handle());
    ScintillaEditor& note = form.Note();
    note.SetText("alpha beta");
    clipboard.WriteText("zz");
    note.SetSelStart(0);
    form.Commands().CutT1Click();  // empty selection: nothing happens
    form.Commands().DeleteD1Click();
    EXPECT_EQ(note.Text(), "alpha beta");
    EXPECT_EQ(clipboard.ReadText(), "zz");
    note.SetSelLength(5);
    form.Commands().CutT1Click();  // the toolbar's cut
    EXPECT_EQ(note.Text(), " beta");
    EXPECT_EQ(clipboard.ReadText(), "alpha");
    form.Commands().SelectAllA1Click();
    form.Commands().CopyC1Click();
    EXPECT_EQ(clipboard.ReadText(), " beta");
    form.SetCompanions(&m_about, &m_setting);
    note.SetSelStart(5);
    form.Commands().PasteP1Click();
    EXPECT_EQ(note.Text(), " beta beta");
    form.Commands().UndoU1Click();
    EXPECT_EQ(note.Text(), " beta");
    note.SelectAll();
    form.Commands().DeleteD1Click();
    EXPECT_EQ(note.Text(), "");
}

TEST_F(MainWindowTest, AnErrorInTheEditorsObserversIsShownAndTheProgramGoesOn) {
    form.Note().SetMessageObserver([](UINT msg, WPARAM, LPARAM) -> bool {
        if (msg == WM_KEYDOWN) throw Error("観察に失敗しました");
        return false;
    });
    test::DialogAnswerer answer({{test::Act::Enter()}});
    SendMessageW(form.Note().Handle(), WM_KEYDOWN, 'A', 1);
    ASSERT_EQ(answer.Seen().size(), 1u);
    ASSERT_FALSE(answer.Seen()[0].statics.empty());
    EXPECT_EQ(answer.Seen()[0].statics.back(), "観察に失敗しました.");
    SendMessageW(form.Note().Handle(), WM_CHAR, L'z', 1);
    EXPECT_EQ(form.Note().Text(), "z") << "the editor still works";
}

TEST_F(MainWindowTest, OnlyAChangeOfTheTextMarksTheDocumentAndTheGutterFollowsTheText) {
    LineGutter& gutter = form.Gutter();
    EXPECT_EQ(gutter.Numbers().size(), 1u);
    form.Note().SetText("a\r\nb\r\nc");
    EXPECT_EQ(gutter.Numbers().size(), 3u) << "setting the text refreshes the gutter at once";
    // The same text from a file: the document is that file, unchanged.
    const std::string file = folder / "abc.txt";
    std::ofstream(file, std::ios::binary) << "a\r\nb\r\nc";
    {
        test::DialogAnswerer answer({{test::Act::Click("いいえ(&N)")}});
        SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({file})), 0);
    }
    ASSERT_EQ(form.Document().ModMark, " - ");
    Press(VK_RIGHT);
    EXPECT_EQ(gutter.Numbers().size(), 3u);
    for (WORD vk : {VK_DOWN, VK_END, VK_SHIFT}) Press(vk);
    EXPECT_EQ(form.Document().ModMark, " - ") << "keys that change nothing leave the document clean";
    Press('X');
    EXPECT_EQ(form.Note().Text(), "a\r\nbx\r\nc");
    EXPECT_EQ(form.Document().ModMark, " * ");
    EXPECT_EQ(Text(form.Handle()), "abc.txt * tovel editor");
    EXPECT_EQ(app.Title(), "abc.txt - tovel editor") << "the taskbar never shows the marker";

    form.Note().SetText("one line");
    SendMessageA(form.Note().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(form.Note().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(gutter.Numbers().size(), 1u) << "a click changes nothing in the gutter";
}

TEST_F(MainWindowTest, AboutBoxAndSettingsDialogOpenWithoutBlocking) {
    form.Commands().Version1Click();
    form.Commands().S2Click();
    EXPECT_TRUE(IsWindowVisible(m_about.Handle()));
    EXPECT_TRUE(IsWindowVisible(m_setting.Handle()));
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    form.Commands().Version1Click();  // shown again: brought to the front
    EXPECT_EQ(GetForegroundWindow(), m_about.Handle());
    SendMessageA(m_about.Handle(), WM_CLOSE, 0, 0);
    SendMessageA(m_setting.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(m_about.Handle()));
    EXPECT_TRUE(IsWindow(m_about.Handle())) << "closing only hides it";
}

// The About box and the settings dialog belong to the main window: centred on it wherever it stands, and
// neither its activation (a click into it) nor its staying on top covers them. Checked as the system orders
// the windows: Xvfb runs no window manager, so the X server's own stacking may differ afterwards.
TEST_F(MainWindowTest, TheBoxesOpenCentredOnTheMainWindowAndStayAboveItOnTopOrNot) {
    SetWindowPos(form.Handle(), nullptr, 120, 90, 600, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const bool onTop : {false, true}) {
        Win32DesktopWindow(form.Handle()).SetTopmost(onTop);
        form.Commands().Version1Click();
        form.Commands().S2Click();
        SetForegroundWindow(form.Handle());  // a click into the editor
        for (HWND box : {m_about.Handle(), m_setting.Handle()}) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), form.Handle());
            EXPECT_TRUE(IsWindowVisible(box));
            EXPECT_TRUE(Above(box, form.Handle())) << "on top " << onTop;
            EXPECT_LE(std::abs(CentreOf(box).x - (120 + 300)), 1);
            EXPECT_LE(std::abs(CentreOf(box).y - (90 + 225)), 1);
        }
        Pump();
        m_about.Button1Click();
        m_setting.CloseButtonClick();
    }
    Win32DesktopWindow(form.Handle()).SetTopmost(false);
}

// The boxes, closed or once opened and closed again, never keep the main window out of the topmost band.
TEST_F(MainWindowTest, OnTopWorksWithTheBoxesClosed) {
    const auto onTop = [this] { return (GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    for (const bool openedBefore : {false, true}) {
        if (openedBefore) {
            form.Commands().Version1Click();
            form.Commands().S2Click();
            m_about.Button1Click();
            m_setting.CloseButtonClick();
        }
        form.Commands().FrontF1Click();
        EXPECT_TRUE(onTop()) << "opened before " << openedBefore;
        form.Commands().FrontF1Click();
        EXPECT_FALSE(onTop());
    }
}

// Minimized from the main window or from the taskbar button (the application window).
TEST_F(MainWindowTest, TheBoxesGoWithTheMinimizedMainWindowAndOnlyTheShownOnesComeBack) {
    for (HWND minimizedFrom : {form.Handle(), app.Handle()}) {
        form.Commands().Version1Click();  // the settings dialog stays closed
        Pump();
        SendMessageA(minimizedFrom, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Pump();
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        EXPECT_TRUE(IsIconic(app.Handle()));
        EXPECT_FALSE(IsWindowVisible(m_about.Handle())) << "not left floating without its window";
        EXPECT_FALSE(IsWindowVisible(m_setting.Handle()));
        SendMessageA(app.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(Above(m_about.Handle(), form.Handle()));
        Pump();
        EXPECT_TRUE(IsWindowVisible(form.Handle()));
        EXPECT_TRUE(IsWindowVisible(m_about.Handle()));
        EXPECT_FALSE(IsWindowVisible(m_setting.Handle())) << "closed before, closed after";
        m_about.Button1Click();
    }
}

TEST_F(MainWindowTest, EscAndEnterTypedInTheBoxesCloseThemAndNeverReachTheDocument) {
    form.Note().SetText("document");
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        form.Commands().Version1Click();
        Pump();
        ASSERT_EQ(GetFocus(), m_about.Handle());
        Press(key);
        EXPECT_FALSE(IsWindowVisible(m_about.Handle())) << key;
    }
    form.Commands().S2Click();
    SetFocus(m_setting.Item(SettingItem::WWCheck));
    Pump();
    Press(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(m_setting.Handle()));
    EXPECT_EQ(form.Note().Text(), "document");
    EXPECT_TRUE(TakeCommands().empty());
}

}  // namespace
}  // namespace tovel
