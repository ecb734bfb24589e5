#include "document/format_files.h"

#include "platform/error.h"
#include "platform/text_file_rules.h"

namespace tovel {
namespace {

// The byte-order mark the encoding's file starts with, if it has one.
std::string_view BomOf(Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf8:
            return "\xEF\xBB\xBF";
        case Encoding::Utf16Le:
            return "\xFF\xFE";
        case Encoding::Utf16Be:
            return "\xFE\xFF";
        default:
            return {};
    }
}

bool IsUtf16(Encoding encoding) { return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be; }

}  // namespace

LoadedText ReadText(ITextFiles& files, const std::string& name, std::optional<Encoding> asked) {
    std::string bytes = files.ReadAll(name);
    LoadedText loaded;
    if (asked) {
        const std::string_view bom = BomOf(*asked);
        loaded.format.encoding = *asked;
        loaded.format.bom = !bom.empty() && std::string_view(bytes).substr(0, bom.size()) == bom;
    } else {
        loaded.format = DetectFormat(bytes);
    }
    if (loaded.format.encoding == Encoding::ShiftJis) {
        loaded.held = std::move(bytes);  // held as they are: nothing to convert or verify
    } else {
        DecodeResult decoded = Decode(bytes, loaded.format);
        if (!decoded.exact) {
            const std::string where = std::to_string(decoded.offset + 1) + " バイト目";
            const std::string encoding = EncodingName(loaded.format.encoding, loaded.format.bom);
            // UTF-16 text as bytes is full of NULs, which the editor cannot hold: refused, not shown. A file
            // that merely starts like UTF-16 and holds no NUL opens as its bytes like any other.
            if (IsUtf16(loaded.format.encoding) && bytes.find('\0') != std::string::npos) {
                throw Error(FormatText("ファイル %s は ", name) + encoding + " として読めないため開けません (" + where +
                            ")。\r" + decoded.reason);
            }
            loaded.notice = FormatText("ファイル %s は ", name) + encoding + " として正確には読めないため、" +
                            "バイトのまま (Shift_JIS として) 開きました (" + where + ")。\r" + decoded.reason;
            loaded.format = TextFormat{};
        }
        loaded.held = std::move(decoded.held);
    }
    loaded.format.lineBreak = DetectLineBreak(loaded.held);
    RefuseNul(loaded.held, name);
    return loaded;
}

void PutText(IEditor& editor, const std::string& name, const TextFormat& format, std::string_view held, bool undoable) {
    struct RedrawOff {
        IEditor& editor;
        explicit RedrawOff(IEditor& e) : editor(e) { editor.SetRedraw(false); }
        ~RedrawOff() { editor.SetRedraw(true); }
    } redrawOff(editor);
    const bool wasUtf8 = editor.Utf8();
    editor.SetUtf8(HeldAsUtf8(format.encoding));
    try {
        if (undoable)
            editor.ReplaceText(held);
        else
            editor.SetText(held);
    } catch (const TextNotHeldError& e) {
        editor.SetUtf8(wasUtf8);
        throw TextNotHeldError(FormatText("ファイル %s は ", name) + std::to_string(e.position + 1) +
                                   " バイト目をエディタに保持できないため開けません",
                               e.position);
    } catch (...) {
        editor.SetUtf8(wasUtf8);
        throw;
    }
    editor.SetNewLine(LineBreakBytes(EnterLineBreak(held)));
}

void WriteText(ITextFiles& files, const std::string& name, std::string_view held, const TextFormat& format) {
    // The held bytes are the file's own for Shift-JIS and for UTF-8 without a mark: written without a copy.
    if (format.encoding == Encoding::ShiftJis || (format.encoding == Encoding::Utf8 && !format.bom)) {
        files.WriteAll(name, held);
        return;
    }
    files.WriteAll(name, Encode(held, format));
}

void WriteCopyOfText(ITextFiles& files, const std::string& name, std::string_view held, const TextFormat& format) {
    const bool plain = format.encoding == Encoding::ShiftJis || format.encoding == Encoding::Utf8;
    WriteText(files, name, held, plain || !FindUnencodable(held, format) ? format : TextFormat{});
}

std::optional<std::string> HeldFor(ICodePage& codePage, std::string_view held, const TextFormat& from,
                                   const TextFormat& to, std::size_t* failedAt) {
    const bool fromUtf8 = HeldAsUtf8(from.encoding), toUtf8 = HeldAsUtf8(to.encoding);
    if (fromUtf8 == toUtf8) return std::string(held);
    Conversion converted = toUtf8 ? codePage.ShiftJisToUtf8(held) : codePage.Utf8ToShiftJis(held);
    if (!converted.Exact()) {
        if (failedAt) *failedAt = *converted.failedAt;
        return std::nullopt;
    }
    return std::move(converted.text);
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t pos = 0; pos < offset && pos < text.size(); ++pos) {
        if (text[pos] == '\n' || (text[pos] == '\r' && (pos + 1 >= text.size() || text[pos + 1] != '\n'))) ++line;
    }
    return line;
}

}  // namespace tovel
