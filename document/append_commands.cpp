#include "document/append_commands.h"

#include <cstdint>
#include <optional>
#include <string>

#include "document/text_format.h"
#include "platform/byte_string.h"
#include "platform/error.h"

namespace tovel {
namespace {

// The line, counted from 1, that holds the byte at `offset`: CR LF, LF and CR each end one.
std::size_t LineOf(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t pos = 0; pos < offset && pos < text.size(); ++pos) {
        const bool crBeforeLf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
        if ((text[pos] == '\r' && !crBeforeLf) || text[pos] == '\n') ++line;
    }
    return line;
}

std::string HeldName(bool utf8) { return utf8 ? "UTF-8" : "Shift_JIS"; }

// The text, held as UTF-8 or as Shift-JIS bytes, in the other held form where they differ; where they do
// not, nothing (the text is taken as it is, without a copy).
std::optional<Conversion> Cross(ICodePage& codePage, std::string_view text, bool fromUtf8, bool toUtf8) {
    if (fromUtf8 == toUtf8) return std::nullopt;
    return fromUtf8 ? codePage.Utf8ToShiftJis(text) : codePage.ShiftJisToUtf8(text);
}

// The stages each append goes through, each told to the progress once done: the user may stop it between
// them, and the editor or the file is touched only after the last.
constexpr std::uint64_t kStages = 4;

bool HasBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }
bool EndsWithBreak(std::string_view text) { return !text.empty() && (text.back() == '\r' || text.back() == '\n'); }

// The file's bytes as text held in its format; refused when they do not read back exactly or hold NUL.
std::string ReadHeld(const std::string& name, std::string_view bytes, const TextFormat& format) {
    if (bytes.empty()) return {};
    DecodeResult file = Decode(bytes, format);
    if (!file.exact) {
        throw Error(FormatText("ファイル %s は ", name) + EncodingName(format.encoding, format.bom) +
                    " として正しく読めないため使えません。" + file.reason);
    }
    if (file.held.find('\0') != std::string::npos)
        throw Error(FormatText("ファイル %s は NUL 文字を含むため開けません", name));
    return std::move(file.held);
}

}  // namespace

std::string_view AppendCommands::DocumentBreak() {
    const LineBreak style = m_document.Format.lineBreak;
    return LineBreakBytes(style != LineBreak::Mixed ? style : EnterLineBreak(m_editor.TextView()));
}

void AppendCommands::MixOpen() {
    const auto chosen = m_fileDialogs.ChooseFileToOpen();
    if (!chosen) return;
    const std::string& name = *chosen;
    const ProgressScope progress(m_progress, "追加で開く");
    TextFormat format;
    std::string text;
    {
        const std::string bytes = m_files.ReadAll(name);
        format = DetectFormat(bytes);
        text = ReadHeld(name, bytes, format);
    }  // the file's bytes go before the text is converted
    progress.Step(1, kStages);
    const bool utf8 = m_editor.Utf8();
    std::optional<Conversion> crossed = Cross(m_codePage, text, HeldAsUtf8(format.encoding), utf8);
    const auto refuse = [&](std::size_t line, const std::string& encoding) {
        throw Error(FormatText("ファイル %s の ", name) + std::to_string(line) + " 行目に この文書の文字コード (" +
                    encoding + ") で表せない文字があるため、追加しませんでした");
    };
    if (crossed && !crossed->Exact()) refuse(LineOf(text, *crossed->failedAt), HeldName(utf8));
    std::string held = crossed ? std::move(crossed->text) : std::move(text);
    crossed.reset();
    progress.Step(2, kStages);
    // A document saved in a narrower set than its held form (EUC-JP, JIS) takes only what it can save.
    const TextFormat& document = m_document.Format;
    if (HeldAsUtf8(document.encoding) == utf8) {
        if (const auto unfit = FindUnencodable(held, document))
            refuse(unfit->line, EncodingName(document.encoding, false));
    }
    // The list takes the lines only once the append goes ahead.
    MixList list;
    list.SetText(std::move(held));
    progress.Step(3, kStages);
    const std::string lines = list.Text(DocumentBreak());
    progress.Step(kStages, kStages);
    m_list = std::move(list);
    m_editor.Add(lines);
}

void AppendCommands::MixSave() {
    const auto chosen = m_fileDialogs.ChooseFileToSave();
    if (!chosen) return;
    const std::string& name = *chosen;
    const ProgressScope progress(m_progress, "追加保存");
    // The file must exist and be read whole, or nothing is written.
    const std::string bytes = m_files.ReadAll(name);
    const TextFormat format = bytes.empty() ? m_document.Format : DetectFormat(bytes);
    std::string held = ReadHeld(name, bytes, format);
    progress.Step(1, kStages);

    // The editor's text is read in place: nothing changes it while the command runs.
    const std::string_view text = m_editor.TextView();
    std::optional<Conversion> crossed = Cross(m_codePage, text, m_editor.Utf8(), HeldAsUtf8(format.encoding));
    const auto refuse = [&](std::size_t line) {
        throw Error(std::to_string(line) + " 行目の文字を ファイル " + name + " の文字コード (" +
                    EncodingName(format.encoding, format.bom) + ") で表せないため、追加で保存しませんでした");
    };
    if (crossed && !crossed->Exact()) refuse(LineOf(text, *crossed->failedAt));
    const std::string_view entry = crossed ? std::string_view(crossed->text) : text;
    if (const auto unfit = FindUnencodable(entry, format)) refuse(unfit->line);
    progress.Step(2, kStages);

    const LineBreak style = HasBreak(held) ? EnterLineBreak(held) : LineBreak::Mixed;
    const std::string_view lineBreak = style != LineBreak::Mixed ? LineBreakBytes(style) : DocumentBreak();
    if (!held.empty() && !EndsWithBreak(held)) held += lineBreak;
    if (style != LineBreak::Mixed) {
        held += ConvertLineBreaks(entry, style);
    } else {
        held += entry;
    }
    crossed.reset();
    held += lineBreak;
    progress.Step(3, kStages);
    const std::string out = Encode(held, format);
    held = std::string();
    // The file's own bytes come first, unchanged; a writer that would change them is never let through.
    if (!out.starts_with(bytes))
        throw Error(FormatText("ファイル %s の元のバイトを保てないため、追加で保存しませんでした", name));
    progress.Step(kStages, kStages);
    m_files.WriteAll(name, out);
    m_sound.Beep();
    m_dialogs.ShowMessage("追加で保存しました");
}

}  // namespace tovel
