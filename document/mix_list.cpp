#include "document/mix_list.h"

#include "platform/byte_string.h"
#include "platform/text_file_rules.h"

namespace tovel {

void MixList::LoadFromFile(ITextFiles& files, const std::string& name) { SetText(ReadTextFile(files, name)); }

void MixList::SetText(std::string bytes) {
    std::vector<Span> spans;
    const auto lines = SplitLines(bytes);
    spans.reserve(lines.size());
    for (std::string_view line : lines)
        spans.push_back({static_cast<std::size_t>(line.data() - bytes.data()), line.size()});
    m_buffer = std::move(bytes);
    m_lines = std::move(spans);
}

void MixList::Add(std::string_view entry) {
    m_lines.push_back({m_buffer.size(), entry.size()});
    m_buffer.append(entry);
}

std::vector<std::string_view> MixList::Lines() const {
    std::vector<std::string_view> lines;
    lines.reserve(m_lines.size());
    for (const Span& s : m_lines) lines.emplace_back(m_buffer.data() + s.offset, s.size);
    return lines;
}

std::string MixList::Text(std::string_view lineBreak) const {
    std::size_t size = 0;
    for (const Span& s : m_lines) size += s.size + lineBreak.size();
    std::string out;
    out.reserve(size);
    for (const Span& s : m_lines) {
        out.append(m_buffer, s.offset, s.size);
        out.append(lineBreak);
    }
    return out;
}

void MixList::SaveToFile(ITextFiles& files, const std::string& name) const { files.WriteAll(name, Text()); }

}  // namespace tovel
