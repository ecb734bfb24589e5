#pragma once
// OpenDialog1 and SaveDialog1: the common open and save dialogs, each keeping its last name and filter;
// and the one set-up of the common file dialogs that every file dialog of the program goes through.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/win32/modal_scope.h"

namespace tovel {

// What a file dialog keeps from one use to the next.
struct FileChoice {
    std::string fileName;
    DWORD filterIndex = 1;
};

struct FileDialogRequest {
    bool save = false;
    const char* filter = nullptr;  // "label\0pattern\0...\0\0"
    const char* title = nullptr;   // the dialog's own when null
    const char* defaultExtension = nullptr;
    DWORD flags = 0;  // beside the explorer style, hidden read-only box, sizing and no recent-files entry
};

// Shows the open or save dialog starting at `memory`'s name and filter. The filter index is kept even when
// cancelled; the name only when chosen. Returns the chosen full path, or nothing when cancelled.
std::optional<std::string> ChooseFile(HWND owner, const FileDialogRequest& request, FileChoice& memory);

class Win32FileDialogs : public IFileDialogs, private HostedDialog {
public:
    explicit Win32FileDialogs(DialogHost& host) : HostedDialog(host) {}
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<std::string> ChooseFileToSave(const std::string& proposed = "") override;

private:
    FileChoice m_open;
    FileChoice m_save{"tovel editor", 1};
};

}  // namespace tovel
