#pragma once
// The editor: the editing component (which stores bytes, here Shift-JIS) behind the byte-counting IEditor
// contract. It behaves as a plain multi-line edit box (lines are display rows while word wrap is on, the
// edit-box keys and nothing more, a byte limit on what the user types or pastes) with an undo record that
// undo walks back step by step and redo forward again. The component sits in a frame window of ours,
// which receives its notifications.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/clipboard.h"
#include "platform/editor.h"
#include "platform/win32/scintilla_calls.h"
#include "platform/win32/window_base.h"

namespace tovel {

class ScintillaEditor : public IEditor {
public:
    // Sees every message of the component before it does; returning true swallows the message.
    using MessageObserver = std::function<bool(UINT msg, WPARAM wp, LPARAM lp)>;
    // Sees every message after the component has acted on it (a click has placed the caret, a key has typed).
    using AfterObserver = std::function<void(UINT msg, WPARAM wp, LPARAM lp)>;
    // Told after every change of the text, whoever made it.
    using ChangeObserver = std::function<void()>;
    // Told of each change in detail as the component makes it, before the change observer, undos
    // included: `deleted` bytes at `position` replaced by `inserted`. A load (SetText, Clear) puts in a
    // whole new text at once and tells only the change observer, with no detail before it.
    using EditObserver = std::function<void(std::size_t position, std::size_t deleted, std::string_view inserted)>;
    // Told whenever what the window shows may have moved: a scroll of any kind, a change in the number of
    // lines, a zoom, a new size, a repaint. It may come often; the listener compares what it needs.
    using ViewObserver = std::function<void()>;
    // Shows an error raised by an observer; the message that raised it is then treated as handled.
    using ErrorSink = std::function<void()>;

    ScintillaEditor(HWND parent, int id, const RECT& bounds);
    ~ScintillaEditor() override;
    ScintillaEditor(const ScintillaEditor&) = delete;
    ScintillaEditor& operator=(const ScintillaEditor&) = delete;

    // The component's window: it takes the focus, the keys and the mouse.
    HWND Handle() const { return m_hwnd; }
    // The frame around it, the window the parent places.
    HWND Frame() const { return m_frameWindow.Handle(); }
    void SetBounds(int x, int y, int width, int height);

    void SetMessageObserver(MessageObserver observer) { m_observer = std::move(observer); }
    void SetAfterObserver(AfterObserver observer) { m_after = std::move(observer); }
    void SetChangeObserver(ChangeObserver observer) { m_changed = std::move(observer); }
    void SetEditObserver(EditObserver observer) { m_edited = std::move(observer); }
    void SetViewObserver(ViewObserver observer) { m_viewChanged = std::move(observer); }
    void SetErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }
    // The clipboard that cut, copy and paste use; by default the plain-text clipboard owned by the frame.
    void SetClipboard(std::unique_ptr<IClipboard> clipboard) { m_clipboard = std::move(clipboard); }

    int LineCount() override;
    int FirstVisibleLine() override;
    int CaretLine() override;
    int CaretLineStart() override;
    std::string Line(int index) override;
    void Add(std::string_view line) override;
    void Delete(int index) override;
    std::string Text() override;
    std::string_view TextView() override;
    std::size_t TextLength() override;
    std::string_view TextRange(std::size_t start, std::size_t length) override;
    void SetText(std::string_view text) override;
    void ReplaceText(std::string_view text) override;
    // The new text fills a document of its own in a hidden second view; it takes the editor's place only
    // when complete, so the document shown, its undo record and caret stay untouched until then.
    std::unique_ptr<ITextFill> StartFill(std::size_t bytes) override;
    void Clear() override;
    void Undo() override;
    void Redo() override;
    void BeginUndoStep() override;
    void EndUndoStep() override;
    void DropLastStep() override;
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void ClearSelection() override;
    void SelectAll() override;
    int SelStart() override;
    int SelLength() override;
    void SetSelStart(int offset) override;
    void SetSelLength(int length) override;
    void SetSelText(std::string_view text) override;
    std::int32_t MaxLength() const override { return m_maxLength; }
    void SetMaxLength(std::int32_t limit) override { m_maxLength = limit; }
    bool WordWrap() const override { return m_wordWrap; }
    void SetWordWrap(bool wrap) override;
    std::int32_t Color() const override { return m_color; }
    void SetColor(std::int32_t color) override;
    std::int32_t FontColor() const override { return m_fontColor; }
    void SetFontColor(std::int32_t color) override;
    void SetRedraw(bool on) override;
    bool Utf8() const override { return m_utf8; }
    void SetUtf8(bool utf8) override;
    void SetNewLine(std::string_view lineBreak) override;

    // Whether the text changed since the last whole-text set.
    bool Modified() const { return m_calls.Modify(); }

    // Where the caret is in the file: the line counted from 1 by the text's breaks (CR LF, LF and CR each
    // one; never display rows), and the column as the bytes from the line's start plus 1. Looked up in the
    // component's line index, without reading the text.
    struct FilePosition {
        long long line = 1;
        long long column = 1;
    };
    FilePosition CaretInFile() const;

    // The rows the window shows, for the line-number gutter: each row's zero-based file line and whether
    // it is the first row of that line, from the top row of the window down, at most `maxRows` and none
    // past the end of the text. Reads only the rows asked for, whatever the length of the text.
    struct ShownRow {
        long long line = 0;
        bool firstRow = true;
    };
    void ShownRows(int maxRows, std::vector<ShownRow>& rows) const;
    // The height of one row in pixels (the font's, at the current zoom).
    int RowHeight() const;
    // True while word wrap is on and the component still has lines to wrap in the background.
    bool WrappingPending() const;
    // The file's lines as the component counts them: the empty line after a final break included.
    long long FileLineCount() const;

private:
    void CreateWindows(HWND parent, int id, const RECT& bounds);
    void Configure();
    void AssignEditBoxKeys();
    void ApplyColours();
    sci::Position CharStartAtOrBefore(sci::Position pos);
    // Replaces bytes as one undo step and without the byte limit, as the program's own edits do.
    void ReplaceRange(sci::Position start, sci::Position end, std::string_view text);
    // The whole-text set behind SetText (a new undo record) and ReplaceText (one more undo step).
    void SetWholeText(std::string_view text, bool undoable);
    // The two ways SetWholeText stores a text; each answers kTextHeld, kNotStored (the component refused
    // it) or the offset of the first byte it does not hold as given, with the previous text back.
    static constexpr std::size_t kTextHeld = static_cast<std::size_t>(-1);
    static constexpr std::size_t kNotStored = static_cast<std::size_t>(-2);
    std::size_t SetRecorded(std::string_view text);
    std::size_t SetUnrecorded(std::string_view text);
    std::size_t FirstByteNotHeld(std::string_view text) const;
    // What a new whole text resets: the caret to the start, the view to the top, nothing to redo; the
    // owner is told.
    void AfterWholeText();
    class Fill;
    // The refusal of a text too large for the component.
    static Error TooLarge();
    static constexpr std::size_t kMaxTextBytes = 0x7FFFFFFF;  // every offset of the editor is an int
    // The hidden view a fill's document is built in, made on first use.
    const sci::Calls& FillView();
    // A hidden view of the component that never wraps, made in `hwnd` on first use.
    const sci::Calls& HiddenView(HWND& hwnd, sci::Calls& calls);
    // Ctrl+End, with Shift extending the selection, while word wrap is on (see the definition).
    void GoToEnd(bool extend);
    // The arrow, Home, End and page keys, and Ctrl with Left or Right (Shift extending), on a big text while
    // the component is still wrapping it in the background; false when the component's own move is to be used.
    bool MoveWhileWrapping(WPARAM key, bool extend, bool word);
    // The selection a word move leaves, read off a hidden view of the same text: {anchor, caret}.
    std::pair<sci::Position, sci::Position> WordMoved(bool right, bool extend);
    sci::Position RowEdge(sci::Position caret, bool start) const;
    sci::Position RowsAway(sci::Position caret, int direction, bool page);
    void OnNotify(const SCNotification& n);
    void ViewChanged();
    void LimitInsertion(const SCNotification& n);
    IClipboard& Clipboard();
    // The selection onto the clipboard in the form the held text takes; raises the clipboard's refusals.
    void PutSelectionOnClipboard();
    // Runs an observer; an error it raises goes to the error sink instead of up through the component.
    template <typename F>
    bool Guarded(F&& f);
    // The frame around the component: it receives the component's notifications.
    LRESULT OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp);
    using FrameWindow = OwnedWindow<ScintillaEditor, &ScintillaEditor::OnFrameMessage>;
    // The component's window, subclassed: every message comes here before the component has it.
    LRESULT OnHookedMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnComponentMessage(UINT msg, WPARAM wp, LPARAM lp);
    using ComponentHook = OwnedWindow<ScintillaEditor, &ScintillaEditor::OnComponentMessage>;

    HWND m_hwnd = nullptr;
    sci::Calls m_calls;
    HWND m_fillView = nullptr;  // a child of the frame, gone with it
    sci::Calls m_fillCalls;
    HWND m_wordView = nullptr;  // the same, for word moves: never the fill's, which may be mid-fill
    sci::Calls m_wordCalls;
    MessageObserver m_observer;
    AfterObserver m_after;
    ChangeObserver m_changed;
    EditObserver m_edited;
    ViewObserver m_viewChanged;
    sci::Position m_shownTop = 0;  // the first visible row the view observer was last told of
    // Where the last of MoveWhileWrapping's row moves left the caret, and the x it keeps to.
    sci::Position m_rowMoveAt = -1;
    int m_rowMoveX = 0;
    ErrorSink m_errorSink;
    std::unique_ptr<IClipboard> m_clipboard;
    std::int32_t m_maxLength = 0;
    bool m_wordWrap = true;
    bool m_utf8 = false;
    std::string m_newLine = "\r\n";
    int m_ownEdits = 0;  // > 0 while the program itself changes the text: no byte limit
    int m_quiet = 0;     // > 0 while a whole text is on trial: its changes are told once, when it is kept
    int m_redoable = 0;  // the undos since the last edit: how many steps a redo may bring back
    std::int32_t m_color = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOW);
    std::int32_t m_fontColor = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOWTEXT);
    // Last, so that they go first: the hook is removed and the frame destroyed before anything they use.
    FrameWindow m_frameWindow{*this};
    ComponentHook m_hook{*this};
};

}  // namespace tovel
