// The backup written at close never replaces the document being closed, and an empty text never
// replaces a backup that holds text.
#include "document/backup_rule.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

using D = BackupDecision;
constexpr auto kNone = std::nullopt;

struct BackupCase {
    const char* title;
    BackupFacts facts;
    BackupDecision expected;
};

const BackupCase kCases[] = {
    {"text over an earlier backup", {"C:\\w\\a.txt", "C:\\w\\backup.tov", 5, 100}, D::Write},
    {"text where there is no backup", {"C:\\w\\a.txt", "C:\\w\\backup.tov", 5, kNone}, D::Write},
    {"untitled text", {"", "C:\\w\\backup.tov", 5, 0}, D::Write},
    {"empty text where there is no backup", {"", "C:\\w\\backup.tov", 0, kNone}, D::Write},
    {"empty text over an empty backup", {"", "C:\\w\\backup.tov", 0, 0}, D::Write},
    {"empty text over a backup with text", {"", "C:\\w\\backup.tov", 0, 1}, D::SkipKeepsEarlier},
    {"the document is the backup", {"C:\\w\\backup.tov", "C:\\w\\backup.tov", 5, 9}, D::SkipIsDocument},
    {"the document is the backup, not yet on disk",
     {"C:\\w\\backup.tov", "C:\\w\\backup.tov", 5, kNone},
     D::SkipIsDocument},
    {"the document is the backup, in other case", {"c:\\W\\Backup.TOV", "C:\\w\\backup.tov", 5, 9}, D::SkipIsDocument},
    {"the document is the backup, with slashes", {"C:/w/backup.tov", "C:\\w\\backup.tov", 5, 9}, D::SkipIsDocument},
    {"a document of the same name elsewhere", {"C:\\v\\backup.tov", "C:\\w\\backup.tov", 5, 9}, D::Write},
    {"one file under two names", {"C:\\w\\link.txt", "C:\\w\\backup.tov", 5, 9, true}, D::SkipIsDocument},
    {"a longer name", {"C:\\w\\backup.tov.txt", "C:\\w\\backup.tov", 5, 9}, D::Write},
    // 0x83 0x61 and 0x83 0x41 are two different characters whose trail bytes are "a" and "A".
    {"trail bytes differ only in case", {"C:\\\x83\x61\\backup.tov", "C:\\\x83\x41\\backup.tov", 5, 9}, D::Write},
    {"same double-byte folder", {"C:\\\x83\x61\\backup.tov", "C:\\\x83\x61\\BACKUP.tov", 5, 9}, D::SkipIsDocument},
};

class BackupRule : public testing::TestWithParam<BackupCase> {};

TEST_P(BackupRule, Decides) { EXPECT_EQ(DecideBackup(GetParam().facts), GetParam().expected) << GetParam().title; }

INSTANTIATE_TEST_SUITE_P(Cases, BackupRule, testing::ValuesIn(kCases));

}  // namespace
}  // namespace tovel
