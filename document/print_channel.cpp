#include "document/print_channel.h"

#include <vector>

#include "platform/byte_string.h"
#include "platform/editor.h"
#include "platform/error.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

// Start of the character that ends just before `end` (a double-byte character is stepped over whole).
std::size_t PreviousCharEnd(std::string_view text, std::size_t end) {
    std::size_t pos = 0, last = 0;
    while (pos < end) {
        last = pos;
        pos = NextCharPos(text, pos);
    }
    return last;
}

}  // namespace

PrintChannel::PrintChannel(IPrintDevice& device) : m_device(device), m_metrics(device.Metrics()) {}

void PrintChannel::Write(std::string_view text) {
    std::size_t runStart = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = NextCharPos(text, pos)) {
        const char c = text[pos];
        if (c != '\t' && c != '\n' && c != '\r' && c != '\f') continue;
        DrawRun(text.substr(runStart, pos - runStart));
        runStart = pos + 1;
        if (c == '\t') {
            const int stop = 8 * m_metrics.aveCharWidth;
            if (stop > 0) m_x = stop * ((m_x + 1) / stop + 1);
            if (m_x > m_metrics.pageWidth) EndLine();
        } else if (c == '\n') {
            EndLine();
        } else if (c == '\f') {
            NewPage();
        }
    }
    DrawRun(text.substr(runStart));
}

void PrintChannel::DrawRun(std::string_view run) {
    while (!run.empty()) {
        std::size_t length = run.size();
        while (length > 0 && m_x + m_device.TextWidth(run.substr(0, length)) > m_metrics.pageWidth) {
            length = PreviousCharEnd(run, length);
        }
        // A character wider than the whole line is drawn alone on its own line, clipped: waiting for it
        // to fit would never end.
        if (length == 0 && m_x == 0) length = NextCharPos(run, 0);
        const std::string_view piece = run.substr(0, length);
        const int height = m_device.TextHeight(piece);
        if (height > m_lineHeight) m_lineHeight = height + 2;
        if (!piece.empty()) {
            for (; m_pendingPages > 0; --m_pendingPages) m_device.NewPage();
            m_device.DrawText(m_x, m_y, piece);
        }
        run.remove_prefix(length);
        if (!run.empty()) {
            EndLine();
        } else {
            m_x += m_device.TextWidth(piece);
        }
    }
}

void PrintChannel::EndLine() {
    const int lineHeight = m_lineHeight;
    m_x = 0;
    m_y += lineHeight > 0 ? lineHeight : m_metrics.charHeight;
    if (m_y > m_metrics.pageHeight - 2 * lineHeight) NewPage();
    m_lineHeight = 0;
}

void PrintChannel::NewPage() {
    m_x = 0;
    m_y = 0;
    ++m_pendingPages;
}

void PrintLines(IEditor& editor, IPrinter& printer) {
    // Refused before the dialog: a second job cannot start while one is spooled.
    if (printer.Printing()) throw Error("現在印刷中です");
    if (!printer.ChoosePrinter()) return;
    // The whole text, not the editor's lines: those are display rows under word wrap and capped in length.
    const std::string text = editor.Text();
    const std::vector<std::string_view> lines = SplitLines(text);

    std::unique_ptr<IPrintJob> job = printer.StartJob();
    PrintChannel channel(job->Device());
    try {
        for (const std::string_view line : lines) {
            channel.Write(line);
            channel.EndLine();
        }
    } catch (...) {
        job->Close();
        throw;
    }
    job->Close();
}

}  // namespace tovel
