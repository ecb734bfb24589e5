#pragma once
// The About box: created hidden at start-up, shown without blocking the main window.
#include "app/window_base.h"

namespace tovel {

class TAbout_Form : public WindowBase {
public:
    explicit TAbout_Form(Application& app);
    // Shows the box, or brings it to the front when it is already shown.
    void ShowModeless();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace tovel
