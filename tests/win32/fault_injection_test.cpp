// One table of faults met while saving a changed document, each held to the same promise: the file on
// disk is its complete old bytes or its complete new bytes, the editor still holds the user's text, the
// document stays modified where it was not saved, and the user was told. Faults are real where this
// machine can make them (read-only files and mounts, a full file system, a file held by another handle,
// a file changed by someone else) and injected at the file layer where it cannot (a save cut off at
// each of its steps, as a crash would).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <functional>

#include "app/tovel_unit.h"
#include "platform/path_parts.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/test_folder.h"

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

void CutOffAt(TTovForm& form, const char* at) {
    form.Files().SetStepHook([at = std::string(at)](const char* step) {
        if (step == at) throw Error("保存が中断されました (" + at + ")");
    });
}

const Scenario kScenarios[] = {
    {"read-only target", {}, [](TTovForm&, const std::string& p, auto&) { SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_READONLY); },
     {{Act::Enter()}}, false, "を作成できません"},
    {"target held by another program", {}, [](TTovForm&, const std::string& p, auto& held) {
         held.push_back(CreateFileA(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
     }, {{Act::Enter()}}, false, "を作成できません"},
    {"cut off after the temporary file is created", {}, [](TTovForm& f, auto&, auto&) { CutOffAt(f, "temporary file created"); },
     {{Act::Enter()}}, false, "保存が中断されました"},
    {"cut off half written", {}, [](TTovForm& f, auto&, auto&) { CutOffAt(f, "half written"); },
     {{Act::Enter()}}, false, "保存が中断されました"},
    {"cut off before the replace", {}, [](TTovForm& f, auto&, auto&) { CutOffAt(f, "before replace"); },
     {{Act::Enter()}}, false, "保存が中断されました"},
    {"changed by another program, not overwritten", {}, [](TTovForm&, const std::string& p, auto&) {
         Sleep(20);
         test::WriteBytes(p, "theirs, longer than before\r\n");
     }, {{Act::Click("いいえ(&N)")}}, false, "他のプログラムによって変更されています"},
    {"names whose trail bytes are 0x5C", {nullptr, "\x83\x5c\\\x95\x5c.txt"}, nullptr, {}, true, ""},
    {"full disk", {"TOVEL_SMALLFS", "full.txt"}, [](TTovForm& f, auto&, auto&) {
         std::string big;
         while (big.size() < 200 * 1024) big += kNew;
         f.Note().SetText(big);
     }, {{Act::Enter()}}, false, "ストリームへの書き込みエラー"},
    {"read-only folder", {"TOVEL_ROFS", "existing.txt"}, nullptr, {{Act::Enter()}}, false, "を作成できません"},
};

class FaultInjection : public testing::TestWithParam<Scenario> {};

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

    Application app(GetModuleHandleA(nullptr));
    TTovForm form(app, {program.Path(), {path}});
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
        EXPECT_NE(answer.Seen().back().statics.back().find(s.told), std::string::npos) << answer.Seen().back().statics.back();
    }
    // No temporary file stays beside the document.
    for (const std::string& name : test::TestFolder::Names(FolderPart(path))) {
        EXPECT_EQ(name.find("~tov"), std::string::npos) << name;
    }
    form.Note().SetText("");  // nothing to ask at the end
    form.NewN1Click();
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultInjection, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                             std::string name;
                             for (const char* c = info.param.title; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

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
class BadSettings : public testing::TestWithParam<std::string> {};

TEST_P(BadSettings, StartUpGoesOnWithTheDefaults) {
    test::TestFolder program;
    const std::string ini = program / "tovel.ini";
    ASSERT_TRUE(test::WriteBytes(ini, GetParam()));
    HANDLE held = GetParam().empty() ? CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;  // unreadable: held without sharing
    Application app(GetModuleHandleA(nullptr));
    {
        DialogAnswerer answer({});
        TTovForm form(app, {program.Path(), {}});
        RECT r{};
        GetWindowRect(form.Handle(), &r);
        EXPECT_EQ(r.left, 258);
        EXPECT_EQ(r.top, 176);
        EXPECT_EQ(form.Note().Color(), static_cast<std::int32_t>(0x80000005u));
        EXPECT_EQ(answer.Unexpected(), 0) << "no box at start";
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = INVALID_HANDLE_VALUE;
    }
}

std::string GarbageBytes() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) % 255 + 1);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, BadSettings,
                         testing::Values(GarbageBytes(), "[Form]\r\nTop=" + std::string(100 * 1024, '9') + "\r\nLeft=x\r\n",
                                         "Top=10\r\nLeft=10\r\nNote.Color=255\r\n", std::string()));

}  // namespace
}  // namespace tovel
