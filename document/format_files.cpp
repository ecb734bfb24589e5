#include "document/format_files.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>

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

// The formats the editor holds as the file's own bytes (after a UTF-8 mark).
bool HeldAsItIs(Encoding encoding) { return encoding == Encoding::ShiftJis || encoding == Encoding::Utf8; }

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Repaints once, at the end of a change of the whole text.
struct RedrawOff {
    IEditor& editor;
    explicit RedrawOff(IEditor& e) : editor(e) { editor.SetRedraw(false); }
    ~RedrawOff() { editor.SetRedraw(true); }
};

TextNotHeldError NotHeld(const std::string& name, const TextNotHeldError& e) {
    return TextNotHeldError(FormatText("ファイル %s は ", name) + std::to_string(e.position + 1) +
                                " バイト目をエディタに保持できないため開けません",
                            e.position);
}

// The notice for a file that does not read exactly in its format, to be held as its bytes; refused when
// it is UTF-16 and holds a NUL: UTF-16 text as bytes is full of NULs, which the editor cannot hold. A file
// that merely starts like UTF-16 and holds no NUL opens as its bytes like any other.
std::string NotExact(const std::string& name, const TextFormat& format, std::size_t offset, const std::string& reason,
                     bool nulInFile) {
    const std::string where = std::to_string(offset + 1) + " バイト目";
    const std::string encoding = EncodingName(format.encoding, format.bom);
    if (IsUtf16(format.encoding) && nulInFile) {
        throw Error(FormatText("ファイル %s は ", name) + encoding + " として読めないため開けません (" + where +
                    ")。\r" + reason);
    }
    return FormatText("ファイル %s は ", name) + encoding + " として正確には読めないため、" +
           "バイトのまま (Shift_JIS として) 開きました (" + where + ")。\r" + reason;
}

// The file's text from its bytes: the format asked for or detected, converted where the editor holds
// other bytes (see ReadText).
LoadedText FromBytes(std::string bytes, const std::string& name, std::optional<Encoding> asked) {
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
            loaded.notice =
                NotExact(name, loaded.format, decoded.offset, decoded.reason, bytes.find('\0') != std::string::npos);
            loaded.format = TextFormat{};
        }
        loaded.held = std::move(decoded.held);
    }
    loaded.format.lineBreak = DetectLineBreak(loaded.held);
    RefuseNul(loaded.held, name);
    return loaded;
}

// A file the editor holds as its own bytes (Shift-JIS, UTF-8 after its mark), put into the editor as it
// is read, with the checks ReadText makes done on each piece. Nothing when the file turns out to be in a
// format that is converted, which `converted` then names (read it again, decoding); the editor is then as
// it was.
std::optional<LoadedText> FillFrom(IFileReader& reader, IEditor& editor, const std::string& name,
                                   std::optional<Encoding> asked, const ProgressScope& progress,
                                   TextFormat* converted) {
    const std::uint64_t size = reader.Size();
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kPieceBytes)), '\0');
    const std::unique_ptr<ITextFill> fill = editor.StartFill(static_cast<std::size_t>(size));
    FormatDetector detector;
    LineBreakScanner breaks;  // the held text's breaks when the format is the one asked for
    bool mark = false;
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t got = reader.Read(buffer.data(), buffer.size());
        if (got == 0) throw Error(FormatText("ファイル %s は開けません", name));
        std::string_view piece(buffer.data(), got);
        if (done == 0) {
            if (!asked && (piece.starts_with("\xFF\xFE") || piece.starts_with("\xFE\xFF"))) {
                *converted = {piece.starts_with("\xFF\xFE") ? Encoding::Utf16Le : Encoding::Utf16Be, true};
                return std::nullopt;
            }
            // The UTF-8 mark is the file's, not the text's; a Shift-JIS file asked for keeps every byte.
            mark = asked != Encoding::ShiftJis && piece.starts_with(kUtf8Mark);
        }
        if (!asked) detector.Feed(piece);
        if (done == 0 && mark) piece.remove_prefix(kUtf8Mark.size());
        done += got;
        RefuseNul(piece, name);
        if (asked) breaks.Feed(piece);
        try {
            fill->Append(piece);
        } catch (const TextNotHeldError& e) {
            throw NotHeld(name, e);
        }
        progress.Step(done, size);
    }
    LoadedText loaded;
    loaded.format = asked ? TextFormat{*asked, mark, breaks.Style()} : detector.Finish();
    if (!HeldAsItIs(loaded.format.encoding)) {
        *converted = loaded.format;
        return std::nullopt;
    }
    const LineBreak enter = asked ? breaks.Enter() : detector.Breaks().Enter();
    RedrawOff redrawOff(editor);
    try {
        fill->Commit(HeldAsUtf8(loaded.format.encoding));
    } catch (const TextNotHeldError& e) {
        throw NotHeld(name, e);
    }
    editor.SetNewLine(LineBreakBytes(enter));
    return loaded;
}

// Room for the held text of a converted file, told by its first piece: the text is made no larger than
// the file in EUC-JP and JIS, and up to half as large again in UTF-16 (a unit of Japanese takes three
// bytes). Too little room costs the component a second copy as it grows; too much stays unused.
std::size_t HeldRoom(Encoding encoding, std::uint64_t size, std::size_t read, std::size_t held) {
    const std::uint64_t most = IsUtf16(encoding) ? size / 2 * 3 + 4 : size;
    const std::uint64_t told = read == 0 ? size : held * size / read + (size - read) / 16 + 16;
    // Never more than the editor holds: a text that fits must not be refused for the room asked.
    return static_cast<std::size_t>(std::min({most, told, kMaxOpenBytes - 1}));
}

// A file in a format that is converted, decoded a piece at a time into the editor with the answers
// ReadText would give. Nothing when the file does not read exactly in the format: `notice` then tells the
// user so, and the file is to be held as its bytes; the editor is as it was.
std::optional<LoadedText> DecodeFrom(IFileReader& reader, IEditor& editor, const std::string& name, TextFormat format,
                                     bool markFromFile, const ProgressScope& progress, std::string& notice) {
    const std::uint64_t size = reader.Size();
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kPieceBytes)), '\0');
    if (markFromFile) format.bom = false;
    std::optional<PieceDecoder> decoder;
    std::unique_ptr<ITextFill> fill;
    LineBreakScanner breaks;
    bool nulInFile = false, nulInText = false;
    std::optional<TextNotHeldError> notHeld;
    // Each refusal waits for the end: Decode names a byte that does not decode, wherever it lies, before
    // them, and a refused text is no longer filled.
    const auto put = [&](std::string_view held) {
        if (held.empty()) return;
        breaks.Feed(held);
        nulInText = nulInText || held.find('\0') != std::string_view::npos;
        if (nulInText || notHeld) return;
        try {
            fill->Append(held);
        } catch (const TextNotHeldError& e) {
            notHeld = e;
        }
    };
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t got = reader.Read(buffer.data(), buffer.size());
        if (got == 0) throw Error(FormatText("ファイル %s は開けません", name));
        const std::string_view piece(buffer.data(), got);
        if (!decoder) {
            const std::string_view bom = BomOf(format.encoding);
            if (markFromFile) format.bom = !bom.empty() && piece.starts_with(bom);
            decoder.emplace(format);
        }
        done += got;
        nulInFile = nulInFile || piece.find('\0') != std::string_view::npos;
        const std::string_view held = decoder->Feed(piece);
        if (!fill) fill = editor.StartFill(HeldRoom(format.encoding, size, got, held.size()));
        put(held);
        progress.Step(done, size);
        // Once a byte does not decode, the rest is read only for the NULs that refuse a UTF-16 file.
        if (decoder->Decided() && (!IsUtf16(format.encoding) || nulInFile)) break;
    }
    if (!decoder) decoder.emplace(format);
    if (!fill) fill = editor.StartFill(0);
    put(decoder->Finish());
    if (!decoder->Exact()) {
        notice = NotExact(name, format, decoder->Offset(), decoder->Reason(), nulInFile);
        return std::nullopt;
    }
    if (nulInText) RefuseNul(std::string_view("\0", 1), name);
    if (notHeld) throw NotHeld(name, *notHeld);
    format.lineBreak = breaks.Style();
    RedrawOff redrawOff(editor);
    try {
        fill->Commit(HeldAsUtf8(format.encoding));
    } catch (const TextNotHeldError& e) {
        throw NotHeld(name, e);
    }
    editor.SetNewLine(LineBreakBytes(breaks.Enter()));
    return LoadedText{format, {}, {}};
}

}  // namespace

void RefuseTooLarge(const std::string& name, std::uint64_t size) {
    if (size <= kMaxOpenBytes) return;
    // Tenths of a gigabyte, cut rather than rounded: a size is never shown as larger than it is.
    const std::uint64_t tenths = size * 10 / (std::uint64_t{1} << 30);
    const std::string shown = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GB";
    throw Error(FormatText("ファイル %s は ", name) + shown + " あり、開ける大きさ (2 GB 未満) を越えるため開けません");
}

LoadedText ReadText(ITextFiles& files, const std::string& name, std::optional<Encoding> asked) {
    return FromBytes(files.ReadAll(name), name, asked);
}

LoadedText LoadText(ITextFiles& files, IEditor& editor, const std::string& name, std::optional<Encoding> asked,
                    IProgress* progress) {
    std::unique_ptr<IFileReader> reader = files.OpenToRead(name);
    RefuseTooLarge(name, reader->Size());
    const ProgressScope scope(progress, "ファイルを開く");
    const auto readAgain = [&] {
        reader = files.OpenToRead(name);
        RefuseTooLarge(name, reader->Size());
    };
    TextFormat format{asked.value_or(Encoding::ShiftJis)};
    if (!asked || HeldAsItIs(*asked)) {
        if (std::optional<LoadedText> loaded = FillFrom(*reader, editor, name, asked, scope, &format)) return *loaded;
        readAgain();  // a converted format after all: read again, decoding
    }
    std::string notice;
    if (std::optional<LoadedText> loaded =
            DecodeFrom(*reader, editor, name, format, asked.has_value(), scope, notice)) {
        return *loaded;
    }
    readAgain();  // not exact in its format: held as its bytes
    std::optional<LoadedText> loaded = FillFrom(*reader, editor, name, Encoding::ShiftJis, scope, &format);
    if (!loaded) throw Error(FormatText("ファイル %s は開けません", name));  // Shift-JIS is always held as it is
    loaded->notice = std::move(notice);
    return *loaded;
}

void PutText(IEditor& editor, const std::string& name, const TextFormat& format, std::string_view held, bool undoable) {
    RedrawOff redrawOff(editor);
    const bool wasUtf8 = editor.Utf8();
    editor.SetUtf8(HeldAsUtf8(format.encoding));
    try {
        if (undoable)
            editor.ReplaceText(held);
        else
            editor.SetText(held);
    } catch (const TextNotHeldError& e) {
        editor.SetUtf8(wasUtf8);
        throw NotHeld(name, e);
    } catch (...) {
        editor.SetUtf8(wasUtf8);
        throw;
    }
    editor.SetNewLine(LineBreakBytes(EnterLineBreak(held)));
}

void WriteText(ITextFiles& files, const std::string& name, std::string_view held, const TextFormat& format,
               IProgress* progress) {
    // The held bytes are the file's own for Shift-JIS and UTF-8: written as they are, without a copy; the
    // other formats are encoded a slice at a time.
    PieceEncoder encoder(held, format);
    const ProgressScope scope(progress, "ファイルの保存");
    files.WritePieces(name, held.size() + (format.bom ? 3 : 0), [&] {
        scope.Step(encoder.Done(), held.size());
        return encoder.Next();
    });
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
