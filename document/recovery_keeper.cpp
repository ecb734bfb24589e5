#include "document/recovery_keeper.h"

#include "platform/error.h"

namespace tovel {

namespace {
constexpr std::uint64_t kDelayMs = 1000;       // after a change, before its copy is written
constexpr std::uint64_t kMinIntervalMs = 1000;  // between two writes
}  // namespace

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
        const std::string_view text = m_editor.TextView();
        m_store.Write(EncodeRecoveryHeader(m_state.CurrentName, m_state.FullPath, text), text);
        m_written = true;
        m_failureShown = false;
    } catch (...) {
        m_pending = true;  // tried again at the next interval
        if (m_failureShown) return;
        m_failureShown = true;
        throw;
    }
}

void RecoveryKeeper::DocumentClean() {
    m_pending = false;
    if (!m_written) return;
    m_store.Remove();
    m_written = false;
}

void RecoveryKeeper::OfferLeftBehind() {
    const auto copies = m_store.LeftBehind();
    if (copies.empty()) return;
    const std::string& copy = copies.front();
    const auto record = DecodeRecovery(m_store.Read(copy));
    if (!record) {
        m_dialogs.ShowMessage("前回保存されなかった文書の復元用コピーが壊れているため読み込めません。\r"
                              "ファイルはそのまま残してあります: " + copy);
        return;
    }
    const std::string question = "前回 " + record->name + " は保存されずに終了しました。\r"
                                 "残っている内容を復元しますか?";
    switch (m_dialogs.ConfirmYesNoCancel(question)) {
        case DialogResult::Yes:
            m_restore(*record);
            m_store.Discard(copy);
            m_pending = true;  // the restored text gets this instance's own copy
            break;
        case DialogResult::No:
            m_store.Discard(copy);
            break;
        default:
            break;  // kept for a later start
    }
}

}  // namespace tovel
