#pragma once
// The editor control as the program's logic sees it. Contract: every offset, length and limit counts
// bytes of the held text, whatever unit the underlying control uses: Shift-JIS bytes, or UTF-8 while
// Utf8() is on; CR LF, LF and CR are each one line break, and the text keeps whichever it was given;
// lines are the text's own lines, each ended by its break, whether or not word wrap shows one over several
// rows; indices are zero-based.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace tovel {

// A whole text that the control would not hold byte for byte; the control keeps its previous text.
// `position` is the zero-based offset of the first byte that could not be held.
class TextNotHeldError : public Error {
public:
    TextNotHeldError(const std::string& message, std::size_t position) : Error(message), position(position) {}
    std::size_t position;
};

// A whole text put into the editor a piece at a time, for a load (see IEditor::StartFill).
class ITextFill {
public:
    virtual ~ITextFill() = default;
    // Adds bytes to the new text. Raises as SetText does (TextNotHeldError's position counts from the new
    // text's start); the fill is then of no further use, and the editor keeps its previous text.
    virtual void Append(std::string_view bytes) = 0;
    // The new text becomes the editor's as SetText would make it (an unchanged text sends nothing), held
    // as UTF-8 or not as SetUtf8 sets it.
    virtual void Commit(bool utf8) = 0;
};

class IEditor {
public:
    virtual ~IEditor() = default;

    // Lines, not counting the empty line after a final break: "" has 0, "abc\r\n" has 1.
    virtual int LineCount() = 0;
    // Index of the uppermost visible display row (a wrapped line takes several).
    virtual int FirstVisibleLine() = 0;
    // Index of the line holding the selection start (the caret when nothing is selected).
    virtual int CaretLine() = 0;
    // Byte offset of the start of that line.
    virtual int CaretLineStart() = 0;
    // At most the first 4096 bytes of line i, without its break; "" past the last line.
    virtual std::string Line(int index) = 0;
    // Appends a line at the end of the text, one undo step; see the line rules in the implementation.
    virtual void Add(std::string_view line) = 0;
    // Removes line i and its break, one undo step; an index naming no line changes nothing.
    virtual void Delete(int index) = 0;

    virtual std::string Text() = 0;
    // The same bytes in place, without a copy: valid until the text next changes.
    virtual std::string_view TextView() = 0;
    // The text's length in bytes.
    virtual std::size_t TextLength() { return TextView().size(); }
    // Up to `length` bytes of the text from `start`, in place and valid until the text next changes; a
    // control that holds its text in pieces gives a small range of a large text without joining it all.
    virtual std::string_view TextRange(std::size_t start, std::size_t length) {
        const std::string_view text = TextView();
        return text.substr(std::min(start, text.size()), length);
    }
    // Holds the bytes as given, line breaks included; an unchanged text sends nothing (undo record, caret,
    // scroll stay).
    // Raises "文字列の大きさが メモ の制限を越えました" when the control refuses the text, and
    // TextNotHeldError when it would hold other bytes than given; either way the previous text stays.
    // SetText is for loads: a new text starts a new undo record.
    virtual void SetText(std::string_view text) = 0;
    // As SetText, with the same refusals, but for a command: the previous text stays in the undo record,
    // and one undo brings it back byte for byte.
    virtual void ReplaceText(std::string_view text) = 0;
    // Starts a new text of about `bytes`, filled without a copy of the whole where the editor can. Until
    // Commit the editor keeps its previous text, undo record, caret and scroll, and a fill ended without
    // Commit leaves them exactly so. By default the pieces are joined for SetText.
    virtual std::unique_ptr<ITextFill> StartFill(std::size_t bytes);
    virtual void Clear() = 0;

    // Takes back the last step (an edit or a group of edits); each further undo the step before, back to
    // the last load. With no step left nothing happens.
    virtual void Undo() = 0;
    // Takes back the last Undo, one step per call, while nothing else changed the text since the undos;
    // otherwise nothing happens (never a step dropped by DropLastStep, never a refused text).
    virtual void Redo() = 0;
    // Edits between BeginUndoStep and EndUndoStep are one undo step; pairs nest (see UndoStep).
    virtual void BeginUndoStep() = 0;
    virtual void EndUndoStep() = 0;
    // Takes the last undo step back for good, for a command that failed half way: the text is as before
    // it, and the next undo takes back the step before it, as if it had never been made.
    virtual void DropLastStep() = 0;
    // Cut and copy put the selected text on the clipboard exactly (nothing happens without a selection):
    // Shift-JIS bytes as plain text, UTF-8 as Unicode text. A copy the clipboard refuses raises its error,
    // and a refused cut deletes nothing. Paste replaces the selection with the clipboard's text in the same
    // form, up to its first NUL, as one undo step within the byte limit.
    virtual void CutToClipboard() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void PasteFromClipboard() = 0;
    virtual void ClearSelection() = 0;
    virtual void SelectAll() = 0;

    virtual int SelStart() = 0;
    // Bytes selected from the selection start; 0 when nothing is selected.
    virtual int SelLength() = 0;
    virtual void SetSelStart(int offset) = 0;
    virtual void SetSelLength(int length) = 0;  // from the selection start, then scrolls the caret into view
    // Replaces the selection (or inserts at the caret), one undo step; the caret ends after the text.
    virtual void SetSelText(std::string_view text) = 0;

    virtual std::int32_t MaxLength() const = 0;
    virtual void SetMaxLength(std::int32_t limit) = 0;  // 0 or negative: no practical limit
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wrap) = 0;

    // Colour values: 0x00BBGGRR, or 0x80000000 + a system-colour index.
    virtual std::int32_t Color() const = 0;
    virtual void SetColor(std::int32_t color) = 0;
    virtual std::int32_t FontColor() const = 0;
    virtual void SetFontColor(std::int32_t color) = 0;

    // Switches repainting off and on around a large change; switching it on repaints once.
    virtual void SetRedraw(bool on) = 0;

    // Whether the text is held as UTF-8 rather than Shift-JIS bytes: how it is drawn, where the caret
    // steps, and what the clipboard exchanges follow it. Set before the text it concerns.
    virtual bool Utf8() const = 0;
    virtual void SetUtf8(bool utf8) = 0;
    // The break that Enter and Add type: "\r\n", "\n" or "\r".
    virtual void SetNewLine(std::string_view lineBreak) = 0;
};

inline std::unique_ptr<ITextFill> IEditor::StartFill(std::size_t bytes) {
    class JoinedFill : public ITextFill {
    public:
        JoinedFill(IEditor& editor, std::size_t bytes) : m_editor(editor) { m_text.reserve(bytes); }
        void Append(std::string_view bytes) override { m_text += bytes; }
        void Commit(bool utf8) override {
            const bool wasUtf8 = m_editor.Utf8();
            m_editor.SetUtf8(utf8);
            try {
                m_editor.SetText(m_text);
            } catch (...) {
                m_editor.SetUtf8(wasUtf8);
                throw;
            }
        }

    private:
        IEditor& m_editor;
        std::string m_text;
    };
    return std::make_unique<JoinedFill>(*this, bytes);
}

// Makes the edits of its lifetime one undo step.
class UndoStep {
public:
    explicit UndoStep(IEditor& editor) : m_editor(editor) { m_editor.BeginUndoStep(); }
    ~UndoStep() { m_editor.EndUndoStep(); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    IEditor& m_editor;
};

}  // namespace tovel
