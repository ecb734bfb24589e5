#pragma once
// The open and save dialogs of the main window. Contract: each returns the chosen file's full path, or
// nothing when cancelled; each remembers its last file name and filter from one use to the next. The save
// dialog asks itself before an existing file is overwritten and appends "txt" to a name without extension.
#include <optional>
#include <string>

namespace tovel {

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    virtual std::optional<std::string> ChooseFileToOpen() = 0;
    // `proposed`: the full path of the document being saved, where the dialog starts; "" to start at the
    // dialog's last name.
    virtual std::optional<std::string> ChooseFileToSave(const std::string& proposed = "") = 0;
};

}  // namespace tovel
