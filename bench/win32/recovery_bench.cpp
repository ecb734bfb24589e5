// The recovery copy on 10 MB and 100 MB of Shift-JIS text in the real editor, under Wine:
//   - one Tick after a keystroke, which appends the change to the copy's journal, beside the whole-copy
//     write each Tick made before (target: the append does not grow with the text, at most 16 ms);
//   - a new base written a slice per Tick, 20 ms apart as the timer drives them, until it replaced the
//     copy: the longest single Tick (target: at most 16 ms whatever the size), the number of Ticks, the
//     time they took, and the time until the copy was replaced.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/bench_support.h"
#include "document/document_state.h"
#include "document/recovery_keeper.h"
#include "platform/error.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_recovery_store.h"

namespace {

using tovel::bench::Median;
using tovel::bench::Ms;
using tovel::bench::PumpMessages;
using tovel::bench::Seconds;

constexpr int kRuns = 11;

class NoDialogs : public tovel::IDialogs {
public:
    std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> InputBoxUtf8(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    tovel::DialogResult ConfirmYesNoCancel(const std::string&, tovel::DialogResult) override {
        return tovel::DialogResult::Cancel;
    }
    void ShowMessage(const std::string&) override {}
};

void Verdict(const char* what, double value, double target, const char* unit) {
    std::printf("    %-58s %9.3f %s (target <= %.3f: %s)\n", what, value, unit, target,
                value <= target ? "met" : "MISSED");
}

bool Measure(HWND parent, const std::string& folder, std::size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i) {
        text += "テキストエディタの行 line " + std::to_string(i) + " 日本語の文章が続きます。\r\n";
    }
    tovel::ScintillaEditor editor(parent, 1, RECT{0, 0, 600, 400});
    editor.SetWordWrap(false);  // the copy does not depend on it, and a wrapped load takes long under Wine
    editor.SetText(text);
    text.clear();
    text.shrink_to_fit();
    tovel::Win32RecoveryStore store(folder, folder + "recovery\\");
    tovel::DocumentState state{"bench.txt", tovel::kModifiedMark, "", folder + "bench.txt", ""};
    NoDialogs dialogs;
    tovel::RecoveryKeeper keeper(store, editor, state, dialogs, [](const tovel::RecoveryRecord&) {});
    editor.SetEditObserver([&](std::size_t position, std::size_t deleted, std::string_view inserted) {
        keeper.TextEdited(position, deleted, inserted);
    });
    editor.SetChangeObserver([&] { keeper.TextChanged(); });

    // Before: each Tick after a change wrote the whole text.
    std::vector<double> whole;
    for (int i = 0; i < kRuns / 2; ++i) {
        const double start = Seconds();
        const std::string_view bytes = editor.TextView();
        store.Write(tovel::EncodeRecoveryHeader("bench.txt", folder + "bench.txt", "", bytes), bytes);
        whole.push_back(Seconds() - start);
    }

    // The first copy: a base, a slice per Tick, as the timer drives it (every 20 ms) while the keeper is
    // busy, until the store has flushed it and replaced the copy with it.
    std::uint64_t now = 1'000'000;
    keeper.Tick(now);
    SendMessageW(editor.Handle(), WM_CHAR, L'x', 1);
    std::vector<double> slices;
    const double baseStart = Seconds();
    double baseWork = 0;
    for (now += 1000; slices.empty() || keeper.Busy(); now += 20) {
        const double start = Seconds();
        keeper.Tick(now);
        const double took = Seconds() - start;
        slices.push_back(took);
        baseWork += took;
        if (took < 0.020) Sleep(static_cast<DWORD>((0.020 - took) * 1000));
    }
    const double baseTotal = Seconds() - baseStart;
    double longest = 0;
    std::size_t longestAt = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        if (slices[i] > longest) longest = slices[i], longestAt = i;
    }

    // After: a keystroke in the middle, then the Tick that appends it.
    editor.SetSelStart(static_cast<int>(editor.TextLength() / 2));
    std::vector<double> appends;
    for (int i = 0; i < kRuns; ++i) {
        SendMessageW(editor.Handle(), WM_CHAR, L'y', 1);
        PumpMessages();
        now += 1000;
        const double start = Seconds();
        keeper.Tick(now);
        appends.push_back(Seconds() - start);
        if (keeper.Busy()) {
            std::printf("ERROR: an append started a new base\n");
            return false;
        }
    }
    const auto copy = tovel::DecodeRecovery(store.Read(store.OwnCopy()));
    const bool same = copy && copy->text == editor.TextView();
    if (!same) std::printf("ERROR: the copy does not read back as the text\n");
    keeper.DocumentClean();

    std::printf("  %.0f MB:\n", size / 1e6);
    std::printf("    whole copy each Tick (before): %.1f ms\n", Ms(Median(whole)));
    std::printf(
        "    new base: %zu Ticks, %.1f ms of them at work, %.1f ms until it is the copy, %.1f ms per Tick at the "
        "median; the longest is Tick %zu\n",
        slices.size(), Ms(baseWork), Ms(baseTotal), Ms(Median(slices)), longestAt + 1);
    Verdict("the longest Tick while the base is written", Ms(longest), 16.0, "ms");
    Verdict("a Tick after a keystroke (append, median)", Ms(Median(appends)), 16.0, "ms");
    return same;
}

}  // namespace

int main() {
    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    HWND parent = tovel::bench::CreateParentWindow("tovel recovery bench", WS_OVERLAPPEDWINDOW, 640, 480);
    if (!parent) {
        std::fprintf(stderr, "cannot create the window\n");
        return 2;
    }
    PumpMessages();
    bool ok = true;
    std::printf("win32 (Wine): the recovery copy, Shift-JIS with CR LF; medians\n");
    try {
        for (const std::size_t size : {std::size_t{10'000'000}, std::size_t{100'000'000}}) {
            ok = Measure(parent, tempDir, size) && ok;
        }
    } catch (const tovel::Error& e) {
        std::printf("ERROR: %s\n", e.what());
        ok = false;
    }
    DestroyWindow(parent);
    std::fflush(stdout);
    return ok ? 0 : 1;
}
