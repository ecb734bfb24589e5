// Writes killed for real at random moments. This test program runs again as a writer child that saves a
// 20 MB text over and over, alternately as version A and version B; the test kills it with
// TerminateProcess at a random moment and then demands that the file is there and is A or B whole. The
// same for the recovery copy. The counts (where the kills landed, old or new kept) go to the log.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_recovery_store.h"
#include "platform/win32/win32_text_files.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

constexpr char kWriterVariable[] = "TOVEL_KILLED_WRITER";  // "<kind> <mapping name> <folder>"
constexpr int kKillsPerKind = 32;

// What the writer tells the test through shared memory. The test reads it after the kill.
struct Progress {
    volatile LONG ready;         // the first write is complete and the writer loops
    volatile LONG writing;       // version being written (1 A, 2 B), 0 between writes
    volatile LONG step;          // the last step the write reached (1 temporary file, 2 half, 3 before rename)
    volatile LONG firstWriteMs;  // how long the first write took
    char target[MAX_PATH];       // the file written
};

// The two versions differ in every byte and in size, so a mix of them or a cut is never taken for either.
std::string Version(int which) {
    const std::string line = which == 1 ? "version A, line of text \x95\x5c\r\n" : "B version: other text\r\n";
    std::string text;
    text.reserve((20u << 20) + line.size());
    while (text.size() < (20u << 20) + static_cast<unsigned>(which) * 1000) text += line;
    return text;
}

std::string Header(int which) { return which == 1 ? "header A\r\n" : "header B, longer\r\n"; }

LONG StepNumber(const char* step) {
    const std::string s = step;
    return s == "temporary file created" ? 1 : s == "half written" ? 2 : s == "before replace" ? 3 : 0;
}

// Not a test of its own: the body of the writer child the kill tests start (skipped in a normal run).
TEST(KilledWriter, Child) {
    char writerSetting[MAX_PATH * 2] = {};
    if (!GetEnvironmentVariableA(kWriterVariable, writerSetting, sizeof writerSetting))
        GTEST_SKIP() << "only runs as the killed writer";
    char kind[32] = {}, mapping[128] = {};
    int used = 0;
    ASSERT_EQ(std::sscanf(writerSetting, "%31s %127s %n", kind, mapping, &used), 2);
    const std::string folder = writerSetting + used;
    // Opens the test's mapping; made afresh when the writer is started by hand (killed from outside).
    ScopedHandle map(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Progress), mapping));
    ASSERT_TRUE(map.Valid());
    auto* progress = static_cast<Progress*>(MapViewOfFile(map.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Progress)));
    ASSERT_NE(progress, nullptr);

    const std::string texts[3] = {"", Version(1), Version(2)};
    Win32TextFiles files;
    files.SetStepHook([&](const char* step) { InterlockedExchange(&progress->step, StepNumber(step)); });
    std::unique_ptr<Win32RecoveryStore> store;
    std::string target = folder + "doc.txt";
    if (std::string(kind) == "recovery") {
        store = std::make_unique<Win32RecoveryStore>(folder, folder + "fallback\\");
        target = store->OwnCopy();
    }
    ASSERT_LT(target.size(), sizeof progress->target);
    lstrcpyA(progress->target, target.c_str());
    auto write = [&](int which) {
        InterlockedExchange(&progress->step, 0);
        InterlockedExchange(&progress->writing, which);
        if (store) {
            store->Write(Header(which), texts[which]);
        } else {
            files.WriteAll(target, texts[which]);
        }
        InterlockedExchange(&progress->writing, 0);
    };
    const ULONGLONG start = GetTickCount64();
    write(1);
    InterlockedExchange(&progress->firstWriteMs, static_cast<LONG>(GetTickCount64() - start));
    InterlockedExchange(&progress->ready, 1);
    // Until killed; a writer whose test has gone stops by itself after two minutes.
    for (int which = 2; GetTickCount64() - start < 120000; which = 3 - which) write(which);
}

struct Counts {
    int kills = 0, duringWrite = 0, old = 0, fresh = 0, between = 0, missing = 0, damaged = 0;
    int atStep[4] = {};
};

// Starts the writer, kills it at a random moment after its first write, and checks the file it leaves.
void KillOnce(const std::string& kind, const test::TestFolder& folder, std::mt19937& random, LONG& cycleMs,
              const std::string (&expected)[3], Counts& counts) {
    const std::string mappingName = "Local\\tovel-killed-writer-" + std::to_string(GetCurrentProcessId());
    ScopedHandle map(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Progress), mappingName.c_str()));
    ASSERT_TRUE(map.Valid());
    auto* progress = static_cast<Progress*>(MapViewOfFile(map.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Progress)));
    ASSERT_NE(progress, nullptr);
    ZeroMemory(progress, sizeof(Progress));
    struct Unmap {
        void* view;
        ~Unmap() { UnmapViewOfFile(view); }
    } unmap{progress};

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string commandLine = std::string("\"") + exe + "\" --gtest_filter=KilledWriter.Child";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ScopedHandle nul(
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul.Get();
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA(kWriterVariable, (kind + " " + mappingName + " " + folder.Path()).c_str());
    const BOOL started =
        CreateProcessA(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kWriterVariable, nullptr);
    ASSERT_TRUE(started);
    ScopedHandle child(process.hProcess), thread(process.hThread);

    for (int i = 0; i < 3000 && !progress->ready; ++i) {
        if (WaitForSingleObject(child.Get(), 10) == WAIT_OBJECT_0) break;
    }
    if (!progress->ready) TerminateProcess(child.Get(), 1);
    ASSERT_TRUE(progress->ready) << "the writer never finished its first write";
    if (cycleMs == 0) cycleMs = std::max<LONG>(LONG{progress->firstWriteMs}, 1);
    // Anywhere in the next two writes: inside one, in its rename, or between two.
    Sleep(std::uniform_int_distribution<DWORD>(0, 2 * cycleMs)(random));
    TerminateProcess(child.Get(), 9);
    WaitForSingleObject(child.Get(), INFINITE);

    ++counts.kills;
    const LONG writing = progress->writing;
    const std::string onDisk = test::ReadBytes(progress->target);
    if (onDisk == "<missing>") {
        ++counts.missing;
        ADD_FAILURE() << kind << ": the file is missing after a kill while writing version " << writing;
    } else if (onDisk != expected[1] && onDisk != expected[2]) {
        ++counts.damaged;
        ADD_FAILURE() << kind << ": the file is neither version whole (" << onDisk.size() << " bytes)";
    } else if (writing == 0) {
        ++counts.between;
    } else {
        ++counts.duringWrite;
        ++counts.atStep[progress->step];
        ++(onDisk == expected[writing] ? counts.fresh : counts.old);
    }
    // A killed write leaves its 20 MB temporary file; copies of earlier writers go too.
    for (const std::string& sub : {std::string(), std::string("recovery\\")}) {
        for (const std::string& name : test::TestFolder::Names(folder / sub)) {
            if (name.rfind("~tov", 0) == 0 || (sub.size() && name.rfind("copy-", 0) == 0)) {
                DeleteFileA((folder / sub + name).c_str());
            }
        }
    }
}

class KilledWrites : public testing::TestWithParam<const char*> {};

TEST_P(KilledWrites, LeaveTheFileWholeOldOrWholeNew) {
    const std::string kind = GetParam();
    test::TestFolder folder;
    ASSERT_TRUE(folder.Valid());
    std::string expected[3] = {"", Version(1), Version(2)};
    if (kind == "recovery") {
        for (int which : {1, 2}) expected[which] = Header(which) + expected[which];
    } else {
        ASSERT_TRUE(test::WriteBytes(folder / "doc.txt", expected[1]));
    }
    const unsigned seed = GetTickCount();
    std::mt19937 random(seed);
    LONG cycleMs = 0;
    Counts c;
    for (int i = 0; i < kKillsPerKind && !HasFatalFailure(); ++i) KillOnce(kind, folder, random, cycleMs, expected, c);
    std::printf(
        "[ kills    ] %s: %d kills (seed %u, one write about %ld ms): %d during a write, %d between writes; "
        "kept old %d, new %d; missing %d, damaged %d\n",
        kind.c_str(), c.kills, seed, static_cast<long>(cycleMs), c.duringWrite, c.between, c.old, c.fresh, c.missing,
        c.damaged);
    if (kind == "document") {
        std::printf(
            "[ kills    ] document: of the kills during a write, %d creating the temporary file, %d in its "
            "first half, %d in its second half or the flush, %d in the rename or just after\n",
            c.atStep[0], c.atStep[1], c.atStep[2], c.atStep[3]);
    }
    std::fflush(stdout);
    EXPECT_EQ(c.missing + c.damaged, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, KilledWrites, testing::Values("document", "recovery"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tovel
