#include "platform/win32/win32_printer.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <climits>
#include <string>

#include "platform/error.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

Win32Printer* g_spooling = nullptr;  // the printer whose job the abort procedure serves (one at a time)

// The printer and device names of a selection, or the system's default printer's.
bool PrinterNames(HGLOBAL devNames, std::string& driver, std::string& device) {
    if (!devNames) {
        char name[512] = {};
        DWORD size = sizeof name;
        if (!GetDefaultPrinterA(name, &size)) return false;
        driver = "WINSPOOL";
        device = name;
        return true;
    }
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names) return false;
    const char* base = reinterpret_cast<const char*>(names);
    driver = base + names->wDriverOffset;
    device = base + names->wDeviceOffset;
    GlobalUnlock(devNames);
    return true;
}

}  // namespace

class Win32PrintJob : public IPrintJob, private IPrintDevice {
public:
    Win32PrintJob(Win32Printer& printer, HDC dc) : m_printer(printer), m_dc(dc) {
        m_font.Reset(CreateUserInterfaceFont(GetDeviceCaps(dc, LOGPIXELSY)));
        SelectObject(dc, m_font.Get());
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        m_metrics = {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), static_cast<int>(tm.tmHeight),
                     static_cast<int>(tm.tmAveCharWidth)};
        m_printer.m_printing = true;
        g_spooling = &m_printer;
        SetAbortProc(dc, &Win32Printer::AbortProc);
        DOCINFOA doc{sizeof doc};
        doc.lpszDocName = "";
        StartDocA(dc, &doc);
        StartPage(dc);
    }
    ~Win32PrintJob() override { Close(); }

    IPrintDevice& Device() override { return *this; }
    void Close() override {
        if (!m_dc) return;
        EndPage(m_dc);
        EndDoc(m_dc);
        Release();
    }
    void Abort() override {
        if (!m_dc) return;
        AbortDoc(m_dc);
        Release();
    }

private:
    PrinterMetrics Metrics() override { return m_metrics; }
    void SetUtf8(bool utf8) override { m_utf8 = utf8; }
    int TextWidth(std::string_view text) override { return Extent(text).cx; }
    int TextHeight(std::string_view text) override { return Extent(text).cy; }
    void DrawText(int x, int y, std::string_view text) override {
        if (m_utf8) {
            const std::wstring wide = Widen(text);
            TextOutW(m_dc, x, y, wide.data(), static_cast<int>(wide.size()));
        } else {
            TextOutA(m_dc, x, y, text.data(), static_cast<int>(text.size()));
        }
    }
    void NewPage() override {
        EndPage(m_dc);
        StartPage(m_dc);
    }
    void Release() {
        DeleteDC(m_dc);
        m_dc = nullptr;
        m_printer.m_printing = false;
        g_spooling = nullptr;
    }
    SIZE Extent(std::string_view text) {
        SIZE size{};
        if (m_utf8) {
            const std::wstring wide = Widen(text);
            GetTextExtentPoint32W(m_dc, wide.data(), static_cast<int>(wide.size()), &size);
        } else {
            GetTextExtentPoint32A(m_dc, text.data(), static_cast<int>(text.size()), &size);
        }
        return size;
    }
    // UTF-8 drawn through the wide calls; a byte that is not well-formed shows as the replacement mark.
    static std::wstring Widen(std::string_view utf8) {
        if (utf8.empty() || utf8.size() > INT_MAX / 2) return {};
        const int n = static_cast<int>(utf8.size());
        const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
        if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, wide.data(), units);
        return wide;
    }

    Win32Printer& m_printer;
    HDC m_dc;
    ScopedFont m_font;
    PrinterMetrics m_metrics;
    bool m_utf8 = false;
};

Win32Printer::Win32Printer(std::function<HWND()> owner, std::function<void(MSG&)> pump,
                           std::function<void(const std::function<void()>&)> modal)
    : m_owner(std::move(owner)), m_pump(std::move(pump)), m_modal(std::move(modal)) {}

Win32Printer::~Win32Printer() {
    if (m_devMode) GlobalFree(m_devMode);
    if (m_devNames) GlobalFree(m_devNames);
}

BOOL CALLBACK Win32Printer::AbortProc(HDC, int) {
    // Lets the program's loop run while the spooler works; the job is never aborted. A quit request
    // (the window closed meanwhile) is put back for the program's own loop, and pumping stops.
    MSG msg;
    while (g_spooling && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (g_spooling->m_pump) g_spooling->m_pump(msg);
    }
    return TRUE;
}

bool Win32Printer::ChoosePrinter() {
    std::string driver, device;
    if (!m_devNames && !PrinterNames(nullptr, driver, device)) throw Error("デフォルト プリンタが存在しません");
    PRINTDLGA pd{sizeof pd};
    pd.hwndOwner = m_owner ? m_owner() : nullptr;
    pd.hDevMode = m_devMode;
    pd.hDevNames = m_devNames;
    pd.Flags = PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING | PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nCopies = 1;
    BOOL ok = FALSE;
    const auto run = [&] { ok = PrintDlgA(&pd); };
    if (m_modal) {
        m_modal(run);
    } else {
        run();
    }
    // The dialog may hand back new handles for the selection even when cancelled.
    m_devMode = pd.hDevMode;
    m_devNames = pd.hDevNames;
    if (!ok) {
        if (CommDlgExtendedError() == PDERR_NODEFAULTPRN) throw Error("デフォルト プリンタが存在しません");
        return false;
    }
    auto* mode = m_devMode ? static_cast<DEVMODEA*>(GlobalLock(m_devMode)) : nullptr;
    if (!mode) throw Error("選択されたプリンタではサポートされていない機能です");
    if (pd.nCopies > 1 || !(mode->dmFields & DM_COPIES)) {
        mode->dmCopies = static_cast<short>(pd.nCopies > 0 ? pd.nCopies : 1);
        mode->dmFields |= DM_COPIES;
    }
    GlobalUnlock(m_devMode);
    return true;
}

std::unique_ptr<IPrintJob> Win32Printer::StartJob() {
    if (m_printing) throw Error("現在印刷中です");
    std::string driver, device;
    if (!PrinterNames(m_devNames, driver, device)) throw Error("選択したプリンタは有効ではありません");
    const auto* mode = m_devMode ? static_cast<const DEVMODEA*>(GlobalLock(m_devMode)) : nullptr;
    HDC dc = CreateDCA(driver.c_str(), device.c_str(), nullptr, mode);
    if (m_devMode) GlobalUnlock(m_devMode);
    if (!dc) throw Error("選択したプリンタは有効ではありません");
    return std::make_unique<Win32PrintJob>(*this, dc);
}

}  // namespace tovel
