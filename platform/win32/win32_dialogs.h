#pragma once
// The program's own modal dialogs, owned by the application window. While one is open every other
// window of the program is disabled.
#include "app/win32/application.h"
#include "platform/dialogs.h"

namespace tovel {

class Win32Dialogs : public IDialogs {
public:
    explicit Win32Dialogs(Application& app) : m_app(app) {}

    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& def) override;
    DialogResult ConfirmYesNoCancel(const std::string& message) override;
    void ShowMessage(const std::string& message) override;

private:
    Application& m_app;
};

}  // namespace tovel
