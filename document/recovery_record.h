#pragma once
// The recovery copy of an unsaved document: the document's name and full path (empty when untitled), the
// stamp of its file as last loaded or saved, and the editor's bytes, with a checksum so that a torn or
// damaged copy is never taken for the text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/text_format.h"
#include "platform/sjis.h"

namespace tovel {

struct RecoveryRecord {
    std::string name;      // as the caption shows it ("無題" when untitled)
    std::string fullPath;  // where Save writes; empty when untitled
    std::string text;      // the editor's bytes, exactly
    // The file's stamp when it was last loaded or saved here ("" when there was no file); nothing for a
    // copy written before copies kept it, whose file may have changed in any way since.
    std::optional<std::string> stamp = std::string();
    // The document's format, so that the restored text is held and saved as before; Shift-JIS with CR LF
    // for copies written before copies kept it.
    TextFormat format;
    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// A 64-bit checksum of the bytes, eight at a time, fast enough that a copy of a large text costs little
// more than writing it. It finds torn and damaged copies; it is no defence against deliberate forgery.
std::uint64_t Checksum(std::string_view bytes, std::uint64_t seed = 0);

// The same checksum over bytes given in parts: after adding them all, Value() equals Checksum() of the
// joined bytes, so that a text written in slices is summed as it goes.
class RunningChecksum {
public:
    RunningChecksum() : RunningChecksum(0) {}
    explicit RunningChecksum(std::uint64_t seed);
    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    std::uint64_t m_lane[4];
    std::uint64_t m_size = 0;
    char m_block[32];
    std::size_t m_held = 0;  // bytes of m_block not yet mixed
};

// The copy's file bytes: a header of "key: value" lines (name, path, stamp, format, size, checksum), an
// empty line, then the text, all of it: nothing may follow.
std::string EncodeRecovery(const RecoveryRecord& record);
// Just the header of that copy, for writing it and the text as they are, without joining them.
std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view stamp,
                                 std::string_view text, const TextFormat& format = {});
// The header of a copy with a journal: the base of `textSize` bytes, whose checksum started from
// RecoveryTextSeed is `checksum`, is followed by the journal of changes to it (recovery_journal.h), whose
// first record is chained to `checksum`. For a base summed as it is written, its length does not depend
// on the size or the checksum.
std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view stamp,
                                 std::uint64_t textSize, std::uint64_t checksum, const TextFormat& format);
std::uint64_t RecoveryTextSeed(std::string_view name, std::string_view fullPath, std::string_view stamp,
                               const TextFormat& format);

// The record, or nothing when the bytes are no recovery copy or its size or checksum does not match. The
// text is the base with its journal replayed up to the first record that is torn or damaged. Copies of
// the four earlier layouts (without the format, the first two also without the stamp) are read
// too, so an update never hides them.
std::optional<RecoveryRecord> DecodeRecovery(std::string_view bytes);

// True when the name and the path can belong together: an untitled copy has no path, and a named one has
// a full path whose last part is the name's. A copy failing this would make Save write a file the
// caption does not name.
bool NameMatchesPath(const RecoveryRecord& record, const LeadByteTable& leadBytes);

}  // namespace tovel
