#pragma once
// The Win32 implementations of the platform interfaces the commands act on, built in one place for the
// main window. They act on the window, so they are made once it exists; it is never re-created.
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/application.h"
#include "document/win32/format_dialog.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_desktop_window.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_progress.h"
#include "platform/win32/win32_recovery_store.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_text_files.h"

namespace tovel {

struct Win32Platform {
    // `pump` handles a message while a print job is spooled; `modal` runs the print dialog as a modal box.
    Win32Platform(Application& app, HWND window, const std::string& appDir, std::function<void(MSG&)> pump,
                  std::function<void(const std::function<void()>&)> modal)
        : dialogs(app),
          fileDialogs(app),
          boxes(app),
          shell(window),
          desktop(window),
          clipboard(window),
          printer([&app] { return app.Handle(); }, std::move(pump), std::move(modal)),
          recoveryStore(appDir),
          formatChooser(app),
          progress(app) {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Win32TextFiles files;
    Win32Dialogs dialogs;
    Win32FileDialogs fileDialogs;
    Win32MessageBoxes boxes;
    Win32Sound sound;
    Win32Shell shell;
    Win32DesktopWindow desktop;
    Win32Clipboard clipboard;
    Win32Printer printer;
    Win32RecoveryStore recoveryStore;
    Win32CodePage codePage;
    Win32FormatChooser formatChooser;
    Win32Progress progress;
};

}  // namespace tovel
