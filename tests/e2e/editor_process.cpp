#include "tests/e2e/editor_process.h"

#include <Scintilla.h>

#include <initializer_list>
#include <stdexcept>

namespace e2e {
namespace {

std::string g_exe;

struct Search {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == s->pid && IsWindowVisible(hwnd) && lstrcmpA(cls, s->className) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

const std::string& BuiltExe() { return g_exe; }
void SetBuiltExe(std::string path) { g_exe = std::move(path); }
std::string LocalAppData(const std::string& exeFolder) { return exeFolder + "LocalAppData"; }
std::string RoamingAppData(const std::string& exeFolder) { return exeFolder + "AppData"; }

EditorProcess::EditorProcess(const std::string& exeFolder, const std::string& arguments,
                             const std::string& workFolder) {
    const std::string exe = exeFolder + "tovel.exe";
    if (!CopyFileA(BuiltExe().c_str(), exe.c_str(), FALSE)) throw std::runtime_error("cannot copy " + BuiltExe());
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si{sizeof si};
    // The editor's per-user folders go inside its program folder, so no test meets another's recovery
    // copies and none lands in the user's profile.
    SetEnvironmentVariableA("LOCALAPPDATA", LocalAppData(exeFolder).c_str());
    SetEnvironmentVariableA("APPDATA", RoamingAppData(exeFolder).c_str());
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(), &si,
                        &m_info)) {
        throw std::runtime_error("cannot start " + exe);
    }
    WaitForInputIdle(m_info.hProcess, 15000);
}

EditorProcess::~EditorProcess() {
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

HWND EditorProcess::WaitForWindow(const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        Search s{m_info.dwProcessId, className, nullptr};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND EditorProcess::WaitForMainWindow(DWORD timeoutMs) {
    if (!m_main) m_main = WaitForWindow("TTovForm", timeoutMs);
    return m_main;
}

bool EditorProcess::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND EditorProcess::Editor() {
    HWND frame = FindWindowExA(WaitForMainWindow(), nullptr, "TovelEditorFrame", nullptr);
    return frame ? FindWindowExA(frame, nullptr, "Scintilla", nullptr) : nullptr;
}

std::string EditorProcess::EditorText() {
    // The component hands its bytes out only into memory of its own process.
    HWND editor = Editor();
    if (!editor) return {};
    const auto length = static_cast<std::size_t>(SendMessageW(editor, SCI_GETLENGTH, 0, 0));
    void* remote = VirtualAllocEx(m_info.hProcess, nullptr, length + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) throw std::runtime_error("cannot reserve memory in the editor's process");
    SendMessageW(editor, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(remote));
    std::string text(length, '\0');
    SIZE_T read = 0;
    const BOOL ok = ReadProcessMemory(m_info.hProcess, remote, text.data(), length, &read);
    VirtualFreeEx(m_info.hProcess, remote, 0, MEM_RELEASE);
    if (!ok || read != length) throw std::runtime_error("cannot read the editor's text");
    return text;
}

std::string WindowText(HWND hwnd) {
    const int length = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    const int got =
        static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(got > 0 ? got : 0);
    return text;
}

std::string StaticTexts(HWND dialog) {
    std::string joined;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) continue;
        std::string text = WindowText(child);
        if (text.empty()) continue;
        if (!joined.empty()) joined += "|";
        joined += text;
    }
    return joined;
}

// The question may take seconds to appear on a busy machine: wait up to about 30 s for it.
std::string CloseAnswering(EditorProcess& editor, int answer) {
    PostMessageA(editor.WaitForMainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    std::string question;
    for (int i = 0; i < 300 && !editor.WaitForExit(50); ++i) {
        HWND box = editor.WaitForWindow("#32770", 50);
        if (!box) continue;
        question = StaticTexts(box);
        PressButton(box, answer);
        break;
    }
    return question;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

// One key pressed and released with modifiers (VK_CONTROL, VK_SHIFT) held around it.
void SendKey(WORD vk, std::initializer_list<WORD> modifiers) {
    INPUT in[8] = {};
    int n = 0;
    auto key = [&](WORD code, bool up) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = code;
        in[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    for (WORD m : modifiers) key(m, false);
    key(vk, false);
    key(vk, true);
    for (WORD m : modifiers) key(m, true);
    SendInput(n, in, sizeof(INPUT));
}

}  // namespace

void PressKey(WORD vk, bool ctrl) {
    if (ctrl)
        SendKey(vk, {VK_CONTROL});
    else
        SendKey(vk, {});
    Sleep(30);
}

void PressKeyWith(WORD vk, std::initializer_list<WORD> modifiers) {
    SendKey(vk, modifiers);
    Sleep(30);
}

void TypeUnicode(HWND topLevel, const std::wstring& text) {
    SetForegroundWindow(topLevel);
    Sleep(100);
    for (wchar_t c : text) {
        INPUT in[2] = {};
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = c;
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, in, sizeof(INPUT));
        Sleep(20);
    }
    Sleep(200);
}

void TypeText(HWND topLevel, const std::string& ascii) {
    SetForegroundWindow(topLevel);
    Sleep(100);
    for (char c : ascii) {
        if (c == '\n') {
            PressKey(VK_RETURN);
            continue;
        }
        const SHORT scan = VkKeyScanA(c);
        if ((scan >> 8) & 1)
            SendKey(LOBYTE(scan), {VK_SHIFT});
        else
            SendKey(LOBYTE(scan), {});
        Sleep(20);
    }
    Sleep(200);
}

}  // namespace e2e
