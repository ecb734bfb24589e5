#pragma once
// The text-file load and save of the editor: whole file, bytes unchanged, line breaks made CR LF on load.
#include <string>

#include "platform/editor.h"
#include "platform/text_files.h"

namespace tovel {

// Reads a file as text. A file holding a NUL byte is refused (it cannot be shown whole, and a later save
// would cut it short): raises "ファイル %s は NUL 文字を含むため開けません".
std::string ReadTextFile(ITextFiles& files, const std::string& name);

// Loads the file into the editor with repainting off meanwhile; the editor is unchanged on failure. A text
// the editor would not hold byte for byte is refused, naming the file and the first such byte.
void LoadFromFile(IEditor& editor, ITextFiles& files, const std::string& name);
// The same, as a command's change: one undo brings the previous text back.
void ReplaceFromFile(IEditor& editor, ITextFiles& files, const std::string& name);

// Writes the editor's text exactly as the control holds it.
void SaveToFile(IEditor& editor, ITextFiles& files, const std::string& name);

}  // namespace tovel
