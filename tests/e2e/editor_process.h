#pragma once
// Starts the real tovel.exe from a private copy in a temporary folder and finds its windows, so the
// end-to-end tests use the editor as a person would and never touch a real settings file.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/win32/test_folder.h"

namespace e2e {

// Path of the built tovel.exe (the --exe= argument of the test program).
const std::string& BuiltExe();
void SetBuiltExe(std::string path);
// What an editor started from that program folder takes for %LOCALAPPDATA% (no trailing "\").
std::string LocalAppData(const std::string& exeFolder);
// What it takes for %APPDATA% (no trailing "\").
std::string RoamingAppData(const std::string& exeFolder);

// Temporary folders and whole-file bytes: the same helpers as the Win32 tests.
using tovel::test::FileExists;
using tovel::test::ReadBytes;
using tovel::test::WriteBytes;
using TempFolder = tovel::test::TestFolder;

// A running editor. The destructor kills it if a test left it running.
class EditorProcess {
public:
    // Copies tovel.exe into exeFolder and starts it there with the given argument text, in workFolder.
    EditorProcess(const std::string& exeFolder, const std::string& arguments, const std::string& workFolder);
    ~EditorProcess();
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    // The main window once it is visible (0 after the timeout).
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    // A visible top-level window of this process with the class (e.g. "#32770" for a message box).
    HWND WaitForWindow(const char* className, DWORD timeoutMs = 15000);
    bool WaitForExit(DWORD timeoutMs = 15000);
    HWND Editor();  // the editing component's window inside the main window
    // The editor's text, byte for byte, read out of the editor's process.
    std::string EditorText();

private:
    PROCESS_INFORMATION m_info{};
    HWND m_main = nullptr;
};

std::string WindowText(HWND hwnd);
// The texts of a dialog's static children (message text of a message box), joined by "|".
std::string StaticTexts(HWND dialog);
// Closes the editor through its close box, answering the save question with `answer` (IDNO, IDCANCEL,
// IDYES) if it comes; returns the question's text, or "" when none came.
std::string CloseAnswering(class EditorProcess& editor, int answer);
// Presses a message box's button with the given id (IDOK, IDYES...).
void PressButton(HWND dialog, int id);
// Types the text into the focused window of the given top-level window with real keyboard input.
void TypeText(HWND topLevel, const std::string& ascii);
void PressKey(WORD vk, bool ctrl = false);
void PressKeyWith(WORD vk, std::initializer_list<WORD> modifiers);
// Types characters as an input method hands them over (one Unicode character per key).
void TypeUnicode(HWND topLevel, const std::wstring& text);

}  // namespace e2e
