#pragma once
// A document's file in its own format: read (detected, or in the encoding the user names), put into the
// editor in the form it holds, and written back. Nothing here rewrites a byte the user did not edit: an
// unedited text is written back as the identical file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/text_format.h"
#include "platform/code_page.h"
#include "platform/editor.h"
#include "platform/progress.h"
#include "platform/text_files.h"

namespace tovel {

struct LoadedText {
    TextFormat format;
    std::string held;  // what the editor holds (see text_format.h)
    // Not empty when the file could not be held exactly in its format and is held as its raw bytes: what
    // the user is told, once the text is shown.
    std::string notice;
};

// The file's text. `asked`: the encoding the user named (its byte-order mark is taken when the file has
// one); otherwise the format is detected. A file that does not read back exactly is held as its bytes
// (a Shift-JIS document) with a notice, except UTF-16 with NUL bytes, which is refused naming the offset. A text
// holding a NUL character is refused ("ファイル %s は NUL 文字を含むため開けません"), as is a file that cannot be read.
LoadedText ReadText(ITextFiles& files, const std::string& name, std::optional<Encoding> asked = std::nullopt);

// The largest file that opens: the editor counts its offsets in int, and so does the component's line
// index (a text of 2 GB or more would need its large-document form, which the editor does not use).
inline constexpr std::uint64_t kMaxOpenBytes = 0x7FFFFFFF;
// Refuses a file larger than kMaxOpenBytes before a byte of it is read, naming its size:
// "ファイル %s は 2.3 GB あり、開ける大きさ (2 GB 未満) を越えるため開けません".
void RefuseTooLarge(const std::string& name, std::uint64_t size);

// Opens the file as the editor's text, as ReadText then PutText would, with the progress shown and Esc
// stopping it. The file goes into the editor a piece at a time, checked on the way, with no copy of the
// whole (the formats that are converted are decoded a piece at a time; one that does not read exactly is
// read again as its bytes). A load that fails or is stopped
// leaves the editor as it was. `held` of the answer stays empty.
LoadedText LoadText(ITextFiles& files, IEditor& editor, const std::string& name, std::optional<Encoding> asked,
                    IProgress* progress);

// Puts a text into the editor in its held form, Enter typing its first break, repainting off meanwhile.
// `undoable`: as a command's change (one undo brings the previous text back) rather than a load. A text
// the editor would not hold byte for byte is refused, naming the file and the first such byte; the
// editor is then as it was.
void PutText(IEditor& editor, const std::string& name, const TextFormat& format, std::string_view held,
             bool undoable = false);

// Writes the held text in the format, a piece at a time (the held bytes themselves where they are the
// file's), with the progress shown and Esc stopping it, the previous file then as it was. The caller has
// made sure every character can be written (FindUnencodable); one that cannot raises and nothing is written.
void WriteText(ITextFiles& files, const std::string& name, std::string_view held, const TextFormat& format,
               IProgress* progress = nullptr);

// A copy of the text (the backup, the browser's preview): in the format when it can hold every character,
// otherwise the held bytes as they are, so that nothing is lost.
void WriteCopyOfText(ITextFiles& files, const std::string& name, std::string_view held, const TextFormat& format);

// The held text in the held form of another format: Shift-JIS bytes and UTF-8 converted through the code
// page; within one form, the text itself. Nothing when a character does not convert; `failedAt` then
// names its offset in `held`.
std::optional<std::string> HeldFor(ICodePage& codePage, std::string_view held, const TextFormat& from,
                                   const TextFormat& to, std::size_t* failedAt = nullptr);

// The one-based line of a byte offset: CR LF, LF and CR each end a line.
std::size_t LineOfOffset(std::string_view text, std::size_t offset);

}  // namespace tovel
