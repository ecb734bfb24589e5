#include "platform/text_file_rules.h"

#include "platform/error.h"

namespace tovel {

std::string ReadTextFile(ITextFiles& files, const std::string& name) {
    std::string bytes = files.ReadAll(name);
    RefuseNul(bytes, name);
    return bytes;
}

void RefuseNul(std::string_view text, const std::string& name) {
    if (text.find('\0') != std::string_view::npos)
        throw Error(FormatText("ファイル %s は NUL 文字を含むため開けません", name));
}

}  // namespace tovel
