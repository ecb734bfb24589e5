// Tables of faults met while writing the user's text, each held to the same promise: the file on disk
// is its complete old bytes or its complete new bytes, the editor still holds the user's text, the
// document stays modified where it was not saved, and the user was told. Faults are real where this
// machine can make them (read-only files and mounts, a full file system, a file held by another handle,
// a file changed by someone else, the process killed inside a save) and injected at the file layer where
// it cannot (a save cut off at each of its steps).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <optional>

#include "app/win32/tovel_unit.h"
#include "platform/path_parts.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

constexpr char kOld[] = "old bytes \x95\x5c\r\n";
constexpr char kNew[] = "the user's new text \x83\x5c\r\n";

// The folder a scenario's document lives in: a temporary folder, or a test file system ("" skips).
struct Place {
    const char* env = nullptr;  // TOVEL_SMALLFS, TOVEL_ROFS, or null for a temporary folder
    const char* name = "doc.txt";
};

struct Scenario {
    const char* title;
    Place place;
    std::function<void(TTovForm&, const std::string& path, std::vector<HANDLE>& held)> inject;
    std::vector<std::vector<Act>> answers;  // the dialogs the save brings, in order
    bool saved;                             // the new bytes are expected on disk
    const char* told;                       // part of what the last dialog said ("" when nothing)
};

std::string FolderOf(const Place& place, const test::TestFolder& temp) {
    if (!place.env) return temp.Path();
    const char* value = std::getenv(place.env);
    return value && *value ? std::string(value) + "\\" : "";
}

// A row's title as a test name: letters and digits, the rest "_".
std::string TestName(const char* title) {
    std::string name;
    for (const char* c = title; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

void CutOffAt(TTovForm& form, const char* at) {
    form.Files().SetStepHook([at = std::string(at)](const char* step) {
        if (step == at) throw Error("保存が中断されました (" + at + ")");
    });
}

const Scenario kScenarios[] = {
    {"read-only target",
     {},
     [](TTovForm&, const std::string& p, auto&) { SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_READONLY); },
     {{Act::Click("いいえ(&N)")}},  // the read-only file is named and Save As offered: declined
     false,
     "読み取り専用"},
    {"target held by another program",
     {},
     [](TTovForm&, const std::string& p, auto& held) {
         held.push_back(
             CreateFileA(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
     },
     {{Act::Enter()}},
     false,
     "を作成できません"},
    {"cut off after the temporary file is created",
     {},
     [](TTovForm& f, auto&, auto&) { CutOffAt(f, "temporary file created"); },
     {{Act::Enter()}},
     false,
     "保存が中断されました"},
    {"cut off half written",
     {},
     [](TTovForm& f, auto&, auto&) { CutOffAt(f, "half written"); },
     {{Act::Enter()}},
     false,
     "保存が中断されました"},
    {"cut off before the replace",
     {},
     [](TTovForm& f, auto&, auto&) { CutOffAt(f, "before replace"); },
     {{Act::Enter()}},
     false,
     "保存が中断されました"},
    {"changed by another program, not overwritten",
     {},
     [](TTovForm&, const std::string& p, auto&) {
         Sleep(20);
         test::WriteBytes(p, "theirs, longer than before\r\n");
     },
     {{Act::Click("いいえ(&N)")}},
     false,
     "他のプログラムによって変更されています"},
    {"names whose trail bytes are 0x5C", {nullptr, "\x83\x5c\\\x95\x5c.txt"}, nullptr, {}, true, ""},
    {"full disk",
     {"TOVEL_SMALLFS", "full.txt"},
     [](TTovForm& f, auto&, auto&) {
         std::string big;
         while (big.size() < 200 * 1024) big += kNew;
         f.Note().SetText(big);
     },
     {{Act::Enter()}},
     false,
     "ストリームへの書き込みエラー"},
    {"read-only folder", {"TOVEL_ROFS", "existing.txt"}, nullptr, {{Act::Enter()}}, false, "を作成できません"},
};

class FaultInjection : public test::MainWindowHost, public testing::WithParamInterface<Scenario> {};

TEST_P(FaultInjection, SavingKeepsThePromise) {
    const Scenario& s = GetParam();
    test::TestFolder temp, program;
    const std::string folder = FolderOf(s.place, temp);
    if (folder.empty()) GTEST_SKIP() << s.place.env << " names no test file system";
    const std::string path = folder + s.place.name;
    const bool preexisting = test::FileExists(path);  // the read-only mount's file was made by the script
    if (!preexisting) {
        CreateDirectoryA(FolderPart(path).c_str(), nullptr);
        ASSERT_TRUE(test::WriteBytes(path, kOld));
    }
    struct Cleanup {
        std::string path;
        bool remove;
        std::vector<HANDLE> held;
        ~Cleanup() {
            for (HANDLE h : held) CloseHandle(h);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (remove) DeleteFileA(path.c_str());
        }
    } cleanup{path, !preexisting && s.place.env, {}};

    StopAtExit windowFirst(*this);
    TTovForm& form = Start(program.Path(), {path});
    ASSERT_EQ(form.Note().Text(), test::ReadBytes(path));
    form.Note().SetText(kNew);
    const std::string before = test::ReadBytes(path);
    if (s.inject) s.inject(form, path, cleanup.held);
    const std::string typedNow = form.Note().Text();
    // What the disk holds when the save begins (another program may have just written it).
    const std::string now = test::ReadBytes(path);
    const std::string old = test::FileExists(path) && now != "<missing>" ? now : before;
    DialogAnswerer answer(s.answers);
    form.RunCommand(cmdSaveS1);
    form.Files().SetStepHook(nullptr);
    for (HANDLE h : cleanup.held) CloseHandle(h);
    cleanup.held.clear();

    const std::string onDisk = test::ReadBytes(path);
    EXPECT_TRUE(onDisk == old || onDisk == typedNow) << "the file is neither its old nor its new bytes";
    if (s.saved) {
        EXPECT_EQ(onDisk, typedNow);
        EXPECT_EQ(form.Document().ModMark, " - ");
    } else {
        EXPECT_NE(onDisk, typedNow) << "nothing may be written";
        EXPECT_EQ(form.Document().ModMark, " * ") << "still marked as not saved";
    }
    EXPECT_EQ(form.Note().Text(), typedNow) << "the editor keeps the user's text";
    EXPECT_EQ(answer.Seen().size(), s.answers.size());
    if (*s.told) {
        ASSERT_FALSE(answer.Seen().empty());
        ASSERT_FALSE(answer.Seen().back().statics.empty());
        EXPECT_NE(answer.Seen().back().statics.back().find(s.told), std::string::npos)
            << answer.Seen().back().statics.back();
    }
    // No temporary file stays beside the document.
    for (const std::string& name : test::TestFolder::Names(FolderPart(path))) {
        EXPECT_EQ(name.find("~tov"), std::string::npos) << name;
    }
    form.Note().SetText("");  // nothing to ask at the end
    form.Commands().NewN1Click();
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultInjection, testing::ValuesIn(kScenarios),
                         [](const auto& info) { return TestName(info.param.title); });

// Pumps messages (the recovery timer among them) until `done` or about five seconds have passed.
template <class Done>
bool PumpUntil(Done done) {
    for (int i = 0; i < 250 && !done(); ++i) {
        test::PumpMessages();
        Sleep(20);
    }
    return done();
}

std::string BigText() {
    std::string big;
    while (big.size() < 200 * 1024) big += kNew;  // more than the small file system holds
    return big;
}

// Writes other than the document's save, on a full file system: each leaves its file whole and tells.
struct WriteFault {
    const char* title;
    // Puts the old version of the file in place and returns its path; `program` is on the small disk.
    std::function<std::string(TTovForm&, const std::string& program)> prepare;
    std::function<void(TTovForm&, const DialogAnswerer&)> write;
    std::function<std::vector<std::vector<Act>>(const std::string& file)> answers;
};

// The other rows' texts would be kept in a recovery copy on the full disk too: that write has a row.
void NoRecoveryCopy(TTovForm& form) { KillTimer(form.Handle(), 1); }

const WriteFault kWriteFaults[] = {
    {"backup at close",
     [](TTovForm& f, const std::string& program) {
         NoRecoveryCopy(f);
         test::WriteBytes(program + "backup.tov", kOld);
         return program + "backup.tov";
     },
     [](TTovForm& f, auto&) { SendMessageA(f.Handle(), WM_CLOSE, 0, 0); },
     [](auto&) {
         return std::vector<std::vector<Act>>{{Act::Click("いいえ(&N)")}, {Act::Enter()}};
     }},
    {"recovery copy",
     [](TTovForm& f, const std::string&) {
         f.Note().SetText(kOld);
         PumpUntil([&] { return test::FileExists(f.RecoveryStore().OwnCopy()); });
         return f.RecoveryStore().OwnCopy();
     },
     [](TTovForm&, const DialogAnswerer& answer) { PumpUntil([&] { return !answer.Seen().empty(); }); },
     [](auto&) { return std::vector<std::vector<Act>>{{Act::Enter()}}; }},
    {"append-save",
     [](TTovForm& f, const std::string& program) {
         NoRecoveryCopy(f);
         test::WriteBytes(program + "append.txt", kOld);
         return program + "append.txt";
     },
     [](TTovForm& f, auto&) { f.RunCommand(cmdMixSaveI1); },
     [](const std::string& file) {
         return std::vector<std::vector<Act>>{
             {Act::Type(file), Act::Enter()}, {Act::Click("はい(&Y)")}, {Act::Enter()}};
     }},
};

class WriteFaults : public test::MainWindowHost, public testing::WithParamInterface<WriteFault> {};

TEST_P(WriteFaults, AFullDiskLeavesTheFileWholeAndTells) {
    const WriteFault& w = GetParam();
    const char* small = std::getenv("TOVEL_SMALLFS");
    if (!small || !*small) GTEST_SKIP() << "TOVEL_SMALLFS does not name a small file system";
    const std::string program = std::string(small) + "\\program-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(program.c_str(), nullptr);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(program.c_str());  // the backup goes to the current folder
    struct Cleanup {
        std::string program;
        const char* previous;
        ~Cleanup() {
            SetCurrentDirectoryA(previous);
            for (const std::string& name : test::TestFolder::Names(program)) DeleteFileA((program + name).c_str());
            for (const std::string& name : test::TestFolder::Names(program + "recovery\\"))
                DeleteFileA((program + "recovery\\" + name).c_str());
            RemoveDirectoryA((program + "recovery").c_str());
            RemoveDirectoryA(program.c_str());
        }
    } cleanup{program, previous};

    StopAtExit windowFirst(*this);
    TTovForm* form = nullptr;
    {
        DialogAnswerer none({});
        form = &Start(program);
        ASSERT_EQ(none.Unexpected(), 0);
    }
    const std::string file = w.prepare(*form, program);
    const std::string old = test::ReadBytes(file);
    ASSERT_FALSE(old.empty());
    form->Note().SetText(BigText());
    const std::string typed = form->Note().Text();
    {
        const auto answers = w.answers(file);
        DialogAnswerer answer(answers);
        w.write(*form, answer);
        ASSERT_EQ(answer.Seen().size(), answers.size());
        EXPECT_EQ(answer.Seen().back().statics.back(), "ストリームへの書き込みエラー.");
    }
    EXPECT_EQ(test::ReadBytes(file), old) << "the file keeps its old bytes";
    if (IsWindow(form->Handle())) {
        EXPECT_EQ(form->Note().Text(), typed) << "the editor keeps the user's text";
        EXPECT_EQ(form->Document().ModMark, " * ");
        DialogAnswerer discard({{Act::Click("いいえ(&N)")}});
        form->Commands().NewN1Click();
        EXPECT_FALSE(test::FileExists(form->RecoveryStore().OwnCopy())) << "the discarded text's copy goes";
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFaults, testing::ValuesIn(kWriteFaults),
                         [](const auto& info) { return TestName(info.param.title); });

// A save killed for real at each of its steps. The test program runs again as a child (a death test)
// that types, lets the recovery copy be written and is terminated inside the save; the next start must
// find the old file whole and offer the typed text back, which then saves where it came from.
class KilledSave : public test::MainWindowHost, public testing::WithParamInterface<const char*> {};

TEST_P(KilledSave, LeavesTheOldFileWholeAndTheTextComesBack) {
    // The child runs this test again from its start; the folder is handed down in the environment.
    constexpr char kFolderVariable[] = "TOVEL_KILLED_SAVE_FOLDER";
    char inherited[MAX_PATH] = {};
    const bool child = GetEnvironmentVariableA(kFolderVariable, inherited, sizeof inherited) > 0;
    std::optional<test::TestFolder> own;
    if (!child) own.emplace();
    const std::string program = child ? inherited : own->Path();
    const std::string path = program + "doc.txt";
    if (!child) {
        ASSERT_TRUE(test::WriteBytes(path, kOld));
        SetEnvironmentVariableA(kFolderVariable, program.c_str());
    }
    const std::string step = GetParam();
    StopAtExit windowFirst(*this);
    EXPECT_EXIT(
        {
            TTovForm& form = Start(program, {path});
            form.Note().SetText(kNew);
            if (!PumpUntil([&] { return test::FileExists(form.RecoveryStore().OwnCopy()); })) ExitProcess(2);
            form.Files().SetStepHook([&](const char* at) {
                if (at == step) TerminateProcess(GetCurrentProcess(), 9);
            });
            form.RunCommand(cmdSaveS1);
            ExitProcess(3);  // the step never came
        },
        testing::ExitedWithCode(9), "");
    SetEnvironmentVariableA(kFolderVariable, nullptr);

    EXPECT_EQ(test::ReadBytes(path), kOld) << "the killed save left the old file whole";
    const auto names = test::TestFolder::Names(program);
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::string& n) { return n.rfind("~tov", 0) == 0; }))
        << "a killed save leaves its temporary file (a kill runs no clean-up), never in the document's place";
    DialogAnswerer answer({{Act::Click("はい(&Y)")}});
    TTovForm& form = Start(program);
    ASSERT_EQ(answer.Seen().size(), 1u) << "the recovery question";
    EXPECT_EQ(form.Note().Text(), kNew);
    EXPECT_EQ(form.Document().FullPath, path);
    EXPECT_EQ(form.Document().ModMark, " * ");
    form.RunCommand(cmdSaveS1);
    EXPECT_EQ(test::ReadBytes(path), kNew);
    EXPECT_EQ(form.Document().ModMark, " - ");
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledSave, testing::Values("temporary file created", "half written", "before replace"),
                         [](const auto& info) { return TestName(info.param); });

TEST(FaultInjectionPaths, APathLongerThanMaxPathIsAClearError) {
    test::TestFolder temp;
    std::string path = temp.Path();
    while (path.size() < 300) path += "long-folder-name\\";
    path += "doc.txt";
    Win32TextFiles files;
    try {
        files.WriteAll(path, "text");
        ADD_FAILURE() << "written";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), FormatText("ファイル %s を作成できません", path));
    }
    try {
        files.ReadAll(path);
        ADD_FAILURE() << "read";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), FormatText("ファイル %s は開けません", path));
    }
}

// A settings file that cannot be used gives the defaults; start-up goes on and shows nothing.
class BadSettings : public test::MainWindowHost, public testing::WithParamInterface<std::string> {};

TEST_P(BadSettings, StartUpGoesOnWithTheDefaults) {
    test::TestFolder program;
    const std::string ini = program / "tovel.ini";
    ASSERT_TRUE(test::WriteBytes(ini, GetParam()));
    HANDLE held = GetParam().empty() ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;  // unreadable: held without sharing
    {
        DialogAnswerer answer({});
        TTovForm& form = Start(program.Path());
        RECT r{};
        GetWindowRect(form.Handle(), &r);
        EXPECT_EQ(r.left, 258);
        EXPECT_EQ(r.top, 176);
        EXPECT_EQ(form.Note().Color(), static_cast<std::int32_t>(0x80000005u));
        EXPECT_TRUE(form.Status().Shown());
        EXPECT_EQ(answer.Unexpected(), 0) << "no box at start";
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
        Stop();
    }
}

std::string GarbageBytes() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) % 255 + 1);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, BadSettings,
                         testing::Values(GarbageBytes(),
                                         "[Form]\r\nTop=" + std::string(100 * 1024, '9') + "\r\nLeft=x\r\n",
                                         "Top=10\r\nLeft=10\r\nNote.Color=255\r\n", std::string()));

}  // namespace
}  // namespace tovel
