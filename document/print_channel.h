#pragma once
// Pours lines of text onto printer pages: from the top-left corner of the printable area, a tab to the
// next stop of eight average character widths, a line too wide broken between characters (never inside
// a double-byte or UTF-8 one), a new page when the next line would come within two line heights of the bottom.
// A page is started only once something is drawn on it, so a text that fills its last page exactly, or
// ends in a form feed or blank lines, adds no blank sheet.
#include <string_view>

#include "platform/editor.h"
#include "platform/printer.h"
#include "platform/progress.h"

namespace tovel {

class PrintChannel {
public:
    // `utf8`: the text is held as UTF-8 (the device is told so), and lines break between its characters.
    explicit PrintChannel(IPrintDevice& device, bool utf8 = false);

    // Draws the bytes: tab, line feed, carriage return and form feed act; every other byte is text.
    void Write(std::string_view text);
    // Ends the current line.
    void EndLine();
    // Moves to the top of the next page; the device turns the page when the next text is drawn.
    void NewPage();

    int X() const { return m_x; }
    int Y() const { return m_y; }

private:
    void DrawRun(std::string_view run);

    std::size_t NextChar(std::string_view text, std::size_t pos) const;

    IPrintDevice& m_device;
    PrinterMetrics m_metrics;
    bool m_utf8;
    int m_x = 0;
    int m_y = 0;
    int m_lineHeight = 0;    // 0 until something is drawn on the line
    int m_pendingPages = 0;  // page breaks not yet handed to the device
};

// Prints the editor's text as the file's lines (split at its line breaks, CR LF, LF and CR alike, each line
// whole, whatever the editor's wrapping), in the form the editor holds it (Shift-JIS or UTF-8), read once before the
// job starts so that no command handled meanwhile (the spooler lets the window take commands) can mix two texts into
// one job. Nothing happens when the dialog is cancelled. The job shows its progress; stopped there, it is
// aborted and nothing of it is printed.
void PrintLines(IEditor& editor, IPrinter& printer, IProgress* progress = nullptr);

}  // namespace tovel
