#pragma once
// Append-open adds the lines of another file to the end of the editor's text; append-save adds the
// editor's text to the end of an existing file. Both use the open and save dialogs shared with Open and
// Save As; neither touches the document's name or title.
//
// Each file is taken in its own format (detected from its bytes) and the text crosses between it and the
// document's held form (Shift-JIS bytes or UTF-8) through the code page. Whatever does not cross exactly
// is refused with an error naming the line, before anything changes or is written. The breaks the append
// puts in are the receiving side's own style: the document's, or the file's (its first break; a file with
// none, or an empty one, takes the document's).
//
// A cancelled dialog ends either command: nothing is appended, written, sounded or shown. Append-save
// goes through the safe save, so the file it appends to is either the complete new bytes or untouched;
// the bytes it had stay as they were, in front of the new ones. Each shows its progress, and one stopped
// there appends and writes nothing.
#include "document/document_state.h"
#include "document/mix_list.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/file_dialogs.h"
#include "platform/progress.h"
#include "platform/sound.h"
#include "platform/text_files.h"

namespace tovel {

class AppendCommands {
public:
    // `document`: the document's format, for the breaks it takes and for an empty file appended to.
    // `progress`: shows each append and lets the user stop it, before the editor or the file is touched.
    AppendCommands(MixList& list, IEditor& editor, ITextFiles& files, IFileDialogs& fileDialogs, IDialogs& dialogs,
                   ISound& sound, ICodePage& codePage, const DocumentState& document, IProgress* progress = nullptr)
        : m_list(list),
          m_editor(editor),
          m_files(files),
          m_fileDialogs(fileDialogs),
          m_dialogs(dialogs),
          m_sound(sound),
          m_codePage(codePage),
          m_document(document),
          m_progress(progress) {}

    // The chosen file's lines, each ended by the document's break, become one more line of the editor.
    // A file holding NUL, or one that does not read exactly in its own format, is refused.
    void MixOpen();
    // The chosen existing file gets, after its own text and a break where it has none at its end, the
    // editor's text written in the file's format, with the file's breaks, and one more break; then a beep
    // and "追加で保存しました".
    void MixSave();

private:
    // The document's break: its format's style, or when that is mixed the first break of its text.
    std::string_view DocumentBreak();

    MixList& m_list;
    IEditor& m_editor;
    ITextFiles& m_files;
    IFileDialogs& m_fileDialogs;
    IDialogs& m_dialogs;
    ISound& m_sound;
    ICodePage& m_codePage;
    const DocumentState& m_document;
    IProgress* m_progress;
};

}  // namespace tovel
