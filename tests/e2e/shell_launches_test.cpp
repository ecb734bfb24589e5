// Real launches from an editor installed in a folder whose name has blanks: a further editor, the
// update history in a new editor, and the previews through the shell. For the previews the test's user
// associates ".htm" and ".txt" with a recorder program that writes down what it was asked to open; the
// association is undone afterwards, so the shared prefix is left as it was.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "app/command_ids.h"
#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

// The recorder program, built beside tovel.exe.
std::string RecorderExe() {
    return BuiltExe().substr(0, BuiltExe().find_last_of('\\') + 1) + "tovel_launch_recorder.exe";
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

constexpr char kProgId[] = "TovelTest.LaunchRecorder";
constexpr const char* kExtensions[] = {".htm", ".txt"};

// The association for as long as the object lives. This Wine reads associations from the machine's
// classes only (not the user's), so the object remembers what it replaces there and puts it back.
class RecorderAssociation {
public:
    explicit RecorderAssociation(const std::string& log) {
        ForgetAnEarlierRun();
        std::string command = Quoted(RecorderExe());
        command += ' ';
        command += Quoted(log);
        command += " \"%1\"";
        m_ok = SetDefault(std::string(kProgId) + "\\shell\\open\\command", command);
        for (const char* extension : kExtensions) {
            Previous previous{extension, Exists(extension), DefaultOf(extension)};
            m_previous.push_back(previous);
            m_ok = m_ok && SetDefault(extension, kProgId);
        }
    }
    ~RecorderAssociation() {
        for (const Previous& p : m_previous) {
            if (!p.existed) {
                RegDeleteTreeA(HKEY_CLASSES_ROOT, p.key.c_str());
            } else if (p.value) {
                SetDefault(p.key, *p.value);
            } else {
                RegDeleteKeyValueA(HKEY_CLASSES_ROOT, p.key.c_str(), nullptr);
            }
        }
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    }
    RecorderAssociation(const RecorderAssociation&) = delete;
    RecorderAssociation& operator=(const RecorderAssociation&) = delete;
    bool Ok() const { return m_ok; }

private:
    struct Previous {
        std::string key;
        bool existed;
        std::optional<std::string> value;
    };

    static bool Exists(const std::string& key) {
        HKEY hkey = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS) return false;
        RegCloseKey(hkey);
        return true;
    }
    static std::optional<std::string> DefaultOf(const std::string& key) {
        char value[512] = {};
        DWORD size = sizeof value;
        if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(value);
    }
    static bool SetDefault(const std::string& key, const std::string& value) {
        return RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                               static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    // A run that crashed left its association behind (this prefix has none of its own for these).
    static void ForgetAnEarlierRun() {
        for (const char* extension : kExtensions) {
            if (DefaultOf(extension) == kProgId) RegDeleteTreeA(HKEY_CLASSES_ROOT, extension);
        }
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    }

    bool m_ok = false;
    std::vector<Previous> m_previous;
};

// Waits until the file holds at least one whole line; returns what it holds ("" after the timeout).
std::string WaitForLines(const std::string& path, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    do {
        const std::string bytes = ReadBytes(path);
        if (bytes != "<missing>" && !bytes.empty() && bytes.back() == '\n') return bytes;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return "";
}

// A main window of another editor process than `first`, closed (then ended) with the object.
class OtherEditor {
public:
    explicit OtherEditor(DWORD first, DWORD timeoutMs = 15000) : m_first(first) {
        const DWORD start = GetTickCount();
        while (!m_main && GetTickCount() - start < timeoutMs) {
            EnumWindows(Find, reinterpret_cast<LPARAM>(this));
            if (!m_main) Sleep(100);
        }
        if (!m_main) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(m_main, &pid);
        m_process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        Sleep(300);  // its caption is set right after the window shows
    }
    ~OtherEditor() {
        if (!m_process) return;
        PostMessageA(m_main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process, 10000) != WAIT_OBJECT_0) TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
        CloseHandle(m_process);
    }
    OtherEditor(const OtherEditor&) = delete;
    OtherEditor& operator=(const OtherEditor&) = delete;
    HWND Main() const { return m_main; }

private:
    static BOOL CALLBACK Find(HWND hwnd, LPARAM param) {
        auto* self = reinterpret_cast<OtherEditor*>(param);
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != self->m_first && pid != GetCurrentProcessId() && IsWindowVisible(hwnd) &&
            lstrcmpA(cls, "TTovForm") == 0) {
            self->m_main = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    DWORD m_first;
    HWND m_main = nullptr;
    HANDLE m_process = nullptr;
};

// What a click on a menu item sends.
void RunCommand(HWND main, tovel::CommandId command) { PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

class ShellLaunches : public testing::Test {
protected:
    void SetUp() override {
        appDir = root.Path() + "app folder with blanks\\";
        ASSERT_TRUE(CreateDirectoryA(appDir.c_str(), nullptr));
    }
    // Starts the editor installed in the folder with blanks.
    void Start(const std::string& arguments, const std::string& workFolder) {
        editor = std::make_unique<EditorProcess>(appDir, arguments, workFolder);
        main = editor->WaitForMainWindow();
        ASSERT_TRUE(main);
    }
    void TearDown() override {
        if (editor) CloseAnswering(*editor, IDNO);
        editor.reset();
    }

    TempFolder root, workDir;  // the editor is installed in a subfolder of root
    std::string appDir;
    std::unique_ptr<EditorProcess> editor;
    HWND main = nullptr;
};

TEST_F(ShellLaunches, StartEditorOpensAnUntitledSecondEditor) {
    ASSERT_NO_FATAL_FAILURE(Start("", workDir.Path()));
    RunCommand(main, tovel::cmdExecuteTovel1);
    OtherEditor second(editor->Id());
    ASSERT_TRUE(second.Main()) << "no second editor started";
    EXPECT_EQ(WindowText(second.Main()), "無題 - tovel editor");
}

TEST_F(ShellLaunches, UpdateHistoryOpensInASecondEditorByItsFullPath) {
    ASSERT_NO_FATAL_FAILURE(Start("", workDir.Path()));
    WriteBytes(appDir + "update.txt", "v5.0\r\n");
    // An unquoted command line would start this program instead of the editor.
    ASSERT_TRUE(CopyFileA(RecorderExe().c_str(), (root / "app.exe").c_str(), FALSE));
    RunCommand(main, tovel::cmdUpdateU1);
    OtherEditor second(editor->Id());
    ASSERT_TRUE(second.Main()) << "no second editor started";
    EXPECT_EQ(WindowText(second.Main()), appDir + "update.txt - tovel editor");
}

TEST_F(ShellLaunches, UntitledPreviewAnsweredYesOpensThePreviewFileHoldingTheText) {
    TempFolder logDir;
    RecorderAssociation association(logDir / "opened.log");
    ASSERT_TRUE(association.Ok());
    ASSERT_NO_FATAL_FAILURE(Start("", workDir.Path()));
    TypeText(main, "<b>typed</b>");
    PressKey(VK_F4);
    HWND question = editor->WaitForWindow("#32770");
    ASSERT_TRUE(question);
    EXPECT_EQ(WindowText(question), "tovel editor plus!");
    EXPECT_EQ(StaticTexts(question), "保存しないとプレビューは利用できません。\r\nブラウザで開きますか？");
    PressButton(question, IDYES);
    EXPECT_EQ(WaitForLines(logDir / "opened.log"), appDir + "olka_temp.htm\n");
    EXPECT_EQ(ReadBytes(appDir + "olka_temp.htm"), "<b>typed</b>");
    EXPECT_EQ(WindowText(main), "無題 * tovel editor") << "the preview file never becomes the document";
}

// Browses to a folder in the open dialog and cancels it: the process's current folder moves there.
bool BrowseInTheOpenDialog(EditorProcess& editor, const std::string& folder) {
    PressKey('O', true);
    for (int i = 0; i < 100; ++i) {
        HWND box = editor.WaitForWindow("#32770", 100);
        if (!box || WindowText(box) != "開くファイルの選択") continue;
        Sleep(300);
        TypeText(box, folder + "\n");
        Sleep(500);
        PressKey(VK_ESCAPE);
        Sleep(500);
        return true;
    }
    return false;
}

TEST_F(ShellLaunches, PreviewOpensTheDocumentsOwnFileWhereverTheCurrentFolderMoved) {
    TempFolder docDir, otherDir, logDir;
    WriteBytes(docDir / "page.htm", "<p>saved</p>");
    WriteBytes(otherDir / "page.htm", "<p>another</p>");
    RecorderAssociation association(logDir / "opened.log");
    ASSERT_TRUE(association.Ok());
    ASSERT_NO_FATAL_FAILURE(Start("page.htm", docDir.Path()));  // a bare name, found in the start folder
    ASSERT_TRUE(BrowseInTheOpenDialog(*editor, otherDir.Path()));
    PressKey(VK_F4);
    EXPECT_EQ(WaitForLines(logDir / "opened.log"), docDir / "page.htm\n");
}

}  // namespace
}  // namespace e2e
