#pragma once
// The editor control as the program's logic sees it. Contract: every offset, length and limit counts
// bytes of ANSI (Shift-JIS) text, whatever unit the underlying control uses; line breaks are CR LF;
// lines are the control's own lines (display rows while word wrap is on); indices are zero-based.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

class IEditor {
public:
    virtual ~IEditor() = default;

    // Lines, not counting the empty line after a final break: "" has 0, "abc\r\n" has 1.
    virtual int LineCount() = 0;
    // At most the first 4096 bytes of line i, without its break; "" past the last line.
    virtual std::string Line(int index) = 0;
    // Appends a line at the end of the text (not undoable); see the line rules in the implementation.
    virtual void Add(std::string_view line) = 0;
    // Removes line i and its break (not undoable); an index naming no line changes nothing.
    virtual void Delete(int index) = 0;

    virtual std::string Text() = 0;
    // Normalises line breaks; an unchanged text sends nothing (undo record, caret, scroll stay).
    // Raises "文字列の大きさが メモ の制限を越えました" when the control refuses the text.
    virtual void SetText(std::string_view text) = 0;
    virtual void Clear() = 0;

    virtual void Undo() = 0;
    virtual void CutToClipboard() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void PasteFromClipboard() = 0;
    virtual void ClearSelection() = 0;
    virtual void SelectAll() = 0;

    virtual int SelStart() = 0;
    virtual void SetSelStart(int offset) = 0;
    virtual void SetSelLength(int length) = 0;  // from the selection start, then scrolls the caret into view
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
};

}  // namespace tovel
