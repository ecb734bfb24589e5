#pragma once
// The editor: a multi-line ANSI EDIT control behind the byte-counting IEditor contract. Windows' ANSI
// control counts positions in bytes; Wine's counts characters. The unit is detected once per process and
// every position crossing this class is converted, so callers always see bytes.
#include <windows.h>

#include <functional>

#include "platform/editor.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

class EditControl : public IEditor {
public:
    // Sees every message of the control before it does; returning true swallows the message.
    using MessageObserver = std::function<bool(UINT msg, WPARAM wp, LPARAM lp)>;
    // Sees every message after the control has acted on it (a click has placed the caret, a key has typed).
    using AfterObserver = std::function<void(UINT msg, WPARAM wp, LPARAM lp)>;

    EditControl(HWND parent, int id, const RECT& bounds);
    ~EditControl() override;
    EditControl(const EditControl&) = delete;
    EditControl& operator=(const EditControl&) = delete;

    HWND Handle() const { return m_hwnd; }
    void SetMessageObserver(MessageObserver observer) { m_observer = std::move(observer); }
    void SetAfterObserver(AfterObserver observer) { m_after = std::move(observer); }
    // Colours the control; the parent calls it for WM_CTLCOLOREDIT.
    HBRUSH OnCtlColor(HDC dc);
    // True when the control counts positions in characters (Wine), false for bytes (Windows).
    static bool CountsCharacters();

    int LineCount() override;
    std::string Line(int index) override;
    void Add(std::string_view line) override;
    void Delete(int index) override;
    std::string Text() override;
    void SetText(std::string_view text) override;
    void Clear() override;
    void Undo() override;
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void ClearSelection() override;
    void SelectAll() override;
    int SelStart() override;
    void SetSelStart(int offset) override;
    void SetSelLength(int length) override;
    void SetSelText(std::string_view text) override;
    std::int32_t MaxLength() const override { return m_maxLength; }
    void SetMaxLength(std::int32_t limit) override;
    bool WordWrap() const override { return m_wordWrap; }
    void SetWordWrap(bool wrap) override;
    std::int32_t Color() const override { return m_color; }
    void SetColor(std::int32_t color) override;
    std::int32_t FontColor() const override { return m_fontColor; }
    void SetFontColor(std::int32_t color) override;
    void SetRedraw(bool on) override;

private:
    void CreateControl(const RECT& bounds);
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageA(m_hwnd, msg, wp, lp); }
    void ReplaceRange(LPARAM start, LPARAM end, const std::string& text);  // control units
    int UnitsToBytes(int units);
    int BytesToUnits(int bytes);
    // A byte limit on a character-counting control is enforced here, on what the user types or pastes.
    bool RefusedByByteLimit(UINT msg, WPARAM wp);
    bool ExceedsByteLimit(std::size_t adding);
    // Handles a double-byte character typed as two WM_CHAR bytes or one WM_IME_CHAR; true when handled.
    bool TypedDoubleByte(UINT msg, WPARAM wp);
    static LRESULT CALLBACK HookProc(HWND, UINT, WPARAM, LPARAM);
    void Unhook();

    HWND m_parent;
    int m_id;
    HWND m_hwnd = nullptr;
    WNDPROC m_controlProc = nullptr;
    ScopedFont m_font;
    ScopedBrush m_brush;
    MessageObserver m_observer;
    AfterObserver m_after;
    std::int32_t m_maxLength = 0;
    char m_leadByte = 0;  // the first byte of a double-byte character typed as two WM_CHAR messages
    bool m_wordWrap = true;
    std::int32_t m_color = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOW);
    std::int32_t m_fontColor = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOWTEXT);
};

// A colour value (0x00BBGGRR, or 0x80000000 + system-colour index) as the RGB it draws with.
COLORREF ResolveColor(std::int32_t color);

}  // namespace tovel
