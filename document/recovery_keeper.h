#pragma once
// Keeps a recovery copy of the editor's text while the document is modified, so a crash, a kill or a
// power cut loses at most the last second or two of typing; at start, offers the copies earlier runs
// left behind.
//
// The copy is written about a second after a change, at most once a second, and removed as soon as the
// document is clean again (saved, or discarded through the save question) and at a normal close.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/document_state.h"
#include "document/recovery_record.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/recovery_store.h"
#include "platform/sjis.h"

namespace tovel {

class RecoveryKeeper {
public:
    // `restore` makes a record the document (text, name, full path, file stamp, marked modified).
    // `leadBytes`: the system's code page, by which a copy's name is matched with its path.
    RecoveryKeeper(IRecoveryStore& store, IEditor& editor, const DocumentState& state, IDialogs& dialogs,
                   std::function<void(const RecoveryRecord&)> restore,
                   const LeadByteTable& leadBytes = LeadByteTable::ShiftJis())
        : m_store(store),
          m_editor(editor),
          m_state(state),
          m_dialogs(dialogs),
          m_restore(std::move(restore)),
          m_leadBytes(leadBytes) {}

    // The editor's text changed.
    void TextChanged() { m_pending = true; }
    // Called often (every half second or so) with a millisecond clock. A failing write is reported once
    // (raised), then retried quietly until one succeeds.
    void Tick(std::uint64_t nowMs);
    // The document is clean again: its copy goes, and so does a restored copy still held back.
    void DocumentClean();
    // At start: every complete copy left behind is offered, newest first, until one is restored. Yes
    // restores it, No discards it, Cancel keeps it for a later start. Entries that cannot be read or are
    // damaged are never loaded: the user is told once, and the files are kept.
    void OfferLeftBehind();

private:
    void WriteCopy();

    IRecoveryStore& m_store;
    IEditor& m_editor;
    const DocumentState& m_state;
    IDialogs& m_dialogs;
    std::function<void(const RecoveryRecord&)> m_restore;
    const LeadByteTable& m_leadBytes;
    bool m_pending = false;
    bool m_written = false;  // this instance's copy exists
    bool m_failureShown = false;
    std::uint64_t m_lastWrite = 0;
    std::uint64_t m_changedAt = 0;
    // Restored copies, discarded only once this instance's own copy holds their text: a kill before that
    // must not lose it.
    std::vector<std::string> m_heldBack;
};

}  // namespace tovel
