#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tovel::dialogs {

struct MessageButton {
    std::string caption;
    int result;  // also the button's control id
};

struct MessageRequest {
    std::string caption;
    std::string message;
    LPCSTR icon = nullptr;               // a system icon (IDI_...) or none
    std::vector<MessageButton> buttons;  // left to right
    int defaultResult = 0;
    int cancelResult = 0;  // what Esc gives
};

// The message dialog, owned by `owner`: returns the pressed button's result, the cancel result for Esc,
// and 2 for the close box. Ctrl+C copies the dialog's text to the clipboard; a clipboard that cannot be
// opened is passed to `reportError` and the dialog stays open.
int RunMessageDialog(HWND owner, const MessageRequest& request,
                     const std::function<void(const std::string&)>& reportError);

}  // namespace tovel::dialogs
