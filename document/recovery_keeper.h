#pragma once
// Keeps a recovery copy of the editor's text while the document is modified, so a crash, a kill or a
// power cut loses at most the last second or two of typing; at start, offers the copies earlier runs
// left behind.
//
// The copy is brought up to date about a second after a change, at most once a second, and removed as
// soon as the document is clean again (saved, or discarded through the save question) and at a normal
// close. It is a base text followed by a journal of the changes since (recovery_journal.h): an update
// appends the changes, so that it costs what was typed, not the length of the text. A new base (the whole
// text) is written when there is no copy yet, when the journal has grown past the text's size, and
// whenever the changes told cannot be trusted to describe the text. A base is written a slice per Tick
// into a new file that replaces the copy only when complete and on the disk (the store may take some
// Ticks more to flush it); meanwhile the old copy's journal still takes the changes, so that at every
// moment the copy on disk is complete.
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
    // `sliceBytes`: how much of a base one Tick writes (a text no longer is written in one go).
    RecoveryKeeper(IRecoveryStore& store, IEditor& editor, const DocumentState& state, IDialogs& dialogs,
                   std::function<void(const RecoveryRecord&)> restore,
                   const LeadByteTable& leadBytes = LeadByteTable::ShiftJis(), std::size_t sliceBytes = kSliceBytes)
        : m_store(store),
          m_editor(editor),
          m_state(state),
          m_dialogs(dialogs),
          m_restore(std::move(restore)),
          m_leadBytes(leadBytes),
          m_sliceBytes(sliceBytes) {}

    // What one Tick writes: a pause the user does not feel even where writing is slow (1 MiB takes about
    // 2 ms under Wine, with stalls of ten more; 4 MiB took 12 ms, and up to 22).
    static constexpr std::size_t kSliceBytes = std::size_t{1} << 20;

    // One change as the editor made it: `deleted` bytes at `position` replaced by `inserted`. Every edit
    // comes here (typing, undo, commands), before the TextChanged that follows it.
    void TextEdited(std::size_t position, std::size_t deleted, std::string_view inserted);
    // The editor's text changed, after one or more TextEdited. Told without any, it means a change came
    // without its details (a load puts in a whole new text so), and the next write is a new base.
    void TextChanged();
    // Called often (every quarter second or so, every few milliseconds while Busy) with a millisecond
    // clock. A failing write is reported once (raised), then retried quietly until one succeeds.
    void Tick(std::uint64_t nowMs);
    // A new base is being written (each Tick writes a slice of it) or finished (each Tick asks whether it
    // has replaced the copy).
    bool Busy() const { return m_base.active; }
    // The document is clean again: its copy goes, and so does a restored copy still held back.
    void DocumentClean();
    // At start: every complete copy left behind is offered, newest first, until one is restored. Yes
    // restores it, No discards it, Cancel keeps it for a later start. Entries that cannot be read or are
    // damaged are never loaded: the user is told once, and the files are kept.
    void OfferLeftBehind();

private:
    struct Change {
        std::uint64_t position = 0, deleted = 0;
        std::string inserted;
    };
    static const std::size_t kChangeCost;
    // What a copy's header holds besides the text: a copy whose document has another one needs a new base.
    struct Identity {
        std::string name, fullPath, stamp;
        TextFormat format;
        friend bool operator==(const Identity&, const Identity&) = default;
    };
    // A new base on its way. Invariant: the bytes written, with `changes` replayed on them, are the text's
    // first `offset` bytes; the slices still to come take the rest as it is when they are written. Once
    // finished (all written, `changes` its journal, ending at `chain`), it waits for the store to replace
    // the copy with it, and the changes since (`later`) wait to be appended to it.
    struct Base {
        bool active = false;
        bool restart = false;  // a change cut across `offset`, or the text escaped: start again
        Identity identity;
        RunningChecksum sum;
        std::size_t offset = 0;
        std::uint64_t written = 0;
        std::vector<Change> changes;
        std::size_t changeBytes = 0;
        bool finished = false;
        std::uint64_t chain = 0, journalBytes = 0;
        std::vector<Change> later;
        std::size_t laterBytes = 0;
    };

    Identity CurrentIdentity() const;
    std::size_t JournalLimit() const;
    // A change went by untold: neither the copy's journal nor a base in progress can take more records.
    void Distrust();
    void StartBase();
    // Writes up to `budget` bytes of the base; finishes it when the text is all written. Once finished,
    // asks the store whether it replaced the copy.
    void ContinueBase(std::size_t budget);
    void FinishBase();
    // The finished base is this instance's copy now.
    void BaseReplaced();
    void AbandonBase();
    void AppendChanges();
    // This instance's copy holds the text now.
    void Written();
    void WriteDue();

    IRecoveryStore& m_store;
    IEditor& m_editor;
    const DocumentState& m_state;
    IDialogs& m_dialogs;
    std::function<void(const RecoveryRecord&)> m_restore;
    const LeadByteTable& m_leadBytes;
    const std::size_t m_sliceBytes;
    bool m_pending = false;  // changes not yet in the copy
    bool m_written = false;  // this instance's copy exists
    // The copy on disk: its header's identity and its journal's last checksum and size; whether every
    // change since is in `m_unwritten`, to be appended.
    Identity m_copyIdentity;
    bool m_journalTrusted = false;
    std::uint64_t m_chain = 0;
    std::uint64_t m_journalBytes = 0;
    std::vector<Change> m_unwritten;
    std::size_t m_unwrittenBytes = 0;
    // The text's length as the changes told make it; compared with the editor's at each Tick.
    bool m_lengthKnown = false;
    std::size_t m_length = 0;
    bool m_editedSinceTold = false;
    Base m_base;
    bool m_failureShown = false;
    std::uint64_t m_lastWrite = 0;
    std::uint64_t m_changedAt = 0;
    // Restored copies, discarded only once this instance's own copy holds their text: a kill before that
    // must not lose it.
    std::vector<std::string> m_heldBack;
};

}  // namespace tovel
