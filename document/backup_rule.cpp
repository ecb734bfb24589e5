#include "document/backup_rule.h"

#include "platform/path_parts.h"

namespace tovel {

BackupDecision DecideBackup(const BackupFacts& facts, const LeadByteTable& leadBytes) {
    if (facts.sameFile || SamePath(facts.documentPath, facts.backupPath, leadBytes))
        return BackupDecision::SkipIsDocument;
    if (facts.textSize == 0 && facts.existingBackupSize.value_or(0) > 0) return BackupDecision::SkipKeepsEarlier;
    return BackupDecision::Write;
}

}  // namespace tovel
