// Throughput of telling a file's format and of reading it into the held text (DetectFormat, Decode) on
// 10 MB of Japanese text in UTF-8, EUC-JP, Shift-JIS and UTF-16 LE with its byte-order mark. Target:
// each at least 200 MB/s, so that neither costs a 10 MB open more than 50 ms.
#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/formats_bench_text.h"
#include "bench/host_bench_support.h"
#include "document/text_format.h"

namespace {

using tovel::bench::MegabytesPerSecond;

constexpr double kTargetMbPerSecond = 200;

void Verdict(const char* what, double value) {
    std::printf("  %-28s %8.0f MB/s (target >= %.0f) %s\n", what, value, kTargetMbPerSecond,
                value >= kTargetMbPerSecond ? "ok" : "MISSED");
}

}  // namespace

int main() {
    using tovel::Encoding;
    using tovel::TextFormat;
    constexpr std::size_t kSize = 10'000'000;
    const std::string utf8 = tovel::bench::MakeJapaneseText(kSize, true);
    const std::string shiftJis = tovel::bench::MakeJapaneseText(kSize, false);
    const TextFormat eucJpFormat{Encoding::EucJp, false, tovel::LineBreak::CrLf};
    const TextFormat utf16Format{Encoding::Utf16Le, true, tovel::LineBreak::CrLf};
    struct File {
        const char* name;
        std::string bytes;
        TextFormat expected;
    };
    const File files[] = {
        {"UTF-8", utf8, {Encoding::Utf8, false, tovel::LineBreak::CrLf}},
        {"EUC-JP", tovel::Encode(shiftJis, eucJpFormat), eucJpFormat},
        {"Shift-JIS", shiftJis, {Encoding::ShiftJis, false, tovel::LineBreak::CrLf}},
        {"UTF-16 LE (BOM)", tovel::Encode(utf8.substr(0, kSize / 2), utf16Format), utf16Format},
    };

    bool ok = true;
    std::size_t sink = 0;
    std::printf("host: about 10 MB of Japanese text with ASCII, CR LF, in each format; best of 5\n");
    for (const File& file : files) {
        std::printf(" %s, %.1f MB\n", file.name, file.bytes.size() / 1e6);
        // Wrong figures are worse than slow ones: the file must be read as what it is, exactly.
        if (tovel::DetectFormat(file.bytes) != file.expected || !tovel::Decode(file.bytes, file.expected).exact) {
            std::printf("  ERROR: not detected as %s, or not read exactly\n", file.name);
            ok = false;
            continue;
        }
        Verdict("DetectFormat", MegabytesPerSecond(file.bytes.size(), [&] {
                    sink += static_cast<std::size_t>(tovel::DetectFormat(file.bytes).encoding);
                }));
        Verdict("Decode", MegabytesPerSecond(file.bytes.size(),
                                             [&] { sink += tovel::Decode(file.bytes, file.expected).held.size(); }));
    }
    return ok && sink != 0 ? 0 : 1;
}
