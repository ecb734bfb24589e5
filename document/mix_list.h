#pragma once
// The main window's scratch list of lines, through which another file's lines are appended to the editor's text.
// The lines live in one buffer so that loading a large file costs no allocation per line.
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_files.h"

namespace tovel {

class MixList {
public:
    // Replaces the lines with the file's lines; on failure the list keeps its previous lines.
    void LoadFromFile(ITextFiles& files, const std::string& name);
    // Replaces the lines with those of a text already read; CR LF, LF and CR each end one line.
    void SetText(std::string text);
    // Every entry followed by CR LF (an entry that holds a break of its own keeps it).
    std::string Text() const { return Text("\r\n"); }
    // Every entry followed by `lineBreak`.
    std::string Text(std::string_view lineBreak) const;
    // Appends one entry, unchanged: breaks inside it stay inside the entry.
    void Add(std::string_view entry);
    void SaveToFile(ITextFiles& files, const std::string& name) const;

    std::vector<std::string_view> Lines() const;

private:
    struct Span {
        std::size_t offset, size;
    };
    std::string m_buffer;
    std::vector<Span> m_lines;
};

}  // namespace tovel
