#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tovel::dialogs {

// The one-line input dialog, owned by `owner`, its edit box starting with `def`: returns the edit box's
// text exactly as typed when the user confirms (Enter, "OK"), nothing when they cancel (Esc,
// "キャンセル", the close box).
std::optional<std::string> RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                       const std::string& def);

// The same dialog with a Unicode edit box: any character can be typed or pasted. The default and the
// answer are UTF-8 (a default that is not well-formed UTF-8 shows an empty box), and the limit counts the
// answer's UTF-8 bytes. Caption and prompt are the program's own (Shift-JIS) texts.
std::optional<std::string> RunUnicodeInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                              const std::string& defUtf8);

// The most the edit box takes, in bytes (UTF-8 bytes in the Unicode box).
constexpr int kInputLimitBytes = 255;

}  // namespace tovel::dialogs
