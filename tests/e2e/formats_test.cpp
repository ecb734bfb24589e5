// Files of every format in the running editor: shown as text, edited with real keys and the clipboard, and
// written back in their own format.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/command_ids.h"
#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

constexpr unsigned kUtf8CodePage = 65001;
constexpr int kGetCodePage = 2137;  // the component's "which code page" message

// What a click on a menu item sends.
void RunCommand(HWND main, tovel::CommandId command) { PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

// The dialog of this process with the caption, once it shows (nullptr after about ten seconds).
HWND WaitForDialog(EditorProcess& editor, const std::string& caption) {
    for (int i = 0; i < 100; ++i) {
        HWND box = editor.WaitForWindow("#32770", 100);
        if (box && WindowText(box) == caption) {
            Sleep(300);
            return box;
        }
    }
    return nullptr;
}

// Puts Unicode text on the clipboard, as another program's copy does.
void CopyUnicode(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

bool ValidUtf8(const std::string& bytes) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

class Formats : public testing::Test {
protected:
    // Starts the editor on a file of these bytes, named as given, in the document folder.
    HWND Start(const std::string& name, const std::string& bytes) {
        path = docDir / name;
        WriteBytes(path, bytes);
        editor = std::make_unique<EditorProcess>(exeDir.Path(), "\"" + path + "\"", workDir.Path());
        HWND main = editor->WaitForMainWindow();
        Sleep(300);
        return main;
    }
    unsigned CodePage() { return static_cast<unsigned>(SendMessageW(editor->Editor(), kGetCodePage, 0, 0)); }
    void Close() {
        CloseAnswering(*editor, IDNO);
        EXPECT_TRUE(editor->WaitForExit());
    }

    TempFolder exeDir, workDir, docDir;
    std::string path;
    std::unique_ptr<EditorProcess> editor;
};

TEST_F(Formats, AUtf8PageShowsItsJapaneseAndPastedJapaneseIsSavedAsUtf8) {
    const std::string page =
        "<html><meta charset=\"utf-8\">\n<p>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe3\x83\x9a\xe3\x83"
        "\xbc\xe3\x82\xb8</p>\n</html>\n";  // 日本語のページ
    HWND main = Start("page.html", page);
    ASSERT_TRUE(main);
    EXPECT_EQ(editor->EditorText(), page) << "held as the file's bytes";
    EXPECT_EQ(CodePage(), kUtf8CodePage) << "and drawn as UTF-8";
    CopyUnicode(L"日本語");
    PressKey(VK_END, true);
    PressKey('P', true);  // paste
    Sleep(200);
    TypeUnicode(main, L"鷗");  // typed: a character Shift-JIS has no code for
    PressKey('S', true);
    Sleep(500);
    const std::string saved = ReadBytes(path);
    EXPECT_EQ(saved, page + "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe9\xb7\x97");
    EXPECT_TRUE(ValidUtf8(saved));
    Close();
}

TEST_F(Formats, AUtf16RegistryFileIsEditedAndSavedAsUtf16WithItsMark) {
    const std::wstring text =
        L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\テスト]\r\n"
        L"\"名前\"=\"値\"\r\n";
    auto utf16 = [](const std::wstring& w) {
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(w.data()), w.size() * 2);
        return bytes;
    };
    HWND main = Start("export.reg", utf16(text));
    ASSERT_TRUE(main);
    EXPECT_EQ(CodePage(), kUtf8CodePage);
    const std::string held = editor->EditorText();
    EXPECT_NE(held.find("\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88"), std::string::npos) << "テスト as text: " << held;
    PressKey(VK_HOME, true);
    TypeText(main, "X");
    PressKey('S', true);
    Sleep(500);
    EXPECT_EQ(ReadBytes(path), utf16(L"X" + text));
    Close();
}

TEST_F(Formats, AnLfScriptKeepsItsLfAfterAnEdit) {
    HWND main = Start("run.sh", "#!/bin/sh\necho hello\n");
    ASSERT_TRUE(main);
    PressKey(VK_END, true);
    TypeText(main, "echo bye\n");
    PressKey('S', true);
    Sleep(500);
    EXPECT_EQ(ReadBytes(path), "#!/bin/sh\necho hello\necho bye\n") << "Enter typed the script's own break";
    Close();
}

// 鷗 (U+9DD7) has no Shift-JIS form: reopened as Shift-JIS the bytes stay; saved as Shift-JIS the user
// is asked before anything is written.
TEST_F(Formats, ReopenAsAndSaveAsWithACharacterShiftJisCannotHold) {
    const std::string text = "a\n\xe6\xa3\xae\xe9\xb7\x97\xe5\xa4\x96\n";  // a / 森鷗外
    HWND main = Start("ogai.txt", text);
    ASSERT_TRUE(main);
    ASSERT_EQ(CodePage(), kUtf8CodePage);
    RunCommand(main, tovel::cmdReopenShiftJisS1);
    Sleep(500);
    EXPECT_EQ(CodePage(), 932u) << "reopened as Shift-JIS";
    EXPECT_EQ(editor->EditorText(), text) << "every byte as before";
    RunCommand(main, tovel::cmdReopenAutoA1);
    Sleep(500);
    EXPECT_EQ(CodePage(), kUtf8CodePage) << "detected again";

    const std::string target = docDir / "sjis.txt";
    for (const int answer : {IDNO, IDYES}) {
        RunCommand(main, tovel::cmdFormatSaveK1);
        HWND chooser = WaitForDialog(*editor, "文字コードを指定して保存");
        ASSERT_TRUE(chooser);
        PressKey(VK_HOME);  // the first encoding: Shift_JIS
        PressKey(VK_RETURN);
        HWND save = WaitForDialog(*editor, "ファイルの保存場所の指定");
        ASSERT_TRUE(save);
        TypeText(save, target + "\n");
        HWND question = WaitForDialog(*editor, "確認");
        ASSERT_TRUE(question);
        const std::string asked = StaticTexts(question);
        EXPECT_NE(asked.find("保存できない文字があります"), std::string::npos) << asked;
        EXPECT_NE(asked.find("2 行目"), std::string::npos) << asked;
        PressButton(question, answer);
        Sleep(500);
        if (answer == IDNO) EXPECT_FALSE(FileExists(target)) << "nothing written after No";
    }
    EXPECT_EQ(ReadBytes(target), text) << "Yes wrote UTF-8: every character kept";
    Close();
}

}  // namespace
}  // namespace e2e
