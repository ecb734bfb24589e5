#pragma once
// The program's own modal dialogs. Contract: each blocks until closed; while open, the program's other
// windows take no input.
#include <optional>
#include <string>

namespace tovel {

enum class DialogResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // One-line input (at most 255 bytes), the edit box starting with `def`: the typed text on OK/Enter,
    // nothing on Cancel/Esc/close box.
    virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& def) = 0;
    // The same box for a UTF-8 document: `def` and the answer are UTF-8, and any character can be typed.
    virtual std::optional<std::string> InputBoxUtf8(const std::string& caption, const std::string& prompt,
                                                    const std::string& def) = 0;
    // Confirmation ("確認", question icon) with Yes, No, Cancel; Esc and the close box give Cancel. Enter
    // gives `defaultButton` (Yes or No): No where Yes would replace something the user may want to keep.
    virtual DialogResult ConfirmYesNoCancel(const std::string& message,
                                            DialogResult defaultButton = DialogResult::Yes) = 0;
    // Plain message with OK, captioned with the application title.
    virtual void ShowMessage(const std::string& message) = 0;
};

}  // namespace tovel
