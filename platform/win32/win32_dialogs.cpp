#include "platform/win32/win32_dialogs.h"

#include "platform/win32/input_box.h"
#include "platform/win32/message_dialog.h"

namespace tovel {

std::optional<std::string> Win32Dialogs::InputBox(const std::string& caption, const std::string& prompt,
                                                  const std::string& def) {
    return RunModal([&](HWND owner) { return dialogs::RunInputBox(owner, caption, prompt, def); });
}

std::optional<std::string> Win32Dialogs::InputBoxUtf8(const std::string& caption, const std::string& prompt,
                                                      const std::string& def) {
    return RunModal([&](HWND owner) { return dialogs::RunUnicodeInputBox(owner, caption, prompt, def); });
}

DialogResult Win32Dialogs::ConfirmYesNoCancel(const std::string& message, DialogResult defaultButton) {
    dialogs::MessageRequest request{"確認",
                                    message,
                                    IDI_QUESTION,
                                    {{"はい(&Y)", 6}, {"いいえ(&N)", 7}, {"キャンセル", 2}},
                                    defaultButton == DialogResult::No ? 7 : 6,
                                    2};
    return static_cast<DialogResult>(RunModal([&](HWND owner) {
        return dialogs::RunMessageDialog(owner, request, [this](const std::string& e) { Host().ShowError(e); });
    }));
}

void Win32Dialogs::ShowMessage(const std::string& message) {
    dialogs::MessageRequest request{Host().Title(), message, nullptr, {{"OK", 1}}, 1, 1};
    RunModal([&](HWND owner) {
        return dialogs::RunMessageDialog(owner, request, [this](const std::string& e) { Host().ShowError(e); });
    });
}

}  // namespace tovel
