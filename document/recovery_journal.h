#pragma once
// The journal of a recovery copy: after the copy's base text come records of the changes made since, each
// (position, bytes deleted, bytes inserted) with its length and a checksum chained to the record before it
// (the first to the base's checksum). A copy is brought up to date by appending records instead of writing
// the whole text again.
//
// Replay takes the records in order and stops at the first one that is torn (a write cut short), fails its
// checksum (damaged, or from another base), or does not fit the text: the text is then as it was after the
// last good record, a state the document really had.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

// The fixed part of a record: position, bytes deleted and bytes inserted, 8 bytes each, little-endian;
// then the inserted bytes and the 8-byte checksum.
inline constexpr std::size_t kJournalRecordOverhead = 32;

// Appends the record of one change to `out`, chained to `chain`; returns the record's checksum, which
// the next record is chained to.
std::uint64_t AppendJournalRecord(std::string& out, std::uint64_t chain, std::uint64_t position, std::uint64_t deleted,
                                  std::string_view inserted);

struct JournalReplay {
    std::size_t records = 0;  // applied
    std::size_t used = 0;     // bytes of the journal they took
    std::uint64_t chain = 0;  // the checksum of the last applied record (the start chain when none)
    bool complete = false;    // every byte of the journal was a good record
};

// Applies the good records at the start of `journal` to `text`, the first chained to `chain`. Edits keep
// a gap at the last place changed, so that a run of nearby changes costs what they insert, not the length
// of the text each.
JournalReplay ReplayJournal(std::string& text, std::string_view journal, std::uint64_t chain);

}  // namespace tovel
