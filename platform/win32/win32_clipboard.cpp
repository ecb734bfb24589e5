#include "platform/win32/win32_clipboard.h"

#include <climits>
#include <cstring>

#include "platform/error.h"

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

}  // namespace tovel
