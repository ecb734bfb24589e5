#include "document/recovery_keeper.h"

#include <optional>

#include "platform/error.h"

namespace tovel {

namespace {
constexpr std::uint64_t kDelayMs = 1000;        // after a change, before its copy is written
constexpr std::uint64_t kMinIntervalMs = 1000;  // between two writes
constexpr std::size_t kListedProblems = 10;     // entries named in the message; the rest are counted

std::string Question(const RecoveryRecord& record) {
    std::string question = "前回 " + record.name + " は保存されずに終了しました。\r";
    // The full path Save will write to, so that the user sees where the text would go.
    if (!record.fullPath.empty()) question += "保存先: " + record.fullPath + "\r";
    return question + "残っている内容を復元しますか?";
}
}  // namespace

void RecoveryKeeper::WriteCopy() {
    const std::string_view text = m_editor.TextView();
    m_store.Write(EncodeRecoveryHeader(m_state.CurrentName, m_state.FullPath, m_state.FileStamp, text, m_state.Format),
                  text);
    m_written = true;
    m_failureShown = false;
    for (const std::string& copy : m_heldBack) m_store.Discard(copy);
    m_heldBack.clear();
}

void RecoveryKeeper::Tick(std::uint64_t nowMs) {
    if (!m_pending) {
        m_changedAt = nowMs;
        return;
    }
    if (!m_state.Modified()) {
        m_pending = false;
        return;
    }
    if (nowMs - m_changedAt < kDelayMs || (m_written && nowMs - m_lastWrite < kMinIntervalMs)) return;
    m_pending = false;
    m_lastWrite = nowMs;
    m_changedAt = nowMs;
    try {
        WriteCopy();
    } catch (...) {
        m_pending = true;  // tried again at the next interval
        if (m_failureShown) return;
        m_failureShown = true;
        throw;
    }
}

void RecoveryKeeper::DocumentClean() {
    m_pending = false;
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
                // The restored text gets this instance's own copy at once; the old copy goes only then.
                try {
                    WriteCopy();
                    m_pending = false;
                } catch (...) {
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
