#include "app/win32/tovel_unit.h"

#include <imm.h>
#include <windowsx.h>

#include "AboutBox/win32/about_form.h"
#include "app/win32/shortcut_dispatch.h"
#include "app/win32/tool_band.h"
#include "document/backup_rule.h"
#include "document/format_files.h"
#include "gutter/win32/line_gutter.h"
#include "platform/error.h"
#include "platform/file_places.h"
#include "platform/win32/regional.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/user_folders.h"
#include "platform/win32/win32_ini_file.h"
#include "setting/settings_file.h"
#include "setting/win32/bitmap_file.h"
#include "setting/win32/setting_form.h"
#include "window/win32/screen_placement.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TTovForm";
constexpr char kDesignCaption[] = "tovel editor";
constexpr int kDesignLeft = 258, kDesignTop = 176, kDesignClientWidth = 529, kDesignClientHeight = 348;
constexpr int kNoteId = 100;
constexpr UINT_PTR kRecoveryTimer = 1;
constexpr UINT kRecoveryTickMs = 250;
constexpr UINT kRecoveryBusyTickMs = 10;  // while a copy is written in slices, one slice each
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;  // older headers do not have it
#endif

}  // namespace

TTovForm::TTovForm(Application& app, StartupContext startup)
    : WindowBase(app), m_app(app), m_startup(std::move(startup)), m_formats(ReadRegionalFormats()), m_dpi(ScreenDpi()) {
    RegisterClassOnce(app.Instance(), kClassName, LoadIconA(app.Instance(), "MAINICON"),
                      reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1));
    ScopedMenu menuBar = BuildMenuBar(MainMenu1());
    RECT outer{0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
    AdjustWindowRectEx(&outer, kStyle, TRUE, 0);
    m_designHeight = outer.bottom - outer.top;
    // WS_EX_ACCEPTFILES: files dropped from the shell, on the editor too, reach this window.
    Create(kClassName, kDesignCaption, kStyle, WS_EX_ACCEPTFILES, kDesignLeft, kDesignTop, outer.right - outer.left,
           outer.bottom - outer.top, app.Handle(), menuBar.Get());
    if (!Handle()) throw Error("メインウィンドウを作成できません");
    menuBar.Release();  // the window owns its menu bar now
    // The monitor the window opened on decides its scale, once the window exists to ask.
    if (const int dpi = WindowDpi(Handle()); dpi != m_dpi) {
        m_dpi = dpi;
        outer = {0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
        AdjustWindowRectEx(&outer, kStyle, TRUE, 0);
        m_designHeight = outer.bottom - outer.top;
        SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    app.SetMainWindow(Handle());
    CreateChildren();
    try {
        FormCreate();
    } catch (...) {
        app.ReportCurrentException();
    }
}

TTovForm::~TTovForm() {
    if (m_documentIcon) DestroyIcon(m_documentIcon);
}

void TTovForm::SetCompanions(TAbout_Form* about, TSettingForm* setting) {
    m_about = about;
    m_setting = setting;
}

void TTovForm::CreateChildren() {
    m_windowFont.Reset(CreateFormFont(Scale(12)));
    RECT client;
    GetClientRect(Handle(), &client);
    // Creation order is also the tab order: the editor first, so it holds the focus.
    const int top = Scale(LineGutter::kDesignTop), left = Scale(LineGutter::kDesignWidth);
    m_note = std::make_unique<ScintillaEditor>(Handle(), kNoteId, RECT{left, top, client.right, client.bottom});
    m_band = std::make_unique<ToolBand>(Handle(), Handle(), m_dpi, m_windowFont.Get());
    m_gutter = std::make_unique<LineGutter>(Handle(), m_dpi);
    m_status = std::make_unique<StatusBar>(Handle(), m_dpi, m_windowFont.Get());
    m_status->ShowFormat(m_shownFormat);
    CheckMenuCommand(MainMenu(), cmdStatusBarS3, m_status->Shown());
    m_notePopup = BuildPopupMenu(NotePopup());
    m_toolPopup = BuildPopupMenu(ToolPopup());
    // While a job is spooled, messages are handled as the program's loop does, shortcuts included. The
    // print dialog is modal like every other box: the program's windows take no input while it is open.
    m_platform = std::make_unique<Win32Platform>(
        App(), Handle(), m_startup.appDir,
        [this](MSG& msg) {
            if (PreviewMessage(msg)) return;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        },
        [this](const std::function<void()>& dialog) {
            ModalScope modal(&App());
            dialog();
        });
    const std::string name = m_startup.arguments.empty() ? kUntitledName : m_startup.arguments.front();
    m_commands = std::make_unique<TovelCommands>(
        CommandPlatform{*m_note, m_platform->files, m_platform->fileDialogs, m_platform->dialogs, m_platform->boxes,
                        m_platform->clipboard, m_platform->shell, m_platform->sound, m_platform->printer,
                        m_platform->desktop, m_platform->recoveryStore, m_platform->codePage, m_platform->formatChooser,
                        static_cast<IMainWindow&>(*this), m_formats, CurrentLocalTime, SystemLeadBytes(),
                        &m_platform->progress},
        name, m_startup.appDir, m_designHeight);
    m_note->SetErrorSink([this] { App().ReportCurrentException(); });
    m_note->SetEditObserver([this](std::size_t position, std::size_t deleted, std::string_view inserted) {
        m_commands->TextEdited(position, deleted, inserted);
    });
    m_note->SetChangeObserver([this] {
        m_commands->TextChanged();
        ShowCaretPlace();
    });
    m_note->SetMessageObserver([this](UINT msg, WPARAM wp, LPARAM lp) { return OnEditorMessage(msg, wp, lp); });
    // The status bar follows every key, mouse and input-method message, once the editor has moved the caret.
    // The document is marked modified by the change of its text alone (an arrow, Esc or the Ctrl+S that saved
    // leave it clean).
    m_note->SetAfterObserver([this](UINT msg, WPARAM, LPARAM) {
        if ((msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
            msg == WM_IME_COMPOSITION || msg == WM_IME_ENDCOMPOSITION) {
            ShowCaretPlace();
        }
    });
    // The gutter follows whatever moves or changes the editor's rows, as it happens.
    m_note->SetViewObserver([this] { RefreshGutter(); });
    LayOut();
}

void TTovForm::FormCreate() {
    Win32IniFile ini(SettingsFilePath());

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
    // A place stored on a monitor no longer there, or the minimized position of an older version, would
    // start the window where it cannot be reached. With nothing stored, the window stands wholly on screen.
    const bool placeStored =
        !ini.ReadText(kFormSection, keys::kLeft, "").empty() || !ini.ReadText(kFormSection, keys::kTop, "").empty();
    KeepOnScreen(Handle(), !placeStored);
    m_startMaximized = ReadSwitch(ini, kFormSection, keys::kMaximized, false);

    m_note->SetColor(ReadInteger(ini, kFormSection, keys::kNoteColor, m_note->Color()));
    m_note->SetFontColor(ReadInteger(ini, kFormSection, keys::kNoteFontColor, m_note->FontColor()));

    const std::string toolBitmap = ini.ReadText(kFormSection, keys::kToolBitmap, "");
    const std::string ime = ini.ReadText(kFormSection, keys::kIme, "");
    const std::string wordWrap = ini.ReadText(kFormSection, keys::kWordWrap, "");

    // A broken picture must not keep the document from opening: report it and go on.
    if (!toolBitmap.empty() && m_platform->files.Exists(toolBitmap)) {
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
    SetStatusBarShown(ReadSwitch(ini, kFormSection, keys::kStatusBar, true));

    m_commands->Start(WindowText(Handle()));  // the clean marker, the base title, caption and taskbar title

    try {
        m_commands->LoadStartupFile();
    } catch (...) {
        App().ReportCurrentException();
    }
    // Copies earlier runs could not save are offered once the window stands; then, whatever the offer
    // met, copies of this run's text are kept.
    try {
        m_commands->OfferLeftBehind();
    } catch (...) {
        App().ReportCurrentException();
    }
    ShowCaretPlace();
    SetTimer(Handle(), kRecoveryTimer, kRecoveryTickMs, nullptr);
}

void TTovForm::LoadToolBitmap(const std::string& path) {
    ScopedBitmap bitmap = LoadBitmapFile(path);  // raises before anything changes: the old picture stays
    m_band->SetBackground(bitmap.Get());
    m_toolBitmap = std::move(bitmap);
}

void TTovForm::ShowAtStart() {
    // Shown maximized straight from hidden, so no restored frame flashes first; the rectangle placed at
    // the start is the one a restore returns to.
    ShowWindow(Handle(), m_startMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

void TTovForm::ShowFoldCheck() {
    // Follows the window's height, so the check is right whatever folded or unfolded it: the menu, the
    // toolbar's menu, F11, a maximize or a drag of the frame.
    RECT r{};
    if (!GetWindowRect(Handle(), &r)) return;
    const bool folded = !IsZoomed(Handle()) && IsFoldedHeight(r.bottom - r.top);
    CheckMenuCommand(MainMenu(), cmdFoldF1, folded);
    if (m_toolPopup.Get()) CheckMenuCommand(m_toolPopup.Get(), cmdFoldF1, folded);
}

void TTovForm::MeasurePlacementOffset() {
    WINDOWPLACEMENT placement{sizeof placement};
    RECT r{};
    if (!GetWindowPlacement(Handle(), &placement) || !GetWindowRect(Handle(), &r)) return;
    m_placementOffset = {r.left - placement.rcNormalPosition.left, r.top - placement.rcNormalPosition.top};
}

void TTovForm::SaveBackup() {
    // Never over the document being closed (its owner may just have declined to save), and never an empty
    // text over an earlier backup that holds text: that backup may be the only copy of something.
    BackupFacts facts;
    Win32TextFiles& files = m_platform->files;
    const DocumentState& document = Document();
    // In the current folder; where that cannot take it (a program folder only an administrator may
    // change), in the user's profile.
    const std::string perUser = PerUserFolder("LOCALAPPDATA");
    std::string backupName = WritablePlace("", perUser, kBackupFileName,
                                           [&](const std::string& folder) { return files.FolderWritable(folder); });
    // A profile folder that cannot be made either: the current folder as always, and its failure is reported.
    if (backupName != kBackupFileName && !MakeFolders(perUser)) backupName = kBackupFileName;
    facts.backupPath = files.LongFullPath(backupName);
    if (!document.Untitled()) {
        facts.documentPath = files.LongFullPath(document.FullPath.empty() ? document.CurrentName : document.FullPath);
        facts.sameFile = files.SameFile(facts.documentPath, facts.backupPath);
    }
    facts.textSize = m_note->TextView().size();
    facts.existingBackupSize = files.SizeOf(facts.backupPath);
    if (DecideBackup(facts, SystemLeadBytes()) != BackupDecision::Write) return;
    // In the document's format, so that the backup of an unedited file is that file's bytes; a text the
    // format cannot hold any more is kept as the editor holds it rather than lost.
    WriteCopyOfText(files, backupName, m_note->TextView(), document.Format);
}

void TTovForm::FormClose() {
    // Each step is reported on its own and never keeps the window from closing.
    KillTimer(Handle(), kRecoveryTimer);
    try {
        SaveBackup();
        m_commands->DocumentKept();  // the text is in the backup now
    } catch (...) {
        App().ReportCurrentException();
    }
    // The size and place stored are the restored ones, whatever the window shows now, so that the next
    // start has them to restore to; being maximized is stored on its own.
    RECT r;
    GetWindowRect(Handle(), &r);
    WINDOWPLACEMENT placement{sizeof placement};
    const bool placed = GetWindowPlacement(Handle(), &placement);
    const bool iconic = IsIconic(Handle());
    const bool maximized = IsZoomed(Handle()) || (iconic && placed && (placement.flags & WPF_RESTORETOMAXIMIZED));
    if (placed && (iconic || maximized)) {
        // The restored rectangle comes in work-area coordinates on Windows: stored, it must be in screen
        // coordinates like every other position, or a taskbar at the top or left would move the window at
        // each start. The difference was measured while the window was last restored.
        r = placement.rcNormalPosition;
        OffsetRect(&r, m_placementOffset.x, m_placementOffset.y);
    }
    Win32IniFile ini(SettingsFilePath());
    const std::pair<const char*, std::int32_t> values[] = {
        // Closed folded, it is stored unfolded: a start never shows the strip.
        {keys::kHeight, UnfoldedHeight(r.bottom - r.top, Globals().Modes, m_designHeight)},
        {keys::kWidth, r.right - r.left},
        {keys::kTop, r.top},
        {keys::kLeft, r.left},
        {keys::kNoteColor, m_note->Color()},
        {keys::kNoteFontColor, m_note->FontColor()},
        {keys::kStatusBar, m_status->Shown() ? 1 : 0},  // a switch: 1 shown, 0 hidden
        {keys::kMaximized, maximized ? 1 : 0},
    };
    // Every key is tried; a settings file that cannot be written is reported once, not once for each key.
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

void TTovForm::OnDropFiles(HDROP drop) {
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(length, '\0');
    if (length > 0) path.resize(DragQueryFileA(drop, 0, path.data(), length + 1));
    DragFinish(drop);
    // Brought to the front first, so the save question is not hidden behind the program the file came from.
    SetForegroundWindow(Handle());
    try {
        if (path.empty()) throw Error(FormatText("ファイル %s は開けません", path));
        m_commands->Drop(path);
    } catch (...) {
        App().ReportCurrentException();
    }
    ShowCaretPlace();
}

void TTovForm::SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }

void TTovForm::SetApplicationTitle(const std::string& title) { App().SetTitle(title); }

void TTovForm::ShowFormat(const TextFormat& format) {
    m_shownFormat = format;
    if (m_status) m_status->ShowFormat(format);
}

void TTovForm::ShowIconOf(const std::string& fullPath) {
    // The call may write the icon's source path back into the buffer: give it room.
    char buffer[MAX_PATH * 2] = {};
    fullPath.copy(buffer, sizeof buffer - 1);
    WORD index = 0;
    HICON icon = ExtractAssociatedIconA(App().Instance(), buffer, &index);
    HICON shown = icon ? icon : LoadIconA(App().Instance(), "MAINICON");
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shown));
    if (m_documentIcon) DestroyIcon(m_documentIcon);
    m_documentIcon = icon;
}

void TTovForm::ShowAbout() {
    if (m_about) m_about->ShowModeless();
}

void TTovForm::ShowSettings() {
    if (m_setting) m_setting->ShowModeless();
}

void TTovForm::Close() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TTovForm::RefreshGutter() {
    if (!m_gutter || !m_note) return;
    if (m_gutter->Refresh(*m_note)) LayOut();  // one digit more or less: the gutter needs another width
}

void TTovForm::SetMenuCaption(CommandId command, const std::string& caption) {
    const MenuItem* item = FindCommand(command);
    tovel::SetMenuCaption(MainMenu(), command, caption, item ? item->shortcut : Shortcut{});
}

void TTovForm::ToggleStatusBar() { SetStatusBarShown(!m_status->Shown()); }

void TTovForm::SetStatusBarShown(bool shown) {
    m_status->SetShown(shown);
    CheckMenuCommand(MainMenu(), cmdStatusBarS3, shown);
    LayOut();
}

void TTovForm::ShowCaretPlace() {
    if (!m_note || !m_status || !IsWindow(Handle())) return;
    const ScintillaEditor::FilePosition caret = m_note->CaretInFile();
    m_status->ShowPosition(caret.line, caret.column);
}

void TTovForm::LayOut() {
    if (!m_note || !m_band || !m_gutter || !m_status) return;
    RECT client;
    GetClientRect(Handle(), &client);
    m_status->SetWidth(client.right);
    // The editor and the gutter take what lies between the band and the status bar.
    const int top = m_band->Height(), left = m_gutter->Width();
    const int height = std::max(0, static_cast<int>(client.bottom) - m_status->Height() - top);
    m_band->SetWidth(client.right);
    m_gutter->SetBounds(0, top, left, height);
    m_note->SetBounds(left, top, client.right - left, height);
}

void TTovForm::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    m_dpi = dpi;
    // The new font is handed over before the old one goes.
    ScopedFont font(CreateFormFont(Scale(12)));
    if (m_band) m_band->SetDpi(m_dpi, font.Get());
    if (m_status) m_status->SetDpi(m_dpi, font.Get());
    if (m_gutter) m_gutter->SetDpi(m_dpi);
    m_windowFont = std::move(font);
    // The editor scales its own font: its sizes are in points.
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

const Menu* TTovForm::ContextMenuOf(HWND window) const {
    if (m_note && window == m_note->Handle()) return &NotePopup();
    if (m_band && window == m_band->ToolBar()) return &ToolPopup();
    return nullptr;
}

bool TTovForm::PreviewMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND focus = GetFocus();
    // Only keys typed in the main window act on the document: the About box and the settings dialog keep
    // theirs for their own controls. A modal box runs its own loop and never gets here.
    if (!focus || GetAncestor(focus, GA_ROOT) != Handle()) return false;
    const MenuItem* item = LookUpShortcut(
        focus, ShortcutFromKey(msg), [this](HWND w) { return ContextMenuOf(w); }, MainMenu1(),
        IsWindowEnabled(Handle()));
    if (!item) return false;
    RunCommand(item->command);
    return true;
}

void TTovForm::ShowContextMenu(HMENU menu, HWND owner, LPARAM screenPoint) {
    POINT pt{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {  // from the keyboard: at the caret, or the control's corner
        if (!GetCaretPos(&pt)) pt = {0, 0};
        ClientToScreen(owner, &pt);
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, Handle(), nullptr);
}

bool TTovForm::OnEditorMessage(UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
        case WM_CONTEXTMENU:
            ShowContextMenu(m_notePopup.Get(), m_note->Handle(), lp);
            return true;
    }
    return false;
}

void TTovForm::RunCommand(CommandId command) {
    if (m_commandObserver) m_commandObserver(command);
    try {
        m_commands->Run(command);
    } catch (...) {
        App().ReportCurrentException();
    }
    ShowCaretPlace();
}

LRESULT TTovForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (lp == 0 || reinterpret_cast<HWND>(lp) == m_band->ToolBar()) {
                RunCommand(static_cast<CommandId>(LOWORD(wp)));
                return 0;
            }
            break;
        case WM_CONTEXTMENU: {
            const auto window = reinterpret_cast<HWND>(wp);
            if (m_band && (window == m_band->ToolBar() || window == m_band->CoolBar())) {
                ShowContextMenu(m_toolPopup.Get(), window, lp);
                return 0;
            }
            break;
        }
        case WM_SIZE:
            LayOut();
            if (wp == SIZE_RESTORED) MeasurePlacementOffset();
            if (wp != SIZE_MINIMIZED) ShowFoldCheck();
            return 0;
        case WM_DPICHANGED: {
            RECT suggested;
            if (lp) {
                suggested = *reinterpret_cast<const RECT*>(lp);
            } else {
                GetWindowRect(Handle(), &suggested);
            }
            OnDpiChanged(HIWORD(wp), suggested);
            return 0;
        }
        case WM_MOVE:
            if (!IsIconic(Handle()) && !IsZoomed(Handle())) MeasurePlacementOffset();
            break;
        case WM_SETFOCUS:
            if (m_note) SetFocus(m_note->Handle());
            return 0;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_MINIMIZE) {
                App().Minimize();
                return 0;
            }
            break;
        case WM_TIMER:
            if (wp == kRecoveryTimer) {
                try {
                    m_commands->RecoveryTick(GetTickCount64());
                } catch (...) {
                    App().ReportCurrentException();
                }
                SetTimer(Handle(), kRecoveryTimer, m_commands->RecoveryBusy() ? kRecoveryBusyTickMs : kRecoveryTickMs,
                         nullptr);
                return 0;
            }
            break;
        case WM_DROPFILES:
            // A drop while a box is open would stack a second question on the first: it is let go.
            if (ModalScope::AnyOpen()) {
                DragFinish(reinterpret_cast<HDROP>(wp));
                return 0;
            }
            OnDropFiles(reinterpret_cast<HDROP>(wp));
            return 0;
        case WM_CLOSE: {
            if (ModalScope::AnyOpen()) return 0;  // the open box is answered first; one question at a time
            bool mayClose = false;
            try {
                mayClose = FormCloseQuery();
            } catch (...) {
                App().ReportCurrentException();  // a failed save keeps the window open
            }
            if (!mayClose) return 0;
            FormClose();
            DestroyWindow(Handle());
            return 0;
        }
        case WM_QUERYENDSESSION:
            // Log-off or shutdown asks the same question; Cancel refuses it, and so does a box still open.
            if (ModalScope::AnyOpen()) return FALSE;
            try {
                return FormCloseQuery() ? TRUE : FALSE;
            } catch (...) {
                App().ReportCurrentException();
                return FALSE;
            }
        case WM_ENDSESSION:
            if (wp) FormClose();  // the session ends without WM_CLOSE: keep the backup and settings anyway
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

void TTovForm::SetNoteBackColor(std::int32_t color) { m_note->SetColor(color); }
void TTovForm::SetNoteTextColor(std::int32_t color) { m_note->SetFontColor(color); }
void TTovForm::ShowToolBitmap(const std::string& path) { LoadToolBitmap(path); }
std::string TTovForm::SettingsFilePath() const {
    // Installed where only an administrator may write, the settings live in the user's profile.
    Win32TextFiles& files = m_platform->files;
    const std::string perUser = PerUserFolder("APPDATA");
    const std::string path = SettingsFilePlace(
        Globals().AppDir, perUser, kSettingsFileName, [&](const std::string& file) { return files.Exists(file); },
        [&](const std::string& folder) { return files.FolderWritable(folder); });
    if (!perUser.empty() && path.compare(0, perUser.size(), perUser) == 0) MakeFolders(perUser);
    return path;
}

}  // namespace tovel
