#include "AboutBox/about_form.h"

namespace tovel {

TAbout_Form::TAbout_Form(Application& app) : WindowBase(app) {
    RegisterClassOnce(app.Instance(), "TAbout_Form", nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Create("TAbout_Form", "バージョン情報", WS_CAPTION | WS_SYSMENU | WS_POPUP, 0, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240,
           app.Handle(), nullptr);
}

void TAbout_Form::ShowModeless() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

LRESULT TAbout_Form::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        ShowWindow(Handle(), SW_HIDE);  // lives for the whole run; closing only hides it
        return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

}  // namespace tovel
