#include "setting/setting_form.h"

namespace tovel {

TSettingForm::TSettingForm(Application& app) : WindowBase(app) {
    RegisterClassOnce(app.Instance(), "TSettingForm", nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Create("TSettingForm", "設定", WS_CAPTION | WS_SYSMENU | WS_POPUP, 0, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300,
           app.Handle(), nullptr);
}

void TSettingForm::ShowModeless() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

LRESULT TSettingForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        ShowWindow(Handle(), SW_HIDE);  // lives for the whole run; closing only hides it
        return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

}  // namespace tovel
