// Opening Japanese files in other formats than Shift-JIS, beside the same text in Shift-JIS in the same
// run, on the editor as the program builds it (word wrap on, the main window's size):
//   - 10 MB of UTF-8 beside 10 MB of Shift-JIS, from reading the file until painted: the bytes read,
//     their format detected, decoded, the editor switched to UTF-8 when the format is held so, the text
//     set and painted (target: at most 1.5 times the Shift-JIS open);
//   - 4.5 MB of EUC-JP, converted to Shift-JIS on the way in, the same way (target: at most 1.5 times);
//   - a keystroke of a Japanese character with its repaint at the end of the 10 MB UTF-8 text (target: at
//     most 2 ms), beside the same in the 10 MB Shift-JIS text.
// Each open is also split into its steps, to show where the time goes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/formats_bench_text.h"
#include "bench/win32/bench_support.h"
#include "document/text_format.h"
#include "platform/error.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_text_files.h"

namespace {

constexpr int kOpenRounds = 5;
constexpr int kKeystrokes = 41;
constexpr double kOpenRatio = 1.5;
constexpr double kKeystrokeMs = 2.0;

using tovel::bench::Median;
using tovel::bench::Ms;
using tovel::bench::PumpMessages;
using tovel::bench::Seconds;
using tovel::bench::WriteFileOrDie;

void Verdict(const char* what, double value, double target, const char* unit) {
    std::printf("    %-58s %9.3f %s (target <= %.3f: %s)\n", what, value, unit, target,
                value <= target ? "ok" : "MISSED");
}

// One open's steps, in seconds.
struct Steps {
    double read = 0, detect = 0, decode = 0, set = 0, paint = 0;
    double Total() const { return read + detect + decode + set + paint; }
};

// A file on disk, what it should be read as, and the medians of its opens.
struct OpenedFile {
    const char* label;
    std::string path;
    tovel::Encoding encoding;
    std::string held;  // the text the editor must hold after opening it
    std::vector<Steps> samples;

    Steps MedianSteps() const {
        std::vector<double> r, dt, dc, s, p;
        for (const Steps& x : samples) {
            r.push_back(x.read);
            dt.push_back(x.detect);
            dc.push_back(x.decode);
            s.push_back(x.set);
            p.push_back(x.paint);
        }
        return {Median(r), Median(dt), Median(dc), Median(s), Median(p)};
    }
    double MedianTotal() const {
        std::vector<double> t;
        for (const Steps& x : samples) t.push_back(x.Total());
        return Median(t);
    }
};

class Bench {
public:
    explicit Bench(tovel::ScintillaEditor& editor) : m_editor(editor) {}

    // Opens the file as the program does, each step timed (kept among the file's samples when `record`);
    // false when it is not read as expected. The editor starts empty and in Shift-JIS, as a new one does.
    bool Open(OpenedFile& file, bool record = true) {
        m_editor.Clear();
        m_editor.SetUtf8(false);
        PumpMessages();
        Steps steps;
        double mark = Seconds();
        const auto lap = [&mark](double& into) {
            const double now = Seconds();
            into = now - mark;
            mark = now;
        };
        const std::string bytes = m_files.ReadAll(file.path);
        lap(steps.read);
        const tovel::TextFormat format = tovel::DetectFormat(bytes);
        lap(steps.detect);
        const tovel::DecodeResult decoded = tovel::Decode(bytes, format);
        lap(steps.decode);
        m_editor.SetUtf8(tovel::HeldAsUtf8(format.encoding));
        m_editor.SetText(decoded.held);
        lap(steps.set);
        UpdateWindow(m_editor.Handle());
        lap(steps.paint);
        if (record) file.samples.push_back(steps);
        PumpMessages();
        return format.encoding == file.encoding && decoded.exact && m_editor.TextView() == file.held;
    }

    // Keystrokes of a Japanese character with repaint at the end of the text now held; each is erased
    // again, untimed. The median, or a negative value when the text did not come back the same.
    double KeystrokesAtEnd(const std::string& held, std::string_view typed) {
        m_editor.SetSelStart(static_cast<int>(held.size()));
        SendMessageW(m_editor.Handle(), SCI_SCROLLCARET, 0, 0);
        UpdateWindow(m_editor.Handle());
        PumpMessages();
        std::vector<double> t;
        bool typedRight = true;
        for (int i = 0; i < kKeystrokes; ++i) {
            const double start = Seconds();
            SendMessageW(m_editor.Handle(), WM_CHAR, 0x3042, 1);  // HIRAGANA LETTER A
            UpdateWindow(m_editor.Handle());
            t.push_back(Seconds() - start);
            typedRight = typedRight && m_editor.TextView().ends_with(typed);
            SendMessageW(m_editor.Handle(), WM_KEYDOWN, VK_BACK, 1);
            UpdateWindow(m_editor.Handle());
        }
        return typedRight && m_editor.TextView() == held ? Median(t) : -1;
    }

private:
    tovel::ScintillaEditor& m_editor;
    tovel::Win32TextFiles m_files;
};

void PrintSteps(const OpenedFile& file) {
    const Steps s = file.MedianSteps();
    std::printf("    %-10s %8.1f ms: read %.1f, detect %.1f, decode %.1f, set text %.1f, paint %.1f\n", file.label,
                Ms(file.MedianTotal()), Ms(s.read), Ms(s.detect), Ms(s.decode), Ms(s.set), Ms(s.paint));
}

// Opens the two files in turn, kOpenRounds times each, the order swapped each round so that neither
// always follows the other; false when either is not read as expected.
bool OpenPair(Bench& bench, OpenedFile& measured, OpenedFile& floor) {
    bool right = true;
    for (int round = 0; round < kOpenRounds; ++round) {
        OpenedFile& first = round % 2 ? floor : measured;
        OpenedFile& second = round % 2 ? measured : floor;
        right = bench.Open(first) && right;
        right = bench.Open(second) && right;
    }
    return right;
}

}  // namespace

int main() {
    using tovel::Encoding;
    const std::string utf8 = tovel::bench::MakeJapaneseText(10'000'000, true);
    const std::string shiftJis = tovel::bench::MakeJapaneseText(10'000'000, false);
    const std::string smallShiftJis = tovel::bench::MakeJapaneseText(4'500'000, false);
    const std::string smallEucJp = tovel::Encode(smallShiftJis, {Encoding::EucJp, false, tovel::LineBreak::CrLf});

    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    const std::string folder = tempDir;
    OpenedFile utf8File{"UTF-8", folder + "tovel_bench_utf8.txt", Encoding::Utf8, utf8, {}};
    OpenedFile sjisFile{"Shift-JIS", folder + "tovel_bench_sjis.txt", Encoding::ShiftJis, shiftJis, {}};
    OpenedFile eucFile{"EUC-JP", folder + "tovel_bench_eucjp.txt", Encoding::EucJp, smallShiftJis, {}};
    OpenedFile smallSjisFile{"Shift-JIS", folder + "tovel_bench_sjis_small.txt", Encoding::ShiftJis, smallShiftJis, {}};
    WriteFileOrDie(utf8File.path, utf8);
    WriteFileOrDie(sjisFile.path, shiftJis);
    WriteFileOrDie(eucFile.path, smallEucJp);
    WriteFileOrDie(smallSjisFile.path, smallShiftJis);

    // The main window's design layout: client 529 x 348 beside a 37 px gutter, under a 41 px band.
    HWND parent =
        tovel::bench::CreateParentWindow("tovel formats bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 600, 420);
    if (!parent) {
        std::fprintf(stderr, "cannot create the window\n");
        return 2;
    }
    bool ok = true;
    try {
        tovel::ScintillaEditor editor(parent, 1, RECT{37, 41, 529, 348});
        Bench bench(editor);
        PumpMessages();

        if (!OpenPair(bench, utf8File, sjisFile) || !OpenPair(bench, eucFile, smallSjisFile)) {
            std::printf("ERROR: a file was not detected as its format, or not held as its text\n");
            ok = false;
        }

        const double utf8Key = [&] {
            bench.Open(utf8File, false);
            return bench.KeystrokesAtEnd(utf8File.held, reinterpret_cast<const char*>(u8"あ"));
        }();
        const double sjisKey = [&] {
            bench.Open(sjisFile, false);
            return bench.KeystrokesAtEnd(sjisFile.held, "あ");
        }();
        if (utf8Key < 0 || sjisKey < 0) {
            std::printf("ERROR: the typed character was not held right, or erasing it left other text\n");
            ok = false;
        }

        std::printf("win32 (Wine): Japanese text with ASCII, CR LF, word wrap on; medians of %d opens\n", kOpenRounds);
        std::printf("  open until painted, %.1f MB UTF-8 beside %.1f MB Shift-JIS\n", utf8.size() / 1e6,
                    shiftJis.size() / 1e6);
        PrintSteps(utf8File);
        PrintSteps(sjisFile);
        Verdict("ratio UTF-8 / Shift-JIS", utf8File.MedianTotal() / sjisFile.MedianTotal(), kOpenRatio, "");
        std::printf("  open until painted, %.1f MB EUC-JP beside the same text in Shift-JIS\n",
                    smallEucJp.size() / 1e6);
        PrintSteps(eucFile);
        PrintSteps(smallSjisFile);
        Verdict("ratio EUC-JP / Shift-JIS", eucFile.MedianTotal() / smallSjisFile.MedianTotal(), kOpenRatio, "");
        std::printf("  keystroke of a Japanese character with repaint, at the end of the text\n");
        Verdict("10 MB UTF-8", Ms(utf8Key), kKeystrokeMs, "ms");
        std::printf("    %-58s %9.3f ms\n", "10 MB Shift-JIS (floor)", Ms(sjisKey));
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        ok = false;
    }

    for (const OpenedFile* file : {&utf8File, &sjisFile, &eucFile, &smallSjisFile}) DeleteFileA(file->path.c_str());
    std::fflush(stdout);
    return ok ? 0 : 1;
}
