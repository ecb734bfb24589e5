#include "window/shell_launches.h"

#include "document/format_files.h"

namespace tovel {
namespace {

// A Windows path holds no double quotation mark, so quoting keeps it one argument whatever blanks it has.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

void ShellLaunches::Preview() {
    if (!m_document.Untitled()) {
        // The full path kept since the open or save: the bare name would be looked up in whatever folder a
        // file dialog browsed to last.
        m_shell.OpenForWindow(m_document.FullPath.empty() ? m_document.CurrentName : m_document.FullPath);
        return;
    }
    if (m_boxes.AskYesNo("保存しないとプレビューは利用できません。\r\nブラウザで開きますか？", "tovel editor plus!")) {
        BrowserPreview();
    }
}

void ShellLaunches::BrowserPreview() {
    const std::string path = m_appDir + kPreviewFileName;
    // In the document's format: a UTF-8 page stays UTF-8 for the browser.
    WriteCopyOfText(m_files, path, m_editor.TextView(), m_document.Format);
    m_shell.OpenForWindow(path);
}

void ShellLaunches::OpenManual() { m_shell.OpenForWindow(m_appDir + kManualFileName); }

void ShellLaunches::ShowUpdateHistory() {
    // The program's path is quoted too: under "C:\Program Files\" an unquoted one would start
    // "C:\Program.exe" if there were one, or nothing at all.
    m_shell.RunCommand(Quoted(m_appDir + kProgramFileName) + " " + Quoted(m_appDir + kHistoryFileName));
}

void ShellLaunches::StartEditor() { m_shell.OpenForWindow(m_appDir + kProgramFileName); }

}  // namespace tovel
