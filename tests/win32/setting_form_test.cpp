// The settings dialog on the real windows, beside a real main window whose settings file lies in a
// temporary folder. The common dialogs it opens are answered by the dialog answerer.
#include "setting/win32/setting_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win32/tool_band.h"
#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;

constexpr COLORREF kRed = RGB(255, 0, 0);

std::string Text(HWND hwnd) { return test::WindowCaption(hwnd); }

// An 8 x 8, 24-bit bitmap file of one colour (rows of 24 bytes need no padding).
std::string SolidBitmap(COLORREF color) {
    std::string f = "BM";
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f += static_cast<char>(v >> (8 * i));
    };
    u32(54 + 192), u32(0), u32(54), u32(40), u32(8), u32(8), u32(1 | 24 << 16);
    for (int i = 0; i < 6; ++i) u32(0);
    for (int i = 0; i < 64; ++i)
        f += {static_cast<char>(GetBValue(color)), static_cast<char>(GetGValue(color)),
              static_cast<char>(GetRValue(color))};
    return f;
}

// Every test starts with both start-up options set in the file, which the dialog shows. A base of its own,
// so the folder is there before the main window starts and outlasts it.
struct SettingsFolder {
    SettingsFolder() { test::WriteBytes(m_folder / "tovel.ini", "[Form]\r\nIME=ON\r\nWW=NO\r\n"); }
    test::TestFolder m_folder;
};

class SettingFormTest : public SettingsFolder, public test::MainWindowHost {
protected:
    SettingFormTest() : m_form(Start(m_folder.Path())), m_setting(app, m_form, m_form.Handle()) {
        ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
        ShowWindow(m_form.Handle(), SW_SHOW);
        m_setting.ShowModeless();
        Pump();
    }
    ~SettingFormTest() override {
        ShowWindow(m_setting.Handle(), SW_HIDE);
        Pump();
    }

    // The program's message loop in miniature, the dialog's key handling included.
    void Pump() {
        for (int i = 0; i < 3; ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) continue;  // left by an earlier test's main window
                if (m_setting.PreviewMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(10);
        }
    }
    HWND Item(SettingItem item) const { return m_setting.Item(item); }
    void Click(SettingItem item) {
        SendMessageA(Item(item), BM_CLICK, 0, 0);
        Pump();
    }
    bool Checked(SettingItem item) const { return SendMessageA(Item(item), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // A real click on a tab of the page control.
    void ClickTab(int index) {
        RECT r{};
        SendMessageA(Item(SettingItem::PageControl1), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(Item(SettingItem::PageControl1), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(Item(SettingItem::PageControl1), WM_LBUTTONUP, 0, at);
        Pump();
    }
    std::string Key(const char* key) const {
        char buf[2048] = {};
        GetPrivateProfileStringA("Form", key, "<absent>", buf, sizeof buf, (m_folder / "tovel.ini").c_str());
        return buf;
    }
    std::string IniBytes() const { return test::ReadBytes(m_folder / "tovel.ini"); }
    COLORREF BandPixel() {
        RedrawWindow(m_form.Band().CoolBar(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
        HDC dc = GetDC(m_form.Band().CoolBar());
        const COLORREF c = GetPixel(dc, 2, 2);
        ReleaseDC(m_form.Band().CoolBar(), dc);
        return c;
    }

    TTovForm& m_form;
    TSettingForm m_setting;
};

TEST_F(SettingFormTest, ShowsTheStoredOptionsAndStoresOnlyWhatTheUserChanges) {
    EXPECT_EQ(Text(m_setting.Handle()), "tovel editor plus!の設定変更");
    RECT window{}, client{}, owner{};
    GetWindowRect(m_setting.Handle(), &window);
    GetClientRect(m_setting.Handle(), &client);
    GetWindowRect(m_form.Handle(), &owner);
    EXPECT_EQ(GetWindow(m_setting.Handle(), GW_OWNER), m_form.Handle());
    EXPECT_EQ((std::vector<LONG>{window.left, window.top, client.right, client.bottom}),
              (std::vector<LONG>{owner.left + (owner.right - owner.left - (window.right - window.left)) / 2,
                                 owner.top + (owner.bottom - owner.top - (window.bottom - window.top)) / 2, 254, 260}))
        << "centred on the main window";
    EXPECT_TRUE(IsWindowEnabled(m_form.Handle())) << "modeless";

    EXPECT_EQ(SendMessageA(Item(SettingItem::PageControl1), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(Item(SettingItem::PageControl1), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(Item(SettingItem::Memo_Iro)));
    EXPECT_FALSE(IsWindowVisible(Item(SettingItem::ToolBit)));
    EXPECT_TRUE(Checked(SettingItem::WWCheck));
    EXPECT_TRUE(Checked(SettingItem::IMEONOFF));
    EXPECT_EQ(Text(Item(SettingItem::ToolBit)), "");

    // "反映" with nothing touched keeps both options; an untouched option survives a change of the other.
    Click(SettingItem::memo_hanei);
    EXPECT_EQ(Key("IME"), "ON");
    EXPECT_EQ(Key("WW"), "NO");
    Click(SettingItem::IMEONOFF);
    Click(SettingItem::memo_hanei);
    EXPECT_NE(IniBytes().find("IME=\r\n"), std::string::npos) << "written empty, not removed: " << IniBytes();
    EXPECT_EQ(Key("WW"), "NO");

    // Shown again after a change of the file: the boxes follow the file.
    Click(SettingItem::CloseButton);
    test::WriteBytes(m_folder / "tovel.ini", "[Form]\r\nIME=ON\r\n");
    m_setting.ShowModeless();
    Pump();
    EXPECT_TRUE(Checked(SettingItem::IMEONOFF));
    EXPECT_FALSE(Checked(SettingItem::WWCheck));
}

TEST_F(SettingFormTest, TabRunsThroughTheShownPageAndControlsKeepTheirStateAcrossDisplays) {
    auto press = [&](UINT vk, bool ctrl = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
        Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    SetFocus(Item(SettingItem::PageControl1));
    for (SettingItem next : {SettingItem::Memo_Iro, SettingItem::Font_Iro, SettingItem::WWCheck, SettingItem::IMEONOFF,
                             SettingItem::memo_hanei, SettingItem::CloseButton, SettingItem::PageControl1}) {
        press(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(next)) << static_cast<int>(next);
    }
    press(VK_TAB, true);  // Ctrl+Tab: the other page
    EXPECT_TRUE(IsWindowVisible(Item(SettingItem::ToolBit)));
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(SettingItem::ToolBit));

    // Left as they are: a typed path, the second tab; closed with the close box, shown again. A tick not
    // stored is not kept: the boxes show the file.
    Click(SettingItem::WWCheck);
    EXPECT_FALSE(Checked(SettingItem::WWCheck));
    SetWindowTextA(Item(SettingItem::ToolBit), "C:\\typed.bmp");
    const std::string before = IniBytes();
    SendMessageA(m_setting.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(m_setting.Handle()));
    EXPECT_TRUE(IsWindow(m_setting.Handle()));
    m_setting.ShowModeless();
    Pump();
    EXPECT_TRUE(Checked(SettingItem::WWCheck));
    EXPECT_EQ(Text(Item(SettingItem::ToolBit)), "C:\\typed.bmp");
    EXPECT_EQ(SendMessageA(Item(SettingItem::PageControl1), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(Item(SettingItem::ToolBit)));
    ClickTab(0);
    EXPECT_TRUE(IsWindowVisible(Item(SettingItem::Memo_Iro)));
    EXPECT_FALSE(IsWindowVisible(Item(SettingItem::ToolBit)));
    Click(SettingItem::CloseButton);
    EXPECT_FALSE(IsWindowVisible(m_setting.Handle()));
    EXPECT_EQ(IniBytes(), before) << "closing writes nothing";
}

TEST_F(SettingFormTest, BrowseStoresAChosenFileAndACancelLeavesTheStoredPath) {
    ClickTab(1);
    {
        test::DialogAnswerer answer({{Act::Escape()}});
        Click(SettingItem::OpenBitmap);
        ASSERT_EQ(answer.Seen().size(), 1u);
    }
    EXPECT_EQ(Key("ToolBitmap"), "<absent>");

    const std::string picture = m_folder / "band.bmp";
    ASSERT_TRUE(test::WriteBytes(picture, SolidBitmap(kRed)));
    std::vector<std::string> filters;
    auto readFilters = [&](HWND dialog) {
        HWND types = GetDlgItem(dialog, 0x470);  // the file-type box of the open dialog
        for (int i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
            char label[128] = {};
            SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(label));
            filters.push_back(label);
        }
    };
    {
        test::DialogAnswerer answer({{Act::Call(readFilters), Act::SetEditText(picture), Act::Enter()}});
        Click(SettingItem::OpenBitmap);
    }
    EXPECT_EQ(filters, (std::vector<std::string>{"AllFiles(*.*)", "BitMap(*.bmp)", "Text(*.txt)", "tovel(*.tov)"}));
    EXPECT_EQ(Text(Item(SettingItem::ToolBit)), picture);
    EXPECT_EQ(Key("ToolBitmap"), picture);
    EXPECT_EQ(m_form.ToolBitmap(), nullptr) << "stored for the next start, not shown";

    // The next browse opens with the last name; cancelled, it leaves the stored path, whatever was typed.
    SetWindowTextA(Item(SettingItem::ToolBit), "C:\\typed.bmp");
    {
        test::DialogAnswerer answer({{Act::Escape()}});
        Click(SettingItem::OpenBitmap);
        ASSERT_EQ(answer.Seen().size(), 1u);
        ASSERT_FALSE(answer.Seen()[0].edits.empty());
        EXPECT_NE(answer.Seen()[0].edits[0].find("band.bmp"), std::string::npos) << answer.Seen()[0].edits[0];
    }
    EXPECT_EQ(Key("ToolBitmap"), picture);
}

TEST_F(SettingFormTest, ShowNowPutsThePictureOnTheToolbarAndARefusedFileLeavesIt) {
    ClickTab(1);
    const std::string red = m_folder / "red.bmp";
    ASSERT_TRUE(test::WriteBytes(red, SolidBitmap(kRed)));
    SetWindowTextA(Item(SettingItem::ToolBit), red.c_str());
    Click(SettingItem::Button2);
    ASSERT_NE(m_form.ToolBitmap(), nullptr);
    EXPECT_EQ(BandPixel(), kRed);
    EXPECT_EQ(Key("ToolBitmap"), "<absent>") << "shown now, stored nowhere";
    const HBITMAP shown = m_form.ToolBitmap();

    const std::string whole = SolidBitmap(kRed);
    struct Refusal {
        const char* name;
        std::string bytes;  // no file at all when "<none>"
        std::string message;
    };
    const std::string missing = m_folder / "missing.bmp";
    const Refusal refusals[] = {
        {"text.txt", "This is a text file.\r\n", "ビットマップイメージが不正です."},
        {"short.bmp", "BM\x01\x02", "ストリームからの読み込みエラー."},
        {"cut.bmp", whole.substr(0, whole.size() - 10), "ビットマップイメージが不正です."},
        {"missing.bmp", "<none>", "ファイル " + missing + " は開けません."},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        const std::string path = m_folder / r.name;
        if (r.bytes != "<none>") {
            ASSERT_TRUE(test::WriteBytes(path, r.bytes));
        }
        SetWindowTextA(Item(SettingItem::ToolBit), path.c_str());
        test::DialogAnswerer answer({{Act::Enter()}});
        Click(SettingItem::Button2);
        ASSERT_EQ(answer.Seen().size(), 1u);
        ASSERT_FALSE(answer.Seen()[0].statics.empty());
        EXPECT_EQ(answer.Seen()[0].statics.back(), r.message);
        EXPECT_EQ(m_form.ToolBitmap(), shown);
        EXPECT_EQ(BandPixel(), kRed);
    }

    {
        test::DialogAnswerer answer({});
        SetWindowTextA(Item(SettingItem::ToolBit), "");
        Click(SettingItem::Button2);
        EXPECT_EQ(answer.Unexpected(), 0) << "an empty edit box does nothing";
        EXPECT_EQ(m_form.ToolBitmap(), shown);
    }
    const std::string empty = m_folder / "empty.bmp";
    ASSERT_TRUE(test::WriteBytes(empty, ""));
    SetWindowTextA(Item(SettingItem::ToolBit), empty.c_str());
    Click(SettingItem::Button2);
    EXPECT_EQ(m_form.ToolBitmap(), nullptr) << "an empty file is an empty picture";
    EXPECT_EQ(BandPixel(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SettingFormTest, ColourDialogColoursTheEditorAndOpensWithItsLastColour) {
    // The short form hides the red, green and blue boxes, but they hold the dialog's colour all the same.
    auto choose = [](int r, int g, int b) {
        return [=](HWND dialog) {
            SetDlgItemInt(dialog, 706, r, FALSE);
            SetDlgItemInt(dialog, 707, g, FALSE);
            SetDlgItemInt(dialog, 708, b, FALSE);
        };
    };
    COLORREF opened = 0xFFFFFFFF;
    auto readColour = [&](HWND dialog) {
        opened = RGB(GetDlgItemInt(dialog, 706, nullptr, FALSE), GetDlgItemInt(dialog, 707, nullptr, FALSE),
                     GetDlgItemInt(dialog, 708, nullptr, FALSE));
    };
    const std::int32_t fontBefore = m_form.Note().FontColor();
    {
        test::DialogAnswerer answer({{Act::Call(readColour), Act::Call(choose(10, 20, 30)), Act::Click("OK")}});
        Click(SettingItem::Memo_Iro);
        ASSERT_EQ(answer.Seen().size(), 1u);
        // Placed centred across the monitor, its top at one third of what it leaves over.
        const RECT w = answer.Seen()[0].window;
        MONITORINFO info{sizeof info};
        GetMonitorInfoA(MonitorFromWindow(m_setting.Handle(), MONITOR_DEFAULTTOPRIMARY), &info);
        const RECT m = info.rcMonitor;
        EXPECT_EQ(w.left, m.left + (m.right - m.left - (w.right - w.left)) / 2);
        EXPECT_EQ(w.top, m.top + (m.bottom - m.top - (w.bottom - w.top)) / 3);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(answer.Seen()[0].hwnd, 706))) << "the short form";
    }
    EXPECT_EQ(opened, RGB(0, 0, 0)) << "black before the first choice, not the editor's colour";
    EXPECT_EQ(m_form.Note().Color(), static_cast<std::int32_t>(RGB(10, 20, 30)));
    EXPECT_EQ(m_form.Note().FontColor(), fontBefore);
    EXPECT_EQ(m_setting.ColorDlg().Custom().Text(0), "FFFFFF") << "custom colours read back after OK";

    {
        test::DialogAnswerer answer({{Act::Call(readColour), Act::Call(choose(200, 0, 0)), Act::Click("OK")}});
        Click(SettingItem::Font_Iro);
    }
    EXPECT_EQ(opened, RGB(10, 20, 30)) << "one dialog for both buttons, with its last colour";
    EXPECT_EQ(m_form.Note().FontColor(), static_cast<std::int32_t>(RGB(200, 0, 0)));

    {
        test::DialogAnswerer answer({{Act::Call(choose(1, 2, 3)), Act::Click("キャンセル")}});
        Click(SettingItem::Memo_Iro);
        ASSERT_EQ(answer.Seen().size(), 1u);
    }
    EXPECT_EQ(m_form.Note().Color(), static_cast<std::int32_t>(RGB(10, 20, 30))) << "cancelled: nothing changes";
    EXPECT_EQ(m_setting.ColorDlg().Color(), RGB(200, 0, 0));
}

// Esc wherever the focus is in the dialog closes it as the close button does: a tick and a typed path that
// were not applied are not applied, and the next display shows the file's options again.
TEST_F(SettingFormTest, EscClosesTheDialogWithoutApplyingWhatTheUserDidNotApply) {
    const std::string before = IniBytes();
    const COLORREF band = BandPixel();
    for (const SettingItem focus : {SettingItem::WWCheck, SettingItem::ToolBit, SettingItem::PageControl1}) {
        m_setting.ShowModeless();
        Pump();
        ClickTab(0);
        Click(SettingItem::WWCheck);
        ASSERT_FALSE(Checked(SettingItem::WWCheck));
        SetWindowTextA(Item(SettingItem::ToolBit), (m_folder / "band.bmp").c_str());
        ClickTab(focus == SettingItem::ToolBit ? 1 : 0);
        SetFocus(Item(focus));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        Pump();
        EXPECT_FALSE(IsWindowVisible(m_setting.Handle())) << static_cast<int>(focus);
        EXPECT_EQ(IniBytes(), before);
        EXPECT_EQ(BandPixel(), band);
    }
    m_setting.ShowModeless();
    Pump();
    EXPECT_TRUE(Checked(SettingItem::WWCheck)) << "as the file holds it";
    // Esc typed anywhere else is not the dialog's.
    MSG elsewhere{m_form.Note().Handle(), WM_KEYDOWN, VK_ESCAPE, 1};
    EXPECT_FALSE(m_setting.PreviewMessage(elsewhere));
    EXPECT_TRUE(IsWindowVisible(m_setting.Handle()));
}

TEST_F(SettingFormTest, AtAHigherResolutionEveryControlAndFontIsScaledAndThePagesFillThePageControl) {
    auto placeIn = [](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    auto labelWidths = [](HWND page) {
        std::vector<LONG> widths;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            RECT r{};
            GetWindowRect(child, &r);
            if (lstrcmpiA(name, "Static") == 0) widths.push_back(r.right - r.left);
        }
        return widths;
    };
    const std::vector<LONG> narrow = labelWidths(Item(SettingItem::NoteSet));
    ASSERT_EQ(narrow.size(), 2u);

    RECT suggested{0, 0, 381, 390};  // 254 x 260 at 144 dpi, with the frame
    AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongA(m_setting.Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(m_setting.Handle(), GWL_EXSTYLE)));
    OffsetRect(&suggested, 50 - suggested.left, 60 - suggested.top);
    SendMessageA(m_setting.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    EXPECT_EQ(m_setting.Dpi(), 144);
    RECT window{}, client{};
    GetWindowRect(m_setting.Handle(), &window);
    GetClientRect(m_setting.Handle(), &client);
    EXPECT_EQ((std::vector<LONG>{window.left, window.top, client.right, client.bottom}),
              (std::vector<LONG>{50, 60, 381, 390}));
    EXPECT_EQ(placeIn(Item(SettingItem::PageControl1)), (std::vector<LONG>{0, 0, 374, 338}));
    EXPECT_EQ(placeIn(Item(SettingItem::CloseButton)), (std::vector<LONG>{264, 348, 113, 38}));
    EXPECT_EQ(placeIn(Item(SettingItem::Memo_Iro)), (std::vector<LONG>{144, 24, 113, 26}));
    EXPECT_EQ(placeIn(Item(SettingItem::ToolBit)), (std::vector<LONG>{12, 36, 254, 30}));
    for (SettingItem page : {SettingItem::NoteSet, SettingItem::ToolBarSet}) {
        RECT area{};
        GetClientRect(Item(SettingItem::PageControl1), &area);
        SendMessageA(Item(SettingItem::PageControl1), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        EXPECT_EQ(placeIn(Item(page)),
                  (std::vector<LONG>{area.left, area.top, area.right - area.left, area.bottom - area.top}));
    }
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Item(SettingItem::WWCheck), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -18);
    const std::vector<LONG> wide = labelWidths(Item(SettingItem::NoteSet));
    ASSERT_EQ(wide.size(), 2u);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        EXPECT_GT(wide[i] * 10, narrow[i] * 13) << "a label sizes to its larger text";
        EXPECT_LT(wide[i] * 10, narrow[i] * 17);
    }
    Click(SettingItem::CloseButton);
}

}  // namespace
}  // namespace tovel
