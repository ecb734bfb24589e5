#pragma once
// New, Open, Save, Save As, a dropped file, the key-release marker and the close question, written against
// the platform interfaces so that every path that could lose work is tested with test doubles.
//
// Unlike a plain "Yes then carry on", a Yes to the save question whose save does not happen (dialog
// cancelled, write failed) stops the command: the text is never thrown away unsaved.
#include <functional>
#include <string>

#include "document/document_state.h"
#include "document/format_choice.h"
#include "document/recovery_record.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/file_dialogs.h"
#include "platform/progress.h"
#include "platform/sjis.h"
#include "platform/text_files.h"

namespace tovel {

// What the document shows on the main window.
class IDocumentWindow {
public:
    virtual ~IDocumentWindow() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // The caption bar's icon: the file's associated icon, or the program's own.
    virtual void ShowIconOf(const std::string& fullPath) = 0;
    // The document's format (the status bar shows it), told whenever it changes.
    virtual void ShowFormat(const TextFormat& format) = 0;
};

class DocumentCommands {
public:
    // `leadBytes`: the system's code page, by which chosen paths are split into folder and name.
    // `codePage` converts the text when a save changes between the Shift-JIS and the UTF-8 held forms;
    // `formatChooser` asks for the format of "save in a format".
    DocumentCommands(DocumentState& state, IEditor& editor, ITextFiles& files, IFileDialogs& fileDialogs,
                     IDialogs& dialogs, IDocumentWindow& window, ICodePage& codePage, IFormatChooser& formatChooser,
                     const LeadByteTable& leadBytes = LeadByteTable::ShiftJis())
        : m_state(state),
          m_editor(editor),
          m_files(files),
          m_fileDialogs(fileDialogs),
          m_dialogs(dialogs),
          m_window(window),
          m_codePage(codePage),
          m_formatChooser(formatChooser),
          m_leadBytes(leadBytes) {}

    // Start-up: the command-line name as typed (or untitled), its full path resolved once against the start
    // folder, the clean marker and both titles. Loading the file is the caller's last step.
    void Start(const std::string& name, const std::string& baseTitle);
    // True when it went ahead, false when the save question stopped it.
    bool New();
    // New, then the file's text as the untitled document, not marked modified (a template); false when
    // the save question stopped New. A file that cannot be loaded leaves the empty document New made.
    // Either way one undo brings back the text from before, as a change to the new document.
    bool NewFrom(const std::string& name);
    void Open();
    // True when the text was written.
    bool Save();
    bool SaveAs();
    // Save As in a format the user chooses (encoding and line breaks); true when the text was written.
    // Before anything is written, a character the format cannot hold is named with its line.
    bool SaveAsFormat();
    // The document's file read again in the named encoding, or detected again (nothing), after the save
    // question. An untitled document, or one whose file is gone, has nothing to reopen: the user is told.
    void ReopenAs(std::optional<Encoding> encoding);
    // Every line break of the text becomes `to`, as one undoable change; Enter types it from now on.
    void ConvertBreaks(LineBreak to);
    // A file dropped on the window becomes the document (after the save question, as for Open).
    void Drop(const std::string& fullPath);
    // Loads the start-up file named by Start. A file that exists but cannot be loaded leaves the document
    // untitled (and the error raised); a name that is no file stays the document's name.
    void LoadStartupFile();
    void MarkModified();
    // Puts the modified mark back as it was before a change that was taken back whole, the text being
    // again the one the mark spoke of; clean, the document is as it was saved or loaded.
    void PutBackModified(bool modified);
    // The editor's text changed (typing, a paste, an undo, any command): the only way a change of the
    // text marks the document modified. The document's own loads do not count.
    void TextChanged();
    // Makes a recovered text the document: its name, full path and file stamp, marked modified (it was
    // never saved). A copy that kept no stamp makes Save ask before replacing any existing file.
    void Restore(const RecoveryRecord& record);
    // Shows the progress of a long open or save and lets the user stop it; none: they run unseen. A
    // stopped open leaves the document as it was, a stopped save the file and the modified mark.
    void SetProgress(IProgress* progress) { m_progress = progress; }
    // Told whenever the document becomes clean (loaded, saved, new, or discarded through the question).
    void SetCleanObserver(std::function<void()> observer) { m_cleanObserver = std::move(observer); }
    // True when the window may close.
    bool CloseQuery();

private:
    // The save question; true when the caller may go on.
    bool AskToSave();
    void BecomeClean(const std::string& name, const std::string& fullPath);
    // Loads a file into the editor as the document's text and format; a file held as its bytes is
    // reported once the text is shown.
    void Load(const std::string& name, std::optional<Encoding> encoding = std::nullopt);
    void TakeFormat(const TextFormat& format);
    // Writes the text to `target` in `format`, converting it to the format's held form first; a character
    // the format cannot hold stops the save with a question (UTF-8 instead?). `convertBreaks`: the text's
    // breaks become the format's. True when written; `format` is then what was written.
    bool WriteIn(const std::string& target, TextFormat& format, bool convertBreaks);
    class OwnChange;
    void ShowTitles();

    DocumentState& m_state;
    IEditor& m_editor;
    ITextFiles& m_files;
    IFileDialogs& m_fileDialogs;
    IDialogs& m_dialogs;
    IDocumentWindow& m_window;
    ICodePage& m_codePage;
    IFormatChooser& m_formatChooser;
    const LeadByteTable& m_leadBytes;
    int m_ownChanges = 0;
    std::function<void()> m_cleanObserver;
    IProgress* m_progress = nullptr;
};

}  // namespace tovel
