// The main window's start-up and close, in this process, against a settings file in a temporary folder.
#include <windows.h>
#include <Scintilla.h>
#include <gtest/gtest.h>
#include <imm.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A 2 x 2 24-bit bitmap file.
std::string TinyBitmap() {
    std::string bmp = "BM";
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp += static_cast<char>(v >> (8 * i));
    };
    auto u16 = [&](std::uint16_t v) {
        bmp += static_cast<char>(v);
        bmp += static_cast<char>(v >> 8);
    };
    u32(54 + 16);
    u32(0);
    u32(54);
    u32(40);
    u32(2);
    u32(2);
    u16(1);
    u16(24);
    u32(0);
    u32(16);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    bmp += std::string(16, '\x40');
    return bmp;
}

// Counts (and closes) any box the code under test shows, so a stray error box cannot hang the run.
class BoxWatch {
public:
    BoxWatch() {
        s_count = 0;
        m_hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxWatch() { UnhookWindowsHookEx(m_hook); }
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE) {
            char cls[16] = {};
            GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls);
            if (lstrcmpA(cls, "#32770") == 0) {
                ++s_count;
                PostMessageA(reinterpret_cast<HWND>(wp), WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK m_hook;
    static inline int s_count = 0;
};

// The window starts in a fresh folder that is also the current folder, as when the program is started from
// its own folder; each test starts its windows with the arguments it needs.
class TovFormTest : public test::MainWindowHost {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof m_previousFolder, m_previousFolder);
        SetCurrentDirectoryA(m_folder.c_str());
    }
    void TearDown() override {
        Stop();  // before the current folder goes back
        SetCurrentDirectoryA(m_previousFolder);
    }
    std::string Ini() const { return m_folder + "tovel.ini"; }
    std::string Stored(const char* key) const {
        char buf[64] = {};
        GetPrivateProfileStringA("Form", key, "<absent>", buf, sizeof buf, Ini().c_str());
        return buf;
    }
    // "left top width height" of the window's outer rectangle.
    static std::string RectText(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
               std::to_string(r.bottom - r.top);
    }

    test::TestFolder m_temp;
    const std::string m_folder = m_temp.Path();
    char m_previousFolder[MAX_PATH] = {};
};

TEST_F(TovFormTest, AppliesColoursPictureInputMethodAndWrapFromTheSettings) {
    Write(m_folder + "band.bmp", TinyBitmap());
    Write(Ini(), "[Form]\r\nNote.Color=255\r\nNote.Font.Color=16777215\r\nToolBitmap=" + m_folder +
                     "band.bmp\r\nIME=ON\r\nWW=NO\r\n");
    BoxWatch boxes;
    TTovForm& form = Start(m_folder);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(form.Note().Color(), 255);
    EXPECT_EQ(form.Note().FontColor(), 16777215);
    EXPECT_NE(form.ToolBitmap(), nullptr);
    EXPECT_FALSE(form.Note().WordWrap());
    EXPECT_EQ(SendMessageW(form.Note().Handle(), SCI_GETWRAPMODE, 0, 0), SC_WRAP_NONE);
    HIMC context = ImmGetContext(form.Note().Handle());
    EXPECT_TRUE(context && ImmGetOpenStatus(context)) << "IME=ON opens the input method";
    ImmReleaseContext(form.Note().Handle(), context);
    EXPECT_EQ(form.Globals().Modes.TopMostState, "OFF");
    EXPECT_EQ(form.Document().ModMark, " - ");
    EXPECT_EQ(form.Document().BaseTitle, "tovel editor");
    EXPECT_EQ(app.Title(), "無題 - tovel editor");
}

TEST_F(TovFormTest, OptionValuesCompareExactlyAndAMissingPictureIsIgnoredSilently) {
    Write(Ini(), "[Form]\r\nToolBitmap=" + m_folder + "absent.bmp\r\nIME=on\r\nWW=no\r\n");
    BoxWatch boxes;
    TTovForm& form = Start(m_folder);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(form.ToolBitmap(), nullptr);
    EXPECT_TRUE(form.Note().WordWrap());
    EXPECT_FALSE(GetWindowLongA(form.Note().Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(form.Note().Color(), static_cast<std::int32_t>(0x80000005u));
}

TEST_F(TovFormTest, AStartUpPictureGoesThroughTheSameChecksAsTheSettingsDialog) {
    const std::string whole = TinyBitmap();
    for (const auto& [bytes, boxesShown] : {std::pair{std::string(), 0}, std::pair{whole.substr(0, 60), 1}}) {
        Write(m_folder + "band.bmp", bytes);
        Write(Ini(), "[Form]\r\nToolBitmap=" + m_folder + "band.bmp\r\nWW=NO\r\n");
        BoxWatch boxes;
        TTovForm& form = Start(m_folder);
        EXPECT_EQ(boxes.Count(), boxesShown) << "an empty file is an empty picture, a cut one an error";
        EXPECT_EQ(form.ToolBitmap(), nullptr);
        EXPECT_FALSE(form.Note().WordWrap()) << "the start goes on after the picture";
        Stop();
    }
}

TEST_F(TovFormTest, AnExistingFileRefusedAtStartLeavesTheDocumentUntitled) {
    // Refused (a NUL byte) or unreadable (locked by another program): either way the file is not the
    // document, so no later Save may replace it unseen.
    Write(m_folder + "bin.dat", std::string("ab\0cd", 5));
    Write(m_folder + "locked.txt", "locked text");
    HANDLE writer = CreateFileA((m_folder + "locked.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    for (const char* name : {"bin.dat", "locked.txt"}) {
        BoxWatch boxes;
        TTovForm& form = Start(m_folder, {name});
        EXPECT_EQ(boxes.Count(), 1) << "the refusal is reported";
        EXPECT_EQ(form.Note().Text(), "");
        EXPECT_EQ(form.Document().CurrentName, "無題") << name;
        EXPECT_EQ(form.Document().FullPath, "");
        SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
        Stop();
    }
    CloseHandle(writer);
    EXPECT_EQ(Read(m_folder + "bin.dat"), std::string("ab\0cd", 5)) << "the file is never cut short";
    EXPECT_EQ(Read(m_folder + "locked.txt"), "locked text");
}

// Closed maximized, the restored rectangle is stored with Maximized=1; the next start shows the window
// maximized, and a restore returns to that rectangle.
TEST_F(TovFormTest, AMaximizedCloseStoresTheRestoredRectangleAndTheNextStartIsMaximized) {
    TTovForm& form = Start(m_folder);
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(form.Handle(), nullptr, 300, 250, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form.Handle(), SW_MAXIMIZE);
    form.Note().SetText("kept");
    test::DialogAnswerer answer({{test::Act::Click("いいえ(&N)")}});  // the changed text asks first
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Stored("Left") + " " + Stored("Top") + " " + Stored("Width") + " " + Stored("Height"), "300 250 420 330");
    EXPECT_EQ(Stored("Maximized"), "1");
    EXPECT_EQ(Read(m_folder + "backup.tov"), "kept");

    TTovForm& next = Start(m_folder);
    next.ShowAtStart();
    EXPECT_TRUE(IsZoomed(next.Handle()));
    ShowWindow(next.Handle(), SW_RESTORE);
    EXPECT_EQ(RectText(next.Handle()), "300 250 420 330");
    SendMessageA(next.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Stored("Maximized"), "0") << "closed restored";
}

// Closed folded, the height the fold took away is stored: the next start never shows the strip.
TEST_F(TovFormTest, AFoldedCloseStoresTheUnfoldedHeight) {
    TTovForm& form = Start(m_folder);
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(form.Handle(), nullptr, 300, 250, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    form.RunCommand(cmdFoldF1);
    ASSERT_EQ(RectText(form.Handle()), "300 250 420 38");
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Stored("Top") + " " + Stored("Width") + " " + Stored("Height"), "250 420 330");
    TTovForm& next = Start(m_folder);
    EXPECT_EQ(RectText(next.Handle()), "300 250 420 330");
}

// A place stored on a monitor no longer there, or the minimized position, starts the window on the screen
// (1280 x 1024 here) at its stored size; a place on the screen is kept as it is.
TEST_F(TovFormTest, AStoredPlaceOffEveryMonitorStartsOnTheScreen) {
    const struct {
        const char* name;
        const char* place;  // Left Top Width Height
        const char* expected;
    } rows[] = {
        {"on the screen", "100 120 545 410", "100 120 545 410"},
        {"Left 3000", "3000 176 545 410", nullptr},
        {"the minimized position", "-32000 -32000 545 410", nullptr},
        {"partly off the left edge", "-100 120 545 410", "-100 120 545 410"},
    };
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int left = 0, top = 0, width = 0, height = 0;
        std::istringstream(row.place) >> left >> top >> width >> height;
        Write(Ini(), "[Form]\r\nLeft=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) +
                         "\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) + "\r\n");
        TTovForm& form = Start(m_folder);
        RECT r{};
        GetWindowRect(form.Handle(), &r);
        if (row.expected) {
            EXPECT_EQ(RectText(form.Handle()), row.expected);
        } else {
            RECT inside{};
            EXPECT_TRUE(IntersectRect(&inside, &r, &monitor.rcWork) && EqualRect(&inside, &r))
                << RectText(form.Handle());
            EXPECT_EQ(r.right - r.left, width);
            EXPECT_EQ(r.bottom - r.top, height);
        }
        Stop();
    }
}

TEST_F(TovFormTest, MinimizedCloseStoresTheRestoredRectangleInScreenCoordinates) {
    // A work area that does not start at the screen's corner, as with a taskbar at the top or left.
    RECT screenWork{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screenWork, 0);
    RECT work = screenWork;
    work.left += 50;
    work.top += 100;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    struct RestoreWorkArea {
        RECT r;
        ~RestoreWorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &r, 0); }
    } restore{screenWork};

    TTovForm& form = Start(m_folder);
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    SetWindowPos(form.Handle(), nullptr, 300, 250, 420, 330, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    ShowWindow(form.Handle(), SW_MINIMIZE);
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    char buf[64];
    GetPrivateProfileStringA("Form", "Top", "", buf, sizeof buf, Ini().c_str());
    EXPECT_EQ(std::string(buf), std::to_string(r.top));
    GetPrivateProfileStringA("Form", "Left", "", buf, sizeof buf, Ini().c_str());
    EXPECT_EQ(std::string(buf), std::to_string(r.left));
    GetPrivateProfileStringA("Form", "Width", "", buf, sizeof buf, Ini().c_str());
    EXPECT_EQ(std::string(buf), std::to_string(r.right - r.left));
    EXPECT_EQ(Stored("Maximized"), "0");
}

// The backup written at close keeps what it should: never over the document being closed, and never an
// empty text over a backup that holds text.
struct BackupCase {
    const char* title;
    const char* earlier;       // the backup file before the run (null: none)
    const char* argument;      // the document named on the command line (null: untitled)
    const char* typed;         // the text typed before the close (null: none)
    const char* expected;      // the backup file after the close (null: still no file)
    bool shortFolder = false;  // the current folder is entered by its short (8.3) name
};

const BackupCase kBackupCases[] = {
    {"text replaces an earlier backup", "earlier", nullptr, "typed", "typed"},
    {"an empty window keeps the earlier backup", "earlier", nullptr, nullptr, "earlier"},
    {"the backup open as the document stays as it was", "earlier", "backup.tov", "not saved", "earlier"},
    {"the same in other letter case", "earlier", "BACKUP.TOV", "not saved", "earlier"},
    {"the same through a relative path", "earlier", ".\\backup.tov", "not saved", "earlier"},
    {"the same by its full path, the folder by its short name", "earlier", "<full>", "not saved", "earlier", true},
    {"the same, not yet on disk", nullptr, "<full>", "not saved", nullptr, true},
    {"the same file under another name", "earlier", "link.txt", "not saved", "earlier"},
    {"a document of that name elsewhere", "earlier", "sub\\backup.tov", "typed", "typed"},
};

class BackupAtClose : public TovFormTest, public testing::WithParamInterface<BackupCase> {};

TEST_P(BackupAtClose, KeepsWhatItShould) {
    const BackupCase& c = GetParam();
    if (c.earlier) Write(m_folder + "backup.tov", c.earlier);
    CreateDirectoryA((m_folder + "sub").c_str(), nullptr);
    Write(m_folder + "sub\\backup.tov", "other");
    if (c.earlier) CreateHardLinkA((m_folder + "link.txt").c_str(), (m_folder + "backup.tov").c_str(), nullptr);
    std::vector<std::string> arguments;
    if (c.argument) arguments.push_back(c.argument == std::string("<full>") ? m_folder + "backup.tov" : c.argument);
    if (c.shortFolder) {
        char shortName[MAX_PATH] = {};
        ASSERT_GT(GetShortPathNameA(m_folder.c_str(), shortName, sizeof shortName), 0u);
        ASSERT_NE(std::string(shortName), m_folder) << "no short name to test with";
        // Wine makes short names from a hash: among many folders of like names one may stand for another.
        char back[MAX_PATH] = {};
        GetLongPathNameA(shortName, back, sizeof back);
        if (_stricmp(back, m_folder.c_str()) != 0) GTEST_SKIP() << shortName << " names another folder";
        SetCurrentDirectoryA(shortName);
    }
    TTovForm* form = nullptr;
    {
        test::DialogAnswerer start(c.argument && !c.earlier ? std::vector<test::Script>{{test::Act::Enter()}}
                                                            : std::vector<test::Script>{});  // the file is not there
        form = &Start(m_folder, arguments);
        ASSERT_EQ(start.Unexpected(), 0);
    }
    if (c.typed) form->Note().SetText(c.typed);
    std::vector<test::Script> answers;
    if (c.typed) answers.push_back({test::Act::Click("いいえ(&N)")});
    test::DialogAnswerer answer(answers);
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answer.Seen().size(), answers.size());
    if (c.expected) {
        EXPECT_EQ(Read(m_folder + "backup.tov"), c.expected);
    } else {
        EXPECT_EQ(GetFileAttributesA((m_folder + "backup.tov").c_str()), INVALID_FILE_ATTRIBUTES) << "no file made";
    }
    EXPECT_EQ(Read(m_folder + "sub\\backup.tov"), "other");
}

INSTANTIATE_TEST_SUITE_P(Cases, BackupAtClose, testing::ValuesIn(kBackupCases), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.title; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

}  // namespace
}  // namespace tovel
