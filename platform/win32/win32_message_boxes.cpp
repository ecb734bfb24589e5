#include "platform/win32/win32_message_boxes.h"

namespace tovel {

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption, UINT style) {
    return RunModal([&](HWND owner) { return MessageBoxA(owner, text.c_str(), caption.c_str(), style); });
}

bool Win32MessageBoxes::AskYesNo(const std::string& text, const std::string& caption) {
    return Show(text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32MessageBoxes::ShowWarning(const std::string& text, const std::string& caption) {
    Show(text, caption.empty() ? Host().Title() : caption, MB_OK | MB_ICONWARNING);
}

void Win32MessageBoxes::ShowInfo(const std::string& text, const std::string& caption) {
    Show(text, caption.empty() ? Host().Title() : caption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace tovel
