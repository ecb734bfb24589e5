#include "tools/text_rewrite.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/error.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

constexpr char kGrowsTooLarge[] =
    "置換を繰り返すと文字列が大きくなりすぎるため、置換をやめました。文字列は元のままです";
constexpr char kNeverEnds[] = "置換が終わらないため、置換をやめました。文字列は元のままです";
constexpr char kPasteTooLarge[] = "繰り返した文字列が大きくなりすぎるため、貼り付けをやめました";

bool Lead(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }
bool Trail(char c) { return IsTrailByte(static_cast<unsigned char>(c)); }
bool Cont(char c) { return IsUtf8Continuation(c); }

// Whether the occurrence of `length` > 0 bytes at `at` covers whole UTF-8 characters.
bool WholeUtf8(std::string_view text, std::size_t at, std::size_t length) {
    const std::size_t end = at + length;
    return !Cont(text[at]) && (end == text.size() || !Cont(text[end]));
}

// How far back a character start is looked for by pairing lead bytes before the flags take over.
constexpr std::size_t kScanBack = 64;

// Whether a character starts at q, given that one starts at `from` <= q and that every byte from `from`
// up to q is a lead byte: from there on they pair off (a lead byte can also be a trail byte).
bool StartsAfterLeads(std::string_view text, std::size_t from, std::size_t q) {
    return (q - from) % 2 == 0 || !Trail(text[q]);
}

// Character starts of a text that does not change, asked for at rising offsets: each byte is looked at
// about once.
class StartFinder {
public:
    explicit StartFinder(std::string_view text) : m_text(text) {}
    bool StartsAt(std::size_t q) {
        if (q == m_text.size()) return true;
        std::size_t j = q;
        while (j > m_known && Lead(m_text[j - 1])) --j;  // the byte after any other byte starts a character
        const bool start = StartsAfterLeads(m_text, j, q);
        m_known = start ? q : q - 1;
        return start;
    }

private:
    std::string_view m_text;
    std::size_t m_known = 0;  // a character starts here
};

// Whether the occurrence at `pos`, where a character starts, also ends where one does.
bool EndsWhole(std::string_view text, std::size_t pos, std::size_t length) {
    std::size_t end = pos;
    while (end < pos + length) end = NextCharPos(text, end);
    return end == pos + length;
}

// The rule for a replacement that holds the search string: one pass over the original text.
// Passes the progress on once per stretch of the original text, so that checking costs next to nothing.
class ProgressSteps {
public:
    ProgressSteps(const RewriteProgress& progress, std::size_t total) : m_progress(progress), m_total(total) {}
    void At(std::size_t done) {
        if (done < m_next || !m_progress) return;
        m_progress(done, m_total);
        m_next = done + kStretch;
    }

private:
    static constexpr std::size_t kStretch = std::size_t{1} << 22;
    const RewriteProgress& m_progress;
    std::size_t m_total;
    std::size_t m_next = kStretch;
};

std::string ReplaceEachOnce(std::string_view text, std::string_view search, std::string_view replacement,
                            std::size_t limit, CharRule rule, const RewriteProgress& progress) {
    ProgressSteps steps(progress, text.size());
    const std::size_t cap = std::max(limit, text.size());
    StartFinder starts(text);
    std::string out;
    std::size_t copied = 0;
    std::size_t at = text.find(search);
    while (at != std::string_view::npos) {
        steps.At(at);
        const bool whole = rule == CharRule::Utf8 ? WholeUtf8(text, at, search.size())
                                                  : starts.StartsAt(at) && EndsWhole(text, at, search.size());
        if (!whole) {
            at = text.find(search, at + 1);
            continue;
        }
        out.append(text.substr(copied, at - copied));
        out.append(replacement);
        copied = at + search.size();
        if (out.size() + (text.size() - copied) > cap) throw Error(kGrowsTooLarge);
        at = text.find(search, copied);
    }
    out.append(text.substr(copied));
    return out;
}

// Short appends copy this many bytes at once; sources and the buffer keep that many readable bytes.
constexpr std::size_t kCopySlack = 16;

// The scanned part of the text: a string used as a buffer with its length kept apart, so that the many
// short appends between matches are a fixed-size copy rather than a library call.
class ScannedBytes {
public:
    explicit ScannedBytes(std::size_t expected) { m_bytes.resize(expected + kCopySlack); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    char back() const { return m_bytes[m_size - 1]; }
    char operator[](std::size_t i) const { return m_bytes[i]; }
    operator std::string_view() const { return std::string_view(m_bytes.data(), m_size); }
    void push_back(char c) {
        Room(1);
        m_bytes[m_size++] = c;
    }
    // `readable`: how many bytes may be read from bytes.data() on (at least its size).
    void append(std::string_view bytes, std::size_t readable = 0) {
        Room(bytes.size());
        char* to = m_bytes.data() + m_size;
        if (bytes.size() <= kCopySlack && readable >= kCopySlack)
            std::memcpy(to, bytes.data(), kCopySlack);
        else if (!bytes.empty())
            std::memcpy(to, bytes.data(), bytes.size());  // an empty view may hold no pointer
        m_size += bytes.size();
    }
    void resize(std::size_t size) { m_size = size; }
    std::string Take() {
        m_bytes.resize(m_size);
        return std::move(m_bytes);
    }

private:
    void Room(std::size_t more) {
        const std::size_t needed = m_size + more + kCopySlack;
        if (needed > m_bytes.size()) m_bytes.resize(std::max(m_bytes.size() * 2, needed));
    }

    std::string m_bytes;
    std::size_t m_size = 0;
};

// The repeat-from-the-start rule without rescanning. The text is held as the part already scanned
// (`m_out`), then the bytes of replacements still to scan (`m_pending`, a stack), then the rest of the
// original text. No whole occurrence lies inside the scanned part, so the first one ends at or after the
// scan point; after a replacement at p the scan goes on from p, since a new occurrence cannot start
// before p - len(search) + 1, and the automaton state at p (recomputed from the last len(search) bytes)
// covers those. Where characters start is found by pairing the lead bytes before a byte that is none,
// and only along long runs of lead bytes from flags kept for the scanned part. In UTF-8 whether an
// occurrence is whole rests on its first byte and the byte after it alone.
class RepeatRewriter {
public:
    RepeatRewriter(std::string_view text, std::string_view search, std::string_view replacement, std::size_t limit,
                   CharRule rule, const RewriteProgress& progress)
        : m_steps(progress, text.size()),
          m_utf8(rule == CharRule::Utf8),
          m_text(text),
          m_s(search),
          m_r(replacement),
          m_limit(limit),
          m_cap(std::max(limit, text.size())),
          m_length(text.size()),
          m_out(text.size()) {
        const std::size_t m = m_s.size();
        m_border.assign(m + 1, 0);
        for (std::size_t i = 1, k = 0; i < m; ++i) {
            while (k > 0 && m_s[i] != m_s[k]) k = m_border[k];
            if (m_s[i] == m_s[k]) ++k;
            m_border[i + 1] = k;
        }
        for (char c : m_r) m_stateAfterR = Step(m_stateAfterR, c);
        m_sEndsInLeadStart = Lead(m_s.back()) && LastCharStart(m_s) == m - 1;
        m_sPadded = std::string(m_s) + std::string(kCopySlack, '\0');
        m_rPadded = std::string(m_r) + std::string(kCopySlack, '\0');
        m_s = std::string_view(m_sPadded).substr(0, m);
        m_r = std::string_view(m_rPadded).substr(0, m_r.size());
    }

    std::string Run() {
        const std::size_t m = m_s.size();
        for (;;) {
            m_steps.At(m_next);
            if (m_pending.empty() && m_state == 0) {
                // No partial match and nothing pending: jump to the next candidate of the original text
                // and judge it where it stands.
                const std::size_t at = m_text.find(m_s, m_next);
                if (at == std::string_view::npos) {
                    m_out.append(m_text.substr(m_next));
                    break;
                }
                m_out.append(m_text.substr(m_next, at - m_next), m_text.size() - m_next);
                m_next = at + m;
                if (CandidateIsWhole()) {
                    Replace();
                } else {
                    m_out.append(m_s, m_sPadded.size());
                    m_state = m;
                }
                continue;
            }
            char b;
            if (!TakeNext(b)) break;
            m_out.push_back(b);
            m_state = Step(m_state, b);
            // An occurrence is judged once, when its last byte is scanned. One ending where a replacement
            // began was judged with another next byte, but only its start could have failed: had it
            // ended inside a character, the replaced occurrence would not have started one.
            if (m_state == m && MatchAtEndIsWhole()) {
                m_out.resize(m_out.size() - m);
                m_flagged = std::min(m_flagged, m_out.size());
                Replace();
            }
        }
        return m_out.Take();
    }

private:
    // The automaton: the longest suffix of what was read that is a prefix of the search string.
    std::size_t Step(std::size_t state, char b) const {
        if (state == m_s.size()) state = m_border[state];
        while (state > 0 && m_s[state] != b) state = m_border[state];
        return m_s[state] == b ? state + 1 : 0;
    }

    std::size_t StateOfOut() const {
        // A partial match begins with the search string's first byte; mostly none of the bytes has it.
        const std::size_t from = m_out.size() - std::min(m_out.size(), m_s.size() - 1);
        std::size_t i = from;
        while (i < m_out.size() && m_out[i] != m_s[0]) ++i;
        std::size_t state = 0;
        for (; i < m_out.size(); ++i) state = Step(state, m_out[i]);
        return state;
    }

    // Whether a character starts at q < m_out.size() in the text as it stands.
    bool StartAt(std::size_t q) {
        if (q >= m_flagged) {
            std::size_t j = q;
            const std::size_t stop = q - std::min(q - m_flagged, kScanBack);
            while (j > stop && Lead(m_out[j - 1])) --j;
            if (j == 0 || !Lead(m_out[j - 1])) return StartsAfterLeads(m_out, j, q);
            Flag(q + 1);
        }
        return m_starts[q];
    }

    // Extends the flags (m_starts[i]: a character starts at m_out[i]) to the first `end` bytes.
    void Flag(std::size_t end) {
        m_starts.resize(end);
        bool leadStart = m_flagged > 0 && m_starts[m_flagged - 1] && Lead(m_out[m_flagged - 1]);
        for (std::size_t i = m_flagged; i < end; ++i) {
            const bool start = !(leadStart && Trail(m_out[i]));
            m_starts[i] = start;
            leadStart = start && Lead(m_out[i]);
        }
        m_flagged = end;
    }

    // The occurrence just taken from the original text, ending at m_next, where the scanned part ends.
    bool CandidateIsWhole() {
        if (m_utf8) return !Cont(m_s[0]) && !(m_next < m_text.size() && Cont(m_text[m_next]));
        const bool startsWhole = !(LeadStartsAtEnd() && Trail(m_s[0]));
        return startsWhole && !(m_sEndsInLeadStart && m_next < m_text.size() && Trail(m_text[m_next]));
    }

    bool LeadStartsAtEnd() { return !m_out.empty() && Lead(m_out.back()) && StartAt(m_out.size() - 1); }

    bool PeekNext(char& b) const {
        if (!m_pending.empty()) {
            b = m_pending.back();
            return true;
        }
        if (m_next < m_text.size()) {
            b = m_text[m_next];
            return true;
        }
        return false;
    }

    bool TakeNext(char& b) {
        if (!PeekNext(b)) return false;
        if (!m_pending.empty())
            m_pending.pop_back();
        else
            ++m_next;
        return true;
    }

    // The occurrence ending at the scan point starts a character and does not end inside one.
    bool MatchAtEndIsWhole() {
        char next;
        if (m_utf8) return !Cont(m_out[m_out.size() - m_s.size()]) && !(PeekNext(next) && Cont(next));
        if (!StartAt(m_out.size() - m_s.size())) return false;
        return !(LeadStartsAtEnd() && PeekNext(next) && Trail(next));
    }

    // The occurrence that stood at the end of m_out has been taken off: its replacement comes next.
    void Replace() {
        if (++m_count > m_limit) throw Error(kNeverEnds);
        m_length = m_length - m_s.size() + m_r.size();
        if (m_length > m_cap) throw Error(kGrowsTooLarge);
        m_state = StateOfOut();
        if (m_pending.empty() && m_state == 0) {
            // From state 0 the replacement alone holds no occurrence: it needs no scanning byte by byte.
            m_out.append(m_r, m_rPadded.size());
            m_state = m_stateAfterR;
        } else {
            m_pending.append(m_r.rbegin(), m_r.rend());
        }
    }

    ProgressSteps m_steps;
    bool m_utf8;
    std::string_view m_text, m_s, m_r;
    std::string m_sPadded, m_rPadded;  // what m_s and m_r view, readable kCopySlack bytes past their ends
    std::size_t m_limit, m_cap;
    std::size_t m_length;  // of the whole text as it stands
    std::size_t m_count = 0;
    std::vector<std::size_t> m_border;  // m_border[k]: longest proper border of the first k search bytes
    std::size_t m_stateAfterR = 0;
    bool m_sEndsInLeadStart = false;  // its last character is a lead byte alone, which a trail would join
    ScannedBytes m_out;
    std::vector<bool> m_starts;
    std::size_t m_flagged = 0;  // m_starts holds the first m_flagged bytes of m_out
    std::string m_pending;      // next byte last
    std::size_t m_next = 0;
    std::size_t m_state = 0;
};

}  // namespace

std::size_t FindWhole(std::string_view text, std::string_view needle, CharRule rule) {
    if (needle.empty()) return std::string_view::npos;
    StartFinder starts(text);
    for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
        if (rule == CharRule::Utf8 ? WholeUtf8(text, at, needle.size())
                                   : starts.StartsAt(at) && EndsWhole(text, at, needle.size())) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::size_t WholeCharsWithin(std::string_view text, std::size_t bytes, CharRule rule) {
    if (rule == CharRule::Utf8) {
        if (bytes >= text.size()) return text.size();
        std::size_t cut = bytes;
        while (cut > 0 && Cont(text[cut])) --cut;
        return cut;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = NextCharPos(text, pos);
        if (next > bytes) break;
        pos = next;
    }
    return pos;
}

std::size_t FitsWithin(std::string_view text, std::size_t room, CharRule rule) {
    if (rule == CharRule::ShiftJis) return PasteFits(text, room);
    const std::size_t cut = WholeCharsWithin(text, room, rule);
    return cut > 0 && cut < text.size() && text[cut - 1] == '\r' && text[cut] == '\n' ? cut - 1 : cut;
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement, std::size_t limit,
                       CharRule rule, const RewriteProgress& progress) {
    if (search.empty()) return std::string(text);
    if (replacement.find(search) != std::string_view::npos)
        return ReplaceEachOnce(text, search, replacement, limit, rule, progress);
    return RepeatRewriter(text, search, replacement, limit, rule, progress).Run();
}

std::string RepeatedPaste(std::string_view piece, std::int64_t count, std::size_t room, std::size_t limit,
                          CharRule rule) {
    std::string out;
    if (piece.empty() || count <= 0) return out;
    const std::size_t copies = std::min(static_cast<std::size_t>(count), room / piece.size());
    if (copies > limit / piece.size()) throw Error(kPasteTooLarge);
    out.reserve(copies * piece.size() + piece.size());
    out.append(piece);
    while (out.size() < copies * piece.size())
        out.append(out, 0, std::min(out.size(), copies * piece.size() - out.size()));
    out.resize(copies * piece.size());
    room -= out.size();
    // Once a paste no longer fits whole, each further one keeps what still fits, until none adds anything.
    for (std::int64_t left = count - static_cast<std::int64_t>(copies); left > 0; --left) {
        const std::size_t keep = FitsWithin(piece, room, rule);
        if (keep == 0) break;
        out.append(piece.substr(0, keep));
        room -= keep;
    }
    if (out.size() > limit) throw Error(kPasteTooLarge);
    return out;
}

}  // namespace tovel
