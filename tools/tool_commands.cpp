#include "tools/tool_commands.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "platform/error.h"
#include "platform/integer_rule.h"
#include "platform/utf8_steps.h"
#include "tools/repeated_paste.h"
#include "tools/text_rewrite.h"

namespace tovel {
namespace {

constexpr char kOpenCaption[] = "開く";

// The whole characters within the limit; a CR LF is never split: a CR left at the cut keeps its LF.
std::size_t KeptWithin(std::string_view text, std::int32_t limit, CharRule rule) {
    const std::size_t cut = WholeCharsWithin(text, static_cast<std::size_t>(limit), rule);
    return cut + (cut > 0 && cut < text.size() && text[cut - 1] == '\r' && text[cut] == '\n' ? 1 : 0);
}

}  // namespace

std::optional<std::string> ToolCommands::Ask(const std::string& caption, const std::string& prompt) {
    return Utf8() ? m_p.dialogs.InputBoxUtf8(caption, prompt, "") : m_p.dialogs.InputBox(caption, prompt, "");
}

// A Shift-JIS box gives Shift-JIS bytes, always held as they are; a UTF-8 document holds valid UTF-8 only.
std::optional<std::string> ToolCommands::AskTerm(const std::string& caption, const std::string& prompt) {
    auto term = Ask(caption, prompt);
    if (term && Utf8() && !ValidUtf8(*term))
        throw Error("入力した文字列を この文書の文字コード (UTF-8) で表せません。何も変更していません");
    return term;
}

std::optional<std::int32_t> ToolCommands::AskInteger(const std::string& caption, const std::string& prompt) {
    const auto answer = Ask(caption, prompt);
    if (!answer) return std::nullopt;
    return IntegerTyped(*answer);
}

std::int32_t ToolCommands::IntegerTyped(const std::string& answer) {
    if (!Utf8()) return IntegerFromText(answer);
    // Digits are ASCII either way; the message shows the answer as the box showed it.
    const Conversion shown = m_p.codePage.Utf8ToShiftJis(answer);
    if (!shown.Exact()) throw Error("入力した文字列は整数ではありません");
    return IntegerFromText(shown.text);
}

std::string ToolCommands::Held(const std::string& shiftJis, const std::string& what) {
    if (!Utf8()) return shiftJis;
    Conversion held = m_p.codePage.ShiftJisToUtf8(shiftJis);
    if (!held.Exact()) throw Error(what + "を この文書の文字コード (UTF-8) で表せません。何も変更していません");
    return std::move(held.text);
}

void ToolCommands::LimitLength() {
    const auto answer = AskInteger("文字数を制限", "最大文字数値を入力してください");
    if (!answer) return;
    const std::int32_t limit = *answer;
    const CharRule rule = Rule();
    if (limit > 0) {
        const std::string_view text = m_p.editor.TextView();
        const std::size_t kept = KeptWithin(text, limit, rule);
        if (kept < text.size()) {
            const std::string question =
                "文字列の末尾 " + std::to_string(text.size() - kept) + " バイトが削除されます。よろしいですか?";
            if (!m_p.boxes.AskYesNo(question, "文字数を制限")) return;
            // Cut from the text as it stands now, in case anything moved it while the question was open.
            const std::string_view now = m_p.editor.TextView();
            m_p.editor.ReplaceText(now.substr(0, KeptWithin(now, limit, rule)));
        }
    }
    m_p.editor.SetMaxLength(limit);
}

void ToolCommands::DeleteLine() {
    const auto line = AskInteger("行削除", "削除したい行の行数を入力してください");
    if (line && *line >= 1) m_p.editor.Delete(*line - 1);
}

// The result is built while the text stands in the editor, without a copy of it; the editor keeps the
// text it replaces for its undo.
void ToolCommands::DeleteEverywhere() {
    const auto search = AskTerm("指定文字列削除", "削除する文字列を入力してください。");
    if (!search) return;
    const ProgressScope progress(m_p.progress, "指定文字列削除");
    m_p.editor.ReplaceText(DeleteAll(m_p.editor.TextView(), *search, kRewriteLimit, Rule(), Steps(progress)));
}

void ToolCommands::ReplaceEverywhere() {
    const auto search = AskTerm("文字列の置換", "置換対象の文字列を入力してください。");
    if (!search) return;
    const auto replacement = AskTerm("文字列の置換", "置換後の文字列を入力してください。");
    if (!replacement) return;
    // Stopped during the scan, the rewrite is dropped before the editor is touched.
    const ProgressScope progress(m_p.progress, "文字列の置換");
    m_p.editor.ReplaceText(
        ReplaceAll(m_p.editor.TextView(), *search, *replacement, kRewriteLimit, Rule(), Steps(progress)));
}

void ToolCommands::RepeatSelection() {
    IEditor& editor = m_p.editor;
    const auto answer = Ask("何回繰り返しますか？", "繰り返し");
    if (!answer) return;
    editor.CopyToClipboard();
    const std::int32_t count = IntegerTyped(*answer);
    const bool wasModified = m_p.modified && m_p.modified();
    // The first paste is the editor's own (it replaces the selection, and the editor limits
    // what it takes from the clipboard); the others insert what it inserted, in runs the user may stop
    // between. Together they are one undo step, and a paste refused, stopped or failed half way is taken
    // back whole.
    std::exception_ptr failed;
    {
        UndoStep step(editor);
        const int start = editor.SelStart();
        editor.PasteFromClipboard();
        if (count <= 1) return;
        const int end = editor.SelStart();
        if (end <= start) return;  // nothing was pasted, so no further paste adds anything
        const std::string_view text = editor.TextView();
        const std::int32_t limit = editor.MaxLength();
        const std::size_t room = limit <= 0
                                     ? std::numeric_limits<std::size_t>::max()
                                     : static_cast<std::size_t>(limit) - std::min<std::size_t>(limit, text.size());
        // Its own copy of the paste: the editor's text moves as the runs go in.
        const std::string piece(text.substr(start, end - start));
        const ProgressScope progress(m_p.progress, "繰り返し");
        try {
            FeedRepeatedPaste(
                piece, count - 1, room, kRewriteLimit, Rule(), [&](std::string_view run) { editor.SetSelText(run); },
                Steps(progress));
        } catch (...) {
            failed = std::current_exception();
        }
    }
    if (failed) {
        editor.DropLastStep();  // takes the first paste back: the text and its undo are as they were
        // The paste and its taking back each marked the document, whose text is again the one it was.
        if (m_p.putBackModified) m_p.putBackModified(wasModified);
        std::rethrow_exception(failed);
    }
}

void ToolCommands::Find() {
    const auto answer = AskTerm("検索", "検索する文字列を入力してください。");
    if (!answer) return;
    const std::string& search = *answer;
    const std::size_t at = FindWhole(m_p.editor.TextView(), search, Rule());
    if (at == std::string::npos) {
        m_p.boxes.ShowWarning("見つかりませんでした。", "検索");
        return;
    }
    m_p.boxes.ShowInfo(std::to_string(at + 1) + "文字目に見つかりました。", "検索");
    m_p.editor.SetSelStart(static_cast<int>(at));
    m_p.editor.SetSelLength(static_cast<int>(search.size()));
}

void ToolCommands::ShowByteCount() { m_p.dialogs.ShowMessage(std::to_string(m_p.editor.Text().size())); }

void ToolCommands::ShowCaretPosition() {
    const int start = m_p.editor.SelStart();
    const int line = m_p.editor.CaretLine();
    const int column = std::max(1, start - m_p.editor.CaretLineStart() + 1);
    m_p.dialogs.ShowMessage(IntegerToText(line + 1) + "行" + IntegerToText(column) + "列");
}

void ToolCommands::InsertDateTime() { m_p.editor.SetSelText(Held(DateTimeText(m_clock(), m_formats), "日付と時刻")); }

void ToolCommands::NewHtmlDocument(const std::function<bool(const std::string&)>& newFrom, const std::string& appDir) {
    newFrom(appDir + kHtmlTemplatePath);
}

// Without a selection the target is whatever another program left on the clipboard, unseen by the user:
// it is shown and opened only on Yes. A text with a line break names no single thing to open.
void ToolCommands::OpenSelection() {
    const bool selected = m_p.editor.SelLength() > 0;
    m_p.editor.CopyToClipboard();
    std::string target;
    if (selected && Utf8()) {
        // The clipboard's plain text of a UTF-8 copy is the system's rendering, which may stand "?" for a
        // character: the path is the selection itself, in the code page the shell takes.
        const std::string_view held = m_p.editor.TextView().substr(m_p.editor.SelStart(), m_p.editor.SelLength());
        Conversion path = m_p.codePage.Utf8ToShiftJis(held);
        if (!path.Exact()) throw Error("選択した文字列には Shift_JIS で表せない文字があるため開けません");
        target = std::move(path.text);
    } else {
        target = m_p.clipboard.ReadText();
    }
    if (target.empty()) {
        m_p.boxes.ShowWarning("開く文字列がありません。", kOpenCaption);
        return;
    }
    if (target.find_first_of("\r\n") != std::string::npos) {
        m_p.boxes.ShowWarning("改行を含む文字列は開けません。", kOpenCaption);
        return;
    }
    if (!selected &&
        !m_p.boxes.AskYesNo("クリップボードの次の文字列を開きます。よろしいですか?\r\n\r\n" + target, kOpenCaption)) {
        return;
    }
    if (!m_p.shell.ShellOpen(target)) throw Error(FormatText("%s を開けませんでした", target));
}

}  // namespace tovel
