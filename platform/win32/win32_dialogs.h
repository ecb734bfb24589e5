#pragma once
// The program's own modal dialogs, owned by the application window. While one is open every other
// window of the program is disabled.
#include "platform/dialogs.h"
#include "platform/win32/modal_scope.h"

namespace tovel {

class Win32Dialogs : public IDialogs, private HostedDialog {
public:
    explicit Win32Dialogs(DialogHost& host) : HostedDialog(host) {}

    std::optional<std::string> InputBoxUtf8(const std::string& caption, const std::string& prompt,
                                            const std::string& def) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& def) override;
    DialogResult ConfirmYesNoCancel(const std::string& message,
                                    DialogResult defaultButton = DialogResult::Yes) override;
    void ShowMessage(const std::string& message) override;
};

}  // namespace tovel
