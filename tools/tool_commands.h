#pragma once
// The text tools: whole-text edits (length limit, line delete, delete and replace everywhere, repeated
// paste) and the small queries and insertions (find, byte count, caret position, date and time, HTML
// template, open the selection through the shell), written against the platform interfaces.
//
// They act on the text as the editor holds it, Shift-JIS bytes or UTF-8 (IEditor::Utf8): in a UTF-8
// document every box is the UTF-8 one, and a text of the program's own (the date) is converted from
// Shift-JIS first. A typed term or an inserted text that has no form in the held encoding is refused with
// an error, and nothing changes. Offsets and counts are bytes of the held text.
//
// None of them marks the document modified or refreshes the gutter itself. Every change of the text is
// one undo step that brings back the text as it was; Cancel in any of their boxes ends the command with
// nothing changed and nothing more shown.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/date_text.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/message_boxes.h"
#include "platform/progress.h"
#include "platform/shell.h"
#include "tools/text_rewrite.h"

namespace tovel {

inline constexpr char kHtmlTemplatePath[] = "doc\\tag.txt";

struct ToolPlatform {
    IEditor& editor;
    IDialogs& dialogs;
    IMessageBoxes& boxes;
    IClipboard& clipboard;
    IShell& shell;
    ICodePage& codePage;
    IProgress* progress = nullptr;  // none: the long rewrites run unseen
    // The document's modified mark, which a change taken back whole (a stopped repeated paste) leaves as
    // it was: read before the change, put back after. None: left as the change notices made it.
    std::function<bool()> modified = nullptr;
    std::function<void(bool)> putBackModified = nullptr;
};

class ToolCommands {
public:
    ToolCommands(ToolPlatform platform, const RegionalFormats& formats, std::function<LocalTime()> clock)
        : m_p(platform), m_formats(formats), m_clock(std::move(clock)) {}

    // Asks for a byte limit for typing and pasting; a positive one also cuts the text to whole characters,
    // after asking whether the bytes past it may go (No keeps the text and the old limit).
    void LimitLength();
    // Asks for a line number counted from 1 and deletes that line; 0 or less deletes nothing.
    void DeleteLine();
    void DeleteEverywhere();
    void ReplaceEverywhere();
    // Copies the selection and pastes it the number of times asked (at least once), as one undo step. A
    // long one shows its progress; stopped there, or refused as too large, it takes back every paste.
    void RepeatSelection();

    // Reports and selects the first occurrence, searching from the start of the text.
    void Find();
    void ShowByteCount();
    // Line and column of the selection start, both counted from 1.
    void ShowCaretPosition();
    void InsertDateTime();
    // The template beside the program as a new untitled document, through `newFrom`: the New command
    // followed by the file's load as the document's own (it does not mark the document modified).
    void NewHtmlDocument(const std::function<bool(const std::string& name)>& newFrom, const std::string& appDir);
    // Opens the selection through the shell, or, with nothing selected, the clipboard's text once the user
    // has seen it and said Yes. Empty text and text with a line break are refused with a warning; a
    // shell that cannot open the target raises "%s を開けませんでした". A UTF-8 selection is opened as
    // the Shift-JIS path it names, and refused when it has none.
    void OpenSelection();

private:
    bool Utf8() const { return m_p.editor.Utf8(); }
    CharRule Rule() const { return Utf8() ? CharRule::Utf8 : CharRule::ShiftJis; }
    static RewriteProgress Steps(const ProgressScope& scope) {
        return [&scope](std::size_t done, std::size_t total) { scope.Step(done, total); };
    }
    // The input box of the document's encoding; nothing on Cancel.
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt);
    // A term to look for or put in: raises when the held encoding cannot hold it.
    std::optional<std::string> AskTerm(const std::string& caption, const std::string& prompt);
    // An integer typed in the box; raises "'%s' は整数ではありません" for anything else.
    std::optional<std::int32_t> AskInteger(const std::string& caption, const std::string& prompt);
    // The same for an answer already given.
    std::int32_t IntegerTyped(const std::string& answer);
    // A text of the program's own as the document holds it; raises naming `what` when it has no form there.
    std::string Held(const std::string& shiftJis, const std::string& what);

    ToolPlatform m_p;
    const RegionalFormats& m_formats;
    std::function<LocalTime()> m_clock;
};

}  // namespace tovel
