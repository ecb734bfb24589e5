#pragma once
// The commands that hand something to the shell or start a program: the preview of the document through
// its file association, the browser preview of the editor's text, the manual, the update history and a
// further editor. Nothing here reports a failed launch: the shell's answer is not the program's to show.
#include <functional>
#include <string>

#include "document/document_state.h"
#include "platform/editor.h"
#include "platform/message_boxes.h"
#include "platform/shell.h"
#include "platform/text_files.h"

namespace tovel {

// Files beside the executable.
inline constexpr const char* kPreviewFileName = "olka_temp.htm";
inline constexpr const char* kManualFileName = "readme.txt";
inline constexpr const char* kHistoryFileName = "update.txt";
inline constexpr const char* kProgramFileName = "tovel.exe";

class ShellLaunches {
public:
    // `appDir`: the executable's folder with its trailing "\", read at each command.
    ShellLaunches(const DocumentState& document, IEditor& editor, ITextFiles& files, IShell& shell,
                  IMessageBoxes& boxes, const std::string& appDir)
        : m_document(document), m_editor(editor), m_files(files), m_shell(shell), m_boxes(boxes), m_appDir(appDir) {}

    // The document's file in the program associated with it; a modified document asks first whether to
    // save (`save`, false when it did not happen) or to show the file as last saved. An untitled document
    // offers the browser preview instead. A launch that fails is reported, here and below.
    void Preview(const std::function<bool()>& save);
    // The editor's text, saved to the preview file beside the executable (in the temporary folder when
    // the executable's folder cannot be written), in the program for ".htm".
    // The document's name and marker stay as they are. A preview file that cannot be written raises and
    // nothing is opened.
    void BrowserPreview();
    void OpenManual();
    // A new editor with the update history as its document.
    void ShowUpdateHistory();
    // A new editor with an untitled document.
    void StartEditor();

private:
    // Reports a launch the system did not start, naming what was to open.
    void Opened(bool started, const std::string& what);

    const DocumentState& m_document;
    IEditor& m_editor;
    ITextFiles& m_files;
    IShell& m_shell;
    IMessageBoxes& m_boxes;
    const std::string& m_appDir;
};

}  // namespace tovel
