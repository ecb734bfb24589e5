// The helper routines: the program's own folder, shell open and command start, the plain message boxes
// with the whole program modal to them, the window base's routing and the small Win32 helpers. Real
// files, real processes, real windows, real boxes answered by keys.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/application.h"
#include "platform/path_parts.h"
#include "platform/win32/module_path.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/whole_file.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/window_base.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;
using test::TestFolder;

// Set for a copy of this program started by the tests below: the file to write AppPath() to.
constexpr char kAppPathOutVar[] = "TOVEL_TEST_APPPATH_OUT";

std::string ModuleFileName() {
    char buf[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Starts a command line with its output thrown away and waits for it; the exit code, or -1.
int RunAndWait(std::string commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ScopedHandle nul(
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = nul.Get();
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return -1;
    CloseHandle(pi.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

TEST(AppPathTest, IsTheRunningProgramsFolderWithItsSeparator) {
    const std::string folder = AppPath();
    const std::string module = ModuleFileName();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(IsFolder(folder)) << folder;
    ASSERT_LT(folder.size(), module.size());
    EXPECT_EQ(module.substr(0, folder.size()), folder);
    EXPECT_EQ(module.substr(folder.size()).find_first_of("\\:"), std::string::npos) << module;
}

// The 0x5C trail byte of 表 must not be taken for a separator, in the folder's name or in the file's.
TEST(AppPathTest, FolderRuleOnRealDoubleByteNames) {
    TestFolder folder;
    ASSERT_TRUE(folder.Valid());
    const std::string display = folder / "表示";
    ASSERT_TRUE(CreateDirectoryA(display.c_str(), nullptr));
    const std::string file = display + "\\表";
    ASSERT_TRUE(test::WriteBytes(file, "x"));
    ASSERT_TRUE(test::FileExists(file));
    EXPECT_EQ(FolderPart(file), display + "\\");
    EXPECT_TRUE(IsFolder(FolderPart(file)));

    const std::string table = folder / "表";
    ASSERT_TRUE(CreateDirectoryA(table.c_str(), nullptr));
    const std::string inTable = table + "\\tovel.exe";
    ASSERT_TRUE(test::WriteBytes(inTable, "x"));
    EXPECT_EQ(FolderPart(inTable), table + "\\");
}

// A copy of this very program, named 表.exe in a folder named 表, reports where it runs from.
TEST(AppPathTest, ACopyInADoubleByteFolderReportsItsFolder) {
    char out[MAX_PATH + 1] = {};
    if (GetEnvironmentVariableA(kAppPathOutVar, out, sizeof out) > 0) {
        // This is the copy: report and stop.
        ASSERT_TRUE(test::WriteBytes(out, AppPath()));
        return;
    }
    TestFolder folder;
    ASSERT_TRUE(folder.Valid());
    const std::string table = folder / "表";
    ASSERT_TRUE(CreateDirectoryA(table.c_str(), nullptr));
    const std::string copy = table + "\\表.exe";
    ASSERT_TRUE(CopyFileA(ModuleFileName().c_str(), copy.c_str(), TRUE));
    const std::string report = folder / "apppath.txt";
    SetEnvironmentVariableA(kAppPathOutVar, report.c_str());
    const int code = RunAndWait("\"" + copy + "\" --gtest_filter=AppPathTest.ACopyInADoubleByteFolderReportsItsFolder");
    SetEnvironmentVariableA(kAppPathOutVar, nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadBytes(report), table + "\\");
}

TEST(ShellTest, OpenOfAMissingPathFailsWithoutABox) {
    TestFolder folder;
    ASSERT_TRUE(folder.Valid());
    Win32Shell shell;
    DialogAnswerer answer({});
    EXPECT_FALSE(shell.ShellOpen(folder / "missing.txt"));
    EXPECT_FALSE(shell.ShellOpen(folder / "missing\\"));
    EXPECT_TRUE(answer.Seen().empty());
    EXPECT_EQ(answer.Unexpected(), 0);
}

// The test prefix associates no program with .txt, so the opened document is a program: a copy of this
// one, which (told through the environment which test to run) writes its folder to a file.
TEST(ShellTest, OpenStartsTheAssociatedProgram) {
    TestFolder folder;
    ASSERT_TRUE(folder.Valid());
    const std::string copy = folder / "opened.exe";
    ASSERT_TRUE(CopyFileA(ModuleFileName().c_str(), copy.c_str(), TRUE));
    const std::string report = folder / "opened.txt";
    SetEnvironmentVariableA(kAppPathOutVar, report.c_str());
    SetEnvironmentVariableA("GTEST_FILTER", "AppPathTest.ACopyInADoubleByteFolderReportsItsFolder");
    SetEnvironmentVariableA("GTEST_BRIEF", "1");
    const bool opened = Win32Shell().ShellOpen(copy);
    SetEnvironmentVariableA(kAppPathOutVar, nullptr);
    SetEnvironmentVariableA("GTEST_FILTER", nullptr);
    SetEnvironmentVariableA("GTEST_BRIEF", nullptr);
    EXPECT_TRUE(opened);
    if (!opened) return;
    for (int i = 0; i < 300 && test::ReadBytes(report) != folder.Path(); ++i) Sleep(100);
    EXPECT_EQ(test::ReadBytes(report), folder.Path());
    // The copy may still be on its way out; the folder goes away only once it has ended.
    for (int i = 0; i < 100 && !DeleteFileA(copy.c_str()); ++i) Sleep(100);
}

TEST(ShellTest, RunCommandReportsWhetherTheProgramStarted) {
    Win32Shell shell;
    DialogAnswerer answer({});
    EXPECT_FALSE(shell.RunCommand("tovel-no-such-program-8d2f.exe"));
    EXPECT_FALSE(shell.RunCommand(""));
    EXPECT_TRUE(shell.RunCommand("cmd /c exit 0"));
    EXPECT_TRUE(answer.Seen().empty());
    EXPECT_EQ(answer.Unexpected(), 0);
}

class MessageBoxesTest : public testing::Test {
protected:
    MessageBoxesTest() : app(GetModuleHandleA(nullptr)), boxes(app) { app.SetTitle(kTitle); }

    static constexpr char kTitle[] = "a.txt - tovel editor";
    Application app;
    Win32MessageBoxes boxes;
};

TEST_F(MessageBoxesTest, AskYesNoKeepsAnEmptyCaptionAndAnswersTrueOnlyForYes) {
    DialogAnswerer answer({{Act::Click("いいえ(&N)")}, {Act::Enter()}});
    EXPECT_FALSE(boxes.AskYesNo("プレビューしますか?", ""));
    EXPECT_TRUE(boxes.AskYesNo("プレビューしますか?", "確認"));
    ASSERT_EQ(answer.Seen().size(), 2u);
    EXPECT_TRUE(answer.Done());
    EXPECT_EQ(answer.Unexpected(), 0);
    const auto& first = answer.Seen()[0];
    EXPECT_EQ(first.caption, "");
    EXPECT_EQ(first.statics, std::vector<std::string>{"プレビューしますか?"});
    EXPECT_EQ(first.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
    EXPECT_EQ(first.focus, "はい(&Y)");
    ASSERT_EQ(first.icons.size(), 1u);
    EXPECT_EQ(first.icons[0], LoadIconA(nullptr, IDI_QUESTION));
    EXPECT_EQ(answer.Seen()[1].caption, "確認");
}

TEST_F(MessageBoxesTest, WarningAndInfoFallBackToTheApplicationTitle) {
    const std::string longTitle(300, 't');
    DialogAnswerer answer({{Act::Enter()}, {Act::Escape()}, {Act::Enter()}, {Act::Close()}, {Act::Enter()}});
    boxes.ShowWarning("見つかりません", "");
    boxes.ShowInfo("見つかりました", "");
    boxes.ShowWarning("見つかりません", "検索");
    boxes.ShowInfo("見つかりました", "置換");
    app.SetTitle(longTitle);
    boxes.ShowInfo("長いタイトル", "");
    ASSERT_EQ(answer.Seen().size(), 5u);
    EXPECT_TRUE(answer.Done());
    EXPECT_EQ(answer.Unexpected(), 0);
    const auto& seen = answer.Seen();
    EXPECT_EQ(seen[0].caption, kTitle);
    EXPECT_EQ(seen[1].caption, kTitle);
    EXPECT_EQ(seen[2].caption, "検索");
    EXPECT_EQ(seen[3].caption, "置換");
    EXPECT_EQ(seen[4].caption, longTitle.substr(0, 255));
    EXPECT_EQ(seen[0].statics, std::vector<std::string>{"見つかりません"});
    EXPECT_EQ(seen[1].statics, std::vector<std::string>{"見つかりました"});
    for (const auto& box : seen) EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    const HICON warning = LoadIconA(nullptr, IDI_WARNING), info = LoadIconA(nullptr, IDI_INFORMATION);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i].icons.size(), 1u) << i;
        EXPECT_EQ(seen[i].icons[0], i % 2 == 0 && i < 4 ? warning : info) << i;
    }
}

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// True when `upper` comes before `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

// Every box and dialog of the program: the other windows are disabled while it is open, and a main
// window that stays on top steps out of the topmost band so that the box shows above it.
TEST_F(MessageBoxesTest, TheWholeProgramIsModalToABox) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ScopedWindow main(CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300,
                                      app.Handle(), nullptr, instance, nullptr));
    ScopedWindow about(CreateWindowExA(0, "STATIC", "about", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 150,
                                       nullptr, nullptr, instance, nullptr));
    ASSERT_TRUE(main.Get() && about.Get());
    app.SetMainWindow(main.Get());
    Win32Dialogs dialogs(app);

    const auto whileOpen = [&](const char* what) {
        return Act::Call([&, what](HWND box) {
            EXPECT_FALSE(IsWindowEnabled(main.Get())) << what;
            EXPECT_FALSE(IsWindowEnabled(about.Get())) << what;
            EXPECT_FALSE(IsTopmost(main.Get())) << what;
            EXPECT_TRUE(IsAbove(box, main.Get())) << what;
        });
    };
    const auto afterwards = [&](const char* what) {
        EXPECT_TRUE(IsWindowEnabled(main.Get())) << what;
        EXPECT_TRUE(IsWindowEnabled(about.Get())) << what;
        EXPECT_TRUE(IsTopmost(main.Get())) << what;
    };

    SetWindowPos(main.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsTopmost(main.Get()));
    {
        DialogAnswerer answer({{whileOpen("AskYesNo"), Act::Enter()},
                               {whileOpen("ShowWarning"), Act::Enter()},
                               {whileOpen("ShowInfo"), Act::Enter()},
                               {whileOpen("error box"), Act::Enter()},
                               {whileOpen("ShowMessage"), Act::Enter()}});
        EXPECT_TRUE(boxes.AskYesNo("q", ""));
        afterwards("AskYesNo");
        boxes.ShowWarning("w", "");
        afterwards("ShowWarning");
        boxes.ShowInfo("i", "");
        afterwards("ShowInfo");
        app.ShowError("e");
        afterwards("error box");
        dialogs.ShowMessage("m");
        afterwards("ShowMessage");
        EXPECT_TRUE(answer.Done());
        EXPECT_EQ(answer.Unexpected(), 0);
    }

    // A main window that is not on top is not put on top by a box.
    SetWindowPos(main.Get(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DialogAnswerer answer({{Act::Enter()}});
    boxes.ShowInfo("i", "");
    EXPECT_TRUE(answer.Done());
    EXPECT_FALSE(IsTopmost(main.Get()));
    EXPECT_TRUE(IsWindowEnabled(main.Get()));
}

// ---- The window base: where a window's messages and errors go.

constexpr UINT kThrow = WM_APP + 1;  // a handler that fails

class CountingHost : public WindowHost {
public:
    HINSTANCE Instance() const override { return GetModuleHandleA(nullptr); }
    HWND Owner() const override { return nullptr; }
    void ReportCurrentException() noexcept override { ++reports; }
    int reports = 0;
};

// A window of a registered class, or an attached control, that fails on kThrow and counts WM_CHAR.
class ProbeWindow : public WindowBase {
public:
    ProbeWindow() = default;
    explicit ProbeWindow(WindowHost& host) : WindowBase(host) {}
    void Make(HWND owner, DWORD style) {
        RegisterClassOnce(GetModuleHandleA(nullptr), "TovelProbeWindow", nullptr, nullptr);
        Create("TovelProbeWindow", "", style, 0, 0, 0, 50, 50, owner, nullptr);
    }
    using WindowBase::Attach;
    int chars = 0;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kThrow) throw std::runtime_error("failed");
        if (msg == WM_CHAR) {
            ++chars;
            return 0;  // swallowed
        }
        return WindowBase::OnMessage(msg, wp, lp);
    }
};

TEST(WindowBaseTest, AnErrorReachesTheHostOfTheProgramWindowAbove) {
    CountingHost host;
    ProbeWindow top(host);
    top.Make(nullptr, WS_OVERLAPPEDWINDOW);
    ProbeWindow child;  // made without a host: it takes the one above it
    child.Make(top.Handle(), WS_CHILD);
    ASSERT_TRUE(top.Handle() && child.Handle());
    EXPECT_EQ(WindowBase::FromHandle(child.Handle()), &child);
    EXPECT_EQ(SendMessageA(child.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(SendMessageA(top.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(host.reports, 2) << "each error is reported once, and the window lives on";
}

TEST(WindowBaseTest, AnAttachedControlIsLeftAsItWasWhenEitherSideGoesFirst) {
    test::TestParentWindow parent("parent", 200, 100);
    CountingHost host;
    ProbeWindow owner(host);
    owner.Make(parent.Handle(), WS_CHILD);
    for (const bool controlGoesFirst : {false, true}) {
        HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 100, 20, owner.Handle(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        auto probe = std::make_unique<ProbeWindow>();
        probe->Attach(edit);
        SendMessageA(edit, WM_CHAR, 'a', 0);
        EXPECT_EQ(probe->chars, 1);
        EXPECT_EQ(test::WindowCaption(edit), "") << "the object saw the key first and kept it";
        EXPECT_EQ(SendMessageA(edit, kThrow, 0, 0), 0);
        EXPECT_EQ(host.reports, controlGoesFirst ? 2 : 1);
        if (controlGoesFirst) {
            DestroyWindow(edit);
            EXPECT_EQ(probe->Handle(), nullptr);
            probe.reset();  // nothing left to detach
        } else {
            probe.reset();
            SendMessageA(edit, WM_CHAR, 'b', 0);
            EXPECT_EQ(test::WindowCaption(edit), "b") << "detached: the control types for itself again";
            DestroyWindow(edit);
        }
    }
}

TEST(WindowBaseTest, FromHandleKnowsOnlyTheProgramsOwnWindows) {
    test::TestParentWindow plain("plain", 100, 100);
    EXPECT_EQ(WindowBase::FromHandle(plain.Handle()), nullptr);
    EXPECT_EQ(WindowBase::FromHandle(nullptr), nullptr);
    EXPECT_EQ(DialogBase::FromHandle(plain.Handle()), nullptr);
}

// ---- Small helpers

TEST(WholeFileTest, ReadsAllOrSaysWhyNot) {
    TestFolder folder;
    test::WriteBytes(folder / "four.bin", std::string("a\0\r\n", 4));
    test::WriteBytes(folder / "empty.bin", "");
    const struct {
        const char* name;
        std::uint64_t maxBytes;
        std::string bytes;  // what is read, or the error's text
        bool raises;
    } cases[] = {
        {"four.bin", 4, std::string("a\0\r\n", 4), false},  // every byte, NUL and line break kept
        {"empty.bin", 0, "", false},
        {"four.bin", 3, "too large", true},  // refused before a byte is read
        {"missing.bin", 10, "ファイル " + (folder / "missing.bin") + " は開けません", true},
    };
    for (const auto& c : cases) {
        try {
            const WholeFile whole = ReadWholeFile(folder / c.name, c.maxBytes, "too large");
            EXPECT_FALSE(c.raises) << c.name;
            EXPECT_EQ(whole.bytes, c.bytes) << c.name;
            EXPECT_TRUE(whole.complete) << c.name;
        } catch (const std::exception& e) {
            EXPECT_TRUE(c.raises) << c.name;
            EXPECT_EQ(std::string(e.what()), c.bytes) << c.name;
        }
    }
}

TEST(WindowTextTest, ReadsTheWholeTextOrAtMostTheGivenBytes) {
    test::TestParentWindow window("", 100, 100);
    const std::string longText(600, 'x');
    const struct {
        std::string text;
        std::size_t maxBytes;
        std::string expected;
    } cases[] = {
        {longText, static_cast<std::size_t>(-1), longText},  // no 255-byte buffer cuts it
        {longText, 255, std::string(255, 'x')},              // the application title's limit
        {"", 255, ""},
    };
    for (const auto& c : cases) {
        SetWindowTextA(window.Handle(), c.text.c_str());
        EXPECT_EQ(WindowText(window.Handle(), c.maxBytes), c.expected) << c.maxBytes;
    }
}

}  // namespace
}  // namespace tovel
