// The shell launches: the exact requests handed to the shell, the question for an untitled document and
// the preview file, over test doubles.
#include "window/shell_launches.h"

#include <gtest/gtest.h>

#include "platform/command_line.h"
#include "tests/unit/fake_text_editor.h"

namespace tovel {
namespace {

using test::RecordingShell;

using Requests = std::vector<std::string>;
const std::string kAppDir = "C:\\Program Files\\tovel editor\\";
const std::string kQuestion =
    "question|保存しないとプレビューは利用できません。\r\nブラウザで開きますか？|tovel editor plus!";

class ShellLaunchesTest : public testing::Test {
protected:
    ShellLaunchesTest() {
        shell.succeeds = false;  // a failing shell: nothing may depend on its answer
        document.CurrentName = kUntitledName;
        document.ModMark = kModifiedMark;
        editor.text = "<p>unsaved</p>";
    }

    DocumentState document;
    test::FakeEditor editor;
    test::MemoryFiles files;
    RecordingShell shell;
    test::RecordingBoxes boxes;
    ShellLaunches launches{document, editor, files, shell, boxes, kAppDir};
};

TEST_F(ShellLaunchesTest, UntitledPreviewAsksAndOnlyYesWritesAndOpensThePreviewFile) {
    boxes.yes = {false, true};
    launches.Preview();
    EXPECT_TRUE(files.writes.empty());
    EXPECT_TRUE(shell.requests.empty());
    launches.Preview();
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{kQuestion, kQuestion}));
    EXPECT_EQ(files.files[kAppDir + "olka_temp.htm"], "<p>unsaved</p>");
    EXPECT_EQ(shell.requests, Requests{"OPEN:" + kAppDir + "olka_temp.htm"});
    EXPECT_EQ(document.CurrentName, kUntitledName) << "the preview file never becomes the document";
    EXPECT_EQ(document.ModMark, kModifiedMark);
}

TEST_F(ShellLaunchesTest, TitledPreviewOpensTheDocumentsOwnFileByItsFullPath) {
    document.CurrentName = "a.htm";
    document.FullPath = "C:\\docs\\a.htm";  // a later browse elsewhere moved the current folder: no matter
    launches.Preview();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(files.writes.empty()) << "unsaved changes are not part of this preview";
    EXPECT_EQ(shell.requests, Requests{"OPEN:C:\\docs\\a.htm"});
}

TEST_F(ShellLaunchesTest, BrowserPreviewOfATitledDocumentStillUsesThePreviewFileEachTime) {
    document.CurrentName = "a.htm";
    document.FullPath = "C:\\docs\\a.htm";
    launches.BrowserPreview();
    editor.text = "second";
    launches.BrowserPreview();
    EXPECT_EQ(files.writes, Requests(2, kAppDir + "olka_temp.htm"));
    EXPECT_EQ(files.files[kAppDir + "olka_temp.htm"], "second");
    EXPECT_EQ(files.files.count("C:\\docs\\a.htm"), 0u);
    EXPECT_EQ(shell.requests, Requests(2, "OPEN:" + kAppDir + "olka_temp.htm"));
    EXPECT_EQ(document.CurrentName, "a.htm");
}

TEST_F(ShellLaunchesTest, UnwritablePreviewFileRaisesAndOpensNothing) {
    files.unwritable.push_back(kAppDir + "olka_temp.htm");
    try {
        launches.BrowserPreview();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + kAppDir + "olka_temp.htm を作成できません");
    }
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(ShellLaunchesTest, ManualHistoryAndNewEditorRequestsQuoteWhatHasBlanks) {
    launches.OpenManual();
    launches.ShowUpdateHistory();
    launches.StartEditor();
    EXPECT_EQ(
        shell.requests,
        (Requests{"OPEN:" + kAppDir + "readme.txt",
                  "run:\"C:\\Program Files\\tovel editor\\tovel.exe\" \"C:\\Program Files\\tovel editor\\update.txt\"",
                  "OPEN:" + kAppDir + "tovel.exe"}));
    EXPECT_TRUE(boxes.shown.empty()) << "a failed launch is not reported";
    // The new editor reads the whole history path as its one argument.
    const std::string commandLine = shell.requests[1].substr(4);
    EXPECT_EQ(CommandLineArguments(commandLine), Requests{kAppDir + "update.txt"});
}

}  // namespace
}  // namespace tovel
