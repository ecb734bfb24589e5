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

}  // namespace

std::string FolderPart(std::string_view path, const LeadByteTable& leadBytes) {
    return std::string(path.substr(0, AfterLastSeparator(path, leadBytes)));
}

std::string NamePart(std::string_view path, const LeadByteTable& leadBytes) {
    return std::string(path.substr(AfterLastSeparator(path, leadBytes)));
}

}  // namespace tovel
