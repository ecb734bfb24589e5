#include "platform/win32/win32_dialogs.h"

#include "platform/win32/input_box.h"
#include "platform/win32/message_dialog.h"

namespace tovel {

std::optional<std::string> Win32Dialogs::InputBox(const std::string& caption, const std::string& prompt,
                                                  const std::string& def) {
    ModalScope modal(&m_app);
    return dialogs::RunInputBox(m_app.Handle(), caption, prompt, def);
}

DialogResult Win32Dialogs::ConfirmYesNoCancel(const std::string& message) {
    dialogs::MessageRequest request{
        "確認", message, IDI_QUESTION, {{"はい(&Y)", 6}, {"いいえ(&N)", 7}, {"キャンセル", 2}}, 6, 2};
    ModalScope modal(&m_app);
    return static_cast<DialogResult>(
        dialogs::RunMessageDialog(m_app.Handle(), request, [this](const std::string& e) { m_app.ShowError(e); }));
}

void Win32Dialogs::ShowMessage(const std::string& message) {
    dialogs::MessageRequest request{m_app.Title(), message, nullptr, {{"OK", 1}}, 1, 1};
    ModalScope modal(&m_app);
    dialogs::RunMessageDialog(m_app.Handle(), request, [this](const std::string& e) { m_app.ShowError(e); });
}

}  // namespace tovel
