#include "document/document_commands.h"

#include "platform/path_parts.h"
#include "platform/text_file_rules.h"

namespace tovel {

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
    m_state.ModMark = kCleanMark;
    ShowTitles();
}

bool DocumentCommands::AskToSave(SaveFirst how) {
    if (!m_state.Modified()) return true;
    switch (m_dialogs.ConfirmYesNoCancel(m_state.SavePrompt())) {
        case DialogResult::Yes:
            // A failed save raises and ends the command; a cancelled dialog stops it here.
            return how == SaveFirst::SaveAs ? SaveAs() : Save();
        case DialogResult::Cancel:
            return false;
        default:
            return true;
    }
}

bool DocumentCommands::New() {
    if (!AskToSave(SaveFirst::SaveAs)) return false;
    m_editor.Clear();
    BecomeClean(kUntitledName, "");
    return true;
}

void DocumentCommands::Open() {
    if (!AskToSave(SaveFirst::Save)) return;
    const auto chosen = m_fileDialogs.ChooseFileToOpen();
    if (!chosen) return;
    LoadFromFile(m_editor, m_files, *chosen);
    BecomeClean(NamePart(*chosen), *chosen);
    m_window.ShowIconOf(*chosen);
}

bool DocumentCommands::Save() {
    if (m_state.Untitled()) return SaveAs();
    SaveToFile(m_editor, m_files, m_state.FullPath.empty() ? m_state.CurrentName : m_state.FullPath);
    m_state.ModMark = kCleanMark;
    m_window.SetCaption(m_state.TitleLine());
    return true;
}

bool DocumentCommands::SaveAs() {
    bool saved = false;
    if (const auto chosen = m_fileDialogs.ChooseFileToSave()) {
        SaveToFile(m_editor, m_files, *chosen);
        BecomeClean(NamePart(*chosen), *chosen);
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
    if (!AskToSave(SaveFirst::Save)) return;
    LoadFromFile(m_editor, m_files, fullPath);
    BecomeClean(NamePart(fullPath), fullPath);
    m_window.ShowIconOf(fullPath);
    m_window.SetCaption(fullPath + kDropCaptionTail);
}

void DocumentCommands::MarkModified() {
    m_state.ModMark = kModifiedMark;
    m_window.SetCaption(m_state.TitleLine());
}

bool DocumentCommands::CloseQuery() { return AskToSave(SaveFirst::Save); }

}  // namespace tovel
