#pragma once
// OpenDialog1 and SaveDialog1: the common open and save dialogs, each keeping its last name and filter.
#include <windows.h>

#include "app/win32/application.h"
#include "platform/file_dialogs.h"

namespace tovel {

class Win32FileDialogs : public IFileDialogs {
public:
    explicit Win32FileDialogs(Application& app) : m_app(app) {}
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<std::string> ChooseFileToSave() override;

private:
    struct Memory {
        std::string fileName;
        DWORD filterIndex = 1;
    };
    std::optional<std::string> Run(bool save, Memory& memory);

    Application& m_app;
    Memory m_open;
    Memory m_save{"tovel editor", 1};
};

}  // namespace tovel
