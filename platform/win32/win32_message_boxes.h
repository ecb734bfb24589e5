#pragma once
// The plain message boxes, owned by the application window; the whole program is modal to them.
#include "app/win32/application.h"
#include "platform/message_boxes.h"

namespace tovel {

class Win32MessageBoxes : public IMessageBoxes {
public:
    explicit Win32MessageBoxes(Application& app) : m_app(app) {}

    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowWarning(const std::string& text, const std::string& caption) override;
    void ShowInfo(const std::string& text, const std::string& caption) override;

private:
    int Show(const std::string& text, const std::string& caption, UINT style);

    Application& m_app;
};

}  // namespace tovel
