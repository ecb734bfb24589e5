// Recovery copies on the real file system: a running instance's copy is never offered to another, a
// copy whose owner is gone is, and a folder that cannot be written gives way to the fallback.
#include "platform/win32/win32_recovery_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::TestFolder;

TEST(RecoveryStore, ARunningInstancesCopyIsNeverOfferedAndALeftOneIs) {
    TestFolder app, fallback;
    auto first = std::make_unique<Win32RecoveryStore>(app.Path(), fallback.Path());
    ASSERT_EQ(first->Folder(), app / "recovery\\");
    first->Write("first's ", "text");
    Sleep(20);  // another start time, another name
    Win32RecoveryStore second(app.Path(), fallback.Path());
    EXPECT_NE(second.OwnCopy(), first->OwnCopy());
    EXPECT_TRUE(second.LeftBehind().empty()) << "the first instance still runs";

    const std::string copy = first->OwnCopy();
    first.reset();  // the instance ends without removing its copy, as a killed one does
    const auto left = second.LeftBehind();
    ASSERT_EQ(left, std::vector<std::string>{copy});
    EXPECT_EQ(second.Read(copy), "first's text");
    second.Discard(copy);
    EXPECT_TRUE(second.LeftBehind().empty());
    EXPECT_FALSE(test::FileExists(copy));
}

TEST(RecoveryStore, WriteReplacesTheCopyWholeAndRemoveTakesIt) {
    TestFolder app;
    Win32RecoveryStore store(app.Path());
    store.Write("head\r\n", std::string(100000, 'a'));
    store.Write("sh", "ort");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "short");
    store.Remove();
    EXPECT_FALSE(test::FileExists(store.OwnCopy()));
    store.Remove();  // nothing to remove: no harm
}

TEST(RecoveryStore, AFolderThatCannotBeWrittenGivesWayToTheFallback) {
    const char* readOnly = std::getenv("TOVEL_ROFS");
    if (!readOnly || !*readOnly) GTEST_SKIP() << "TOVEL_ROFS does not name a read-only file system";
    TestFolder fallback;
    Win32RecoveryStore store(std::string(readOnly) + "\\", fallback / "tovel\\recovery\\");
    EXPECT_EQ(store.Folder(), fallback / "tovel\\recovery\\");
    store.Write("", "kept");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "kept");
}

}  // namespace
}  // namespace tovel
