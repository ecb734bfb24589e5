#include "document/recovery_keeper.h"

#include <algorithm>
#include <optional>

#include "document/recovery_journal.h"
#include "platform/error.h"

namespace tovel {

namespace {
constexpr std::uint64_t kDelayMs = 1000;        // after a change, before its copy is written
constexpr std::uint64_t kMinIntervalMs = 1000;  // between two writes
constexpr std::size_t kListedProblems = 10;     // entries named in the message; the rest are counted
// A journal may grow to the text's size, and to this much at least, before a new base replaces it.
constexpr std::size_t kMinJournalBytes = std::size_t{4} << 20;
}  // namespace

// What a change held for the journal costs against its limit: its record on disk, and in memory the
// change itself, so that a command making a million small changes is written as a new base instead.
const std::size_t RecoveryKeeper::kChangeCost = kJournalRecordOverhead + sizeof(RecoveryKeeper::Change);

namespace {

std::string Question(const RecoveryRecord& record) {
    std::string question = "前回 " + record.name + " は保存されずに終了しました。\r";
    // The full path Save will write to, so that the user sees where the text would go.
    if (!record.fullPath.empty()) question += "保存先: " + record.fullPath + "\r";
    return question + "残っている内容を復元しますか?";
}
}  // namespace

RecoveryKeeper::Identity RecoveryKeeper::CurrentIdentity() const {
    return {m_state.CurrentName, m_state.FullPath, m_state.FileStamp, m_state.Format};
}

std::size_t RecoveryKeeper::JournalLimit() const { return std::max(kMinJournalBytes, m_length); }

void RecoveryKeeper::TextEdited(std::size_t position, std::size_t deleted, std::string_view inserted) {
    m_editedSinceTold = true;
    m_pending = true;
    if (!m_lengthKnown) return;  // nothing kept: the next base takes the text as it is then
    if (position > m_length || deleted > m_length - position) {
        Distrust();
        return;
    }
    m_length = m_length - deleted + inserted.size();
    const std::size_t limit = JournalLimit();
    if (m_written && m_journalTrusted) {
        // A change too large for the journal (a load, a paste of a large text) is cheaper as a new base.
        if (m_unwrittenBytes + inserted.size() > limit) {
            m_journalTrusted = false;
            m_unwritten.clear();
            m_unwrittenBytes = 0;
        } else {
            m_unwritten.push_back({position, deleted, std::string(inserted)});
            m_unwrittenBytes += inserted.size() + kChangeCost;
        }
    }
    if (m_base.active && !m_base.restart && m_base.finished) {
        // Written to the finished base once it is the copy.
        if (m_base.laterBytes + inserted.size() > limit) {
            m_base.restart = true;
        } else {
            m_base.later.push_back({position, deleted, std::string(inserted)});
            m_base.laterBytes += inserted.size() + kChangeCost;
        }
    } else if (m_base.active && !m_base.restart && position < m_base.offset) {
        if (deleted > m_base.offset - position || m_base.changeBytes + inserted.size() > limit) {
            m_base.restart = true;  // cut across what is written, or too large to keep
        } else {
            m_base.changes.push_back({position, deleted, std::string(inserted)});
            m_base.changeBytes += inserted.size() + kChangeCost;
            m_base.offset = m_base.offset - deleted + inserted.size();
        }
    }
    // A change at or after the base's offset is taken by the slices still to come.
}

void RecoveryKeeper::TextChanged() {
    if (!m_editedSinceTold) Distrust();
    m_editedSinceTold = false;
    m_pending = true;
}

void RecoveryKeeper::Distrust() {
    m_journalTrusted = false;
    m_unwritten.clear();
    m_unwrittenBytes = 0;
    m_lengthKnown = false;
    if (m_base.active) m_base.restart = true;
}

void RecoveryKeeper::StartBase() {
    AbandonBase();
    const Identity identity = CurrentIdentity();
    m_store.BeginCopy(
        EncodeRecoveryHeader(identity.name, identity.fullPath, identity.stamp, 0, 0, identity.format).size());
    m_base = Base{};
    m_base.active = true;
    m_base.sum = RunningChecksum(RecoveryTextSeed(identity.name, identity.fullPath, identity.stamp, identity.format));
    m_base.identity = identity;
    m_length = m_editor.TextLength();
    m_lengthKnown = true;
}

void RecoveryKeeper::ContinueBase(std::size_t budget) {
    if (m_base.finished) {
        if (m_store.CopyReplaced()) BaseReplaced();
        return;
    }
    while (true) {
        const std::size_t length = m_editor.TextLength();
        if (m_base.offset >= length) break;
        if (budget == 0) return;
        const std::size_t step = std::min({m_sliceBytes, budget, length - m_base.offset});
        const std::string_view slice = m_editor.TextRange(m_base.offset, step);
        if (slice.empty()) break;
        m_store.ContinueCopy(slice);
        m_base.sum.Add(slice);
        m_base.offset += slice.size();
        m_base.written += slice.size();
        budget -= slice.size();
    }
    FinishBase();
}

void RecoveryKeeper::FinishBase() {
    const Identity& id = m_base.identity;
    const std::uint64_t sum = m_base.sum.Value();
    std::string journal;
    std::uint64_t chain = sum;
    for (const Change& c : m_base.changes)
        chain = AppendJournalRecord(journal, chain, c.position, c.deleted, c.inserted);
    m_base.finished = true;
    m_base.chain = chain;
    m_base.journalBytes = journal.size();
    m_base.changes.clear();
    m_base.changeBytes = 0;
    if (m_store.FinishCopy(EncodeRecoveryHeader(id.name, id.fullPath, id.stamp, m_base.written, sum, id.format),
                           journal))
        BaseReplaced();
}

void RecoveryKeeper::BaseReplaced() {
    m_written = true;
    m_copyIdentity = m_base.identity;
    m_journalTrusted = true;
    m_chain = m_base.chain;
    m_journalBytes = m_base.journalBytes;
    // Every change until the base was finished is in the new copy, those the old copy still waited for
    // too; the ones since are appended to it next.
    m_unwritten = std::move(m_base.later);
    m_unwrittenBytes = m_base.laterBytes;
    m_pending = !m_unwritten.empty();
    m_base = Base{};
    Written();
}

void RecoveryKeeper::AbandonBase() {
    if (!m_base.active) return;
    m_base = Base{};
    m_store.AbandonCopy();
}

void RecoveryKeeper::AppendChanges() {
    if (m_unwritten.empty()) return;
    std::string records;
    std::uint64_t chain = m_chain;
    for (const Change& c : m_unwritten) chain = AppendJournalRecord(records, chain, c.position, c.deleted, c.inserted);
    try {
        m_store.Append(records);
    } catch (...) {
        // What the failed append left at the copy's end is not known: only a new base goes on from here.
        m_journalTrusted = false;
        m_unwritten.clear();
        m_unwrittenBytes = 0;
        throw;
    }
    m_chain = chain;
    m_journalBytes += records.size();
    m_unwritten.clear();
    m_unwrittenBytes = 0;
    Written();
}

void RecoveryKeeper::Written() {
    m_failureShown = false;
    for (const std::string& copy : m_heldBack) m_store.Discard(copy);
    m_heldBack.clear();
}

// The changes since the last write go to the copy: appended to its journal when it can take them, or in
// a new base.
void RecoveryKeeper::WriteDue() {
    const bool canAppend = m_written && m_journalTrusted && m_copyIdentity == CurrentIdentity();
    if (canAppend) AppendChanges();
    if (m_base.active) return;  // it takes the rest
    if (!canAppend || m_journalBytes > JournalLimit()) StartBase();
}

void RecoveryKeeper::Tick(std::uint64_t nowMs) {
    // A change that went by untold shows in the length; a base whose document was renamed or
    // converted would carry the old header.
    if (m_lengthKnown && m_editor.TextLength() != m_length) Distrust();
    if (m_base.active && !m_base.restart && m_base.identity != CurrentIdentity()) m_base.restart = true;
    if (!m_pending) m_changedAt = nowMs;
    if (!m_pending && !m_base.active) return;
    if (!m_state.Modified()) {
        // The text is its file's again: no copy needed until the next change. Changes not yet written
        // stay for that next write.
        m_pending = false;
        AbandonBase();
        return;
    }
    const bool due =
        m_pending && nowMs - m_changedAt >= kDelayMs && !(m_written && nowMs - m_lastWrite < kMinIntervalMs);
    if (!due && !m_base.active) return;
    try {
        if (due) {
            m_pending = false;
            m_lastWrite = nowMs;
            m_changedAt = nowMs;
            WriteDue();
        }
        if (m_base.active && m_base.restart) StartBase();
        if (m_base.active) ContinueBase(m_sliceBytes);
    } catch (...) {
        AbandonBase();
        m_pending = true;  // tried again at the next interval
        if (m_failureShown) return;
        m_failureShown = true;
        throw;
    }
}

void RecoveryKeeper::DocumentClean() {
    m_pending = false;
    AbandonBase();
    m_journalTrusted = false;
    m_unwritten.clear();
    m_unwrittenBytes = 0;
    m_lengthKnown = false;
    // The restored text is saved, or the user let it go through the save question.
    for (const std::string& copy : m_heldBack) m_store.Discard(copy);
    m_heldBack.clear();
    if (!m_written) return;
    m_store.Remove();
    m_written = false;
}

void RecoveryKeeper::OfferLeftBehind() {
    // First every entry is looked at, so that the user hears of the ones that cannot be used once, before
    // any question; the good ones are read again when offered, so that only one text is in memory.
    std::vector<std::string> good, problems;
    for (const LeftCopy& left : m_store.LeftBehind()) {
        std::optional<RecoveryRecord> record;
        try {
            record = DecodeRecovery(m_store.Read(left.id));
        } catch (...) {
            problems.push_back("開けません: " + left.id);
            continue;
        }
        if (record && NameMatchesPath(*record, m_leadBytes)) {
            good.push_back(left.id);
        } else if (record || !left.temporary) {
            problems.push_back("壊れています: " + left.id);
        }
    }
    if (!problems.empty()) {
        std::string message =
            "前回保存されなかった文書の復元用コピーのうち、次のものは読み込めません。"
            "ファイルはそのまま残してあります。";
        for (std::size_t i = 0; i < problems.size() && i < kListedProblems; ++i) message += "\r" + problems[i];
        if (problems.size() > kListedProblems) {
            message += "\rほか " + std::to_string(problems.size() - kListedProblems) + " 件";
        }
        m_dialogs.ShowMessage(message);
    }

    for (std::size_t i = 0; i < good.size(); ++i) {
        const std::string& copy = good[i];
        std::optional<RecoveryRecord> record;
        try {
            record = DecodeRecovery(m_store.Read(copy));
        } catch (...) {
        }
        if (!record) continue;  // gone or changed since it was looked at: left as it is
        switch (m_dialogs.ConfirmYesNoCancel(Question(*record))) {
            case DialogResult::Yes:
                m_restore(*record);
                m_heldBack.push_back(copy);
                m_pending = true;
                if (i + 1 < good.size()) {
                    m_dialogs.ShowMessage("ほかにも復元用のコピーが " + std::to_string(good.size() - i - 1) +
                                          " 件残っています。次に起動したときにお尋ねします。");
                }
                // The restored text gets this instance's own copy as any other: a base, its first slice now
                // (a small text is all written so), the rest a slice per Tick. The old copy goes only once
                // the new one holds the text.
                try {
                    StartBase();
                    ContinueBase(m_sliceBytes);
                } catch (...) {
                    AbandonBase();
                    m_failureShown = true;
                    throw;
                }
                return;
            case DialogResult::No:
                m_store.Discard(copy);
                break;
            default:
                break;  // kept for a later start
        }
    }
}

}  // namespace tovel
