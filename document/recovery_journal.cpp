#include "document/recovery_journal.h"

#include <algorithm>
#include <cstring>

#include "document/recovery_record.h"

namespace tovel {
namespace {

void PutU64(char* out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetU64(const char* in) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[i]);
    return value;
}

std::uint64_t RecordSum(std::uint64_t chain, std::string_view fields, std::string_view inserted) {
    return Checksum(inserted, Checksum(fields, chain));
}

// The text with a gap where the last change was: a change next to it moves few bytes.
class GapText {
public:
    explicit GapText(std::string& text) : m_text(text), m_gapStart(text.size()), m_gapEnd(text.size()) {}
    // The text in one block again.
    void Close() {
        MoveGap(Length());
        m_text.resize(m_gapStart);
    }
    std::size_t Length() const { return m_text.size() - (m_gapEnd - m_gapStart); }

    void Replace(std::size_t position, std::size_t deleted, std::string_view inserted) {
        MoveGap(position);
        m_gapEnd += deleted;
        if (m_gapEnd - m_gapStart < inserted.size()) Widen(inserted.size());
        std::memcpy(m_text.data() + m_gapStart, inserted.data(), inserted.size());
        m_gapStart += inserted.size();
    }

private:
    void MoveGap(std::size_t position) {
        char* p = m_text.data();
        if (position < m_gapStart) {
            const std::size_t moved = m_gapStart - position;
            std::memmove(p + m_gapEnd - moved, p + position, moved);
            m_gapStart -= moved;
            m_gapEnd -= moved;
        } else if (position > m_gapStart) {
            const std::size_t moved = position - m_gapStart;
            std::memmove(p + m_gapStart, p + m_gapEnd, moved);
            m_gapStart += moved;
            m_gapEnd += moved;
        }
    }
    // Grows the gap to hold `needed` bytes, with room for more: a journal of typing inserts a little at a
    // time, and each growth moves the bytes after the gap.
    void Widen(std::size_t needed) {
        const std::size_t after = m_text.size() - m_gapEnd;
        const std::size_t gap = std::max({needed, Length() / 16, std::size_t{4096}});
        m_text.resize(m_gapStart + gap + after);
        std::memmove(m_text.data() + m_gapStart + gap, m_text.data() + m_gapEnd, after);
        m_gapEnd = m_gapStart + gap;
    }

    std::string& m_text;
    std::size_t m_gapStart, m_gapEnd;
};

}  // namespace

std::uint64_t AppendJournalRecord(std::string& out, std::uint64_t chain, std::uint64_t position, std::uint64_t deleted,
                                  std::string_view inserted) {
    char fields[24];
    PutU64(fields, position);
    PutU64(fields + 8, deleted);
    PutU64(fields + 16, inserted.size());
    const std::uint64_t sum = RecordSum(chain, {fields, sizeof fields}, inserted);
    char tail[8];
    PutU64(tail, sum);
    out.append(fields, sizeof fields).append(inserted).append(tail, sizeof tail);
    return sum;
}

JournalReplay ReplayJournal(std::string& text, std::string_view journal, std::uint64_t chain) {
    JournalReplay result;
    result.chain = chain;
    GapText gapText(text);
    std::size_t at = 0;
    while (journal.size() - at >= kJournalRecordOverhead) {
        const char* fields = journal.data() + at;
        const std::uint64_t position = GetU64(fields), deleted = GetU64(fields + 8), size = GetU64(fields + 16);
        if (size > journal.size() - at - kJournalRecordOverhead) break;  // torn
        const std::string_view inserted = journal.substr(at + 24, size);
        const std::uint64_t sum = RecordSum(result.chain, {fields, 24}, inserted);
        if (GetU64(fields + 24 + size) != sum) break;  // damaged, or not of this base
        const std::size_t length = gapText.Length();
        if (position > length || deleted > length - position) break;
        gapText.Replace(position, deleted, inserted);
        at += kJournalRecordOverhead + size;
        result.chain = sum;
        ++result.records;
    }
    gapText.Close();
    result.used = at;
    result.complete = at == journal.size();
    return result;
}

}  // namespace tovel
