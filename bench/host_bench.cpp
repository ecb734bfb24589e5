// Throughput of the line-break rules on a 10 MB Shift-JIS text with mixed breaks.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bench_text.h"
#include "document/mix_list.h"
#include "platform/byte_string.h"

namespace {

template <class F>
double MegabytesPerSecond(const std::string& text, F work) {
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        // <chrono> is avoided: its headers carry a character code page 932 cannot hold.
        timespec start{}, end{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        work();
        clock_gettime(CLOCK_MONOTONIC, &end);
        double seconds = (end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
        best = std::max(best, text.size() / 1e6 / seconds);
    }
    return best;
}

}  // namespace

int main() {
    const std::string text = tovel::bench::MakeMixedBreaksText(10'000'000);
    std::size_t sink = 0;
    double normalize = MegabytesPerSecond(text, [&] { sink += tovel::NormalizeLineBreaks(text).size(); });
    struct OneFile : tovel::ITextFiles {
        const std::string& text;
        explicit OneFile(const std::string& t) : text(t) {}
        std::string ReadAll(const std::string&) override { return text; }
        bool Exists(const std::string&) override { return true; }
        std::string Stamp(const std::string&) override { return {}; }
        void CheckReadable(const std::string&) override {}
        void WriteAll(const std::string&, std::string_view) override {}
        std::string FullPath(const std::string& name) override { return name; }
    } file(text);
    tovel::MixList list;
    double split = MegabytesPerSecond(text, [&] {
        list.LoadFromFile(file, "bench.txt");
        sink += list.Lines().size();
    });
    std::printf("host: 10 MB Shift-JIS, CR LF / LF / CR breaks\n");
    std::printf("  normalise line breaks: %8.0f MB/s (target >= 500) %s\n", normalize,
                normalize >= 500 ? "ok" : "BELOW");
    std::printf("  MixList split:         %8.0f MB/s (target >= 500) %s\n", split, split >= 500 ? "ok" : "BELOW");
    return sink == 0;
}
