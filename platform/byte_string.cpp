#include "platform/byte_string.h"

#include <cstring>

#include "platform/error.h"

namespace tovel {

std::string FormatText(std::string_view pattern, std::string_view arg) {
    std::string out(pattern);
    if (auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, arg);
    return out;
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* run = p;
        while (p < end && *p != '\r' && *p != '\n') ++p;
        out.append(run, p);
        if (p == end) break;
        p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
        out.append(kCrLf);
    }
    return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    // One pass to size the list saves the repeated regrowth that dominates on large files.
    std::size_t breaks = 0;
    for (char c : text) breaks += (c == '\n') | (c == '\r');
    lines.reserve(breaks + 1);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n') ++p;
        lines.emplace_back(start, static_cast<std::size_t>(p - start));
        if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string_view>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines) {
        out += line;
        out += kCrLf;
    }
    return out;
}

}  // namespace tovel
