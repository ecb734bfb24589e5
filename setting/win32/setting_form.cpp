#include "setting/win32/setting_form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/error.h"
#include "platform/win32/centre_on_owner.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/win32_ini_file.h"
#include "setting/setting_options.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TSettingForm";
constexpr char kPageClass[] = "TovelSettingPage";
constexpr char kCaption[] = "tovel editor plus!の設定変更";
constexpr int kClientWidth = 254, kClientHeight = 260;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL

int IdOf(SettingItem item) { return kFirstId + static_cast<int>(item); }

}  // namespace

// A tab page: a plain panel on the tab control whose buttons report to the dialog.
class TSettingForm::Page : public WindowBase {
public:
    explicit Page(WindowHost& host) : WindowBase(host) {}
    static void RegisterClassOnce(HINSTANCE instance) {
        WindowBase::RegisterClassOnce(instance, kPageClass,
                                      WindowClassLook{nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0});
    }
    using WindowBase::Create;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_COMMAND) return SendMessageA(GetAncestor(Handle(), GA_ROOT), msg, wp, lp);
        return WindowBase::OnMessage(msg, wp, lp);
    }
};

TSettingForm::~TSettingForm() = default;

TSettingForm::TSettingForm(DialogHost& app, SettingHost& form, HWND owner)
    : WindowBase(app), m_form(form), m_dpi(ScreenDpi()), m_colorDlg(app), m_fileDlg(app) {
    RegisterClassOnce(app.Instance(), kClassName, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Page::RegisterClassOnce(app.Instance());
    RECT outer{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    // Owned by the main window, so it stays above it (also above a main window that stays on top) and
    // goes and comes back with it; placed at each display.
    Create(kClassName, kCaption, kStyle, kExStyle, 0, 0, outer.right - outer.left, outer.bottom - outer.top, owner,
           nullptr);
    if (!Handle()) throw Error("設定画面を作成できません");
    m_font.Reset(CreateFormFont(Scale(12)));
    CreateControls();
}

HWND TSettingForm::Add(SettingItem item, HWND parent, const char* className, const char* text, DWORD style, int x,
                       int y, int w, int h, DWORD exStyle) {
    HWND control =
        CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, Scale(x), Scale(y), Scale(w), Scale(h),
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(item))), Host().Instance(), nullptr);
    if (!control) throw Error("設定画面を作成できません");
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    m_items[static_cast<std::size_t>(item)] = control;
    m_placed.push_back({control, x, y, w, h, false});
    return control;
}

// Labels size themselves to their text, as the design's do.
void TSettingForm::AddLabel(HWND parent, const char* text, int x, int y) {
    ScopedGetDC dc(parent);
    SIZE size{};
    {
        ScopedSelect font(dc.Get(), m_font.Get());
        GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &size);
    }
    HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Scale(x), Scale(y),
                                 size.cx, size.cy, parent, nullptr, Host().Instance(), nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    m_placed.push_back({label, x, y, 0, 0, true});
}

HWND TSettingForm::AddPage(SettingItem item) {
    HWND tabs = Item(SettingItem::PageControl1);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    auto& slot = m_pages[item == SettingItem::NoteSet ? 0 : 1];
    slot = std::make_unique<Page>(Host());
    slot->Create(kPageClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, area.left, area.top,
                 area.right - area.left, area.bottom - area.top, tabs, nullptr);
    HWND page = slot->Handle();
    if (!page) throw Error("設定画面を作成できません");
    m_items[static_cast<std::size_t>(item)] = page;
    return page;
}

void TSettingForm::CreateControls() {
    // Creation order is the tab order: the page control, its pages' controls, then the close button.
    Add(SettingItem::PageControl1, Handle(), WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPCHILDREN | TCS_MULTILINE, 0, 0,
        249, 225);
    // Both tabs first, so each page gets the display area left below the complete row of tabs.
    HWND tabs = Item(SettingItem::PageControl1);
    for (const char* caption : {"メモの設定", "ツールバーの設定"}) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(caption);
        SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&tab));
    }
    HWND note = AddPage(SettingItem::NoteSet);
    AddLabel(note, "メモの背景色", 16, 16);
    Add(SettingItem::Memo_Iro, note, "BUTTON", "変更", WS_TABSTOP | BS_PUSHBUTTON, 96, 16, 75, 17);
    AddLabel(note, "フォント色", 16, 48);
    Add(SettingItem::Font_Iro, note, "BUTTON", "変更", WS_TABSTOP | BS_PUSHBUTTON, 80, 48, 75, 17);
    Add(SettingItem::WWCheck, note, "BUTTON", "右端で折りかえさない", WS_TABSTOP | BS_AUTOCHECKBOX, 24, 80, 241, 17);
    Add(SettingItem::IMEONOFF, note, "BUTTON", "起動時にIMEをオンにする", WS_TABSTOP | BS_AUTOCHECKBOX, 24, 104, 209,
        17);
    Add(SettingItem::memo_hanei, note, "BUTTON", "反映", WS_TABSTOP | BS_PUSHBUTTON, 160, 152, 75, 25);

    HWND bar = AddPage(SettingItem::ToolBarSet);
    AddLabel(bar, "ツールバーのビットマップ", 8, 8);
    Add(SettingItem::ToolBit, bar, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 8, 24, 169, 20, WS_EX_CLIENTEDGE);
    Add(SettingItem::OpenBitmap, bar, "BUTTON", "参照", WS_TABSTOP | BS_PUSHBUTTON, 184, 24, 57, 25);
    Add(SettingItem::Button2, bar, "BUTTON", "反映", WS_TABSTOP | BS_PUSHBUTTON, 160, 152, 75, 25);

    Add(SettingItem::CloseButton, Handle(), "BUTTON", "閉じる", WS_TABSTOP | BS_PUSHBUTTON, 176, 232, 75, 25);
    ShowPage(0);
}

// The page control first: its tabs take the new font's height, and the pages fill what they leave.
void TSettingForm::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == m_dpi) return;
    m_dpi = dpi;
    m_font.Reset(CreateFormFont(Scale(12)));
    for (const Placed& p : m_placed) {
        SendMessageA(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        SIZE size{Scale(p.w), Scale(p.h)};
        if (p.label) {
            ScopedGetDC dc(p.hwnd);
            ScopedSelect font(dc.Get(), m_font.Get());
            const std::string text = WindowText(p.hwnd);
            GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        }
        SetWindowPos(p.hwnd, nullptr, Scale(p.x), Scale(p.y), size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        if (p.hwnd == Item(SettingItem::PageControl1)) PlacePages();
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSettingForm::PlacePages() {
    HWND tabs = Item(SettingItem::PageControl1);
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (SettingItem page : {SettingItem::NoteSet, SettingItem::ToolBarSet}) {
        SetWindowPos(Item(page), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TSettingForm::ShowModeless() {
    // Filled from the file at each display, so that "反映" stores what is stored unless the user changed it.
    if (!IsWindowVisible(Handle())) {
        Win32IniFile ini(IniPath());
        const EditorOptions options = ReadEditorOptions(ini);
        SendMessageA(Item(SettingItem::IMEONOFF), BM_SETCHECK, options.imeOnAtStart ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(Item(SettingItem::WWCheck), BM_SETCHECK, options.noWordWrap ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!IsWindowVisible(Handle())) CentreOnOwner(Handle());
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TSettingForm::ShowPage(int index) {
    HWND tabs = Item(SettingItem::PageControl1);
    SendMessageA(tabs, TCM_SETCURSEL, index, 0);
    HWND shown = Item(index == 0 ? SettingItem::NoteSet : SettingItem::ToolBarSet);
    HWND hidden = Item(index == 0 ? SettingItem::ToolBarSet : SettingItem::NoteSet);
    HWND focus = GetFocus();
    ShowWindow(shown, SW_SHOW);
    ShowWindow(hidden, SW_HIDE);
    if (focus && IsChild(hidden, focus)) SetFocus(tabs);
}

void TSettingForm::MoveFocus(bool backwards) {
    const int page = static_cast<int>(SendMessageA(Item(SettingItem::PageControl1), TCM_GETCURSEL, 0, 0));
    std::vector<HWND> order{Item(SettingItem::PageControl1)};
    const auto pageItems =
        page == 0 ? std::vector<SettingItem>{SettingItem::Memo_Iro, SettingItem::Font_Iro, SettingItem::WWCheck,
                                             SettingItem::IMEONOFF, SettingItem::memo_hanei}
                  : std::vector<SettingItem>{SettingItem::ToolBit, SettingItem::OpenBitmap, SettingItem::Button2};
    for (SettingItem item : pageItems) order.push_back(Item(item));
    order.push_back(Item(SettingItem::CloseButton));

    const auto at = std::find(order.begin(), order.end(), GetFocus());
    const int count = static_cast<int>(order.size());
    int next =
        at == order.end() ? (backwards ? count - 1 : 0) : static_cast<int>(at - order.begin()) + (backwards ? -1 : 1);
    next = (next + count) % count;
    HWND target = order[static_cast<std::size_t>(next)];
    SetFocus(target);
    if (target == Item(SettingItem::ToolBit)) SendMessageA(target, EM_SETSEL, 0, -1);  // as dialogs do
}

bool TSettingForm::PreviewMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_TAB && msg.wParam != VK_ESCAPE)) return false;
    if (!msg.hwnd || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
    if (msg.wParam == VK_ESCAPE) {
        CloseButtonClick();  // as the close button: what was not applied stays unapplied
        return true;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        const int page = static_cast<int>(SendMessageA(Item(SettingItem::PageControl1), TCM_GETCURSEL, 0, 0));
        ShowPage(page == 0 ? 1 : 0);
        return true;
    }
    MoveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
}

void TSettingForm::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) m_lastFocus = focus;
        return;
    }
    // The control that had the focus gets it back; at the first display, the page control.
    HWND target = m_lastFocus && IsWindowVisible(m_lastFocus) ? m_lastFocus : Item(SettingItem::PageControl1);
    SetFocus(target);
}

bool TSettingForm::Checked(SettingItem item) const {
    return SendMessageA(Item(item), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string TSettingForm::IniPath() const { return m_form.SettingsFilePath(); }

void TSettingForm::Memo_IroClick() {
    if (const auto color = m_colorDlg.Run()) m_form.SetNoteBackColor(static_cast<std::int32_t>(*color));
}

void TSettingForm::Font_IroClick() {
    if (const auto color = m_colorDlg.Run()) m_form.SetNoteTextColor(static_cast<std::int32_t>(*color));
}

// Stored only: the running editor changes at the next start.
void TSettingForm::memo_haneiClick() {
    Win32IniFile ini(IniPath());
    WriteEditorOptions(ini, Checked(SettingItem::IMEONOFF), Checked(SettingItem::WWCheck));
}

// A chosen file is stored for the next start; a cancelled choice leaves the stored path as it was.
void TSettingForm::OpenBitmapClick() {
    const auto path = m_fileDlg.Run();
    if (!path) return;
    SetWindowTextA(Item(SettingItem::ToolBit), path->c_str());
    Win32IniFile ini(IniPath());
    WriteToolBitmapPath(ini, *path);
}

// Shown now, stored nowhere.
void TSettingForm::Button2Click() {
    const std::string path = WindowText(Item(SettingItem::ToolBit));
    if (path.empty()) return;
    m_form.ShowToolBitmap(path);
}

void TSettingForm::CloseButtonClick() { ShowWindow(Handle(), SW_HIDE); }

void TSettingForm::OnCommand(int id) {
    switch (static_cast<SettingItem>(id - kFirstId)) {
        case SettingItem::Memo_Iro:
            Memo_IroClick();
            break;
        case SettingItem::Font_Iro:
            Font_IroClick();
            break;
        case SettingItem::memo_hanei:
            memo_haneiClick();
            break;
        case SettingItem::OpenBitmap:
            OpenBitmapClick();
            break;
        case SettingItem::Button2:
            Button2Click();
            break;
        case SettingItem::CloseButton:
            CloseButtonClick();
            break;
        default:
            break;
    }
}

LRESULT TSettingForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED && lp != 0) OnCommand(LOWORD(wp));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->hwndFrom == Item(SettingItem::PageControl1) && header->code == TCN_SELCHANGE) {
                ShowPage(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
            }
            return 0;
        }
        case WM_ACTIVATE:
            OnActivate(LOWORD(wp) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            CloseButtonClick();  // lives for the whole run; closing only hides it
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

}  // namespace tovel
