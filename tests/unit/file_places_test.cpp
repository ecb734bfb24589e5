// Where the program's own files go when the folder it would use cannot be written: the settings file,
// the backup and the browser preview.
#include "platform/file_places.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/unit/fake_text_editor.h"
#include "window/shell_launches.h"

namespace tovel {
namespace {

const std::string kProgram = "C:\\Program Files\\tovel\\";
const std::string kRoaming = "C:\\Users\\u\\AppData\\Roaming\\tovel\\";

TEST(FilePlacesTest, TheSettingsFileFollowsWhatExistsThenWhatCanBeWritten) {
    struct Case {
        const char* scenario;
        bool perUserExists, programWritable;
        std::string perUserFolder, expected;
        bool probesProgram;  // whether the program's folder is probed (a probe writes a file)
    };
    const Case cases[] = {
        {"a writable program folder keeps its file", false, true, kRoaming, kProgram + "tovel.ini", true},
        {"a read-only program folder sends it to the profile", false, false, kRoaming, kRoaming + "tovel.ini", true},
        {"once made, the profile's file stays the one", true, true, kRoaming, kRoaming + "tovel.ini", false},
        {"the profile's file, read-only folder", true, false, kRoaming, kRoaming + "tovel.ini", false},
        {"no profile known: beside the program as before", false, false, "", kProgram + "tovel.ini", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked, probed;
        const std::string got = SettingsFilePlace(
            kProgram, c.perUserFolder, "tovel.ini",
            [&](const std::string& file) {
                asked.push_back(file);
                return c.perUserExists;
            },
            [&](const std::string& folder) {
                probed.push_back(folder);
                return c.programWritable;
            });
        EXPECT_EQ(got, c.expected) << c.scenario;
        EXPECT_EQ(probed, c.probesProgram ? std::vector<std::string>{kProgram} : std::vector<std::string>{})
            << c.scenario;
        for (const std::string& file : asked) EXPECT_EQ(file, kRoaming + "tovel.ini") << c.scenario;
    }
}

TEST(FilePlacesTest, AFileGoesToItsFolderOrToTheFallbackWhenThatCannotBeWritten) {
    struct Case {
        const char* scenario;
        std::string folder, fallback;
        bool writable;
        std::string expected;
    };
    const Case cases[] = {
        {"the current folder keeps a relative name", "", "L:\\tovel\\", true, "backup.tov"},
        {"a read-only current folder", "", "L:\\tovel\\", false, "L:\\tovel\\backup.tov"},
        {"no fallback known: the folder as before", "", "", false, "backup.tov"},
        {"a named folder", kProgram, "T:\\", true, kProgram + "backup.tov"},
        {"a named read-only folder", kProgram, "T:\\", false, "T:\\backup.tov"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WritablePlace(c.folder, c.fallback, "backup.tov", [&](const std::string&) { return c.writable; }),
                  c.expected)
            << c.scenario;
    }
}

TEST(FilePlacesTest, TheProgramsFolderUnderAProfileFolderIsCutByCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"C:\\Users\\u\\AppData\\Roaming", "C:\\Users\\u\\AppData\\Roaming\\tovel\\"},
        {"C:\\Users\\u\\AppData\\Roaming\\", "C:\\Users\\u\\AppData\\Roaming\\tovel\\"},
        // "表" ends in the byte of "\": it is no separator, so one is still added.
        {"C:\\Users\\\x95\x5C", "C:\\Users\\\x95\x5C\\tovel\\"},
        {"C:\\Users\\\x95\x5C\\", "C:\\Users\\\x95\x5C\\tovel\\"},
    };
    for (const auto& [system, expected] : cases) EXPECT_EQ(ProgramFolderUnder(system), expected) << system;
}

TEST(FilePlacesTest, TheBrowserPreviewGoesToTheTemporaryFolderWhenTheProgramsCannotBeWritten) {
    DocumentState document;
    document.CurrentName = kUntitledName;
    test::FakeEditor editor;
    editor.text = "<p>page</p>";
    test::MemoryFiles files;
    test::RecordingShell shell;
    test::RecordingBoxes boxes;
    ShellLaunches launches{document, editor, files, shell, boxes, kProgram};
    files.tempFolder = "T:\\temp\\";
    files.unwritableFolders = {kProgram};
    launches.BrowserPreview();
    EXPECT_EQ(files.writes, std::vector<std::string>{"T:\\temp\\olka_temp.htm"});
    EXPECT_EQ(files.files["T:\\temp\\olka_temp.htm"], "<p>page</p>");
    EXPECT_EQ(shell.requests, std::vector<std::string>{"OPEN:T:\\temp\\olka_temp.htm"});
}

}  // namespace
}  // namespace tovel
