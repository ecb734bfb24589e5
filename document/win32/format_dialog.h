#pragma once
// The save-format chooser as a modal dialog of the program: an encoding and a line break, each from a
// drop-down list, starting on the document's format.
#include <windows.h>

#include <optional>

#include "document/format_choice.h"
#include "platform/win32/modal_scope.h"

namespace tovel {

namespace dialogs {

// Runs the chooser owned by `owner`, starting on `current` (a Mixed break starts on CRLF): the chosen
// format on OK or Enter, nothing on キャンセル, Esc or the close box.
std::optional<TextFormat> RunFormatDialog(HWND owner, const TextFormat& current);

}  // namespace dialogs

// The chooser the main window owns: the dialog, with the whole program modal to it.
class Win32FormatChooser : public IFormatChooser, private HostedDialog {
public:
    explicit Win32FormatChooser(DialogHost& host) : HostedDialog(host) {}

    std::optional<TextFormat> ChooseFormat(const TextFormat& current) override;
};

}  // namespace tovel
