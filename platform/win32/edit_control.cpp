#include "platform/win32/edit_control.h"

#include "platform/byte_string.h"
#include "platform/error.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

constexpr int kLineBufferBytes = 4096;
// The control's own procedure is chained by hand (GWLP_WNDPROC, `this` in GWLP_USERDATA) rather than
// through comctl32's subclass list or a window property: under Wine those lookups cost tens of
// microseconds on every message the editor gets.

}  // namespace

COLORREF ResolveColor(std::int32_t color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

bool EditControl::CountsCharacters() {
    static const bool counts = [] {
        HWND probe = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        SetWindowTextA(probe, "\x82\xa0");  // one double-byte character
        DWORD start = 0, end = 0;
        SendMessageA(probe, EM_SETSEL, 0, -1);
        SendMessageA(probe, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        DestroyWindow(probe);
        return end == 1;
    }();
    return counts;
}

EditControl::EditControl(HWND parent, int id, const RECT& bounds) : m_parent(parent), m_id(id) {
    CountsCharacters();
    const int dpi = [&] {
        ScopedGetDC dc(parent);
        return GetDeviceCaps(dc.Get(), LOGPIXELSY);
    }();
    m_font.Reset(CreateFontA(-MulDiv(16, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             "ＭＳ Ｐゴシック"));
    CreateControl(bounds);
}

EditControl::~EditControl() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        Unhook();
        DestroyWindow(m_hwnd);
    }
}

void EditControl::CreateControl(const RECT& b) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT;
    if (!m_wordWrap) style |= ES_AUTOHSCROLL;
    m_hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, b.left, b.top, b.right - b.left, b.bottom - b.top,
                             m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_parent, GWLP_HINSTANCE)), nullptr);
    if (!m_hwnd) throw Error("エディタを作成できません");
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    Send(EM_LIMITTEXT, static_cast<WPARAM>(static_cast<std::uint32_t>(m_maxLength)));
    m_leadByte = 0;
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditControl::HookProc)));
}

void EditControl::Unhook() {
    if (m_controlProc) SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
}

LRESULT CALLBACK EditControl::HookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<EditControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    const WNDPROC controlProc = self->m_controlProc;
    if (msg == WM_NCDESTROY) {  // the control goes away on its own: stop routing to this object
        self->Unhook();
        return CallWindowProcA(controlProc, hwnd, msg, wp, lp);
    }
    if (self->m_observer && self->m_observer(msg, wp, lp)) return 0;
    if (self->TypedDoubleByte(msg, wp)) return 0;
    if (self->RefusedByByteLimit(msg, wp)) {
        MessageBeep(0);
        return 0;
    }
    const LRESULT result = CallWindowProcA(controlProc, hwnd, msg, wp, lp);
    // The control may have been destroyed meanwhile (word-wrap switch); then nobody is told.
    if (self->m_after && self->m_hwnd == hwnd) self->m_after(msg, wp, lp);
    return result;
}

bool EditControl::TypedDoubleByte(UINT msg, WPARAM wp) {
    // A character-counting ANSI control takes every WM_CHAR byte as a character of its own and drops
    // WM_IME_CHAR, so a double-byte character typed either way is put together here and inserted whole.
    if (!CountsCharacters() || (GetWindowLongA(m_hwnd, GWL_STYLE) & ES_READONLY)) return false;
    char typed[3] = {};
    if (msg == WM_CHAR && wp <= 0xFF) {
        const auto byte = static_cast<unsigned char>(wp);
        if (m_leadByte) {
            const char lead = m_leadByte;
            m_leadByte = 0;
            if (byte < 0x40 || byte == 0x7F) return false;  // not a trail byte: the lead byte is dropped
            typed[0] = lead;
            typed[1] = static_cast<char>(byte);
        } else if (IsLeadByte(byte)) {
            m_leadByte = static_cast<char>(byte);
            return true;
        } else {
            return false;
        }
    } else if (msg == WM_IME_CHAR && IsLeadByte(static_cast<unsigned char>(wp >> 8))) {
        typed[0] = static_cast<char>(wp >> 8);
        typed[1] = static_cast<char>(wp & 0xFF);
    } else {
        return false;
    }
    if (ExceedsByteLimit(2)) {
        MessageBeep(0);
    } else {
        Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
    }
    return true;
}

bool EditControl::RefusedByByteLimit(UINT msg, WPARAM wp) {
    if (!CountsCharacters() || m_maxLength <= 0) return false;
    std::size_t adding = 0;
    if (msg == WM_CHAR) {
        if (wp == '\r') {
            adding = 2;
        } else if (wp >= 0x20 || wp == '\t') {
            adding = 1;  // double-byte characters are handled by TypedDoubleByte
        } else {
            return false;
        }
    } else if (msg == WM_IME_CHAR) {
        adding = wp > 0xFF ? 2 : 1;
    } else if (msg == WM_PASTE) {
        if (!OpenClipboard(m_hwnd)) return false;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* p = static_cast<const char*>(GlobalLock(data))) {
                adding = NormalizeLineBreaks(p).size();
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    } else {
        return false;
    }
    return ExceedsByteLimit(adding);
}

bool EditControl::ExceedsByteLimit(std::size_t adding) {
    if (!CountsCharacters() || m_maxLength <= 0) return false;
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::string text = Text();
    const std::size_t selected = ByteOffsetOfChars(text, end) - ByteOffsetOfChars(text, start);
    return text.size() - selected + adding > static_cast<std::size_t>(m_maxLength);
}

int EditControl::UnitsToBytes(int units) {
    if (!CountsCharacters() || units <= 0) return units;
    return static_cast<int>(ByteOffsetOfChars(Text(), static_cast<std::size_t>(units)));
}

int EditControl::BytesToUnits(int bytes) {
    if (!CountsCharacters() || bytes <= 0) return bytes;
    return static_cast<int>(CharCountOfBytes(Text(), static_cast<std::size_t>(bytes)));
}

int EditControl::LineCount() {
    const int count = static_cast<int>(Send(EM_GETLINECOUNT));
    const LRESULT lastStart = Send(EM_LINEINDEX, count - 1);
    return Send(EM_LINELENGTH, lastStart) == 0 ? count - 1 : count;
}

std::string EditControl::Line(int index) {
    if (index < 0 || index >= Send(EM_GETLINECOUNT)) return {};
    std::string buf(kLineBufferBytes, '\0');
    *reinterpret_cast<WORD*>(buf.data()) = kLineBufferBytes;
    const LRESULT copied = Send(EM_GETLINE, index, reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return buf;
}

void EditControl::ReplaceRange(LPARAM start, LPARAM end, const std::string& text) {
    Send(EM_SETSEL, static_cast<WPARAM>(start), end);
    Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditControl::Add(std::string_view line) {
    const int n = LineCount();
    const LRESULT next = Send(EM_LINEINDEX, n);
    if (next >= 0) {
        ReplaceRange(next, next, std::string(line) + "\r\n");
        return;
    }
    const LRESULT lastStart = Send(EM_LINEINDEX, n - 1);
    const LRESULT lastLength = Send(EM_LINELENGTH, lastStart);
    if (lastLength == 0) return;
    ReplaceRange(lastStart + lastLength, lastStart + lastLength, "\r\n" + std::string(line));
}

void EditControl::Delete(int index) {
    // A negative index names no line (the control would read -1 as "the caret's line").
    if (index < 0) return;
    const LRESULT start = Send(EM_LINEINDEX, index);
    if (start < 0) return;
    LRESULT end = Send(EM_LINEINDEX, index + 1);
    if (end < 0) end = start + Send(EM_LINELENGTH, start);
    if (end > start) ReplaceRange(start, end, "");
}

std::string EditControl::Text() {
    const LRESULT length = Send(WM_GETTEXTLENGTH);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void EditControl::SetText(std::string_view text) {
    const std::string normalized = NormalizeLineBreaks(text);
    // The reported length can exceed the byte count for ANSI text, never fall below it: only a length in
    // that range can mean the same text, so large different texts are not fetched to compare.
    const auto reported = static_cast<std::size_t>(Send(WM_GETTEXTLENGTH));
    if (reported >= normalized.size() && reported <= 2 * normalized.size() && Text() == normalized) return;
    if (!Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(normalized.c_str()))) {
        throw Error("文字列の大きさが メモ の制限を越えました");
    }
}

void EditControl::Clear() { SetWindowTextA(m_hwnd, ""); }
void EditControl::Undo() { Send(WM_UNDO); }
void EditControl::CutToClipboard() { Send(WM_CUT); }
void EditControl::CopyToClipboard() { Send(WM_COPY); }
void EditControl::PasteFromClipboard() { Send(WM_PASTE); }
void EditControl::ClearSelection() { Send(WM_CLEAR); }
void EditControl::SelectAll() { Send(EM_SETSEL, 0, -1); }

int EditControl::SelStart() {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return UnitsToBytes(static_cast<int>(start));
}

void EditControl::SetSelStart(int offset) {
    const int units = BytesToUnits(offset);
    Send(EM_SETSEL, static_cast<WPARAM>(units), units);
}

void EditControl::SetSelLength(int length) {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    LPARAM last = static_cast<LPARAM>(start) + length;
    if (CountsCharacters()) {
        const std::string text = Text();
        const std::size_t startBytes = ByteOffsetOfChars(text, start);
        const long long endBytes = static_cast<long long>(startBytes) + length;
        last = endBytes <= 0 ? 0 : static_cast<LPARAM>(CharCountOfBytes(text, static_cast<std::size_t>(endBytes)));
    }
    Send(EM_SETSEL, start, last);
    Send(EM_SCROLLCARET);
}

void EditControl::SetSelText(std::string_view text) {
    Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(text).c_str()));
}

void EditControl::SetMaxLength(std::int32_t limit) {
    if (limit == m_maxLength) return;
    m_maxLength = limit;
    Send(EM_LIMITTEXT, static_cast<WPARAM>(static_cast<std::uint32_t>(limit)));
}

void EditControl::SetWordWrap(bool wrap) {
    if (wrap == m_wordWrap) return;
    m_wordWrap = wrap;
    const std::string text = Text();
    const bool modified = Send(EM_GETMODIFY) != 0;
    const bool focused = GetFocus() == m_hwnd;
    RECT r;
    GetWindowRect(m_hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, m_parent, reinterpret_cast<POINT*>(&r), 2);
    Unhook();
    DestroyWindow(m_hwnd);
    CreateControl(r);
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Send(EM_SETMODIFY, modified);
    if (focused) SetFocus(m_hwnd);
}

void EditControl::SetColor(std::int32_t color) {
    m_color = color;
    m_brush.Reset();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void EditControl::SetFontColor(std::int32_t color) {
    m_fontColor = color;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

HBRUSH EditControl::OnCtlColor(HDC dc) {
    if (!m_brush.Get()) m_brush.Reset(CreateSolidBrush(ResolveColor(m_color)));
    SetTextColor(dc, ResolveColor(m_fontColor));
    SetBkColor(dc, ResolveColor(m_color));
    return m_brush.Get();
}

void EditControl::SetRedraw(bool on) {
    Send(WM_SETREDRAW, on);
    if (on) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace tovel
