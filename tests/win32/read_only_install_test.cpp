// A program installed in a folder the user cannot write, started from there: the close keeps the
// settings and the backup in the user's profile, with no error box.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/win32_text_files.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

std::string Setting(const std::string& ini, const char* key) {
    char buf[64] = {};
    GetPrivateProfileStringA("Form", key, "<none>", buf, sizeof buf, ini.c_str());
    return buf;
}

// The program's folder is also the current folder; APPDATA and LOCALAPPDATA point into a test profile.
class ReadOnlyInstallTest : public test::MainWindowHost {
protected:
    void SetUp() override {
        // Saved first: TearDown puts them back whatever happens below.
        for (auto& [name, saved] : m_savedEnvironment) {
            char buf[MAX_PATH] = {};
            const DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
            saved = n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
        }
        GetCurrentDirectoryA(sizeof m_previousFolder, m_previousFolder);
        ASSERT_TRUE(m_program.Valid() && m_profile.Valid());
        CreateDirectoryA((m_profile / "Roaming").c_str(), nullptr);
        CreateDirectoryA((m_profile / "Local").c_str(), nullptr);
        SetEnvironmentVariableA("APPDATA", (m_profile / "Roaming").c_str());
        SetEnvironmentVariableA("LOCALAPPDATA", (m_profile / "Local").c_str());
        SetCurrentDirectoryA(m_program.Path().c_str());
    }
    void TearDown() override {
        Stop();  // before the folders and the environment go back
        SetCurrentDirectoryA(m_previousFolder);
        SetFileAttributesA(m_program.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const auto& [name, saved] : m_savedEnvironment)
            SetEnvironmentVariableA(name, saved.empty() ? nullptr : saved.c_str());
    }

    // Makes the program's folder read-only. Where the file system still lets this process write there
    // (a run as the superuser ignores the attribute), the window's files are told it cannot.
    void LockProgramFolder(TTovForm& form) {
        SetFileAttributesA(m_program.Path().c_str(), FILE_ATTRIBUTE_READONLY);
        if (!Win32TextFiles().FolderWritable(m_program.Path())) return;
        const std::string program = m_program.Path();
        form.Files().SetFolderProbe([program](const std::string& folder) {
            return !(folder.empty() || _stricmp(folder.c_str(), program.c_str()) == 0);
        });
    }

    std::string RoamingIni() const { return m_profile / "Roaming\\tovel\\tovel.ini"; }

    test::TestFolder m_program;
    test::TestFolder m_profile;
    std::pair<const char*, std::string> m_savedEnvironment[2] = {{"APPDATA", {}}, {"LOCALAPPDATA", {}}};
    char m_previousFolder[MAX_PATH] = {};
};

TEST_F(ReadOnlyInstallTest, CloseKeepsSettingsAndBackupInTheProfileWithNoErrorBox) {
    TTovForm& form = Start(m_program.Path());
    LockProgramFolder(form);
    form.Note().SetText("kept");
    test::DialogAnswerer answer({{test::Act::Click("いいえ(&N)")}});  // the changed text asks first
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answer.Seen().size(), 1u) << "the save question, and no error box";
    EXPECT_EQ(answer.Unexpected(), 0);
    EXPECT_NE(Setting(RoamingIni(), "Width"), "<none>");
    EXPECT_EQ(test::ReadBytes(m_profile / "Local\\tovel\\backup.tov"), "kept");
    EXPECT_FALSE(test::FileExists(m_program / "tovel.ini"));
    EXPECT_FALSE(test::FileExists(m_program / "backup.tov"));
}

TEST_F(ReadOnlyInstallTest, AFolderTheFileSystemRefusesIsFoundUnwritableByTheProbeItself) {
    // A read-only mount: the one folder even the superuser cannot write to.
    const char* rofs = getenv("TOVEL_ROFS");
    if (!rofs) GTEST_SKIP() << "TOVEL_ROFS (a read-only folder) is not set";
    const std::string program = std::string(rofs) + "\\";
    ASSERT_FALSE(test::WriteBytes(program + "probe.txt", "x")) << "the folder must refuse writes";
    ASSERT_FALSE(Win32TextFiles().FolderWritable(program));
    SetCurrentDirectoryA(program.c_str());
    TTovForm& form = Start(program);
    form.Note().SetText("kept");
    test::DialogAnswerer answer({{test::Act::Click("いいえ(&N)")}});
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answer.Seen().size(), 1u) << "the save question, and no error box";
    EXPECT_EQ(answer.Unexpected(), 0);
    EXPECT_NE(Setting(RoamingIni(), "Width"), "<none>");
    EXPECT_EQ(test::ReadBytes(m_profile / "Local\\tovel\\backup.tov"), "kept");
    EXPECT_TRUE(Win32TextFiles().FolderWritable(m_program.Path())) << "a writable folder says so";
}

TEST_F(ReadOnlyInstallTest, TheProfilesSettingsFileOnceMadeIsReadAndWrittenThough) {
    // Even with the program's folder writable again: the file in the profile holds the user's settings.
    CreateDirectoryA((m_profile / "Roaming\\tovel").c_str(), nullptr);
    ASSERT_TRUE(test::WriteBytes(RoamingIni(), "[Form]\r\nStatusBar=0\r\n"));
    ASSERT_TRUE(test::WriteBytes(m_program / "tovel.ini", "[Form]\r\nStatusBar=1\r\n"));
    TTovForm& form = Start(m_program.Path());
    EXPECT_FALSE(form.Status().Shown());
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_NE(Setting(RoamingIni(), "Width"), "<none>");
    EXPECT_EQ(test::ReadBytes(m_program / "tovel.ini"), "[Form]\r\nStatusBar=1\r\n");
    EXPECT_FALSE(test::FileExists(m_profile / "Local\\tovel\\backup.tov")) << "a writable current folder keeps it";
}

}  // namespace
}  // namespace tovel
