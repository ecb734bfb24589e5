#include "document/document_commands.h"

#include <exception>

#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/text_file_rules.h"

namespace tovel {

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
        m_editor.SetText(record.text);
    }
    m_state.CurrentName = record.name.empty() ? kUntitledName : record.name;
    m_state.FullPath = record.fullPath;
    // A stamp no file has: whatever the file is now, Save asks before replacing it.
    m_state.FileStamp = record.stamp ? *record.stamp : record.fullPath.empty() ? "" : "?";
    m_state.ModMark = kModifiedMark;
    ShowTitles();
}

bool DocumentCommands::AskToSave(SaveFirst how) {
    if (!m_state.Modified()) return true;
    switch (m_dialogs.ConfirmYesNoCancel(m_state.SavePrompt())) {
        case DialogResult::Yes:
            // A failed save raises and ends the command; a cancelled dialog stops it here.
            return how == SaveFirst::SaveAs ? SaveAs() : Save();
        case DialogResult::No:
            return true;
        default:
            return false;  // Cancel, and any answer that is not one (a box that could not be shown)
    }
}

void DocumentCommands::Load(const std::string& name) {
    OwnChange own(*this);
    LoadFromFile(m_editor, m_files, name);
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
    if (!AskToSave(SaveFirst::SaveAs)) return false;
    {
        OwnChange own(*this);
        m_editor.Clear();
    }
    BecomeClean(kUntitledName, "");
    return true;
}

bool DocumentCommands::NewFrom(const std::string& name) {
    if (!AskToSave(SaveFirst::SaveAs)) return false;
    // The template takes the place of the text in one undo step; a template that cannot be taken leaves
    // the empty document New makes, also one undo step away from the text before.
    std::exception_ptr failure;
    {
        OwnChange own(*this);
        try {
            ReplaceFromFile(m_editor, m_files, name);
        } catch (...) {
            failure = std::current_exception();
            m_editor.ReplaceText("");
        }
    }
    BecomeClean(kUntitledName, "");
    if (failure) std::rethrow_exception(failure);
    return true;
}

void DocumentCommands::Open() {
    if (!AskToSave(SaveFirst::Save)) return;
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
        m_dialogs.ConfirmYesNoCancel(FormatText(
            "ファイル %s は他のプログラムによって変更されています。\r上書きしますか?", target)) != DialogResult::Yes) {
        return false;
    }
    SaveToFile(m_editor, m_files, target);
    m_state.FileStamp = m_files.Stamp(target);
    m_state.ModMark = kCleanMark;
    m_window.SetCaption(m_state.TitleLine());
    if (m_cleanObserver) m_cleanObserver();
    return true;
}

bool DocumentCommands::SaveAs() {
    bool saved = false;
    if (const auto chosen = m_fileDialogs.ChooseFileToSave()) {
        SaveToFile(m_editor, m_files, *chosen);
        BecomeClean(NamePart(*chosen, m_leadBytes), *chosen);
        saved = true;
    }
    if (m_state.CurrentName.empty()) {
        m_state.CurrentName = kUntitledName;
        m_state.ModMark = kModifiedMark;
        m_window.SetCaption(m_state.TitleLine());
    }
    return saved;
}

void DocumentCommands::Drop(const std::string& fullPath) {
    // A folder or a file that cannot be read is refused before the save question: nothing changes.
    m_files.CheckReadable(fullPath);
    if (!AskToSave(SaveFirst::Save)) return;
    Load(fullPath);
    BecomeClean(NamePart(fullPath, m_leadBytes), fullPath);
    m_window.ShowIconOf(fullPath);
    m_window.SetCaption(fullPath + kDropCaptionTail);
}

void DocumentCommands::MarkModified() {
    m_state.ModMark = kModifiedMark;
    m_window.SetCaption(m_state.TitleLine());
}

bool DocumentCommands::CloseQuery() { return AskToSave(SaveFirst::Save); }

}  // namespace tovel
