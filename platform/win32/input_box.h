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

// The most the edit box takes, in bytes.
constexpr int kInputLimitBytes = 255;

}  // namespace tovel::dialogs
