#include "platform/win32/win32_clipboard.h"

#include <cstring>

#include "platform/error.h"

namespace tovel {
namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner)) throw Error("クリップボードを開くことができません");
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { CloseClipboard(); }
};

}  // namespace

std::string Win32Clipboard::ReadText() {
    OpenedClipboard open(m_owner);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    const char* p = static_cast<const char*>(GlobalLock(data));
    if (!p) return {};
    std::string text(p, strnlen(p, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

void Win32Clipboard::WriteText(std::string_view text) {
    OpenedClipboard open(m_owner);
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!mem) throw Error("メモリが足りません");
    char* p = static_cast<char*>(GlobalLock(mem));
    if (!p) {
        GlobalFree(mem);
        throw Error("メモリが足りません");
    }
    std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\0';
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
}

}  // namespace tovel
