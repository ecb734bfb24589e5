#include "platform/text_file_rules.h"

#include "platform/error.h"

namespace tovel {

std::string ReadTextFile(ITextFiles& files, const std::string& name) {
    std::string bytes = files.ReadAll(name);
    if (bytes.find('\0') != std::string::npos)
        throw Error(FormatText("ファイル %s は NUL 文字を含むため開けません", name));
    return bytes;
}

namespace {

void TakeFile(IEditor& editor, ITextFiles& files, const std::string& name, void (IEditor::*take)(std::string_view)) {
    std::string bytes = ReadTextFile(files, name);
    struct RedrawOff {
        IEditor& editor;
        explicit RedrawOff(IEditor& e) : editor(e) { editor.SetRedraw(false); }
        ~RedrawOff() { editor.SetRedraw(true); }
    } redrawOff(editor);
    try {
        (editor.*take)(bytes);
    } catch (const TextNotHeldError& e) {
        throw TextNotHeldError(FormatText("ファイル %s は ", name) + std::to_string(e.position + 1) +
                                   " バイト目をエディタに保持できないため開けません",
                               e.position);
    }
}

}  // namespace

void LoadFromFile(IEditor& editor, ITextFiles& files, const std::string& name) {
    TakeFile(editor, files, name, &IEditor::SetText);
}

void ReplaceFromFile(IEditor& editor, ITextFiles& files, const std::string& name) {
    TakeFile(editor, files, name, &IEditor::ReplaceText);
}

void SaveToFile(IEditor& editor, ITextFiles& files, const std::string& name) {
    files.WriteAll(name, editor.TextView());
}

}  // namespace tovel
