#include "platform/win32/win32_clipboard.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>

#include "platform/error.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

constexpr UINT kShiftJis = 932;

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner)) throw Error("クリップボードを開くことができません");
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { CloseClipboard(); }
};

// A movable memory block; freed unless the clipboard has taken it.
class ClipboardBlock {
public:
    ClipboardBlock() : m_mem(nullptr) {}
    explicit ClipboardBlock(std::size_t bytes) : m_mem(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ClipboardBlock(const ClipboardBlock&) = delete;
    ClipboardBlock& operator=(const ClipboardBlock&) = delete;
    ~ClipboardBlock() { Free(); }
    bool Valid() const { return m_mem != nullptr; }
    HGLOBAL Get() const { return m_mem; }
    void Free() {
        if (m_mem) GlobalFree(m_mem);
        m_mem = nullptr;
    }
    void Allocate(std::size_t bytes) {
        Free();
        m_mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    }
    // The block becomes the clipboard's when this succeeds.
    bool GiveTo(UINT format) {
        if (!m_mem || !SetClipboardData(format, m_mem)) return false;
        m_mem = nullptr;
        return true;
    }

private:
    HGLOBAL m_mem;
};

// A memory block locked for the length of a scope.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL mem) : m_mem(mem), m_p(mem ? GlobalLock(mem) : nullptr) {}
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    ~LockedBlock() {
        if (m_p) GlobalUnlock(m_mem);
    }
    void* Get() const { return m_p; }

private:
    HGLOBAL m_mem;
    void* m_p;
};

std::string TooLargeMessage(std::size_t maxBytes) {
    return "文字列が大きすぎてクリップボードにコピーできません (最大 " + std::to_string(maxBytes) + " バイト)";
}

// The plain text: the bytes as they are and a closing NUL.
void FillPlainText(ClipboardBlock& block, std::string_view text) {
    LockedBlock lock(block.Get());
    auto* p = static_cast<char*>(lock.Get());
    if (!p) throw Error("メモリが足りません");
    if (!text.empty()) std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\0';
}

// The Unicode rendering for other programs, as far as it goes: bytes that make no Shift-JIS character
// become the default character. This program never reads it back, so it is left out when it cannot be
// made; the system then offers a rendering of the plain text instead.
void FillUnicodeRendering(ClipboardBlock& block, std::string_view text, int units) {
    LockedBlock lock(block.Get());
    auto* p = static_cast<wchar_t*>(lock.Get());
    const int made =
        p && units > 0 ? MultiByteToWideChar(kShiftJis, 0, text.data(), static_cast<int>(text.size()), p, units) : 0;
    if (!p || made != units || (units == 0 && !text.empty())) {
        block.Free();
        return;
    }
    p[units] = L'\0';
}

// The clipboard's plain text, or its Unicode text, up to the first NUL; false when it has none.
bool ReadPlain(std::string& out) {
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return false;
    LockedBlock lock(data);
    const auto* p = static_cast<const char*>(lock.Get());
    if (!p) return false;
    out.assign(p, strnlen(p, GlobalSize(data)));
    return true;
}

bool ReadWide(std::wstring& out) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    LockedBlock lock(data);
    const auto* p = static_cast<const wchar_t*>(lock.Get());
    if (!p) return false;
    out.assign(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t)));
    return true;
}

// Shift-JIS bytes as wide text, exactly: false when a byte makes no character, `out` then holding the
// characters before it. Blocks are converted whole; only the one that fails is taken apart.
bool DecodeShiftJis(std::string_view bytes, std::wstring& out) {
    out.clear();
    constexpr std::size_t kBlock = 1 << 16;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && end - pos < kBlock) end = NextCharPos(bytes, end);
        const auto convert = [&](std::size_t from, std::size_t to) {
            const int n = static_cast<int>(to - from);
            const int units = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data() + from, n, nullptr, 0);
            if (units <= 0) return false;
            const std::size_t had = out.size();
            out.resize(had + static_cast<std::size_t>(units));
            MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data() + from, n, out.data() + had, units);
            return true;
        };
        if (!convert(pos, end)) {
            for (std::size_t next = pos; pos < end; pos = next) {
                next = NextCharPos(bytes, pos);
                if (!convert(pos, next)) return false;
            }
        }
        pos = end;
    }
    return true;
}

// What the system's own rendering of Shift-JIS bytes gives, a byte that makes no character replaced.
std::wstring RenderShiftJis(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int n = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(kShiftJis, 0, bytes.data(), n, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(units, 0)), L'\0');
    if (units > 0) MultiByteToWideChar(kShiftJis, 0, bytes.data(), n, out.data(), units);
    return out;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The wide text as UTF-8; stops at half a surrogate pair, which UTF-8 cannot hold, and says so.
std::string WideToUtf8(std::wstring_view wide) {
    std::size_t good = 0;
    while (good < wide.size()) {
        if (IsHighSurrogate(wide[good]) && good + 1 < wide.size() && IsLowSurrogate(wide[good + 1])) {
            good += 2;
        } else if (IsHighSurrogate(wide[good]) || IsLowSurrogate(wide[good])) {
            break;
        } else {
            ++good;
        }
    }
    std::string out;
    if (good > 0) {
        const int n = static_cast<int>(good);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
        out.resize(static_cast<std::size_t>(std::max(bytes, 0)));
        if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), bytes, nullptr, nullptr);
    }
    if (good < wide.size()) throw UnconvertedClipboardText(std::move(out));
    return out;
}

// The Unicode text itself: the UTF-8 made wide and a closing NUL.
void FillUnicodeText(ClipboardBlock& block, std::string_view utf8, int units) {
    LockedBlock lock(block.Get());
    auto* p = static_cast<wchar_t*>(lock.Get());
    if (!p) throw Error("メモリが足りません");
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), p, units);
    p[units] = L'\0';
}

// The Shift-JIS rendering for older programs: a character Shift-JIS lacks becomes "?". This program reads
// the Unicode text, so the rendering is left out when it cannot be made.
void FillShiftJisRendering(ClipboardBlock& block, const wchar_t* wide, int units, int bytes) {
    LockedBlock lock(block.Get());
    auto* p = static_cast<char*>(lock.Get());
    const int made =
        p && bytes > 0 ? WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, units, p, bytes, "?", nullptr) : 0;
    if (!p || made != bytes) {
        block.Free();
        return;
    }
    p[bytes] = '\0';
}

// The rendering of the Unicode text in `unicode`, or none when it cannot be made. A character beyond the
// basic plane is one "?" in it, not one for each of its halves.
void MakeShiftJisRendering(ClipboardBlock& plain, ClipboardBlock& unicode, int units) {
    LockedBlock lock(unicode.Get());
    if (!lock.Get()) return;
    std::wstring_view wide(static_cast<const wchar_t*>(lock.Get()), static_cast<std::size_t>(units));
    std::wstring folded;
    if (std::any_of(wide.begin(), wide.end(), IsHighSurrogate)) {
        folded.reserve(wide.size());
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const bool pair = IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1]);
            folded += pair ? L'?' : wide[i];
            i += pair ? 1 : 0;
        }
        wide = folded;
    }
    const int count = static_cast<int>(wide.size());
    const int bytes = wide.empty() ? 0
                                   : WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), count, nullptr,
                                                         0, "?", nullptr);
    if (!wide.empty() && bytes <= 0) return;
    plain.Allocate(static_cast<std::size_t>(bytes) + 1);
    FillShiftJisRendering(plain, wide.data(), count, bytes);
}

}  // namespace

std::string Win32Clipboard::ReadText() {
    OpenedClipboard open(m_owner);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    LockedBlock lock(data);
    const auto* p = static_cast<const char*>(lock.Get());
    if (!p) return {};
    return std::string(p, strnlen(p, GlobalSize(data)));
}

void Win32Clipboard::WriteText(std::string_view text) {
    // Everything is made before the clipboard is emptied, so that a refusal leaves it as it was.
    if (text.size() > m_maxBytes) throw Error(TooLargeMessage(m_maxBytes));
    ClipboardBlock plain(text.size() + 1);
    if (!plain.Valid()) throw Error("メモリが足りません");
    FillPlainText(plain, text);
    const int units = text.empty() || text.size() > INT_MAX
                          ? 0
                          : MultiByteToWideChar(kShiftJis, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    ClipboardBlock unicode((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t));
    FillUnicodeRendering(unicode, text, units);

    OpenedClipboard open(m_owner);
    if (!EmptyClipboard()) throw Error("クリップボードを開くことができません");
    if (!plain.GiveTo(CF_TEXT)) throw Error("クリップボードに書き込めません");
    unicode.GiveTo(CF_UNICODETEXT);
}

std::string Win32Clipboard::ReadUnicodeText() {
    OpenedClipboard open(m_owner);
    std::wstring unicode, decoded;
    std::string plain;
    const bool haveUnicode = ReadWide(unicode);
    if (!ReadPlain(plain)) return haveUnicode ? WideToUtf8(unicode) : std::string();
    // The system renders plain text as Unicode text on its own, replacing what does not convert. Plain
    // text that does not convert, beside Unicode text that is nothing but that rendering (or none), is
    // the clipboard's real text: it is read as Shift-JIS and stops where it fails.
    if (!DecodeShiftJis(plain, decoded)) {
        if (!haveUnicode || unicode == RenderShiftJis(plain)) throw UnconvertedClipboardText(WideToUtf8(decoded));
    } else if (!haveUnicode) {
        return WideToUtf8(decoded);
    }
    return WideToUtf8(unicode);
}

void Win32Clipboard::WriteUnicodeText(std::string_view utf8) {
    // Everything is made before the clipboard is emptied, so that a refusal leaves it as it was.
    if (utf8.size() > m_maxBytes) throw Error(TooLargeMessage(m_maxBytes));
    if (utf8.size() > INT_MAX / 2) throw Error("メモリが足りません");
    const int length = static_cast<int>(utf8.size());
    const int units =
        utf8.empty() ? 0 : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (!utf8.empty() && units <= 0) throw Error(kUnconvertedClipboardMessage);
    ClipboardBlock unicode((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t));
    if (!unicode.Valid()) throw Error("メモリが足りません");
    FillUnicodeText(unicode, utf8, units);
    ClipboardBlock plain;
    MakeShiftJisRendering(plain, unicode, units);

    OpenedClipboard open(m_owner);
    if (!EmptyClipboard()) throw Error("クリップボードを開くことができません");
    if (!unicode.GiveTo(CF_UNICODETEXT)) throw Error("クリップボードに書き込めません");
    plain.GiveTo(CF_TEXT);
}

}  // namespace tovel
