#include "document/backup_rule.h"

namespace tovel {
namespace {

char Folded(char c) {
    if (c == '/') return '\\';
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool SamePath(std::string_view a, std::string_view b, const LeadByteTable& leadBytes) {
    if (a.size() != b.size() || a.empty()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t next = leadBytes.Next(a, i);
        if (leadBytes.Next(b, i) != next) return false;
        if (next == i + 1) {
            if (Folded(a[i]) != Folded(b[i])) return false;
        } else if (a.substr(i, next - i) != b.substr(i, next - i)) {
            return false;
        }
        i = next;
    }
    return true;
}

BackupDecision DecideBackup(const BackupFacts& facts, const LeadByteTable& leadBytes) {
    if (facts.sameFile || SamePath(facts.documentPath, facts.backupPath, leadBytes))
        return BackupDecision::SkipIsDocument;
    if (facts.textSize == 0 && facts.existingBackupSize.value_or(0) > 0) return BackupDecision::SkipKeepsEarlier;
    return BackupDecision::Write;
}

}  // namespace tovel
