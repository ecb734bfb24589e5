#pragma once
// A whole file read as text: bytes unchanged, and never a file the editor could not hold whole.
#include <string>
#include <string_view>

#include "platform/text_files.h"

namespace tovel {

// Reads a file as text. A file holding a NUL byte is refused (it cannot be shown whole, and a later save
// would cut it short): raises "ファイル %s は NUL 文字を含むため開けません".
std::string ReadTextFile(ITextFiles& files, const std::string& name);
// The same refusal for a text read otherwise (converted from the file's encoding).
void RefuseNul(std::string_view text, const std::string& name);

}  // namespace tovel
