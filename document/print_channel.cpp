#include "document/print_channel.h"

#include <algorithm>
#include <vector>

#include "platform/byte_string.h"
#include "platform/editor.h"
#include "platform/error.h"
#include "platform/sjis.h"
#include "platform/utf8_steps.h"

namespace tovel {
namespace {

constexpr std::size_t kPrintStretch = std::size_t{1} << 16;

}  // namespace

PrintChannel::PrintChannel(IPrintDevice& device, bool utf8)
    : m_device(device), m_metrics(device.Metrics()), m_utf8(utf8) {
    m_device.SetUtf8(utf8);
}

std::size_t PrintChannel::NextChar(std::string_view text, std::size_t pos) const {
    return m_utf8 ? NextUtf8CharPos(text, pos) : NextCharPos(text, pos);
}

void PrintChannel::Write(std::string_view text) {
    std::size_t runStart = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = NextChar(text, pos)) {
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
    // Where each character of the run ends, found once: a long line is cut into many printed lines, and
    // stepping back over double-byte characters from the start each time would take the square of its length.
    std::vector<std::size_t> ends;
    for (std::size_t pos = 0; pos < run.size();) ends.push_back(pos = NextChar(run, pos));
    std::size_t start = 0, done = 0;  // bytes drawn, and characters drawn
    while (start < run.size()) {
        const auto fits = [&](std::size_t count) {
            return m_x + m_device.TextWidth(run.substr(start, ends[done + count - 1] - start)) <= m_metrics.pageWidth;
        };
        // The most characters that fit on this line: widths grow with length, so the count is doubled
        // until it overshoots, then halved back: the cost follows what is drawn, not what is left.
        const std::size_t left = ends.size() - done;
        std::size_t good = 0, bad = left + 1;
        for (std::size_t probe = 64; good + 1 < bad;) {
            const std::size_t count = bad <= left ? good + (bad - good) / 2 : std::min(probe, left);
            (fits(count) ? good : bad) = count;
            if (good == left) break;
            probe *= 2;
        }
        // A character wider than the whole line is drawn alone on its own line, clipped: waiting for it
        // to fit would never end.
        if (good == 0 && m_x == 0) good = 1;
        const std::size_t length = good == 0 ? 0 : ends[done + good - 1] - start;
        const std::string_view piece = run.substr(start, length);
        const int height = m_device.TextHeight(piece);
        if (height > m_lineHeight) m_lineHeight = height + 2;
        if (!piece.empty()) {
            for (; m_pendingPages > 0; --m_pendingPages) m_device.NewPage();
            m_device.DrawText(m_x, m_y, piece);
        }
        start += length;
        done += good;
        if (start < run.size()) {
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

void PrintLines(IEditor& editor, IPrinter& printer, IProgress* progress) {
    // Refused before the dialog: a second job cannot start while one is spooled.
    if (printer.Printing()) throw Error("現在印刷中です");
    if (!printer.ChoosePrinter()) return;
    // The whole text, not the editor's lines: those are display rows under word wrap and capped in length.
    const std::string text = editor.Text();
    const bool utf8 = editor.Utf8();

    const ProgressScope steps(progress, "印刷");
    std::unique_ptr<IPrintJob> job = printer.StartJob();
    PrintChannel channel(job->Device(), utf8);
    try {
        // Told once per stretch of the text: the check costs nothing beside the drawing.
        std::size_t nextStep = kPrintStretch;
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            const char* start = p;
            while (p < end && *p != '\r' && *p != '\n') ++p;
            channel.Write({start, static_cast<std::size_t>(p - start)});
            channel.EndLine();
            if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
            if (static_cast<std::size_t>(p - text.data()) >= nextStep) {
                steps.Step(p - text.data(), text.size());
                nextStep = p - text.data() + kPrintStretch;
            }
        }
        steps.Step(text.size(), text.size());
    } catch (const Cancelled&) {
        job->Abort();  // a stopped print sends nothing, not the pages drawn so far
        throw;
    } catch (...) {
        job->Close();
        throw;
    }
    job->Close();
}

}  // namespace tovel
