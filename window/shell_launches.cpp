#include "window/shell_launches.h"

#include "document/format_files.h"
#include "platform/file_places.h"

namespace tovel {
namespace {

// A Windows path holds no double quotation mark, so quoting keeps it one argument whatever blanks it has.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

void ShellLaunches::Opened(bool started, const std::string& what) {
    if (!started) m_boxes.ShowWarning(what + " を開けませんでした。", "");
}

void ShellLaunches::Preview(const std::function<bool()>& save) {
    if (!m_document.Untitled()) {
        if (m_document.Modified() &&
            m_boxes.AskYesNo(m_document.CurrentName + " は変更されています。\r保存してからプレビューしますか?\r"
                                                      "(いいえ: 最後に保存した内容を表示します)",
                             "プレビュー") &&
            !save())
            return;
        // The full path kept since the open or save: the bare name would be looked up in whatever folder a
        // file dialog browsed to last.
        const std::string path = m_document.FullPath.empty() ? m_document.CurrentName : m_document.FullPath;
        Opened(m_shell.OpenForWindow(path), path);
        return;
    }
    if (m_boxes.AskYesNo("保存しないとプレビューは利用できません。\r\nブラウザで開きますか？", "tovel editor plus!")) {
        BrowserPreview();
    }
}

void ShellLaunches::BrowserPreview() {
    // Beside the program; where that folder cannot be written, in the user's temporary folder.
    const std::string path =
        WritablePlace(m_appDir, m_files.TempFolder(), kPreviewFileName,
                      [this](const std::string& folder) { return m_files.FolderWritable(folder); });
    // In the document's format: a UTF-8 page stays UTF-8 for the browser.
    WriteCopyOfText(m_files, path, m_editor.TextView(), m_document.Format);
    Opened(m_shell.OpenForWindow(path), path);
}

void ShellLaunches::OpenManual() {
    const std::string path = m_appDir + kManualFileName;
    Opened(m_shell.OpenForWindow(path), path);
}

void ShellLaunches::ShowUpdateHistory() {
    // The program's path is quoted too: under "C:\Program Files\" an unquoted one would start
    // "C:\Program.exe" if there were one, or nothing at all.
    Opened(m_shell.RunCommand(Quoted(m_appDir + kProgramFileName) + " " + Quoted(m_appDir + kHistoryFileName)),
           m_appDir + kHistoryFileName);
}

void ShellLaunches::StartEditor() {
    const std::string path = m_appDir + kProgramFileName;
    Opened(m_shell.OpenForWindow(path), path);
}

}  // namespace tovel
