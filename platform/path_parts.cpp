#include "platform/path_parts.h"

#include "platform/sjis.h"

namespace tovel {
namespace {

// Offset just past the last separator, or 0.
std::size_t AfterLastSeparator(std::string_view path, const LeadByteTable& leadBytes) {
    std::size_t after = 0;
    for (std::size_t pos = 0; pos < path.size(); pos = leadBytes.Next(path, pos)) {
        if (path[pos] == '\\' || path[pos] == ':') after = pos + 1;
    }
    return after;
}

char Folded(char c) {
    if (c == '/') return '\\';
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string FolderPart(std::string_view path, const LeadByteTable& leadBytes) {
    return std::string(path.substr(0, AfterLastSeparator(path, leadBytes)));
}

std::string NamePart(std::string_view path, const LeadByteTable& leadBytes) {
    return std::string(path.substr(AfterLastSeparator(path, leadBytes)));
}

bool SamePath(std::string_view a, std::string_view b, const LeadByteTable& leadBytes) {
    if (a.size() != b.size() || a.empty()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t next = leadBytes.Next(a, i);
        if (leadBytes.Next(b, i) != next) return false;
        if (next == i + 1) {
            if (Folded(a[i]) != Folded(b[i])) return false;
        } else if (a.substr(i, next - i) != b.substr(i, next - i)) {
            return false;
        }
        i = next;
    }
    return true;
}

}  // namespace tovel
