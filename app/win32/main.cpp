// Program entry: the application object with its title, the main window, then the About box and the
// settings dialog (hidden until called), and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "AboutBox/win32/about_form.h"
#include "app/win32/application.h"
#include "app/win32/message_loop.h"
#include "app/win32/tovel_unit.h"
#include "platform/command_line.h"
#include "platform/win32/module_path.h"
#include "setting/win32/setting_form.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    tovel::Application app(instance);
    app.SetTitle("tovel editor");
    try {
        tovel::TTovForm form(app, {tovel::AppPath(), tovel::CommandLineArguments(GetCommandLineA())});
        // Owned by the main window: they stay above it and go and come back with it.
        tovel::TAbout_Form about(app, form.Handle());
        tovel::TSettingForm setting(app, form, form.Handle());
        form.SetCompanions(&about, &setting);
        ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
        form.ShowAtStart();
        try {
            return tovel::RunMessageLoop([&](MSG& msg) {
                return form.PreviewMessage(msg) || about.PreviewMessage(msg) || setting.PreviewMessage(msg);
            });
        } catch (...) {
            // An error no window caught ends the program: the text is kept in the backup first.
            app.ReportCurrentException();
            try {
                if (IsWindow(form.Handle())) form.SaveBackup();
            } catch (...) {
                app.ReportCurrentException();
            }
            return 1;
        }
    } catch (...) {
        app.ReportCurrentException();
        return 1;
    }
}
