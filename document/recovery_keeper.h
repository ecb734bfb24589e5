#pragma once
// Keeps a recovery copy of the editor's text while the document is modified, so a crash, a kill or a
// power cut loses at most the last second or two of typing; at start, offers the copy an earlier run
// left behind.
//
// The copy is written about a second after a change, at most once a second, and removed as soon as the
// document is clean again (saved, or discarded through the save question) and at a normal close.
#include <cstdint>
#include <functional>

#include "document/document_state.h"
#include "document/recovery_record.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/recovery_store.h"

namespace tovel {

class RecoveryKeeper {
public:
    // `restore` makes a record the document (text, name, full path, marked modified).
    RecoveryKeeper(IRecoveryStore& store, IEditor& editor, const DocumentState& state, IDialogs& dialogs,
                   std::function<void(const RecoveryRecord&)> restore)
        : m_store(store), m_editor(editor), m_state(state), m_dialogs(dialogs), m_restore(std::move(restore)) {}

    // The editor's text changed.
    void TextChanged() { m_pending = true; }
    // Called often (every half second or so) with a millisecond clock. A failing write is reported once
    // (raised), then retried quietly until one succeeds.
    void Tick(std::uint64_t nowMs);
    // The document is clean again: its copy goes.
    void DocumentClean();
    // At start: the newest copy left behind is offered. Yes restores it, No discards it, Cancel keeps it
    // for later; a damaged copy is never loaded, the user is told and the file kept.
    void OfferLeftBehind();

private:
    IRecoveryStore& m_store;
    IEditor& m_editor;
    const DocumentState& m_state;
    IDialogs& m_dialogs;
    std::function<void(const RecoveryRecord&)> m_restore;
    bool m_pending = false;
    bool m_written = false;        // this instance's copy exists
    bool m_failureShown = false;
    std::uint64_t m_lastWrite = 0;
    std::uint64_t m_changedAt = 0;
};

}  // namespace tovel
