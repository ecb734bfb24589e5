// Big files: the program's main window as the user has it (opened by path as a dropped file is, with the
// gutter, the status bar and the recovery keeper) beside a bare editing component of the same size and
// font fed the same file, both with word wrap on, in the same run. The text is lines of about 80 bytes of
// Japanese and ASCII with CR LF, of the size given in megabytes (default 10):
//   big_bench.exe [megabytes] [opens]     (opens 0: one open, Ctrl+End straight after it paints)
//   big_bench.exe line [megabytes]        (one line without a break: keystrokes with word wrap on and off)
// Each figure is a median, printed with its target. The keystrokes are timed with both windows open, in
// runs on one side and the other in turn, so that the machine's other work weighs on both alike.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/win32/application.h"
#include "app/win32/tovel_unit.h"
#include "bench/win32/big_bench_support.h"
#include "gutter/win32/line_gutter.h"
#include "platform/error.h"

namespace {

using namespace tovel::bench;

bool g_ok = true;

void Fail(const char* what) {
    std::printf("ERROR: %s\n", what);
    g_ok = false;
}

void Row(const char* what, double product, double bare, const char* unit) {
    std::printf("  %-46s program %10.3f %s   bare %10.3f %s\n", what, product, unit, bare, unit);
}

void Verdict(const char* what, double value, double target, const char* unit = "") {
    std::printf("    %-58s %9.3f%s (target <= %.3f%s: %s)\n", what, value, unit, target, unit,
                value <= target ? "ok" : "MISSED");
}

// Sends a key down and up as the program's loop would deliver it, with Ctrl held when asked.
void Key(tovel::bench::IdleWaiter& waiter, HWND target, WORD vk, bool ctrl) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    MSG down{target, WM_KEYDOWN, vk, 1};
    waiter.Dispatch(down);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0;
    SetKeyboardState(state);
}

// What both sides are measured on; each side says how it does it.
struct Side {
    HWND top = nullptr;        // the window painted
    HWND component = nullptr;  // the editing component's window
    std::function<void()> clear;
    std::function<void()> open;
    IdleWaiter* waiter = nullptr;
};

// The bare component as a side: cleared, and opened from the file as the program's side is.
Side BareSide(BareEditor& editor, IdleWaiter& waiter, const std::string& name) {
    return Side{editor.Parent(), editor.Handle(), [&editor] { editor.Clear(); },
                [&editor, name] {
                    if (!editor.Load(name)) Fail("the bare component did not take the file");
                },
                &waiter};
}

struct OpenTimes {
    double painted = 0, idle = 0;
};

OpenTimes OpenOnce(Side& side) {
    side.clear();
    side.waiter->WaitUntilIdle();
    const double start = Seconds();
    side.open();
    PaintNow(side.top, side.component);
    const double painted = Seconds();
    const double idle = side.waiter->WaitUntilIdle();
    return {painted - start, std::max(painted, idle) - start};
}

long long CaretLine(HWND component) {
    const auto caret = SendMessageW(component, SCI_GETCURRENTPOS, 0, 0);
    return static_cast<long long>(SendMessageW(component, SCI_LINEFROMPOSITION, caret, 0));
}

bool CaretShown(HWND component) {
    const auto caret = SendMessageW(component, SCI_GETCURRENTPOS, 0, 0);
    const int y = static_cast<int>(SendMessageW(component, SCI_POINTYFROMPOSITION, 0, caret));
    RECT client;
    GetClientRect(component, &client);
    return y >= 0 && y + static_cast<int>(SendMessageW(component, SCI_TEXTHEIGHT, 0, 0)) <= client.bottom;
}

// Ctrl+End, timed until the caret's line is painted.
double CtrlEnd(Side& side) {
    const double start = Seconds();
    Key(*side.waiter, side.component, VK_END, true);
    const double keyed = Seconds();
    PaintNow(side.top, side.component);
    if (std::getenv("BIG_BENCH_DETAIL"))
        std::printf("    (Ctrl+End: key %.1f ms, paint %.1f ms)\n", Ms(keyed - start), Ms(Seconds() - keyed));
    const double took = Seconds() - start;
    const auto lines = SendMessageW(side.component, SCI_GETLINECOUNT, 0, 0);
    if (CaretLine(side.component) != lines - 1 || !CaretShown(side.component))
        Fail("Ctrl+End: the caret is not shown on the last line");
    return took;
}

// A Japanese character typed at the caret and painted; erased untimed, so the text stays as it was.
double Keystroke(Side& side) {
    const double start = Seconds();
    SendMessageW(side.component, WM_CHAR, 0x3042, 1);  // "あ"
    PaintNow(side.top, side.component);
    const double took = Seconds() - start;
    Key(*side.waiter, side.component, VK_BACK, false);
    PaintNow(side.top, side.component);
    return took;
}

struct Typing {
    double end = 0, middle = 0;
};

// The caret at the end of the text, or at the start of its middle line.
void PlaceCaret(Side& side, bool atEnd) {
    const auto length = SendMessageW(side.component, SCI_GETLENGTH, 0, 0);
    if (atEnd) {
        SendMessageW(side.component, SCI_GOTOPOS, length, 0);
    } else {
        SendMessageW(side.component, SCI_GOTOLINE, SendMessageW(side.component, SCI_LINEFROMPOSITION, length / 2, 0),
                     0);
    }
}

// Keystrokes at the end of the text and then at the start of its middle line, on one side alone.
Typing TypeAlone(Side& side, int keystrokes) {
    Typing t;
    for (const bool atEnd : {true, false}) {
        PlaceCaret(side, atEnd);
        side.waiter->WaitUntilIdle();
        std::vector<double> times;
        for (int i = 0; i < keystrokes; ++i) times.push_back(Keystroke(side));
        (atEnd ? t.end : t.middle) = Median(times);
    }
    return t;
}

// The keystrokes of both sides in turns, at the end of the text and then at the start of its middle
// line: a run of keystrokes on one side, focused, then a run on the other, four runs each, so that
// whatever else the machine does meanwhile weighs on both alike. The first keystroke of a run, the first
// since the other window had the machine, is not counted.
void TypeInTurn(Side& program, Side& bare, int keystrokes, Typing& programTimes, Typing& bareTimes) {
    constexpr int kRuns = 4;
    for (const bool atEnd : {true, false}) {
        std::vector<double> times[2];
        Side* const sides[2] = {&program, &bare};
        for (Side* side : sides) PlaceCaret(*side, atEnd);
        for (int run = 0; run < kRuns; ++run) {
            for (int s = 0; s < 2; ++s) {
                // The other window is hidden meanwhile: the user has one in front of them.
                ShowWindow(sides[1 - s]->top, SW_HIDE);
                ShowWindow(sides[s]->top, SW_SHOWNOACTIVATE);
                SetFocus(sides[s]->component);
                PaintNow(sides[s]->top, sides[s]->component);
                sides[s]->waiter->WaitUntilIdle();
                Keystroke(*sides[s]);
                for (int i = 0; i < (keystrokes + kRuns - 1) / kRuns; ++i) times[s].push_back(Keystroke(*sides[s]));
            }
        }
        ShowWindow(bare.top, SW_SHOWNOACTIVATE);
        (atEnd ? programTimes.end : programTimes.middle) = Median(times[0]);
        (atEnd ? bareTimes.end : bareTimes.middle) = Median(times[1]);
    }
}

struct Recovery {
    int ticks = 0;
    double longest = 0, median = 0;
};

// The first change after opening: the recovery keeper then writes a copy of the whole text, a slice at each
// of its ticks, and a thread of its own flushes it. Each tick is timed until the copy is in place; the change
// is then taken back.
Recovery RecoveryOfAChange(tovel::TTovForm& form, Side& side) {
    SendMessageW(side.component, WM_CHAR, 0x3042, 1);
    PaintNow(side.top, side.component);
    std::vector<double> ticks;
    const double until = Seconds() + 600;
    do {
        const double start = Seconds();
        form.Commands().RecoveryTick(GetTickCount64() + 60'000);  // a second and more after the change
        ticks.push_back(Seconds() - start);
        side.waiter->WaitUntilIdle(5);
    } while (form.Commands().RecoveryBusy() && Seconds() < until);
    if (form.Commands().RecoveryBusy()) Fail("the recovery copy was not written in ten minutes");
    Key(*side.waiter, side.component, VK_BACK, false);
    PaintNow(side.top, side.component);
    Recovery r;
    r.ticks = static_cast<int>(ticks.size());
    r.longest = *std::max_element(ticks.begin(), ticks.end());
    r.median = Median(ticks);
    return r;
}

// Puts the program's window at the top left of the screen and the bare one beside it or below it: a
// window covered in part paints less.
void PlaceApart(HWND program, HWND bare) {
    SetWindowPos(program, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT p{}, b{};
    GetWindowRect(program, &p);
    GetWindowRect(bare, &b);
    int x = p.right, y = 0;
    if (x + (b.right - b.left) > GetSystemMetrics(SM_CXSCREEN)) {
        x = 0;
        y = p.bottom;
    }
    if (y + (b.bottom - b.top) > GetSystemMetrics(SM_CYSCREEN)) Fail("the screen cannot show both windows apart");
    SetWindowPos(bare, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Compares the program's text with the file, piece by piece.
bool SameAsFile(HWND component, const std::string& name) {
    tovel::ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) return false;
    if (SendMessageW(component, SCI_GETLENGTH, 0, 0) != size.QuadPart) return false;
    const auto* held = reinterpret_cast<const char*>(SendMessageW(component, SCI_GETCHARACTERPOINTER, 0, 0));
    std::string piece(8u << 20, '\0');
    for (long long at = 0;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) return false;
        if (got == 0) return true;
        if (std::memcmp(held + at, piece.data(), got) != 0) return false;
        at += got;
    }
}

struct Figures {
    std::vector<double> painted, idle;
    double ctrlEndFresh = 0, ctrlEndSettled = 0;
    Typing typing;                 // in turns with the other side, both windows alive
    Typing typingAlone;            // the program's window the only one, as the user has it
    double peak = 0, settled = 0;  // multiples of the file size
    std::size_t emptyBytes = 0, peakBytes = 0, settledBytes = 0;
};

Figures Measure(Side& side, int opens, const std::function<void()>& afterFirstOpen) {
    Figures f;
    if (opens == 0) {
        // One open only, for the biggest texts: Ctrl+End straight after it has painted, and "until idle"
        // includes what that Ctrl+End left to do.
        side.clear();
        side.waiter->WaitUntilIdle();
        const double start = Seconds();
        side.open();
        PaintNow(side.top, side.component);
        f.painted.push_back(Seconds() - start);
        f.ctrlEndFresh = CtrlEnd(side);
        f.idle.push_back(std::max(Seconds(), side.waiter->WaitUntilIdle()) - start);
        if (afterFirstOpen) afterFirstOpen();
    } else {
        for (int run = 0; run < opens; ++run) {
            const OpenTimes t = OpenOnce(side);
            f.painted.push_back(t.painted);
            f.idle.push_back(t.idle);
            if (run == 0 && afterFirstOpen) afterFirstOpen();
        }
        // Ctrl+End straight after a fresh open has painted, before the background wrapping has run.
        side.clear();
        side.waiter->WaitUntilIdle();
        side.open();
        PaintNow(side.top, side.component);
        f.ctrlEndFresh = CtrlEnd(side);
        side.waiter->WaitUntilIdle();
    }
    std::vector<double> settled;
    for (int i = 0; i < 5; ++i) {
        Key(*side.waiter, side.component, VK_HOME, true);
        PaintNow(side.top, side.component);
        side.waiter->WaitUntilIdle();
        settled.push_back(CtrlEnd(side));
    }
    f.ctrlEndSettled = Median(settled);
    return f;
}

// One line of `megabytes` without a break: a keystroke at its end with word wrap on and off, in the program
// and in the bare component.
int SingleLine(std::size_t megabytes, const std::string& folder) {
    const std::size_t size = megabytes * 1'000'000;
    const std::string name = folder + "line.txt";
    WriteBigFile(name, size, [](std::string& piece, std::size_t n) {
        while (piece.size() < n) piece += "日本語の文章が改行なしで続きます。The quick brown fox jumps. ";
    });
    constexpr int kKeystrokes = 7;
    std::printf("win32 (Wine): one line of %zu MB, Shift-JIS; keystroke with repaint at its end, medians\n", megabytes);
    std::fflush(stdout);
    double product[2] = {}, bare[2] = {};  // word wrap on, off
    int outerWidth = 0, outerHeight = 0;
    auto typeBoth = [&](Side& side, double* into, const std::function<void(bool)>& wrap) {
        side.clear();
        side.open();
        PaintNow(side.top, side.component);
        side.waiter->WaitUntilIdle();
        for (const bool on : {true, false}) {
            wrap(on);
            SendMessageW(side.component, SCI_GOTOPOS, SendMessageW(side.component, SCI_GETLENGTH, 0, 0), 0);
            PaintNow(side.top, side.component);
            side.waiter->WaitUntilIdle();
            std::vector<double> t;
            for (int i = 0; i < kKeystrokes; ++i) t.push_back(Keystroke(side));
            into[on ? 0 : 1] = Median(t);
        }
    };
    try {
        tovel::Application app(GetModuleHandleA(nullptr));
        std::optional<tovel::TTovForm> form;
        form.emplace(app, tovel::StartupContext{folder, {}});
        form->ShowAtStart();
        tovel::TTovForm& f = *form;
        IdleWaiter waiter(f.Note().Handle(), [&](MSG& msg) { return f.PreviewMessage(msg); });
        waiter.Learn();
        Side side{f.Handle(), f.Note().Handle(), [&] { f.Commands().NewN1Click(); }, [&] { f.Commands().Drop(name); },
                  &waiter};
        typeBoth(side, product, [&](bool on) { f.Note().SetWordWrap(on); });
        RECT r;
        GetWindowRect(f.Note().Handle(), &r);
        outerWidth = r.right - r.left;
        outerHeight = r.bottom - r.top;
        f.Commands().DocumentKept();
        form.reset();
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        g_ok = false;
    }
    if (g_ok) {
        BareEditor editor(outerWidth, outerHeight);
        IdleWaiter waiter(editor.Handle(), nullptr);
        waiter.Learn();
        Side side = BareSide(editor, waiter, name);
        typeBoth(side, bare, [&](bool on) { editor.Send(SCI_SETWRAPMODE, on ? SC_WRAP_WORD : SC_WRAP_NONE); });
    }
    DeleteFileA(name.c_str());
    if (g_ok) {
        Row("keystroke, word wrap on", Ms(product[0]), Ms(bare[0]), "ms");
        Verdict("ratio program / bare", product[0] / bare[0], 1.5);
        Row("keystroke, word wrap off", Ms(product[1]), Ms(bare[1]), "ms");
        Verdict("ratio program / bare", product[1] / bare[1], 1.5);
    }
    return g_ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool singleLine = argc > 1 && std::strcmp(argv[1], "line") == 0;
    if (singleLine) {
        ++argv;
        --argc;
    }
    const std::size_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10;
    const std::size_t size = megabytes * 1'000'000;
    const int opens = argc > 2 ? std::atoi(argv[2]) : 3;
    const int keystrokes = size >= 500'000'000 ? 15 : 31;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tovel_big_bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (singleLine) {
        const int result = SingleLine(megabytes, folder);
        RemoveDirectoryA(folder.c_str());
        std::fflush(stdout);
        return result;
    }
    const std::string name = folder + "big.txt";
    long long line = 0;
    WriteBigFile(name, size, [&](std::string& piece, std::size_t n) { AppendJapaneseLines(piece, n, line); });
    std::printf("win32 (Wine): %zu MB Shift-JIS, lines of 80 bytes with CR LF, word wrap on; medians of %d opens\n",
                megabytes, std::max(opens, 1));
    std::fflush(stdout);

    Figures product, bare;
    int outerWidth = 0, outerHeight = 0;
    Recovery recovery;
    bool measured = true;  // both sides ran (a failed check still prints the figures)
    try {
        tovel::Application app(GetModuleHandleA(nullptr));
        std::optional<tovel::TTovForm> form;
        form.emplace(app, tovel::StartupContext{folder, {}});
        ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
        form->ShowAtStart();
        tovel::TTovForm& f = *form;
        IdleWaiter waiter(f.Note().Handle(), [&](MSG& msg) { return f.PreviewMessage(msg); });
        waiter.Learn();
        // The sampler's own thread is the bench's, not the program's: the start is read once it runs.
        std::optional<PeakSampler> sampler(std::in_place);
        const std::size_t emptyStart = WorkingSet();
        Side side{f.Handle(), f.Note().Handle(), [&] { f.Commands().NewN1Click(); }, [&] { f.Commands().Drop(name); },
                  &waiter};
        Figures memory;
        product = Measure(side, opens, [&] {
            memory.emptyBytes = emptyStart;
            memory.peakBytes = sampler->Stop();
            memory.settledBytes = WorkingSet();
            memory.peak = (static_cast<double>(memory.peakBytes) - emptyStart) / size;
            memory.settled = (static_cast<double>(memory.settledBytes) - emptyStart) / size;
            if (!SameAsFile(f.Note().Handle(), name)) Fail("the program's text is not the file's");
            const auto& numbers = f.Gutter().Numbers();
            const HWND note = f.Note().Handle();
            // The first line whose first row is shown: after Ctrl+End the top row may continue a wrapped line.
            const auto firstRow = SendMessageW(note, SCI_GETFIRSTVISIBLELINE, 0, 0);
            auto top = SendMessageW(note, SCI_DOCLINEFROMVISIBLE, firstRow, 0);
            if (SendMessageW(note, SCI_VISIBLEFROMDOCLINE, top, 0) < firstRow) ++top;
            if (numbers.empty() || numbers.front().text != std::to_string(top + 1))
                Fail("the gutter does not number the top line");
        });
        RECT r;
        GetWindowRect(f.Note().Handle(), &r);
        outerWidth = r.right - r.left;
        outerHeight = r.bottom - r.top;
        product.emptyBytes = memory.emptyBytes;
        product.peakBytes = memory.peakBytes;
        product.settledBytes = memory.settledBytes;
        product.peak = memory.peak;
        product.settled = memory.settled;
        recovery = RecoveryOfAChange(f, side);
        product.typingAlone = TypeAlone(side, keystrokes);
        {
            // The bare component in a window of its own beside the program's, both alive: their keystrokes are
            // timed in turn.
            BareEditor editor(outerWidth, outerHeight);
            PlaceApart(f.Handle(), editor.Parent());
            IdleWaiter bareWaiter(editor.Handle(), nullptr);
            bareWaiter.Learn();
            Side bareSide = BareSide(editor, bareWaiter, name);
            // The same memory figures for the bare component, as the floor the program's are read beside.
            std::optional<PeakSampler> sampler(std::in_place);
            const std::size_t emptyStart = WorkingSet();
            std::size_t peakBytes = 0, settledBytes = 0;
            bare = Measure(bareSide, opens, [&] {
                peakBytes = sampler->Stop();
                settledBytes = WorkingSet();
            });
            bare.emptyBytes = emptyStart;
            bare.peakBytes = peakBytes;
            bare.settledBytes = settledBytes;
            TypeInTurn(side, bareSide, keystrokes, product.typing, bare.typing);
            if (std::getenv("BIG_BENCH_DETAIL")) {
                // Where the time of a keystroke at the end goes in the bare component.
                for (const int back : {0, 2, 1000}) {
                    const auto length = editor.Send(SCI_GETLENGTH);
                    editor.Send(SCI_GOTOPOS, length - back);
                    bareWaiter.WaitUntilIdle();
                    std::vector<double> typed, painted;
                    for (int i = 0; i < keystrokes; ++i) {
                        double t = Seconds();
                        editor.Send(WM_CHAR, 0x3042, 1);
                        typed.push_back(Seconds() - t);
                        t = Seconds();
                        PaintNow(bareSide.top, bareSide.component);
                        painted.push_back(Seconds() - t);
                        Key(bareWaiter, bareSide.component, VK_BACK, false);
                        PaintNow(bareSide.top, bareSide.component);
                    }
                    std::printf("    (bare, %d bytes before the end: type %.3f ms, paint %.3f ms)\n", back,
                                Ms(Median(typed)), Ms(Median(painted)));
                }
            }
        }
        SetFocus(f.Note().Handle());
        if (std::getenv("BIG_BENCH_DETAIL")) {
            // Where the program's keystroke goes beyond the component's: the same keystroke in the middle
            // with the status bar hidden, then without the gutter following, then without any observer.
            auto middle = [&](const char* what) {
                std::vector<double> t;
                for (int i = 0; i < keystrokes; ++i) t.push_back(Keystroke(side));
                std::printf("    (keystroke in the middle, %s: %.3f ms)\n", what, Ms(Median(t)));
            };
            middle("as it is");
            // The same once the recovery copy's base is written, so that no slice or flush of it runs between
            // the keys.
            for (int i = 0; i < 6000 && f.Commands().RecoveryBusy(); ++i) waiter.WaitUntilIdle(20);
            middle("with the recovery copy written");
            {
                std::vector<double> set;
                for (int i = 0; i < keystrokes; ++i) {
                    const double t = Seconds();
                    f.Status().ShowPosition(1000 + i, 5);
                    set.push_back(Seconds() - t);
                }
                std::printf("    (status bar: a new place shown %.3f ms)\n", Ms(Median(set)));
            }
            f.Status().SetShown(false);
            middle("status bar hidden");
            f.Status().SetShown(true);
            middle("status bar shown again");
            f.Status().SetShown(false);
            middle("status bar hidden again");
            f.Note().SetViewObserver({});
            middle("and no gutter refresh");
            f.Note().SetChangeObserver({});
            f.Note().SetAfterObserver({});
            middle("and no change or key observer");
            f.Note().SetMessageObserver({});
            middle("and no message observer");
        }
        f.Commands().DocumentKept();  // the copy goes; the modified text is dropped with the window
        form.reset();
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        g_ok = false;
        measured = false;
    }
    DeleteFileA(name.c_str());
    RemoveDirectoryA(folder.c_str());

    if (measured) {
        const double paintedP = Median(product.painted), paintedB = Median(bare.painted);
        const double idleP = Median(product.idle), idleB = Median(bare.idle);
        Row("open until painted", Ms(paintedP), Ms(paintedB), "ms");
        Verdict("ratio program / bare", paintedP / paintedB, 1.5);
        Row(opens == 0 ? "open until idle (a Ctrl+End after painting)" : "open until idle (everything wrapped)",
            Ms(idleP), Ms(idleB), "ms");
        if (opens == 0) {
            // Not the same work: the bare window's own Ctrl+End wrapped every line at once, not answering
            // meanwhile; the program's answered at once and left the wrapping to the background.
            std::printf("    %-58s %9.3f (no target: the bare side wrapped all in its Ctrl+End)\n",
                        "ratio program / bare", idleP / idleB);
        } else {
            Verdict("ratio program / bare", idleP / idleB, 1.5);
        }
        Row("Ctrl+End straight after opening", Ms(product.ctrlEndFresh), Ms(bare.ctrlEndFresh), "ms");
        Verdict("program", Ms(product.ctrlEndFresh), 50, " ms");
        Row("Ctrl+End once idle", Ms(product.ctrlEndSettled), Ms(bare.ctrlEndSettled), "ms");
        Verdict("program", Ms(product.ctrlEndSettled), 50, " ms");
        // The ratio from the keystrokes timed in turns; the time itself from the program's window alone: with
        // both texts held, both sides type slower.
        Row("keystroke with repaint at the end, in turns", Ms(product.typing.end), Ms(bare.typing.end), "ms");
        Verdict("ratio program / bare", product.typing.end / bare.typing.end, 1.5);
        if (size == 100'000'000) Verdict("program alone", Ms(product.typingAlone.end), 2, " ms");
        Row("keystroke with repaint in the middle, in turns", Ms(product.typing.middle), Ms(bare.typing.middle), "ms");
        Verdict("ratio program / bare", product.typing.middle / bare.typing.middle, 1.5);
        if (size == 100'000'000) Verdict("program alone", Ms(product.typingAlone.middle), 2, " ms");
        std::printf(
            "  working set of the program: %.1f MB empty, %.1f MB at the peak of opening, %.1f MB settled;\n"
            "  above the empty start, as a multiple of the file size\n",
            product.emptyBytes / 1e6, product.peakBytes / 1e6, product.settledBytes / 1e6);
        std::printf("  the bare component's: %.1f MB empty, %.1f MB at the peak, %.1f MB settled (%.2f and %.2f)\n",
                    bare.emptyBytes / 1e6, bare.peakBytes / 1e6, bare.settledBytes / 1e6,
                    (static_cast<double>(bare.peakBytes) - bare.emptyBytes) / size,
                    (static_cast<double>(bare.settledBytes) - bare.emptyBytes) / size);
        Verdict("peak while opening", product.peak, 2.0);
        Verdict("settled after opening", product.settled, 1.3);
        std::printf("  recovery keeper: the copy of the text once changed, written in %d ticks of %.3f ms (median)\n",
                    recovery.ticks, Ms(recovery.median));
        Verdict("the longest tick", Ms(recovery.longest), 16, " ms");
    }
    DeleteFileA(name.c_str());
    RemoveDirectoryA(folder.c_str());
    std::fflush(stdout);
    return g_ok ? 0 : 1;
}
