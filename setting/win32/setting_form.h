#pragma once
// SettingForm, the settings dialog: the editor's colours and the toolbar picture of the running main
// window, and the start-up options and picture path in the settings file. Created hidden at start-up and
// only hidden and shown afterwards, so its controls, the colour dialog's colours and the file dialog's
// last name carry over between displays within a run; the two start-up check boxes are filled from the
// settings file at each display. Owned by the main window, centred on it at each display, closed by Esc,
// and laid out again when the resolution of its monitor changes.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"
#include "setting/setting_host.h"
#include "setting/win32/setting_dialogs.h"

namespace tovel {

// The dialog's windows, for the tests and for its own layout.
enum class SettingItem {
    PageControl1,
    NoteSet,
    ToolBarSet,
    Memo_Iro,
    Font_Iro,
    WWCheck,
    IMEONOFF,
    memo_hanei,
    ToolBit,
    OpenBitmap,
    Button2,
    CloseButton,
    Count
};

class TSettingForm : public WindowBase {
public:
    // `form` is the main window whose editor and toolbar the dialog changes, `owner` its window; both
    // outlive the dialog.
    TSettingForm(DialogHost& app, SettingHost& form, HWND owner);
    ~TSettingForm() override;

    // Shows the dialog centred on its owner with its check boxes as the settings file holds them, or
    // brings it to the front (as it stands) when it is already shown.
    void ShowModeless();
    // Tab and Shift+Tab in the dialog's tab order, Ctrl+Tab to the other page, Esc closes it as the close
    // button does; called by the message loop with every message before it is dispatched. True when the
    // key was used.
    bool PreviewMessage(const MSG& msg);

    HWND Item(SettingItem item) const { return m_items[static_cast<std::size_t>(item)]; }
    int Dpi() const { return m_dpi; }
    const ColorDialog& ColorDlg() const { return m_colorDlg; }

    // ---- Handlers, each acting at once
    void Memo_IroClick();
    void Font_IroClick();
    void memo_haneiClick();
    void OpenBitmapClick();
    void Button2Click();
    void CloseButtonClick();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    class Page;

    void CreateControls();
    HWND Add(SettingItem item, HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w,
             int h, DWORD exStyle = 0);
    void AddLabel(HWND parent, const char* text, int x, int y);
    HWND AddPage(SettingItem item);
    void PlacePages();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ShowPage(int index);
    void MoveFocus(bool backwards);
    void OnCommand(int id);
    void OnActivate(bool active);
    bool Checked(SettingItem item) const;
    std::string IniPath() const;
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    SettingHost& m_form;
    int m_dpi;
    ScopedFont m_font;
    ColorDialog m_colorDlg;
    BitmapOpenDialog m_fileDlg;
    std::array<HWND, static_cast<std::size_t>(SettingItem::Count)> m_items{};
    HWND m_lastFocus = nullptr;  // restored when the dialog is activated again
    std::array<std::unique_ptr<Page>, 2> m_pages;
    // Every control in design pixels, laid out again at a new resolution; a label sizes to its text.
    struct Placed {
        HWND hwnd;
        int x, y, w, h;
        bool label;
    };
    std::vector<Placed> m_placed;
};

}  // namespace tovel
