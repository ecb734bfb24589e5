#pragma once
// Pours lines of text onto printer pages: from the top-left corner of the printable area, a tab to the
// next stop of eight average character widths, a line too wide broken between characters (never inside
// a double-byte one), a new page when the next line would come within two line heights of the bottom.
// A page is started only once something is drawn on it, so a text that fills its last page exactly, or
// ends in a form feed or blank lines, adds no blank sheet.
#include <string_view>

#include "platform/editor.h"
#include "platform/printer.h"

namespace tovel {

class PrintChannel {
public:
    explicit PrintChannel(IPrintDevice& device);

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

    IPrintDevice& m_device;
    PrinterMetrics m_metrics;
    int m_x = 0;
    int m_y = 0;
    int m_lineHeight = 0;    // 0 until something is drawn on the line
    int m_pendingPages = 0;  // page breaks not yet handed to the device
};

// Prints the editor's text as the file's lines (split at its line breaks, each line whole, whatever the
// editor's wrapping), read once before the job starts so that no command handled meanwhile (the spooler
// lets the window take commands) can mix two texts into one job. Nothing happens when the dialog is
// cancelled.
void PrintLines(IEditor& editor, IPrinter& printer);

}  // namespace tovel
