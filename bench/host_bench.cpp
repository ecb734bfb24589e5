// Throughput of the line-break rules on a 10 MB Shift-JIS text with mixed breaks.
#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/bench_text.h"
#include "bench/host_bench_support.h"
#include "document/mix_list.h"
#include "platform/byte_string.h"

namespace {

using tovel::bench::MegabytesPerSecond;

}  // namespace

int main() {
    const std::string text = tovel::bench::MakeMixedBreaksText(10'000'000);
    std::size_t sink = 0;
    double normalize = MegabytesPerSecond(text.size(), [&] { sink += tovel::NormalizeLineBreaks(text).size(); });
    struct OneFile : tovel::ITextFiles {
        const std::string& text;
        explicit OneFile(const std::string& t) : text(t) {}
        std::string ReadAll(const std::string&) override { return text; }
        bool Exists(const std::string&) override { return true; }
        bool ReadOnly(const std::string&) override { return false; }
        std::string Stamp(const std::string&) override { return {}; }
        void CheckReadable(const std::string&) override {}
        void WriteAll(const std::string&, std::string_view) override {}
        std::string FullPath(const std::string& name) override { return name; }
    } file(text);
    tovel::MixList list;
    double split = MegabytesPerSecond(text.size(), [&] {
        list.LoadFromFile(file, "bench.txt");
        sink += list.Lines().size();
    });
    std::printf("host: 10 MB Shift-JIS, CR LF / LF / CR breaks\n");
    std::printf("  normalise line breaks: %8.0f MB/s (target >= 500) %s\n", normalize,
                normalize >= 500 ? "ok" : "BELOW");
    std::printf("  MixList split:         %8.0f MB/s (target >= 500) %s\n", split, split >= 500 ? "ok" : "BELOW");
    return sink == 0;
}
