#pragma once
// The document's name, its modified marker and the base caption, and the rules that turn them into the
// window caption and the application title.
#include <string>

#include "document/text_format.h"

namespace tovel {

inline constexpr const char* kUntitledName = "無題";
inline constexpr const char* kCleanMark = " - ";
inline constexpr const char* kModifiedMark = " * ";
inline constexpr const char* kDropCaptionTail = " - tovel editor plus!";

struct DocumentState {
    std::string CurrentName;  // "無題", a name without folder, or the command-line argument as typed
    std::string ModMark;      // " - " clean, " * " modified: the only test of "modified"
    std::string BaseTitle;    // the design caption, captured at start-up
    std::string FullPath;     // where Save writes: kept beside CurrentName so a moved current folder is harmless
    // The file's stamp as last loaded or saved here ("" when none): Save asks before replacing a file that
    // another program changed since. Kept with the document so its recovery copy carries it too.
    std::string FileStamp;
    // How the file's bytes are written: encoding, byte-order mark, line-break style. A new document is
    // Shift-JIS with CR LF.
    TextFormat Format;

    bool Modified() const { return ModMark == kModifiedMark; }
    bool Untitled() const { return CurrentName == kUntitledName; }
    // The window caption: the document name first.
    std::string TitleLine() const { return CurrentName + ModMark + BaseTitle; }
    // The taskbar's text: never the modified marker.
    std::string ApplicationTitle() const { return CurrentName + kCleanMark + BaseTitle; }
    // The save question, with its single carriage return.
    std::string SavePrompt() const { return CurrentName + " は変更されています。\r保存しますか?"; }
};

}  // namespace tovel
