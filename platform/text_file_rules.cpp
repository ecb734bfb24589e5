#include "platform/text_file_rules.h"

#include "platform/error.h"

namespace tovel {

std::string ReadTextFile(ITextFiles& files, const std::string& name) {
    std::string bytes = files.ReadAll(name);
    if (bytes.find('\0') != std::string::npos) throw Error(FormatText("ファイル %s は NUL 文字を含むため開けません", name));
    return bytes;
}

void LoadFromFile(IEditor& editor, ITextFiles& files, const std::string& name) {
    std::string bytes = ReadTextFile(files, name);
    struct RedrawOff {
        IEditor& editor;
        explicit RedrawOff(IEditor& e) : editor(e) { editor.SetRedraw(false); }
        ~RedrawOff() { editor.SetRedraw(true); }
    } redrawOff(editor);
    try {
        editor.SetText(bytes);
    } catch (const TextNotHeldError& e) {
        throw TextNotHeldError(FormatText("ファイル %s は ", name) + std::to_string(e.position + 1) +
                                   " バイト目をエディタに保持できないため開けません",
                               e.position);
    }
}

void SaveToFile(IEditor& editor, ITextFiles& files, const std::string& name) { files.WriteAll(name, editor.TextView()); }

}  // namespace tovel
