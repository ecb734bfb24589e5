#pragma once
// The plain message boxes, owned by the application window; the whole program is modal to them.
#include "platform/message_boxes.h"
#include "platform/win32/modal_scope.h"

namespace tovel {

class Win32MessageBoxes : public IMessageBoxes, private HostedDialog {
public:
    explicit Win32MessageBoxes(DialogHost& host) : HostedDialog(host) {}

    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowWarning(const std::string& text, const std::string& caption) override;
    void ShowInfo(const std::string& text, const std::string& caption) override;

private:
    int Show(const std::string& text, const std::string& caption, UINT style);
};

}  // namespace tovel
