#pragma once
// Append-open adds the lines of another file to the end of the editor's text; append-save adds the
// editor's text to the end of an existing file. Both go through the main window's scratch list and the
// open and save dialogs shared with Open and Save As; neither touches the document's name or title.
//
// A cancelled dialog ends either command: nothing is appended, written, sounded or shown. Append-save
// goes through the safe save, so the file it appends to is either the complete new bytes or untouched.
#include "document/mix_list.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/file_dialogs.h"
#include "platform/sound.h"
#include "platform/text_files.h"

namespace tovel {

class AppendCommands {
public:
    AppendCommands(MixList& list, IEditor& editor, ITextFiles& files, IFileDialogs& fileDialogs, IDialogs& dialogs,
                   ISound& sound)
        : m_list(list),
          m_editor(editor),
          m_files(files),
          m_fileDialogs(fileDialogs),
          m_dialogs(dialogs),
          m_sound(sound) {}

    // The chosen file's lines, each ended by CR LF, become one more line of the editor.
    void MixOpen();
    // The chosen existing file gets the editor's text and one CR LF after its own lines; then a beep and
    // "追加で保存しました".
    void MixSave();

private:
    MixList& m_list;
    IEditor& m_editor;
    ITextFiles& m_files;
    IFileDialogs& m_fileDialogs;
    IDialogs& m_dialogs;
    ISound& m_sound;
};

}  // namespace tovel
