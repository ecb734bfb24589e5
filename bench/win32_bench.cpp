// Load and save of a 10 MB Shift-JIS text with mixed line breaks through the editor wrapper, each beside
// its floor measured in the same run: the bare Win32 calls that any editor built on an EDIT control
// cannot avoid. The wrapper should stay within 10% of the floor.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/bench_text.h"
#include "platform/byte_string.h"
#include "platform/error.h"
#include "platform/text_file_rules.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_text_files.h"

namespace {

constexpr int kLoadRuns = 5;   // a load into the control takes seconds under Wine
constexpr int kSaveRuns = 15;  // a save takes milliseconds and is at the mercy of the disk cache
constexpr double kAllowedOverhead = 0.10;

using tovel::bench::Median;
using tovel::bench::PumpMessages;
using tovel::bench::Seconds;

// Times `work` once after an untimed `prepare`.
template <class Prepare, class Work>
double TimeOnce(Prepare prepare, Work work) {
    prepare();
    PumpMessages();
    const double start = Seconds();
    work();
    const double seconds = Seconds() - start;
    PumpMessages();
    return seconds;
}

struct Pair {
    double wrapper;
    double floor;
    double bestWrapper;
    double bestFloor;
};

// Runs the two sides alternately (order swapped each round, so neither always goes first into warm
// caches) and gives the median of each.
template <class PrepareW, class WorkW, class PrepareF, class WorkF>
Pair MedianPair(int runs, PrepareW prepareW, WorkW workW, PrepareF prepareF, WorkF workF) {
    std::vector<double> w, f;
    for (int round = 0; round < runs; ++round) {
        if (round % 2 == 0) {
            w.push_back(TimeOnce(prepareW, workW));
            f.push_back(TimeOnce(prepareF, workF));
        } else {
            f.push_back(TimeOnce(prepareF, workF));
            w.push_back(TimeOnce(prepareW, workW));
        }
    }
    return {Median(w), Median(f), *std::min_element(w.begin(), w.end()), *std::min_element(f.begin(), f.end())};
}

template <class Prepare, class Work>
double MedianOf(int runs, Prepare prepare, Work work) {
    std::vector<double> t;
    for (int round = 0; round < runs; ++round) t.push_back(TimeOnce(prepare, work));
    return Median(t);
}

void WriteFileOrDie(const std::string& name, const std::string& bytes) {
    tovel::ScopedHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.Valid() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", name.c_str());
        ExitProcess(2);
    }
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

double Ms(double seconds) { return seconds * 1000.0; }

void Report(const char* what, const char* wrapperName, const char* floorName, Pair p) {
    const double ratio = p.wrapper / p.floor;
    const bool within = ratio <= 1.0 + kAllowedOverhead;
    std::printf("  %s\n", what);
    std::printf("    %-44s %9.1f ms\n", wrapperName, Ms(p.wrapper));
    std::printf("    %-44s %9.1f ms\n", floorName, Ms(p.floor));
    std::printf("    ratio %.3f: overhead %+.1f%%, %s (best runs: %.1f / %.1f ms, ratio %.3f)\n", ratio,
                (ratio - 1.0) * 100.0, within ? "within 10%" : "OVER 10%", Ms(p.bestWrapper), Ms(p.bestFloor),
                p.bestWrapper / p.bestFloor);
}

}  // namespace

int main() {
    const std::string text = tovel::bench::MakeMixedBreaksText(10'000'000);
    const std::string normalized = tovel::NormalizeLineBreaks(text);

    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    const std::string folder = tempDir;
    const std::string source = folder + "tovel_bench_load.txt";
    const std::string wrapperSave = folder + "tovel_bench_save_wrapper.txt";
    const std::string plainSave = folder + "tovel_bench_save_plain.txt";
    WriteFileOrDie(source, text);
    // Saves replace an existing file, as a save of an opened document does.
    WriteFileOrDie(wrapperSave, "x");
    WriteFileOrDie(plainSave, "x");

    HWND parent = tovel::bench::CreateParentWindow("tovel bench", WS_OVERLAPPEDWINDOW, 1100, 420);
    if (!parent) {
        std::fprintf(stderr, "cannot create the window\n");
        return 2;
    }

    // Both controls the same size, styles and font, side by side.
    const RECT bounds{0, 0, 492, 307};
    tovel::ScintillaEditor editor(parent, 1, bounds);
    const int dpi = [&] {
        tovel::ScopedGetDC dc(parent);
        return GetDeviceCaps(dc.Get(), LOGPIXELSY);
    }();
    tovel::ScopedFont font(CreateFontA(-MulDiv(16, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT, 500, 0,
                                492, 307, parent, reinterpret_cast<HMENU>(2), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bare, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    PumpMessages();

    tovel::Win32TextFiles files;
    bool ok = true;
    try {
        // ---- load
        const Pair load = MedianPair(kLoadRuns,
            [&] { editor.Clear(); },
            [&] { tovel::LoadFromFile(editor, files, source); },
            [&] { SetWindowTextA(bare, ""); },
            [&] {
                tovel::ScopedHandle file(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
                DWORD got = 0;
                ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
                SetWindowTextA(bare, normalized.c_str());
            });
        if (editor.Text() != normalized) {
            std::printf("ERROR: the editor does not hold the normalised text after LoadFromFile\n");
            ok = false;
        }

        // ---- save (the editor holds the loaded text)
        auto plainWrite = [&](const std::string& bytes, bool flush) {
            tovel::ScopedHandle file(CreateFileA(plainSave.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
            DWORD written = 0;
            WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            if (flush) FlushFileBuffers(file.Get());
        };
        auto saveWithWrapper = [&] { tovel::SaveToFile(editor, files, wrapperSave); };
        const Pair save = MedianPair(kSaveRuns, [] {}, saveWithWrapper, [] {}, [&] { plainWrite(normalized, false); });
        // The same duties done bare: take the text out of the bare control, write it and flush it to disk.
        const Pair saveDuties = MedianPair(kSaveRuns, [] {}, saveWithWrapper, [] {}, [&] {
            std::string bytes(static_cast<std::size_t>(GetWindowTextLengthA(bare)) + 1, '\0');
            bytes.resize(static_cast<std::size_t>(GetWindowTextA(bare, bytes.data(), static_cast<int>(bytes.size()))));
            plainWrite(bytes, true);
        });
        if (ReadFileOrEmpty(wrapperSave) != normalized) {
            std::printf("ERROR: the saved file differs from the editor's text\n");
            ok = false;
        }

        // ---- pieces, to see where any overhead goes
        std::string loaded;
        const double readPiece = MedianOf(kSaveRuns, [] {}, [&] { loaded = tovel::ReadTextFile(files, source); });
        std::string norm;
        const double normalizePiece = MedianOf(kSaveRuns, [] {}, [&] { norm = tovel::NormalizeLineBreaks(loaded); });
        const double sameTextPiece = MedianOf(kLoadRuns, [] {}, [&] { editor.SetText(norm); });
        std::string held;
        const double textPiece = MedianOf(kSaveRuns, [] {}, [&] { held = editor.Text(); });
        const double writeAllPiece = MedianOf(kSaveRuns, [] {}, [&] { files.WriteAll(wrapperSave, held); });
        const double plainPiece = MedianOf(kSaveRuns, [] {}, [&] { plainWrite(held, false); });
        const double flushPiece = MedianOf(kSaveRuns, [] {}, [&] { plainWrite(held, true); });

        std::printf("win32 (%s): %.1f MB Shift-JIS, CR LF / LF / CR breaks; median of %d loads, %d saves\n",
                    "Wine", text.size() / 1e6, kLoadRuns,
                    kSaveRuns);
        Report("load into the editor", "tovel::LoadFromFile", "floor: ReadFile + SetWindowTextA (bare EDIT)", load);
        Report("save the editor's text", "tovel::SaveToFile", "floor: CreateFile + WriteFile", save);
        Report("save, beside a floor with the same duties", "tovel::SaveToFile",
               "GetWindowTextA (bare EDIT) + WriteFile + flush", saveDuties);
        std::printf("  pieces (medians)\n");
        std::printf("    load: read file + NUL check %.1f ms, normalise breaks %.1f ms: the wrapper's own work, %.1f%% "
                    "of the floor (the rest is the control taking the text); same text again (compare only) %.1f ms\n",
                    Ms(readPiece), Ms(normalizePiece), (readPiece + normalizePiece) / load.floor * 100.0,
                    Ms(sameTextPiece));
        std::printf("    save: fetch text %.1f, safe write %.1f ms\n", Ms(textPiece), Ms(writeAllPiece));
        std::printf("    plain write %.1f ms, plain write + flush %.1f ms\n", Ms(plainPiece), Ms(flushPiece));
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        ok = false;
    }

    DestroyWindow(bare);
    DeleteFileA(source.c_str());
    DeleteFileA(wrapperSave.c_str());
    DeleteFileA(plainSave.c_str());
    std::fflush(stdout);
    return ok ? 0 : 1;
}
