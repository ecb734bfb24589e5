#pragma once
// The settings dialog: created hidden at start-up, shown without blocking the main window.
#include "app/window_base.h"

namespace tovel {

class TSettingForm : public WindowBase {
public:
    explicit TSettingForm(Application& app);
    // Shows the dialog, or brings it to the front when it is already shown.
    void ShowModeless();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace tovel
