#include "platform/win32/scintilla_editor.h"

#include <ole2.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "platform/byte_string.h"
#include "platform/error.h"
#include "platform/sjis.h"
#include "platform/utf8_steps.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/win32_clipboard.h"

namespace tovel {
namespace {

constexpr char kFrameClass[] = "TovelEditorFrame";
constexpr std::size_t kLineBufferBytes = 4096;
constexpr char kTooLarge[] = "文字列の大きさが メモ の制限を越えました";
// The face name goes to the component as UTF-8: "ＭＳ Ｐゴシック".
constexpr char8_t kFaceUtf8[] = u8"ＭＳ Ｐゴシック";
constexpr int kFontPoints = 12;  // 16 pixels at 96 dots per inch

void RegisterComponentOnce(HINSTANCE instance) {
    static const bool registered = Scintilla_RegisterClasses(instance) != 0;
    if (!registered) throw Error("エディタを作成できません");
}

std::string PositionText(std::size_t zeroBased) { return std::to_string(zeroBased + 1); }

}  // namespace

ScintillaEditor::ScintillaEditor(HWND parent, int id, const RECT& bounds) {
    CreateWindows(parent, id, bounds);
    Configure();
}

// The hook is removed, then the frame destroyed with the component in it (the members' own ends).
ScintillaEditor::~ScintillaEditor() = default;

void ScintillaEditor::CreateWindows(HWND parent, int id, const RECT& b) {
    const HINSTANCE instance = WindowBase::InstanceOf(parent);
    RegisterComponentOnce(instance);
    if (!FrameWindow::RegisterClassOnce(instance, kFrameClass, WindowClassLook{nullptr, nullptr, 0, IDC_IBEAM}))
        throw Error("エディタを作成できません");
    const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    const int width = b.right - b.left, height = b.bottom - b.top;
    m_frameWindow.Create(kFrameClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, b.left, b.top, width, height,
                         parent, menuId);
    const HWND frame = Frame();
    if (!frame) throw Error("エディタを作成できません");
    m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, 0, 0,
                             width, height, frame, menuId, instance, nullptr);
    if (!m_hwnd) throw Error("エディタを作成できません");
    m_calls = sci::Calls(m_hwnd);
    // Files dropped on the text go to the main window (WS_EX_ACCEPTFILES), not to the component's own
    // drop target, which takes text only.
    RevokeDragDrop(m_hwnd);
    // The component's class is Unicode; the subclass passes its messages on unconverted.
    m_hook.Attach(m_hwnd);
}

void ScintillaEditor::Configure() {
    const sci::Calls& c = m_calls;
    c.SetDocumentWithoutStyles();  // no lexer: a style byte per text byte would only cost memory
    c.SetCodePage(932);
    c.SetTechnologyGdi();
    c.SetEolMode(SC_EOL_CRLF);
    c.SetPasteConvertEndings(true);
    c.SetTabWidth(8);
    for (int margin = 0; margin < 5; ++margin) c.SetMarginWidth(margin, 0);
    c.SetHScrollBar(false);
    c.SetVScrollBar(true);
    c.UsePopUp(SC_POPUP_NEVER);
    c.SetMultipleSelection(false);
    c.SetMouseSelectionRectangularSwitch(false);
    c.SetCaretLineVisible(false);
    c.SetLayoutCache(SC_CACHE_PAGE);
    c.SetModEventMask(SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_INSERTCHECK | SC_PERFORMED_USER |
                      SC_PERFORMED_UNDO | SC_PERFORMED_REDO);
    c.StyleSetFont(STYLE_DEFAULT, reinterpret_cast<const char*>(kFaceUtf8));
    c.StyleSetSizeFractional(STYLE_DEFAULT, kFontPoints * SC_FONT_SIZE_MULTIPLIER);
    c.StyleSetCharacterSet(STYLE_DEFAULT, SC_CHARSET_SHIFTJIS);
    ApplyColours();
    c.StyleClearAll();
    c.SetWrapMode(m_wordWrap ? SC_WRAP_WORD : SC_WRAP_NONE);
    c.HideSelection(GetFocus() != m_hwnd);
    AssignEditBoxKeys();
}

void ScintillaEditor::AssignEditBoxKeys() {
    // Only the keys of a plain edit box: none of the component's own commands (line transpose, case
    // change, zoom, overtype...) can fire. Undo and the clipboard keys are handled in HookProc.
    const sci::Calls& c = m_calls;
    c.ClearAllCmdKeys();
    struct Binding {
        int key, plain, extend;
    };
    static constexpr Binding kMoves[] = {
        {SCK_LEFT, SCI_CHARLEFT, SCI_CHARLEFTEXTEND},
        {SCK_RIGHT, SCI_CHARRIGHT, SCI_CHARRIGHTEXTEND},
        {SCK_UP, SCI_LINEUP, SCI_LINEUPEXTEND},
        {SCK_DOWN, SCI_LINEDOWN, SCI_LINEDOWNEXTEND},
        {SCK_HOME, SCI_HOMEDISPLAY, SCI_HOMEDISPLAYEXTEND},
        {SCK_END, SCI_LINEENDDISPLAY, SCI_LINEENDDISPLAYEXTEND},
        {SCK_PRIOR, SCI_PAGEUP, SCI_PAGEUPEXTEND},
        {SCK_NEXT, SCI_PAGEDOWN, SCI_PAGEDOWNEXTEND},
    };
    for (const Binding& b : kMoves) {
        c.AssignCmdKey(b.key, SCMOD_NORM, b.plain);
        c.AssignCmdKey(b.key, SCMOD_SHIFT, b.extend);
    }
    static constexpr Binding kCtrlMoves[] = {
        {SCK_LEFT, SCI_WORDLEFT, SCI_WORDLEFTEXTEND},
        {SCK_RIGHT, SCI_WORDRIGHT, SCI_WORDRIGHTEXTEND},
        {SCK_HOME, SCI_DOCUMENTSTART, SCI_DOCUMENTSTARTEXTEND},
        {SCK_END, SCI_DOCUMENTEND, SCI_DOCUMENTENDEXTEND},
    };
    for (const Binding& b : kCtrlMoves) {
        c.AssignCmdKey(b.key, SCMOD_CTRL, b.plain);
        c.AssignCmdKey(b.key, SCMOD_CTRL | SCMOD_SHIFT, b.extend);
    }
    c.AssignCmdKey(SCK_BACK, SCMOD_NORM, SCI_DELETEBACK);
    c.AssignCmdKey(SCK_BACK, SCMOD_SHIFT, SCI_DELETEBACK);
    c.AssignCmdKey(SCK_DELETE, SCMOD_NORM, SCI_CLEAR);
    c.AssignCmdKey(SCK_RETURN, SCMOD_NORM, SCI_NEWLINE);
    c.AssignCmdKey(SCK_RETURN, SCMOD_SHIFT, SCI_NEWLINE);
}

void ScintillaEditor::SetBounds(int x, int y, int width, int height) {
    MoveWindow(Frame(), x, y, std::max(0, width), std::max(0, height), TRUE);
}

// ---- window procedures ------------------------------------------------------------------------------

LRESULT ScintillaEditor::OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_hwnd) {
        switch (msg) {
            case WM_NOTIFY: {
                const auto* n = reinterpret_cast<const SCNotification*>(lp);
                if (n->nmhdr.hwndFrom == m_hwnd) OnNotify(*n);
                return 0;
            }
            case WM_SIZE:
                MoveWindow(m_hwnd, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
                ViewChanged();
                return 0;
            case WM_SETFOCUS:
                SetFocus(m_hwnd);
                return 0;
            case WM_COMMAND:  // the component's change and focus notices: nothing to do with them
                return 0;
        }
    }
    return m_frameWindow.DefaultMessage(msg, wp, lp);
}

template <typename F>
bool ScintillaEditor::Guarded(F&& f) {
    try {
        f();
        return true;
    } catch (...) {
        if (!m_errorSink) throw;
        m_errorSink();
        return false;
    }
}

LRESULT ScintillaEditor::OnComponentMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {  // the component goes away with its frame: nothing more reaches the editor
        m_hwnd = nullptr;
        return m_hook.DefaultMessage(msg, wp, lp);
    }
    return OnHookedMessage(msg, wp, lp);
}

LRESULT ScintillaEditor::OnHookedMessage(UINT msg, WPARAM wp, LPARAM lp) {
    bool swallowed = false;
    if (m_observer && !Guarded([&] { swallowed = m_observer(msg, wp, lp); })) return 0;
    if (swallowed) return 0;

    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
    switch (msg) {
        case WM_KEYDOWN:
            // The edit-box keys that the component's key map cannot express. A clipboard that cannot be
            // opened or a copy too large for it is reported through the error sink.
            if (ctrl && !shift && !alt &&
                (wp == 'Z' || wp == 'Y' || wp == 'X' || wp == 'C' || wp == 'V' || wp == VK_INSERT)) {
                Guarded([&] {
                    if (wp == 'Z') Undo();
                    if (wp == 'Y') Redo();
                    if (wp == 'X') CutToClipboard();
                    if (wp == 'C' || wp == VK_INSERT) CopyToClipboard();
                    if (wp == 'V') PasteFromClipboard();
                });
                return 0;
            }
            if (ctrl && !alt && wp == VK_END && m_wordWrap) {
                GoToEnd(shift);
                return 0;
            }
            if (!alt && MoveWhileWrapping(wp, shift, ctrl)) return 0;
            if (shift && !ctrl && !alt && (wp == VK_DELETE || wp == VK_INSERT)) {
                Guarded([&] { wp == VK_DELETE ? CutToClipboard() : PasteFromClipboard(); });
                return 0;
            }
            break;
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
            // Asked for by message, the clipboard takes the same byte-exact way as the keys, never the
            // component's own (which converts the text to Unicode and back).
            Guarded([&] {
                if (msg == WM_CUT) CutToClipboard();
                if (msg == WM_COPY) CopyToClipboard();
                if (msg == WM_PASTE) PasteFromClipboard();
            });
            return 0;
        case WM_SYSKEYDOWN:
            if (wp == VK_BACK && alt) {  // Alt+Backspace undoes, as in an edit box
                Undo();
                return 0;
            }
            break;
        case WM_CHAR:
            // Control characters other than tab are never typed into the text (an edit box ignores them).
            if (wp < 0x20 && wp != '\t') return 0;
            if (wp == 0x7F) return 0;
            break;
        case WM_IME_CHAR:
            // A character the input method produced: typed like any other (the component ignores this form).
            return OnHookedMessage(WM_CHAR, wp, lp);
        case WM_MOUSEWHEEL:
            wp &= ~static_cast<WPARAM>(MK_CONTROL);  // Ctrl+wheel scrolls; it never zooms the text
            break;
        case WM_CONTEXTMENU:
            return 0;  // the owner's observer shows the program's menu; the component has none
    }

    const HWND hwnd = m_hwnd;
    const LRESULT result = m_hook.DefaultMessage(msg, wp, lp);
    if (m_hwnd != hwnd) return result;  // destroyed meanwhile: nobody is told

    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            m_calls.HideSelection(msg == WM_KILLFOCUS);
            break;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            // Alt+drag would make a rectangular selection: an edit box knows only a plain range.
            if (m_calls.SelectionIsRectangle() || m_calls.Selections() > 1) {
                m_calls.SetSel(m_calls.Anchor(), m_calls.CurrentPos());
            }
            break;
        case WM_SYSCOLORCHANGE:
            ApplyColours();  // system colours are looked up again
            break;
    }
    // A scroll by wheel, scroll bar or key is told at once, not only when the component next paints.
    if (m_calls.FirstVisibleLine() != m_shownTop) ViewChanged();
    if (m_after) Guarded([&] { m_after(msg, wp, lp); });
    return result;
}

// The component's own Ctrl+End first wraps every line its background wrapping has not reached yet, which
// holds the window for seconds on a big text just opened. Here the caret goes to the end without a
// scroll, the window is scrolled as far down as the rows known so far allow and painted, which wraps the
// lines it shows (the last ones), and only then is the caret scrolled into view over those measured rows.
void ScintillaEditor::GoToEnd(bool extend) {
    const sci::Position end = m_calls.Length();
    if (extend) {
        m_calls.SetCurrentPos(end);
    } else {
        m_calls.SetEmptySelection(end);
    }
    m_calls.SetFirstVisibleLine(m_calls.VisibleFromDocLine(m_calls.LineCount()));
    UpdateWindow(m_hwnd);
    m_calls.ScrollCaret();
    m_calls.ChooseCaretX();
}

void ScintillaEditor::OnNotify(const SCNotification& n) {
    switch (n.nmhdr.code) {
        case SCN_UPDATEUI:
            if (n.updated & (SC_UPDATE_V_SCROLL | SC_UPDATE_CONTENT)) ViewChanged();
            return;
        case SCN_PAINTED:  // rows wrapped while painting have moved what stands below them
        case SCN_ZOOM:
            ViewChanged();
            return;
        case SCN_MODIFIED:
            break;
        default:
            return;
    }
    if (n.modificationType & SC_MOD_INSERTCHECK) {
        LimitInsertion(n);
        return;
    }
    if (!(n.modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT))) return;
    // Any edit other than an undo or a redo drops the steps that could be redone (the component drops
    // them from its record too).
    if (!(n.modificationType & (SC_PERFORMED_UNDO | SC_PERFORMED_REDO))) m_redoable = 0;
    // An insertion always carries its text; one that came without would be told only by the change
    // observer, whose listener then finds a change it was not told of in detail.
    if (m_edited && (n.text || !(n.modificationType & SC_MOD_INSERTTEXT))) {
        const auto position = static_cast<std::size_t>(n.position), length = static_cast<std::size_t>(n.length);
        Guarded([&] {
            if (n.modificationType & SC_MOD_INSERTTEXT) {
                m_edited(position, 0, std::string_view(n.text, length));
            } else {
                m_edited(position, length, {});
            }
        });
    }
    if (m_changed && m_quiet == 0) Guarded([&] { m_changed(); });
    if (n.linesAdded != 0) ViewChanged();
}

void ScintillaEditor::ViewChanged() {
    if (!m_hwnd) return;
    m_shownTop = m_calls.FirstVisibleLine();
    if (m_viewChanged) Guarded([&] { m_viewChanged(); });
}

void ScintillaEditor::LimitInsertion(const SCNotification& n) {
    if (m_ownEdits > 0 || m_maxLength <= 0 || !n.text) return;
    const auto length = static_cast<std::size_t>(m_calls.Length());  // a replaced selection is already gone
    const auto limit = static_cast<std::size_t>(m_maxLength);
    const std::size_t room = length >= limit ? 0 : limit - length;
    const std::string_view inserted(n.text, static_cast<std::size_t>(n.length));
    if (inserted.size() <= room) return;
    // Cut between whole characters of the held text: half a character would be a byte of nothing.
    const std::size_t fits = m_utf8 ? Utf8PasteFits(inserted, room) : PasteFits(inserted, room);
    m_calls.ChangeInsertion(inserted.substr(0, fits));
    MessageBeep(0);
}

// ---- file lines ----------------------------------------------------------------------------------------

// Lines are the component's document lines: one per break, whatever word wrap does to the display.

int ScintillaEditor::LineCount() {
    const sci::Position length = m_calls.Length();
    const bool lastLineEmpty = length == 0 || m_calls.CharAt(length - 1) == '\n' || m_calls.CharAt(length - 1) == '\r';
    return static_cast<int>(m_calls.LineCount()) - (lastLineEmpty ? 1 : 0);
}

int ScintillaEditor::FirstVisibleLine() { return static_cast<int>(m_calls.FirstVisibleLine()); }

int ScintillaEditor::CaretLine() { return static_cast<int>(m_calls.LineFromPosition(m_calls.SelectionStart())); }

int ScintillaEditor::CaretLineStart() { return static_cast<int>(m_calls.PositionFromLine(CaretLine())); }

ScintillaEditor::FilePosition ScintillaEditor::CaretInFile() const {
    if (!m_hwnd) return {};
    const sci::Position caret = m_calls.CurrentPos();
    const sci::Position line = m_calls.LineFromPosition(caret);
    return {line + 1, caret - m_calls.PositionFromLine(line) + 1};
}

void ScintillaEditor::ShownRows(int maxRows, std::vector<ShownRow>& rows) const {
    rows.clear();
    if (!m_hwnd || maxRows <= 0) return;
    const sci::Position lines = m_calls.LineCount();
    const sci::Position total = m_calls.VisibleFromDocLine(lines);  // rows of the whole text
    sci::Position row = m_calls.FirstVisibleLine();
    sci::Position line = m_calls.DocLineFromVisible(row);
    sci::Position lineRow = m_calls.VisibleFromDocLine(line);
    const auto wanted = static_cast<std::size_t>(maxRows);
    while (rows.size() < wanted && row < total && line < lines) {
        // A line's rows run up to the next line's first row (at least one, should the count be stale).
        const sci::Position nextRow = std::max(m_calls.VisibleFromDocLine(line + 1), lineRow + 1);
        for (; row < nextRow && row < total && rows.size() < wanted; ++row) rows.push_back({line, row == lineRow});
        ++line;
        lineRow = nextRow;
    }
}

int ScintillaEditor::RowHeight() const { return m_hwnd ? m_calls.TextHeight(0) : 0; }

long long ScintillaEditor::FileLineCount() const { return m_hwnd ? m_calls.LineCount() : 1; }

std::string ScintillaEditor::Line(int index) {
    if (index < 0 || index >= m_calls.LineCount()) return {};
    const sci::Position start = m_calls.PositionFromLine(index);
    const auto length = static_cast<std::size_t>(std::max<sci::Position>(0, m_calls.LineEndPosition(index) - start));
    const std::size_t copied = std::min(length, kLineBufferBytes);
    return std::string(m_calls.RangePointer(start, static_cast<sci::Position>(copied)), copied);
}

// ---- edits ------------------------------------------------------------------------------------------

void ScintillaEditor::ReplaceRange(sci::Position start, sci::Position end, std::string_view text) {
    if (start == end && text.empty()) return;  // no change, so no step: the next undo stays as it was
    ++m_ownEdits;
    m_calls.BeginUndoAction();
    m_calls.SetTargetRange(start, end);
    m_calls.ReplaceTarget(text);
    m_calls.EndUndoAction();
    m_calls.SetEmptySelection(start + static_cast<sci::Position>(text.size()));
    --m_ownEdits;
}

void ScintillaEditor::Add(std::string_view line) {
    const sci::Position end = m_calls.Length();
    const char last = end > 0 ? m_calls.CharAt(end - 1) : '\n';
    if (last == '\n' || last == '\r') {
        ReplaceRange(end, end, std::string(line) + m_newLine);
    } else {
        ReplaceRange(end, end, m_newLine + std::string(line));
    }
}

void ScintillaEditor::Delete(int index) {
    // A negative index names no line; the line goes with its own break, whichever kind it is.
    if (index < 0 || index >= m_calls.LineCount()) return;
    const sci::Position start = m_calls.PositionFromLine(index);
    const sci::Position end = index + 1 < m_calls.LineCount() ? m_calls.PositionFromLine(index + 1) : m_calls.Length();
    if (end > start) ReplaceRange(start, end, "");
}

std::string ScintillaEditor::Text() { return std::string(TextView()); }

std::string_view ScintillaEditor::TextView() {
    // The component closes its gap for this, so the bytes stand in one block until the next change.
    return {m_calls.CharacterPointer(), static_cast<std::size_t>(m_calls.Length())};
}

std::size_t ScintillaEditor::TextLength() { return static_cast<std::size_t>(m_calls.Length()); }

std::string_view ScintillaEditor::TextRange(std::size_t start, std::size_t length) {
    // The component moves its gap only when the range spans it, and then only over the range's bytes.
    const auto size = static_cast<std::size_t>(m_calls.Length());
    start = std::min(start, size);
    length = std::min(length, size - start);
    if (length == 0) return {};
    return {m_calls.RangePointer(static_cast<sci::Position>(start), static_cast<sci::Position>(length)), length};
}

void ScintillaEditor::SetText(std::string_view text) { SetWholeText(text, false); }

void ScintillaEditor::ReplaceText(std::string_view text) { SetWholeText(text, true); }

std::size_t ScintillaEditor::FirstByteNotHeld(std::string_view text) const {
    if (m_calls.Status() != SC_STATUS_OK) return kNotStored;
    const auto have = static_cast<std::size_t>(m_calls.Length());
    const char* p = m_calls.CharacterPointer();
    if (have == text.size() && std::memcmp(p, text.data(), text.size()) == 0) return kTextHeld;
    std::size_t at = 0;
    while (at < have && at < text.size() && p[at] == text[at]) ++at;
    return at;
}

// A command's set is one undo step, whose record then holds the only copy of the previous text; a text
// not held is taken back by that step.
std::size_t ScintillaEditor::SetRecorded(std::string_view text) {
    m_calls.BeginUndoAction();
    m_calls.ClearAll();
    m_calls.AppendText(text);
    m_calls.EndUndoAction();
    const std::size_t at = FirstByteNotHeld(text);
    if (at != kTextHeld) {
        m_calls.SetStatus(SC_STATUS_OK);
        m_calls.Undo();
    }
    return at;
}

void ScintillaEditor::SetWholeText(std::string_view text, bool undoable) {
    // The text ends at its first NUL byte.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    if (text.size() > kMaxTextBytes) throw Error(kTooLarge);
    // Every byte as given, line breaks included. A text that lies in the component's own buffer (a part
    // of TextView) is copied first: clearing the buffer would pull it away from under the set.
    std::string copy;
    const char* own = m_calls.CharacterPointer();
    if (!text.empty() && text.data() >= own && text.data() < own + m_calls.Length()) {
        copy.assign(text);
        text = copy;
    }
    const std::string_view normalized = text;
    if (FirstByteNotHeld(normalized) == kTextHeld) return;  // the same text: record, caret and scroll stay

    ++m_ownEdits;
    ++m_quiet;
    const std::size_t at = undoable ? SetRecorded(normalized) : SetUnrecorded(normalized);
    --m_quiet;
    --m_ownEdits;
    m_redoable = 0;  // a refused text is never redone; the step before it is the one an undo takes back
    if (at == kNotStored) throw Error(kTooLarge);
    if (at != kTextHeld) throw TextNotHeldError("文字列の " + PositionText(at) + " バイト目を保持できません", at);
    AfterWholeText();
}

Error ScintillaEditor::TooLarge() { return Error(kTooLarge); }

void ScintillaEditor::AfterWholeText() {
    m_redoable = 0;
    m_calls.SetEmptySelection(0);
    m_calls.SetXOffset(0);
    m_calls.SetFirstVisibleLine(0);
    ViewChanged();
    if (m_changed) Guarded([&] { m_changed(); });
}

void ScintillaEditor::Clear() { SetText(""); }

void ScintillaEditor::Undo() {
    // The last step of the component's record; each further undo the step before, back to the load.
    if (!m_calls.CanUndo()) return;
    ++m_ownEdits;
    m_calls.Undo();
    --m_ownEdits;
    ++m_redoable;
}

void ScintillaEditor::Redo() {
    // Forward again one step, only over the undos since the last edit: the component would also redo a
    // step that DropLastStep took back or a refused text, which must never come back.
    if (m_redoable == 0 || !m_calls.CanRedo()) return;
    ++m_ownEdits;
    m_calls.Redo();
    --m_ownEdits;
    --m_redoable;
}

void ScintillaEditor::BeginUndoStep() { m_calls.BeginUndoAction(); }

void ScintillaEditor::EndUndoStep() { m_calls.EndUndoAction(); }

void ScintillaEditor::DropLastStep() {
    // The step's own undo, then forgotten: the component keeps it on its redo side (it cannot drop it
    // without adding a step that changes nothing), so no redo is allowed until the next undo.
    if (m_calls.CanUndo()) {
        ++m_ownEdits;
        m_calls.Undo();
        --m_ownEdits;
    }
    m_redoable = 0;
}

IClipboard& ScintillaEditor::Clipboard() {
    // The frame, a plain window of ours, owns what the editor puts on the clipboard.
    if (!m_clipboard) m_clipboard = std::make_unique<Win32Clipboard>(Frame());
    return *m_clipboard;
}

// Cut, copy and paste of Shift-JIS text move the text's bytes as they are: the component's own clipboard
// commands go through Unicode and would change bytes that make no Shift-JIS character, or that another
// code page reads differently. Text held as UTF-8 goes as the Unicode text it is.
void ScintillaEditor::PutSelectionOnClipboard() {
    const sci::Position start = m_calls.SelectionStart(), end = m_calls.SelectionEnd();
    const std::string_view selected(m_calls.RangePointer(start, end - start), static_cast<std::size_t>(end - start));
    if (m_utf8) {
        Clipboard().WriteUnicodeText(selected);
    } else {
        Clipboard().WriteText(selected);
    }
}

void ScintillaEditor::CutToClipboard() {
    if (m_calls.SelectionStart() == m_calls.SelectionEnd()) return;
    // The clipboard first: a copy that is refused deletes nothing.
    PutSelectionOnClipboard();
    m_calls.Clear();  // one undo step, announced like any edit
}

void ScintillaEditor::CopyToClipboard() {
    if (m_calls.SelectionStart() == m_calls.SelectionEnd()) return;
    PutSelectionOnClipboard();
}

void ScintillaEditor::PasteFromClipboard() {
    // The plain text (or for UTF-8, the Unicode text) up to its first NUL, no line break converted.
    // Without text on the clipboard nothing happens and the selection stays. The replace is one undo step
    // and keeps to the byte limit, as typing. Unicode text that stops at a character it cannot convert is
    // pasted as far as it goes, and the stop is reported.
    std::string text;
    std::exception_ptr stopped;
    if (m_utf8) {
        try {
            text = Clipboard().ReadUnicodeText();
        } catch (const UnconvertedClipboardText& e) {
            text = e.Converted();
            stopped = std::current_exception();
        }
    } else {
        text = Clipboard().ReadText();
    }
    if (!text.empty()) m_calls.ReplaceSel(text.c_str());
    if (stopped) std::rethrow_exception(stopped);
}

void ScintillaEditor::ClearSelection() {
    if (m_calls.SelectionStart() != m_calls.SelectionEnd()) m_calls.Clear();
}

void ScintillaEditor::SelectAll() { m_calls.SelectAll(); }

sci::Position ScintillaEditor::CharStartAtOrBefore(sci::Position pos) {
    pos = std::clamp<sci::Position>(pos, 0, m_calls.Length());
    if (pos == 0 || pos == m_calls.Length()) return pos;
    const sci::Position before = m_calls.PositionBefore(pos);
    return m_calls.PositionAfter(before) == pos ? pos : before;
}

int ScintillaEditor::SelStart() { return static_cast<int>(m_calls.SelectionStart()); }

int ScintillaEditor::SelLength() { return static_cast<int>(m_calls.SelectionEnd() - m_calls.SelectionStart()); }

void ScintillaEditor::SetSelStart(int offset) { m_calls.SetEmptySelection(CharStartAtOrBefore(offset)); }

void ScintillaEditor::SetSelLength(int length) {
    const sci::Position start = m_calls.SelectionStart();
    const sci::Position end = CharStartAtOrBefore(start + length);
    m_calls.SetSel(start, end);
    m_calls.ScrollCaret();
}

void ScintillaEditor::SetSelText(std::string_view text) {
    ReplaceRange(CharStartAtOrBefore(m_calls.SelectionStart()), CharStartAtOrBefore(m_calls.SelectionEnd()), text);
}

void ScintillaEditor::SetWordWrap(bool wrap) {
    if (wrap == m_wordWrap) return;
    m_wordWrap = wrap;
    m_calls.SetWrapMode(wrap ? SC_WRAP_WORD : SC_WRAP_NONE);
}

void ScintillaEditor::ApplyColours() {
    const COLORREF back = ResolveColor(m_color), fore = ResolveColor(m_fontColor);
    for (const int style : {STYLE_DEFAULT, 0}) {
        m_calls.StyleSetBack(style, back);
        m_calls.StyleSetFore(style, fore);
    }
    m_calls.SetCaretFore(fore);
    m_calls.SetSelBack(GetSysColor(COLOR_HIGHLIGHT));
    m_calls.SetSelFore(GetSysColor(COLOR_HIGHLIGHTTEXT));
}

void ScintillaEditor::SetColor(std::int32_t color) {
    m_color = color;
    ApplyColours();
}

void ScintillaEditor::SetFontColor(std::int32_t color) {
    m_fontColor = color;
    ApplyColours();
}

void ScintillaEditor::SetUtf8(bool utf8) {
    if (utf8 == m_utf8) return;
    m_utf8 = utf8;
    m_calls.SetCodePage(utf8 ? SC_CP_UTF8 : 932);
}

void ScintillaEditor::SetNewLine(std::string_view lineBreak) {
    m_newLine = std::string(lineBreak);
    m_calls.SetEolMode(lineBreak == "\n" ? SC_EOL_LF : lineBreak == "\r" ? SC_EOL_CR : SC_EOL_CRLF);
}

void ScintillaEditor::SetRedraw(bool on) {
    SendMessageW(m_hwnd, WM_SETREDRAW, on, 0);
    if (on) RedrawWindow(m_hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace tovel
