#pragma once
// The printer as the printing logic sees it. Contract: sizes and positions are device pixels of the
// printable area; text is ANSI (Shift-JIS) bytes, or UTF-8 once the device is told so (a document held as
// UTF-8 is drawn as the characters it holds); drawing never reports spooler failures.
#include <memory>
#include <string_view>

namespace tovel {

struct PrinterMetrics {
    int pageWidth = 0;  // the printable area
    int pageHeight = 0;
    int charHeight = 0;    // the printer font's character height
    int aveCharWidth = 0;  // and its average character width
};

// One page surface of a running job, in the printer font.
class IPrintDevice {
public:
    virtual ~IPrintDevice() = default;
    virtual PrinterMetrics Metrics() = 0;
    // Whether the text measured and drawn from now on is UTF-8 rather than Shift-JIS bytes.
    virtual void SetUtf8(bool utf8) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;
    virtual void DrawText(int x, int y, std::string_view text) = 0;
    // Ends the page and starts the next one.
    virtual void NewPage() = 0;
};

// One spooled document; destroying it ends the job (its pages so far are printed).
class IPrintJob {
public:
    virtual ~IPrintJob() = default;
    virtual IPrintDevice& Device() = 0;
    // Ends the last page and the job.
    virtual void Close() = 0;
    // Drops the job: nothing of it is printed. Close after it does nothing.
    virtual void Abort() = 0;
};

class IPrinter {
public:
    virtual ~IPrinter() = default;
    // True while a job is being spooled (commands still run then).
    virtual bool Printing() const = 0;
    // The print dialog for the selected printer; false when cancelled. Raises "デフォルト プリンタが存在しません"
    // when there is no printer at all, "選択されたプリンタではサポートされていない機能です" when the chosen
    // one has no settings to take the number of copies.
    virtual bool ChoosePrinter() = 0;
    // Starts a job on the selected printer. Raises "現在印刷中です" while one is running and
    // "選択したプリンタは有効ではありません" when the printer cannot be used.
    virtual std::unique_ptr<IPrintJob> StartJob() = 0;
};

}  // namespace tovel
