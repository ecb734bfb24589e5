// Text copied in one running editor and pasted in another arrives with every byte as it was, including
// bytes that make no Shift-JIS character and characters that have no single Unicode form.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "(not opened)";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST(ClipboardInstances, CopyInOneEditorAndPasteInAnotherKeepEveryByte) {
    // 髙﨑, NEC ≒≡∫, UTF-8 の, Latin-1 é, then every byte but NUL (CR and LF only as a pair: a loaded file
    // has no lone breaks).
    std::string bytes = "\xEE\xE0\xED\x95\x87\x90\x87\x91\x87\x92\xE3\x81\xAE caf\xE9 au lait\r\n";
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
    }
    TempFolder exeDir, otherExeDir, workDir;
    WriteBytes(workDir / "bytes.txt", bytes);
    EditorProcess source(exeDir.Path(), "bytes.txt", workDir.Path());
    EditorProcess target(otherExeDir.Path(), "", workDir.Path());
    HWND sourceMain = source.WaitForMainWindow(), targetMain = target.WaitForMainWindow();
    ASSERT_TRUE(sourceMain && targetMain);
    ASSERT_EQ(source.EditorText(), bytes);

    TypeText(sourceMain, "");  // brings it to the front
    PressKey('A', true);
    PressKey('C', true);
    Sleep(200);
    EXPECT_EQ(ClipboardText(), bytes);
    TypeText(targetMain, "");
    PressKey('P', true);
    Sleep(300);
    EXPECT_EQ(target.EditorText(), bytes);

    CloseAnswering(target, IDNO);
    CloseAnswering(source, IDNO);
    EXPECT_TRUE(target.WaitForExit());
    EXPECT_TRUE(source.WaitForExit());
}

}  // namespace
}  // namespace e2e
