// The editor on 10 MB of Shift-JIS text with CR LF breaks, word wrap on, beside a bare EDIT control fed
// the same bytes in the same run:
//   - open until painted with the gutter right (target: at most 0.1 of the bare EDIT's time);
//   - a keystroke with its repaint, at the end of the text and in the middle (target: at most 2 ms);
//   - the working set after loading (target: at most 4 times the file size above an empty start);
//   - save (target: at most 1.2 times a plain write of the same bytes plus fetching them).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "bench/win32/bench_support.h"
#include "document/format_files.h"
#include "document/recovery_record.h"
#include "gutter/win32/line_gutter.h"
#include "platform/byte_string.h"
#include "platform/error.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_recovery_store.h"
#include "platform/win32/win32_text_files.h"

namespace {

constexpr int kEditorLoads = 5;
constexpr int kBareLoads = 2;  // seconds each under Wine
constexpr int kKeystrokes = 41;
constexpr int kSaveRuns = 15;

using tovel::bench::Median;
using tovel::bench::Ms;
using tovel::bench::PumpMessages;
using tovel::bench::Seconds;
using tovel::bench::WriteFileOrDie;

template <class Prepare, class Work>
double MedianOf(int runs, Prepare prepare, Work work) {
    std::vector<double> t;
    for (int round = 0; round < runs; ++round) {
        prepare();
        PumpMessages();
        const double start = Seconds();
        work();
        t.push_back(Seconds() - start);
        PumpMessages();
    }
    return Median(t);
}

std::size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

std::string ReadFileOrEmpty(const std::string& name) {
    tovel::ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return {};
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD got = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

void Verdict(const char* what, double value, double target, const char* unit) {
    std::printf("    %-58s %9.3f %s (target <= %.3f: %s)\n", what, value, unit, target,
                value <= target ? "met" : "MISSED");
}

// A keystroke typed into the editor at the caret and painted.
double Keystroke(HWND editor) {
    const double start = Seconds();
    SendMessageW(editor, WM_CHAR, L'x', 1);
    UpdateWindow(editor);
    const double took = Seconds() - start;
    SendMessageW(editor, WM_KEYDOWN, VK_BACK, 1);  // untimed: the text stays the same between samples
    UpdateWindow(editor);
    return took;
}

}  // namespace

int main() {
    std::string text;
    for (int i = 0; text.size() < 10'000'000; ++i) {
        text += "テキストエディタの行 line " + std::to_string(i) + " 日本語の文章が続きます。\r\n";
    }

    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    const std::string folder = tempDir;
    const std::string source = folder + "tovel_bench_load.txt";
    const std::string editorSave = folder + "tovel_bench_save_editor.txt";
    const std::string plainSave = folder + "tovel_bench_save_plain.txt";
    WriteFileOrDie(source, text);
    WriteFileOrDie(editorSave, "x");
    WriteFileOrDie(plainSave, "x");

    // The main window's design layout: gutter 37 px, band 41 px, client 529 x 348; the bare EDIT beside it.
    HWND parent = tovel::bench::CreateParentWindow("tovel bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 1100, 420);
    if (!parent) {
        std::fprintf(stderr, "cannot create the window\n");
        return 2;
    }
    const int dpi = [&] {
        tovel::ScopedGetDC dc(parent);
        return GetDeviceCaps(dc.Get(), LOGPIXELSY);
    }();
    tovel::ScopedFont font(CreateFontA(-MulDiv(16, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT, 580, 41,
                                492, 307, parent, reinterpret_cast<HMENU>(2), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bare, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    PumpMessages();

    bool ok = true;
    try {
        const std::size_t before = WorkingSet();
        tovel::LineGutter gutter(parent, dpi);
        gutter.SetBounds(0, 41, 37, 307);
        tovel::ScintillaEditor editor(parent, 1, RECT{37, 41, 529, 348});
        tovel::Win32TextFiles files;
        PumpMessages();
        const std::size_t emptyStart = WorkingSet();

        // ---- open until painted, with the gutter right
        const double open = MedianOf(
            kEditorLoads, [&] { editor.Clear(); },
            [&] {
                const tovel::LoadedText loaded = tovel::ReadText(files, source);
                tovel::PutText(editor, source, loaded.format, loaded.held);
                gutter.Refresh(editor);
                UpdateWindow(editor.Handle());
                UpdateWindow(gutter.Panel());
            });
        if (editor.Text() != text || gutter.Numbers().size() < 2 || gutter.Numbers().front().text != "1") {
            std::printf("ERROR: after opening, the editor or the gutter is not right\n");
            ok = false;
        }
        const std::size_t loaded = WorkingSet();
        const double bareOpen = MedianOf(
            kBareLoads, [&] { SetWindowTextA(bare, ""); },
            [&] {
                const std::string bytes = ReadFileOrEmpty(source);
                SetWindowTextA(bare, bytes.c_str());
                UpdateWindow(bare);
            });
        SetWindowTextA(bare, "");

        // ---- keystrokes with repaint
        std::vector<double> atEnd, inMiddle;
        editor.SetSelStart(static_cast<int>(text.size()));
        SendMessageW(editor.Handle(), SCI_SCROLLCARET, 0, 0);
        for (int i = 0; i < kKeystrokes; ++i) atEnd.push_back(Keystroke(editor.Handle()));
        editor.SetSelStart(static_cast<int>(text.size() / 2));
        SendMessageW(editor.Handle(), SCI_SCROLLCARET, 0, 0);
        for (int i = 0; i < kKeystrokes; ++i) inMiddle.push_back(Keystroke(editor.Handle()));
        if (editor.Text() != text) {
            std::printf("ERROR: typing and erasing changed the text\n");
            ok = false;
        }

        // ---- save
        const double save = MedianOf(
            kSaveRuns, [] {}, [&] { tovel::WriteText(files, editorSave, editor.TextView(), tovel::TextFormat{}); });
        const double plain = MedianOf(
            kSaveRuns, [] {}, [&] { WriteFileOrDie(plainSave, editor.Text(), true); });
        // ---- the recovery copy: what typing waits for while a modified document is kept
        tovel::Win32RecoveryStore store(folder, folder + "recovery\\");  // on the bench's disk, not the profile
        const double recovery = MedianOf(
            kSaveRuns, [] {},
            [&] {
                const std::string_view bytes = editor.TextView();
                store.Write(tovel::EncodeRecoveryHeader("bench.txt", source, "", bytes), bytes);
            });
        store.Remove();
        const double plainWrite = MedianOf(
            kSaveRuns, [] {}, [&] { WriteFileOrDie(plainSave, text); });
        const double plainFlushed = MedianOf(
            kSaveRuns, [] {}, [&] { WriteFileOrDie(plainSave, text, true); });
        if (ReadFileOrEmpty(editorSave) != text) {
            std::printf("ERROR: the saved file differs from the editor's text\n");
            ok = false;
        }

        std::printf("win32 (Wine): %.1f MB Shift-JIS, CR LF, word wrap on; medians\n", text.size() / 1e6);
        std::printf("  open until painted, gutter right: editor %.1f ms, bare EDIT %.1f ms\n", Ms(open), Ms(bareOpen));
        Verdict("ratio editor / bare EDIT", open / bareOpen, 0.1, "");
        std::printf("  keystroke with repaint\n");
        Verdict("at the end of the text", Ms(Median(atEnd)), 2.0, "ms");
        Verdict("in the middle of the text", Ms(Median(inMiddle)), 2.0, "ms");
        std::printf("  working set: %.1f MB before the editor, %.1f MB empty, %.1f MB loaded\n", before / 1e6,
                    emptyStart / 1e6, loaded / 1e6);
        Verdict("(loaded - empty start) / file size", static_cast<double>(loaded - emptyStart) / text.size(), 4.0, "");
        std::printf("  save: editor %.1f ms, fetch + plain write + flush %.1f ms\n", Ms(save), Ms(plain));
        Verdict("ratio", save / plain, 1.2, "");
        std::printf("  recovery copy: %.1f ms; plain write of the same bytes %.1f ms, with flush %.1f ms\n",
                    Ms(recovery), Ms(plainWrite), Ms(plainFlushed));
        Verdict("ratio to the plain write", recovery / plainWrite, 1.5, "");
        Verdict("ratio to the plain write with flush (the copy is flushed too)", recovery / plainFlushed, 1.5, "");
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        ok = false;
    }

    DestroyWindow(bare);
    DeleteFileA(source.c_str());
    DeleteFileA(editorSave.c_str());
    DeleteFileA(plainSave.c_str());
    std::fflush(stdout);
    return ok ? 0 : 1;
}
