#include "document/win32/format_dialog.h"

#include <string>

#include "platform/win32/dialog_window.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/window_base.h"

namespace tovel {
namespace dialogs {
namespace {

constexpr int kEncodingId = 100, kLineBreakId = 101;

class FormatDialog : public DialogBase {
public:
    explicit FormatDialog(const TextFormat& current) : m_current(current) {}

    std::optional<TextFormat> Run(HWND owner) {
        if (RunModal(owner) != IDOK) return std::nullopt;
        return m_result;
    }

protected:
    INT_PTR OnDialogMessage(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            Build();
            return FALSE;  // the focus is set
        }
        return EndOnOkCancel(msg, wp, [&] { m_result = ChosenFormat(Selected(m_encoding), Selected(m_lineBreak)); })
                   ? TRUE
                   : FALSE;
    }

private:
    void Build();
    // A drop-down list after its label (the label's "&" key then reaches the list), its entries added.
    template <class Choices>
    HWND AddList(const char* label, int id, const Choices& choices, int selected, int top);
    static int Selected(HWND list) { return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)); }

    const TextFormat& m_current;
    TextFormat m_result;
    ScopedFont m_font;
    DialogUnits m_units;
    HWND m_encoding = nullptr;
    HWND m_lineBreak = nullptr;
};

template <class Choices>
HWND FormatDialog::AddList(const char* label, int id, const Choices& choices, int selected, int top) {
    const DialogUnits& u = m_units;
    AddControl(Handle(), "STATIC", label, SS_LEFT, -1, {u.H(8), top + u.V(2), u.H(60), u.V(8)}, m_font.Get());
    // A drop-down list's height is that of its open list: room for every entry.
    const int openHeight = u.V(14) + static_cast<int>(choices.size()) * (u.y + 2);
    HWND list = AddControl(Handle(), "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id,
                           {u.H(72), top, u.H(100), openHeight}, m_font.Get());
    for (const auto& choice : choices) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.caption));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return list;
}

void FormatDialog::Build() {
    HWND dlg = Handle();
    SetWindowTextA(dlg, "文字コードを指定して保存");
    m_font.Reset(CreateUserInterfaceFont(ScreenDpi()));
    {
        ScopedGetDC dc(dlg);
        ScopedSelect select(dc.Get(), m_font.Get());
        m_units = MeasureUnits(dc.Get());
    }
    const DialogUnits& u = m_units;
    m_encoding = AddList("文字コード(&C):", kEncodingId, EncodingChoices(), EncodingChoiceIndex(m_current), u.V(8));
    m_lineBreak = AddList("改行コード(&L):", kLineBreakId, LineBreakChoices(),
                          LineBreakChoiceIndex(m_current.lineBreak), u.V(28));
    const int buttonsTop = u.V(50);
    AddControl(dlg, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {u.H(68), buttonsTop, u.H(50), u.V(14)},
               m_font.Get());
    AddControl(dlg, "BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               {u.H(122), buttonsTop, u.H(50), u.V(14)}, m_font.Get());
    SendMessageA(dlg, DM_SETDEFID, IDOK, 0);
    PlaceCentred(dlg, u.H(180), buttonsTop + u.V(14) + u.V(8));
    SetFocus(m_encoding);
}

}  // namespace

std::optional<TextFormat> RunFormatDialog(HWND owner, const TextFormat& current) {
    return FormatDialog(current).Run(owner);
}

}  // namespace dialogs

std::optional<TextFormat> Win32FormatChooser::ChooseFormat(const TextFormat& current) {
    return RunModal([&](HWND owner) { return dialogs::RunFormatDialog(owner, current); });
}

}  // namespace tovel
