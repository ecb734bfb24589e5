#include "app/tovel_unit.h"

#include <imm.h>

#include "app/settings_file.h"
#include "platform/error.h"
#include "platform/text_file_rules.h"
#include "platform/win32/win32_ini_file.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TTovForm";
constexpr char kDesignCaption[] = "tovel editor";
constexpr int kDesignLeft = 258, kDesignTop = 176, kDesignClientWidth = 529, kDesignClientHeight = 348;
constexpr int kBandHeight = 41, kGutterWidth = 37;
constexpr int kNoteId = 100;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TTovForm::TTovForm(Application& app, StartupContext startup) : WindowBase(app), m_startup(std::move(startup)) {
    RegisterClassOnce(app.Instance(), kClassName, LoadIconA(app.Instance(), "MAINICON"),
                      reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1));
    {
        HDC screen = GetDC(nullptr);
        m_dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    RECT outer{0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    Create(kClassName, kDesignCaption, kStyle, 0, kDesignLeft, kDesignTop, outer.right - outer.left,
           outer.bottom - outer.top, app.Handle(), nullptr);
    if (!Handle()) throw Error("メインウィンドウを作成できません");
    app.SetMainWindow(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    m_note = std::make_unique<EditControl>(
        Handle(), kNoteId, RECT{Scale(kGutterWidth), Scale(kBandHeight), client.right, client.bottom});
    try {
        FormCreate();
    } catch (...) {
        app.ReportCurrentException();
    }
}

std::string TTovForm::TitleLine() const { return m_globals.CurrentName + m_globals.ModMark + m_globals.BaseTitle; }

void TTovForm::FormCreate() {
    m_globals.CurrentName = m_startup.arguments.empty() ? kUntitledName : m_startup.arguments.front();
    m_mixList = MixList();
    m_globals.AppDir = m_startup.appDir;
    Win32IniFile ini(m_globals.AppDir + kSettingsFileName);

    // Each bound is applied before the next is read, so each default is the value as it stands.
    RECT r;
    GetWindowRect(Handle(), &r);
    const int height = ReadInteger(ini, kFormSection, keys::kHeight, r.bottom - r.top);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(Handle(), &r);
    const int width = ReadInteger(ini, kFormSection, keys::kWidth, r.right - r.left);
    SetWindowPos(Handle(), nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(Handle(), &r);
    const int top = ReadInteger(ini, kFormSection, keys::kTop, r.top);
    SetWindowPos(Handle(), nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(Handle(), &r);
    const int left = ReadInteger(ini, kFormSection, keys::kLeft, r.left);
    SetWindowPos(Handle(), nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    m_note->SetColor(ReadInteger(ini, kFormSection, keys::kNoteColor, m_note->Color()));
    m_note->SetFontColor(ReadInteger(ini, kFormSection, keys::kNoteFontColor, m_note->FontColor()));

    const std::string toolBitmap = ini.ReadText(kFormSection, keys::kToolBitmap, "");
    const std::string ime = ini.ReadText(kFormSection, keys::kIme, "");
    const std::string wordWrap = ini.ReadText(kFormSection, keys::kWordWrap, "");

    // A broken picture must not keep the document from opening: report it and go on.
    if (IsExistingFile(toolBitmap)) {
        try {
            LoadToolBitmap(toolBitmap);
        } catch (...) {
            App().ReportCurrentException();
        }
    }
    if (ime == "ON") {
        if (HIMC context = ImmGetContext(m_note->Handle())) {
            ImmSetOpenStatus(context, TRUE);
            ImmReleaseContext(m_note->Handle(), context);
        }
    }
    if (wordWrap == "NO") m_note->SetWordWrap(false);

    m_globals.ModMark = kCleanMark;
    char caption[256] = {};
    GetWindowTextA(Handle(), caption, sizeof caption);
    m_globals.BaseTitle = caption;
    SetWindowTextA(Handle(), TitleLine().c_str());
    App().SetTitle(m_globals.CurrentName + kCleanMark + m_globals.BaseTitle);
    m_globals.TopMostState = "OFF";

    if (m_globals.CurrentName != kUntitledName) LoadFromFile(*m_note, m_files, m_globals.CurrentName);
}

void TTovForm::LoadToolBitmap(const std::string& path) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) throw Error("ビットマップイメージが不正です");
    m_toolBitmap.Reset(bitmap);
    RECT band{0, 0, 0, Scale(kBandHeight)};
    GetClientRect(Handle(), &band);
    band.bottom = Scale(kBandHeight);
    InvalidateRect(Handle(), &band, TRUE);
}

void TTovForm::FormClose() {
    // Each step is reported on its own and never keeps the window from closing.
    try {
        SaveToFile(*m_note, m_files, kBackupFileName);
    } catch (...) {
        App().ReportCurrentException();
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    if (IsIconic(Handle())) {
        WINDOWPLACEMENT placement{sizeof placement};
        GetWindowPlacement(Handle(), &placement);
        r = placement.rcNormalPosition;
    }
    Win32IniFile ini(m_globals.AppDir + kSettingsFileName);
    const std::pair<const char*, std::int32_t> values[] = {
        {keys::kHeight, r.bottom - r.top},      {keys::kWidth, r.right - r.left},
        {keys::kTop, r.top},                    {keys::kLeft, r.left},
        {keys::kNoteColor, m_note->Color()},    {keys::kNoteFontColor, m_note->FontColor()},
    };
    // Every key is tried; a settings file that cannot be written is reported once, not six times.
    std::exception_ptr firstFailure;
    for (const auto& [key, value] : values) {
        try {
            WriteInteger(ini, kFormSection, key, value);
        } catch (...) {
            if (!firstFailure) firstFailure = std::current_exception();
        }
    }
    if (firstFailure) {
        try {
            std::rethrow_exception(firstFailure);
        } catch (...) {
            App().ReportCurrentException();
        }
    }
}

void TTovForm::LayOut() {
    if (!m_note) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int left = Scale(kGutterWidth), top = Scale(kBandHeight);
    MoveWindow(m_note->Handle(), left, top, std::max(0L, client.right - left), std::max(0L, client.bottom - top), TRUE);
}

void TTovForm::PaintBand(HDC dc) {
    if (!m_toolBitmap.Get()) return;
    BITMAP info{};
    GetObjectA(m_toolBitmap.Get(), sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    {
        ScopedSelect select(memory, m_toolBitmap.Get());
        RECT client;
        GetClientRect(Handle(), &client);
        const int bandHeight = Scale(kBandHeight);
        // The picture is tiled across the band, as a band background is.
        for (int y = 0; y < bandHeight && info.bmHeight > 0; y += info.bmHeight) {
            for (int x = 0; x < client.right && info.bmWidth > 0; x += info.bmWidth) {
                BitBlt(dc, x, y, info.bmWidth, std::min<int>(info.bmHeight, bandHeight - y), memory, 0, 0, SRCCOPY);
            }
        }
    }
    DeleteDC(memory);
}

LRESULT TTovForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_SETFOCUS:
            if (m_note) SetFocus(m_note->Handle());
            return 0;
        case WM_CTLCOLOREDIT:
            if (m_note && reinterpret_cast<HWND>(lp) == m_note->Handle()) {
                return reinterpret_cast<LRESULT>(m_note->OnCtlColor(reinterpret_cast<HDC>(wp)));
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            PaintBand(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_MINIMIZE) {
                App().Minimize();
                return 0;
            }
            break;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

}  // namespace tovel
