#pragma once
// Whether the close writes the backup file. The backup keeps the text of the last window closed; it must
// never destroy something it was meant to keep: the document itself (the user may just have declined to
// save over it), or an earlier backup that holds text when the window being closed holds none.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sjis.h"

namespace tovel {

enum class BackupDecision {
    Write,             // write the text to the backup file
    SkipIsDocument,    // the backup file is the document being closed: it stays as the user left it
    SkipKeepsEarlier,  // an empty text would replace an earlier backup that holds text
};

struct BackupFacts {
    std::string documentPath;                         // full path of the document, "" when untitled
    std::string backupPath;                           // full path the backup would go to
    std::uint64_t textSize = 0;                       // bytes of the text to back up
    std::optional<std::uint64_t> existingBackupSize;  // the backup file's size, none when there is no file
    bool sameFile = false;  // the file system knows both names for one file (a link, a short name)
};

BackupDecision DecideBackup(const BackupFacts& facts, const LeadByteTable& leadBytes = LeadByteTable::ShiftJis());

}  // namespace tovel
