// Whatever bytes a file holds, the real editor shows, saves and backs up exactly those bytes (after
// lone CR and LF become CR LF): UTF-8 HTML, every byte value but NUL, and real Shift-JIS text.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

// Every byte value 1..255 forwards, backwards and interleaved with lead bytes, on CR LF lines, with no
// lone CR or LF (those would be made CR LF on opening).
std::string EveryByteButNul() {
    std::string text;
    auto add = [&](int b) {
        if (b != '\r' && b != '\n') text += static_cast<char>(b);
    };
    for (int b = 1; b < 256; ++b) add(b);
    text += "\r\n";
    for (int b = 255; b > 0; --b) add(b);
    text += "\r\n";
    for (int b = 1; b < 256; ++b) {
        add(0x82);
        add(b);
    }
    return text + "\r\nend";
}

struct Sample {
    const char* name;
    std::string bytes;
};

TEST(BytesKept, OpenSaveAndCloseKeepEveryByte) {
    const Sample samples[] = {
        {"page.html", reinterpret_cast<const char*>(
                          u8"<html>\r\n<p>日本語のページ</p>\r\n<a href=\"a.html\">リンク</a>\r\n</html>\r\n")},
        {"bytes.bin", EveryByteButNul()},
        {"memo.txt", "表示ソース十能予\\path\r\n「かな漢字」ﾊﾝｶｸ ①②ⅰ\r\n\x87\x90\xed\x40\xfa\x55\r\n"},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        TempFolder exeDir, workDir;
        WriteBytes(workDir / s.name, s.bytes);
        EditorProcess editor(exeDir.Path(), s.name, workDir.Path());
        HWND main = editor.WaitForMainWindow();
        ASSERT_TRUE(main);
        EXPECT_EQ(editor.EditorText(), s.bytes);
        TypeText(main, "");
        PressKey('S', true);  // save over the file
        Sleep(300);
        EXPECT_EQ(ReadBytes(workDir / s.name), s.bytes);
        CloseAnswering(editor, IDNO);  // the keys' release marked the document again
        ASSERT_TRUE(editor.WaitForExit());
        EXPECT_EQ(ReadBytes(workDir / "backup.tov"), s.bytes);
        EXPECT_EQ(ReadBytes(workDir / s.name), s.bytes);
    }
}

}  // namespace
}  // namespace e2e
