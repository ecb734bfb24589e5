#include "document/document_commands.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "document/format_files.h"
#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/utf8_steps.h"

namespace tovel {
namespace {

// The bytes of the character at `offset`, as the editor steps over it.
std::size_t CharacterLength(std::string_view text, std::size_t offset, bool utf8) {
    if (offset >= text.size()) return 0;
    return (utf8 ? NextUtf8CharPos(text, offset) : NextCharPos(text, offset)) - offset;
}

// The character for a message: itself in brackets when the message can show it, and its code.
std::string CharacterName(ICodePage& codePage, std::string_view text, std::size_t offset, bool utf8) {
    const std::string_view character = text.substr(offset, CharacterLength(text, offset, utf8));
    std::string shown;
    if (utf8) {
        const Conversion c = codePage.Utf8ToShiftJis(character);
        if (c.Exact()) shown = c.text;
    } else if (character.size() == 2 || static_cast<unsigned char>(character[0]) >= 0xA1) {
        shown = std::string(character);
    }
    char code[16];
    std::string codes;
    for (const char byte : character) {
        std::snprintf(code, sizeof code, "%s%02X", codes.empty() ? "0x" : " ", static_cast<unsigned char>(byte));
        codes += code;
    }
    if (utf8) codes += " (UTF-8)";
    return shown.empty() ? "(" + codes + ")" : "「" + shown + "」(" + codes + ")";
}

// Shift-JIS and UTF-8 documents write their held bytes as they are: nothing to look for.
std::optional<Unencodable> FindUnencodableIn(std::string_view text, const TextFormat& format) {
    if (format.encoding == Encoding::ShiftJis || format.encoding == Encoding::Utf8) return std::nullopt;
    return FindUnencodable(text, format);
}

}  // namespace

// The document's own whole-text changes (a load, New's clearing) are not edits: the text changes it
// reports meanwhile do not mark the document modified.
class DocumentCommands::OwnChange {
public:
    explicit OwnChange(DocumentCommands& commands) : m_commands(commands) { ++m_commands.m_ownChanges; }
    ~OwnChange() { --m_commands.m_ownChanges; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

private:
    DocumentCommands& m_commands;
};

void DocumentCommands::Start(const std::string& name, const std::string& baseTitle) {
    m_state.CurrentName = name.empty() ? kUntitledName : name;
    m_state.FullPath = m_state.Untitled() ? "" : m_files.FullPath(m_state.CurrentName);
    m_state.ModMark = kCleanMark;
    m_state.BaseTitle = baseTitle;
    ShowTitles();
    TakeFormat(m_state.Format);
}

void DocumentCommands::TakeFormat(const TextFormat& format) {
    m_state.Format = format;
    m_window.ShowFormat(format);
}

void DocumentCommands::ShowTitles() {
    m_window.SetCaption(m_state.TitleLine());
    m_window.SetApplicationTitle(m_state.ApplicationTitle());
}

void DocumentCommands::BecomeClean(const std::string& name, const std::string& fullPath) {
    m_state.CurrentName = name;
    m_state.FullPath = fullPath;
    m_state.FileStamp = fullPath.empty() ? "" : m_files.Stamp(fullPath);
    m_state.ModMark = kCleanMark;
    ShowTitles();
    if (m_cleanObserver) m_cleanObserver();
}

void DocumentCommands::Restore(const RecoveryRecord& record) {
    {
        OwnChange own(*this);
        PutText(m_editor, record.name, record.format, record.text);
    }
    TakeFormat(record.format);
    m_state.CurrentName = record.name.empty() ? kUntitledName : record.name;
    m_state.FullPath = record.fullPath;
    // A stamp no file has: whatever the file is now, Save asks before replacing it.
    m_state.FileStamp = record.stamp ? *record.stamp : record.fullPath.empty() ? "" : "?";
    m_state.ModMark = kModifiedMark;
    ShowTitles();
}

bool DocumentCommands::AskToSave() {
    if (!m_state.Modified()) return true;
    switch (m_dialogs.ConfirmYesNoCancel(m_state.SavePrompt())) {
        case DialogResult::Yes:
            // A named document goes to its own file, an untitled one through the dialog. A failed save raises
            // and ends the command; a cancelled dialog stops it here.
            return Save();
        case DialogResult::No:
            return true;
        default:
            return false;  // Cancel, and any answer that is not one (a box that could not be shown)
    }
}

void DocumentCommands::Load(const std::string& name, std::optional<Encoding> encoding) {
    LoadedText loaded;
    {
        OwnChange own(*this);
        loaded = LoadText(m_files, m_editor, name, encoding, m_progress);
    }
    TakeFormat(loaded.format);
    if (!loaded.notice.empty()) m_dialogs.ShowMessage(loaded.notice);
}

void DocumentCommands::LoadStartupFile() {
    if (m_state.Untitled()) return;
    const std::string& name = m_state.CurrentName;
    // A name that is no file keeps naming the document (Save creates it); loading it reports that it
    // cannot be opened.
    if (!m_files.Exists(name)) {
        Load(name);
        return;
    }
    try {
        Load(name);
        m_state.FileStamp = m_files.Stamp(m_state.FullPath);
    } catch (...) {
        // A file that exists but cannot be loaded is not this document: Save must never replace it
        // unseen, so the document becomes untitled.
        BecomeClean(kUntitledName, "");
        throw;
    }
}

void DocumentCommands::TextChanged() {
    if (m_ownChanges == 0 && !m_state.Modified()) MarkModified();
}

bool DocumentCommands::New() {
    if (!AskToSave()) return false;
    {
        OwnChange own(*this);
        m_editor.Clear();
        m_editor.SetUtf8(false);
        m_editor.SetNewLine("\r\n");
    }
    BecomeClean(kUntitledName, "");
    TakeFormat(TextFormat{});
    return true;
}

bool DocumentCommands::NewFrom(const std::string& name) {
    if (!AskToSave()) return false;
    // The template takes the place of the text in one undo step; a template that cannot be taken leaves
    // the empty document New makes, also one undo step away from the text before.
    // The document takes the template's format, so that its bytes are written back as they were.
    std::exception_ptr failure;
    TextFormat format;
    {
        OwnChange own(*this);
        try {
            const LoadedText loaded = ReadText(m_files, name);
            PutText(m_editor, name, loaded.format, loaded.held, true);
            format = loaded.format;
        } catch (...) {
            failure = std::current_exception();
            m_editor.ReplaceText("");
            m_editor.SetUtf8(false);
            m_editor.SetNewLine("\r\n");
        }
    }
    BecomeClean(kUntitledName, "");
    TakeFormat(format);
    if (failure) std::rethrow_exception(failure);
    return true;
}

void DocumentCommands::Open() {
    if (!AskToSave()) return;
    const auto chosen = m_fileDialogs.ChooseFileToOpen();
    if (!chosen) return;
    Load(*chosen);
    BecomeClean(NamePart(*chosen, m_leadBytes), *chosen);
    m_window.ShowIconOf(*chosen);
}

bool DocumentCommands::Save() {
    if (m_state.Untitled()) return SaveAs();
    const std::string target = m_state.FullPath.empty() ? m_state.CurrentName : m_state.FullPath;
    // Another program changed the file since it was opened or saved here: never overwrite that silently.
    const std::string stamp = m_files.Stamp(target);
    if (!m_state.FileStamp.empty() && !stamp.empty() && stamp != m_state.FileStamp &&
        m_dialogs.ConfirmYesNoCancel(
            FormatText("ファイル %s は他のプログラムによって変更されています。\r上書きしますか?", target),
            DialogResult::No) != DialogResult::Yes) {
        return false;
    }
    // A read-only file is not replaced: the user is told why, and may save under another name.
    if (m_files.ReadOnly(target)) {
        if (m_dialogs.ConfirmYesNoCancel(
                FormatText("ファイル %s は読み取り専用のため上書きできません。\r名前を付けて保存しますか?", target)) !=
            DialogResult::Yes)
            return false;
        return SaveAs();
    }
    TextFormat format = m_state.Format;
    if (!WriteIn(target, format, false)) return false;
    TakeFormat(format);
    m_state.FileStamp = m_files.Stamp(target);
    m_state.ModMark = kCleanMark;
    m_window.SetCaption(m_state.TitleLine());
    if (m_cleanObserver) m_cleanObserver();
    return true;
}

bool DocumentCommands::SaveAs() {
    bool saved = false;
    if (const auto chosen = m_fileDialogs.ChooseFileToSave(m_state.FullPath)) {
        TextFormat format = m_state.Format;
        if (WriteIn(*chosen, format, false)) {
            TakeFormat(format);
            BecomeClean(NamePart(*chosen, m_leadBytes), *chosen);
            saved = true;
        }
    }
    if (m_state.CurrentName.empty()) {
        m_state.CurrentName = kUntitledName;
        m_state.ModMark = kModifiedMark;
        m_window.SetCaption(m_state.TitleLine());
    }
    return saved;
}

bool DocumentCommands::SaveAsFormat() {
    const std::optional<TextFormat> chosen =
        m_formatChooser.ChooseFormat(StartingFormat(m_state.Format, m_editor.TextView()));
    if (!chosen) return false;
    const std::optional<std::string> path = m_fileDialogs.ChooseFileToSave(m_state.FullPath);
    if (!path) return false;
    TextFormat format = *chosen;
    if (!WriteIn(*path, format, true)) return false;
    TakeFormat(format);
    BecomeClean(NamePart(*path, m_leadBytes), *path);
    return true;
}

void DocumentCommands::ReopenAs(std::optional<Encoding> encoding) {
    const std::string path = m_state.FullPath.empty() ? m_state.CurrentName : m_state.FullPath;
    if (m_state.Untitled() || !m_files.Exists(path)) {
        m_dialogs.ShowMessage("開き直すファイルがありません。\r文書をファイルに保存してから選んでください。");
        return;
    }
    if (!AskToSave()) return;
    Load(path, encoding);
    BecomeClean(m_state.CurrentName, m_state.FullPath);
}

void DocumentCommands::ConvertBreaks(LineBreak to) {
    const std::string converted = ConvertLineBreaks(m_editor.TextView(), to);
    // A change of the text like any other: one undo step, and the document is modified.
    if (converted != m_editor.TextView()) m_editor.ReplaceText(converted);
    m_editor.SetNewLine(LineBreakBytes(to));
    TextFormat format = m_state.Format;
    format.lineBreak = to;
    TakeFormat(format);
}

bool DocumentCommands::WriteIn(const std::string& target, TextFormat& format, bool convertBreaks) {
    const std::string_view held = m_editor.TextView();
    const bool heldUtf8 = HeldAsUtf8(m_state.Format.encoding), targetUtf8 = HeldAsUtf8(format.encoding);
    // The text in the target's held form and breaks, only when that differs from what the editor holds.
    std::optional<std::string> changed;
    std::optional<Unencodable> bad;
    bool badInHeld = false;  // where the offset of `bad` counts: the editor's text, or the changed one
    if (heldUtf8 != targetUtf8) {
        std::size_t failedAt = 0;
        changed = HeldFor(m_codePage, held, m_state.Format, format, &failedAt);
        if (!changed) {
            bad = Unencodable{failedAt, LineOfOffset(held, failedAt)};
            badInHeld = true;
        }
    }
    if (!bad && convertBreaks && format.lineBreak != LineBreak::Mixed) {
        const std::string_view now = changed ? std::string_view(*changed) : held;
        if (DetectLineBreak(now) != format.lineBreak) changed = ConvertLineBreaks(now, format.lineBreak);
    }
    const std::string_view text = changed ? std::string_view(*changed) : held;
    if (!bad) {
        bad = FindUnencodableIn(text, format);
        badInHeld = !changed;
    }
    if (bad) {
        const std::string_view where = badInHeld ? held : text;
        const bool whereUtf8 = badInHeld ? heldUtf8 : targetUtf8;
        const std::string what = "保存できない文字があります。\r" + std::to_string(bad->line) + " 行目の文字 " +
                                 CharacterName(m_codePage, where, bad->offset, whereUtf8) + " は " +
                                 EncodingName(format.encoding, format.bom) + " で表せません。";
        // Shown where it stands, when it stands in the editor's own text.
        const std::size_t length = CharacterLength(where, bad->offset, whereUtf8);
        if (format.encoding != Encoding::Utf8) {
            if (m_dialogs.ConfirmYesNoCancel(what + "\r\rUTF-8 で保存しますか?") == DialogResult::Yes) {
                format = TextFormat{Encoding::Utf8, false, format.lineBreak};
                return WriteIn(target, format, convertBreaks);
            }
        } else {
            m_dialogs.ShowMessage(what);
        }
        if (badInHeld) {
            m_editor.SetSelStart(static_cast<int>(bad->offset));
            m_editor.SetSelLength(static_cast<int>(length));
        }
        return false;
    }
    WriteText(m_files, target, text, format, m_progress);
    if (changed) {
        // The editor holds what was written, as a load does: the file and the screen agree.
        OwnChange own(*this);
        PutText(m_editor, target, format, *changed);
    }
    format.lineBreak = DetectLineBreak(m_editor.TextView());
    return true;
}

void DocumentCommands::Drop(const std::string& fullPath) {
    // A folder or a file that cannot be read is refused before the save question: nothing changes.
    m_files.CheckReadable(fullPath);
    if (!AskToSave()) return;
    Load(fullPath);
    BecomeClean(NamePart(fullPath, m_leadBytes), fullPath);
    m_window.ShowIconOf(fullPath);
    m_window.SetCaption(fullPath + kDropCaptionTail);
}

void DocumentCommands::PutBackModified(bool modified) {
    if (modified == m_state.Modified()) return;
    if (modified) return MarkModified();
    m_state.ModMark = kCleanMark;
    ShowTitles();
    if (m_cleanObserver) m_cleanObserver();
}

void DocumentCommands::MarkModified() {
    m_state.ModMark = kModifiedMark;
    m_window.SetCaption(m_state.TitleLine());
}

bool DocumentCommands::CloseQuery() { return AskToSave(); }

}  // namespace tovel
