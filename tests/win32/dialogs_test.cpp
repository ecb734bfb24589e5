// The program's own dialogs driven by real keys and clicks.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/win32/application.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_dialogs.h"
#include "tests/win32/dialog_answerer.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

constexpr char kTitle[] = "tovel editor plus!";

// A plain visible top-level window of the program, standing for the main window.
HWND CreateOtherWindow() {
    return CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int LineHeight(HWND control) {
    ScopedGetDC dc(control);
    ScopedSelect font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    return tm.tmHeight;
}

class DialogsTest : public testing::Test {
protected:
    DialogsTest() : app(GetModuleHandleA(nullptr)), dialogs(app) { app.SetTitle(kTitle); }
    Application app;
    Win32Dialogs dialogs;
};

TEST_F(DialogsTest, InputBoxReturnsTheTypedTextExactly) {
    DialogAnswerer answer({{Act::Type("  new  text "), Act::Enter()}});
    // The default is selected, so typing replaces it.
    EXPECT_EQ(dialogs.InputBox("行削除", "削除する行番号を入力してください", "old"), "  new  text ");
    ASSERT_EQ(answer.Seen().size(), 1u);
    const auto& seen = answer.Seen()[0];
    EXPECT_EQ(seen.caption, "行削除");
    EXPECT_EQ(seen.statics, std::vector<std::string>{"削除する行番号を入力してください"});
    EXPECT_EQ(seen.edits, std::vector<std::string>{"old"});
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "キャンセル"}));
    EXPECT_EQ(seen.focus, "old");
    EXPECT_TRUE(seen.style & WS_SYSMENU);
    EXPECT_FALSE(seen.style & WS_THICKFRAME);
    EXPECT_TRUE(answer.Done());
}

TEST_F(DialogsTest, InputBoxCancelledAnyWayGivesNothing) {
    for (const Act& cancel : {Act::Escape(), Act::Click("キャンセル"), Act::Close()}) {
        DialogAnswerer answer({{Act::Type("typed"), cancel}});
        EXPECT_FALSE(dialogs.InputBox("c", "p", "dflt").has_value());
        EXPECT_TRUE(answer.Done());
        EXPECT_EQ(answer.Unexpected(), 0);
    }
    DialogAnswerer answer({{Act::Type("x"), Act::Click("OK")}});
    EXPECT_EQ(dialogs.InputBox("c", "p", ""), "x");
}

TEST_F(DialogsTest, InputBoxRefusesInputBeyond255BytesAndKeepsWhatItHas) {
    const std::string sevens253(253, '7'), sevens254(254, '7'), sevens250(250, '7');
    {
        DialogAnswerer answer({{Act::Type(std::string(300, '7')), Act::Enter()}});
        EXPECT_EQ(dialogs.InputBox("c", "p", ""), std::string(255, '7'));
    }
    {
        // あ fits in the last two bytes; い and x then do not.
        DialogAnswerer answer({{Act::Type(sevens253), Act::Type("あ"), Act::Type("い"), Act::Type("x"), Act::Enter()}});
        EXPECT_EQ(dialogs.InputBox("c", "p", ""), sevens253 + "あ");
    }
    {
        // A refused double-byte character leaves no half behind: its trail byte never arrives on its own.
        DialogAnswerer answer({{Act::Type(sevens254), Act::Type("あ"), Act::Type("x"), Act::Enter()}});
        EXPECT_EQ(dialogs.InputBox("c", "p", ""), sevens254 + "x");
    }
    {
        // A paste that would pass the limit is refused whole; the text and caret stay for what follows.
        Win32Clipboard(nullptr).WriteText("abcdef");
        DialogAnswerer answer({{Act::Type(sevens250), Act::Call([](HWND) { PostMessageA(GetFocus(), WM_PASTE, 0, 0); }),
                                Act::Type("yz"), Act::Enter()}});
        EXPECT_EQ(dialogs.InputBox("c", "p", ""), sevens250 + "yz");
    }
}

// Types UTF-16 units into the focused control, as a Unicode keyboard does: a character beyond the basic
// plane comes as its two halves.
Act TypeWide(std::wstring units) {
    return Act::Call([units](HWND) {
        for (const wchar_t unit : units) PostMessageW(GetFocus(), WM_CHAR, unit, 1);
    });
}

std::wstring WideTextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST_F(DialogsTest, Utf8InputBoxTakesCharactersShiftJisLacksAndShowsItsDefault) {
    struct Case {
        const char* name;
        std::string def;
        std::wstring shown;  // what the box shows first
        std::wstring typed;
        std::string answer;
    } cases[] = {
        {"sushi and ogai typed over a default", U8(u8"😀 既定"), L"\U0001F600 \x65E2\x5B9A", L"\U0001F363\x9DD7",
         U8(u8"🍣鷗")},
        {"kept default", U8(u8"鷗外"), L"\x9DD7\x5916", L"", U8(u8"鷗外")},
        {"a default that is not UTF-8 shows nothing", "\x82\xA0", L"", L"x", "x"},
    };
    for (const Case& c : cases) {
        std::wstring shown = L"(not seen)";
        std::vector<Act> acts{Act::Call([&](HWND) { shown = WideTextOf(GetFocus()); })};
        if (!c.typed.empty()) acts.push_back(TypeWide(c.typed));
        acts.push_back(Act::Enter());
        DialogAnswerer answer({acts});
        EXPECT_EQ(dialogs.InputBoxUtf8("検索", "検索する文字列", c.def), c.answer) << c.name;
        EXPECT_EQ(shown, c.shown) << c.name;
        ASSERT_EQ(answer.Seen().size(), 1u) << c.name;
        EXPECT_EQ(answer.Seen()[0].caption, "検索") << c.name;
        EXPECT_EQ(answer.Seen()[0].buttons, (std::vector<std::string>{"OK", "キャンセル"})) << c.name;
    }
    DialogAnswerer cancelled({{TypeWide(L"\U0001F363"), Act::Escape()}});
    EXPECT_FALSE(dialogs.InputBoxUtf8("c", "p", "").has_value());
}

TEST_F(DialogsTest, Utf8InputBoxLooksLikeTheAnsiOne) {
    struct Look {
        RECT edit{};
        HGDIOBJ font = nullptr;
        LOGFONTA face{};
        bool unicode = false;
    };
    const auto lookOf = [](Look& look) {
        return Act::Call([&look](HWND dlg) {
            const HWND edit = GetFocus();
            look.edit = ChildRect(dlg, edit);
            look.font = reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0));
            if (look.font) GetObjectA(look.font, sizeof look.face, &look.face);
            look.unicode = IsWindowUnicode(edit);
        });
    };
    Look ansi, utf8;
    {
        DialogAnswerer answer({{lookOf(ansi), Act::Enter()}});
        dialogs.InputBox("c", "p", "");
    }
    {
        DialogAnswerer answer({{lookOf(utf8), Act::Enter()}});
        dialogs.InputBoxUtf8("c", "p", "");
    }
    EXPECT_TRUE(EqualRect(&ansi.edit, &utf8.edit));
    ASSERT_NE(utf8.font, nullptr) << "the box's own font, not the system's";
    EXPECT_STREQ(utf8.face.lfFaceName, ansi.face.lfFaceName);
    EXPECT_EQ(utf8.face.lfHeight, ansi.face.lfHeight);
    EXPECT_TRUE(utf8.unicode);
}

TEST_F(DialogsTest, Utf8InputBoxCountsItsLimitInUtf8Bytes) {
    const std::string a252(252, 'a');
    {
        // 🍣 (4 bytes) would make 256: refused with both its halves; é (2) and x (1) then make 255.
        DialogAnswerer answer(
            {{Act::Type(a252), TypeWide(L"\U0001F363\xE9x"), TypeWide(L"y"), TypeWide(L"\x65E5"), Act::Enter()}});
        const std::string expected = a252 + U8(u8"éx");
        EXPECT_EQ(dialogs.InputBoxUtf8("c", "p", ""), expected);
    }
    {
        // 日 (3 bytes) fits after 252; a paste of two more bytes is then refused whole.
        Win32Clipboard(nullptr).WriteUnicodeText("zz");
        DialogAnswerer answer({{Act::Type(a252), TypeWide(L"\x65E5"),
                                Act::Call([](HWND) { PostMessageW(GetFocus(), WM_PASTE, 0, 0); }), Act::Enter()}});
        const std::string expected = a252 + U8(u8"日");
        EXPECT_EQ(dialogs.InputBoxUtf8("c", "p", ""), expected);
    }
    {
        // A paste that fits is taken: 🍣 from the clipboard makes 256 - 4 + 4 = 255 after 251 bytes.
        Win32Clipboard(nullptr).WriteUnicodeText(U8(u8"🍣"));
        DialogAnswerer answer({{Act::Type(std::string(251, 'a')),
                                Act::Call([](HWND) { PostMessageW(GetFocus(), WM_PASTE, 0, 0); }), Act::Enter()}});
        const std::string expected = std::string(251, 'a') + U8(u8"🍣");
        EXPECT_EQ(dialogs.InputBoxUtf8("c", "p", ""), expected);
    }
}

TEST_F(DialogsTest, InputBoxLayoutFollowsItsFont) {
    std::string longPrompt;
    for (int i = 0; i < 40; ++i) longPrompt += "word ";
    RECT label{}, edit{}, ok{}, cancel{}, client{}, window{};
    DialogAnswerer answer({{Act::Call([&](HWND dlg) {
                                HWND children[4] = {};
                                int n = 0;
                                for (HWND c = GetWindow(dlg, GW_CHILD); c && n < 4; c = GetWindow(c, GW_HWNDNEXT))
                                    children[n++] = c;
                                label = ChildRect(dlg, children[0]);
                                edit = ChildRect(dlg, children[1]);
                                ok = ChildRect(dlg, GetDlgItem(dlg, IDOK));
                                cancel = ChildRect(dlg, GetDlgItem(dlg, IDCANCEL));
                                GetClientRect(dlg, &client);
                                GetWindowRect(dlg, &window);
                                EXPECT_GT(label.bottom - label.top, 2 * LineHeight(children[0]));  // wrapped
                            }),
                            Act::Enter()}});
    dialogs.InputBox("c", std::string(longPrompt), "");

    EXPECT_EQ(edit.top - label.bottom, 5);
    EXPECT_EQ(edit.left, label.left);
    EXPECT_EQ(ok.top - edit.bottom, 15);
    EXPECT_EQ(client.bottom - ok.bottom, 13);
    EXPECT_EQ(ok.top, cancel.top);
    EXPECT_EQ(ok.right - ok.left, cancel.right - cancel.left);
    // 180 units of client width, OK at 38 and キャンセル at 92, buttons and edit 50 and 164 wide.
    const double unit = (ok.right - ok.left) / 50.0;
    EXPECT_NEAR(client.right, 180 * unit, 4);
    EXPECT_NEAR(ok.left, 38 * unit, 2);
    EXPECT_NEAR(cancel.left, 92 * unit, 2);
    EXPECT_NEAR(edit.right - edit.left, 164 * unit, 4);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(DialogsTest, ConfirmationAnswers) {
    struct Case {
        Act act;
        DialogResult expected;
    };
    const Case cases[] = {{Act::Enter(), DialogResult::Yes},
                          {Act::Escape(), DialogResult::Cancel},
                          {Act::Close(), DialogResult::Cancel},
                          {Act::Click("いいえ(&N)"), DialogResult::No},
                          {Act::Click("キャンセル"), DialogResult::Cancel},
                          {Act::Click("はい(&Y)"), DialogResult::Yes}};
    for (const Case& c : cases) {
        DialogAnswerer answer({{c.act}});
        EXPECT_EQ(dialogs.ConfirmYesNoCancel("無題 は変更されています。保存しますか?"), c.expected);
        ASSERT_EQ(answer.Seen().size(), 1u);
    }
    // Enter presses the focused button once the focus has moved on.
    DialogAnswerer answer({{Act::Tab(), Act::Enter()}});
    EXPECT_EQ(dialogs.ConfirmYesNoCancel("q"), DialogResult::No);
    // A question whose Yes replaces what the user may want to keep starts on No.
    DialogAnswerer onNo({{Act::Enter()}});
    EXPECT_EQ(dialogs.ConfirmYesNoCancel("上書きしますか?", DialogResult::No), DialogResult::No);
}

TEST_F(DialogsTest, ConfirmationShowsCaptionIconAndButtons) {
    DialogAnswerer answer({{Act::Escape()}});
    dialogs.ConfirmYesNoCancel("a.txt は変更されています。\r保存しますか?");
    ASSERT_EQ(answer.Seen().size(), 1u);
    const auto& seen = answer.Seen()[0];
    EXPECT_EQ(seen.caption, "確認");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)", "キャンセル"}));
    EXPECT_EQ(seen.focus, "はい(&Y)");
    ASSERT_EQ(seen.icons.size(), 1u);
    EXPECT_EQ(seen.icons[0], LoadIconA(nullptr, IDI_QUESTION));
    // The lone CR breaks the line.
    EXPECT_EQ(seen.statics, std::vector<std::string>{"a.txt は変更されています。\r\n保存しますか?"});
}

TEST_F(DialogsTest, EveryLineBreakKindMakesTwoLines) {
    for (const char* message : {"first\rsecond", "first\nsecond", "first\r\nsecond"}) {
        int height = 0, line = 0;
        DialogAnswerer answer({{Act::Call([&](HWND dlg) {
                                    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                                        char cls[16] = {};
                                        GetClassNameA(c, cls, sizeof cls);
                                        if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextLengthA(c) > 0) {
                                            const RECT r = ChildRect(dlg, c);
                                            height = r.bottom - r.top;
                                            line = LineHeight(c);
                                        }
                                    }
                                }),
                                Act::Enter()}});
        dialogs.ShowMessage(message);
        EXPECT_EQ(height, 2 * line) << message;
    }
}

TEST_F(DialogsTest, ShowMessageIsCaptionedWithTheApplicationTitle) {
    for (const Act& close : {Act::Enter(), Act::Escape(), Act::Close(), Act::Click("OK")}) {
        DialogAnswerer answer({{close}});
        dialogs.ShowMessage("置換しました");
        ASSERT_EQ(answer.Seen().size(), 1u);
        const auto& seen = answer.Seen()[0];
        EXPECT_EQ(seen.caption, kTitle);
        EXPECT_EQ(seen.statics, std::vector<std::string>{"置換しました"});
        EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
        EXPECT_TRUE(seen.icons.empty());
        EXPECT_TRUE(answer.Done());
    }
}

TEST_F(DialogsTest, CtrlCCopiesTheDialogText) {
    const std::string divider = std::string(27, '-') + "\r\n";
    Win32Clipboard(nullptr).WriteText("before");
    {
        DialogAnswerer answer({{Act::CtrlC(), Act::Escape()}});
        EXPECT_EQ(dialogs.ConfirmYesNoCancel("a.txt は変更されています。\r保存しますか?"), DialogResult::Cancel);
    }
    EXPECT_EQ(Win32Clipboard(nullptr).ReadText(), divider + "確認\r\n" + divider +
                                                      "a.txt は変更されています。\r保存しますか?\r\n" + divider +
                                                      "はい(Y)   いいえ(N)   キャンセル   \r\n" + divider);
    {
        DialogAnswerer answer({{Act::CtrlC(), Act::Enter()}});
        dialogs.ShowMessage("3 個");
    }
    EXPECT_EQ(Win32Clipboard(nullptr).ReadText(),
              divider + kTitle + "\r\n" + divider + "3 個\r\n" + divider + "OK   \r\n" + divider);
}

TEST_F(DialogsTest, CtrlCWithTheClipboardHeldShowsTheErrorAndKeepsTheDialog) {
    ScopedWindow holder(CreateOtherWindow());
    DialogAnswerer answer({{Act::Call([&](HWND) { ASSERT_TRUE(OpenClipboard(holder.Get())); }), Act::CtrlC(),
                            Act::Call([](HWND) { CloseClipboard(); }), Act::Click("いいえ(&N)")},
                           {Act::Enter()}});
    EXPECT_EQ(dialogs.ConfirmYesNoCancel("q"), DialogResult::No);
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(answer.Seen()[1].caption, kTitle);
    EXPECT_EQ(answer.Seen()[1].statics, std::vector<std::string>{"クリップボードを開くことができません."});
    EXPECT_TRUE(answer.Done());
}

TEST_F(DialogsTest, OtherWindowsTakeNoInputWhileADialogIsOpen) {
    ScopedWindow other(CreateOtherWindow());
    ASSERT_TRUE(IsWindowEnabled(other.Get()));
    auto disabled = Act::Call([&](HWND dlg) {
        EXPECT_FALSE(IsWindowEnabled(other.Get()));
        EXPECT_TRUE(IsWindowEnabled(dlg));
        EXPECT_EQ(GetWindow(dlg, GW_OWNER), app.Handle());
    });
    {
        DialogAnswerer answer({{disabled, Act::Enter()}});
        dialogs.InputBox("c", "p", "");
        EXPECT_TRUE(answer.Done());
    }
    EXPECT_TRUE(IsWindowEnabled(other.Get()));
    {
        DialogAnswerer answer({{disabled, Act::Escape()}, {disabled, Act::Escape()}});
        dialogs.ConfirmYesNoCancel("q");
        dialogs.ShowMessage("m");
        EXPECT_TRUE(answer.Done());
    }
    EXPECT_TRUE(IsWindowEnabled(other.Get()));
}

}  // namespace
}  // namespace tovel
