// The shell launches: the exact requests handed to the shell, the question for an untitled document and
// the preview file, over test doubles.
#include "window/shell_launches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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
    int saves = 0;
    bool saveSucceeds = true;
    std::function<bool()> save = [this] {
        ++saves;
        return saveSucceeds;
    };
};

TEST_F(ShellLaunchesTest, UntitledPreviewAsksAndOnlyYesWritesAndOpensThePreviewFile) {
    boxes.yes = {false, true};
    launches.Preview(save);
    EXPECT_TRUE(files.writes.empty());
    EXPECT_TRUE(shell.requests.empty());
    launches.Preview(save);
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{kQuestion, kQuestion}));
    EXPECT_EQ(files.files[kAppDir + "olka_temp.htm"], "<p>unsaved</p>");
    EXPECT_EQ(shell.requests, Requests{"OPEN:" + kAppDir + "olka_temp.htm"});
    EXPECT_EQ(document.CurrentName, kUntitledName) << "the preview file never becomes the document";
    EXPECT_EQ(document.ModMark, kModifiedMark);
}

TEST_F(ShellLaunchesTest, TitledPreviewOpensTheDocumentsOwnFileByItsFullPath) {
    document.CurrentName = "a.htm";
    document.FullPath = "C:\\docs\\a.htm";  // a later browse elsewhere moved the current folder: no matter
    document.ModMark = kCleanMark;
    launches.Preview(save);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(shell.requests, Requests{"OPEN:C:\\docs\\a.htm"});
}

// A modified named document asks whether to save first: Yes saves then shows the file, No shows the file as
// last saved, and a save that does not happen opens nothing.
TEST_F(ShellLaunchesTest, APreviewOfAModifiedDocumentAsksWhetherToSaveFirst) {
    document.CurrentName = "a.htm";
    document.FullPath = "C:\\docs\\a.htm";
    struct Case {
        bool yes, saved;
        int saves;
        std::size_t opens;
    } cases[] = {{true, true, 1, 1}, {false, true, 0, 1}, {true, false, 1, 0}};
    for (const Case& c : cases) {
        boxes.shown.clear(), shell.requests.clear(), saves = 0;
        boxes.yes = {c.yes};
        saveSucceeds = c.saved;
        launches.Preview(save);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].find("保存してからプレビューしますか?"), std::string::npos);
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(shell.requests.size(), c.opens);
    }
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
    EXPECT_TRUE(boxes.shown.empty()) << "nothing to report when every launch started";
    // The new editor reads the whole history path as its one argument.
    const std::string commandLine = shell.requests[1].substr(4);
    EXPECT_EQ(CommandLineArguments(commandLine), Requests{kAppDir + "update.txt"});

    // No manual, no program for the file, a renamed program: each failure is reported by name.
    shell.succeeds = false;
    launches.OpenManual();
    launches.ShowUpdateHistory();
    launches.StartEditor();
    launches.BrowserPreview();
    ASSERT_EQ(boxes.shown.size(), 4u);
    for (const char* name : {"readme.txt", "update.txt", "tovel.exe", "olka_temp.htm"}) {
        const bool named = std::any_of(boxes.shown.begin(), boxes.shown.end(), [&](const std::string& shown) {
            return shown.find(std::string(name) + " を開けませんでした。") != std::string::npos;
        });
        EXPECT_TRUE(named) << name;
    }
}

}  // namespace
}  // namespace tovel
