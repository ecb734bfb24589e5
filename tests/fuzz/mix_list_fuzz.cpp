// The scratch list's split and join: lines never hold a break, joining ends every line with CR LF, and a
// list read back from its own text is the same list.
#include <string>

#include "document/mix_list.h"
#include "platform/byte_string.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

class OneFile : public tovel::ITextFiles {
public:
    std::string bytes;
    std::string ReadAll(const std::string&) override { return bytes; }
    bool Exists(const std::string&) override { return true; }
    bool ReadOnly(const std::string&) override { return false; }
    std::string Stamp(const std::string&) override { return {}; }
    void CheckReadable(const std::string&) override {}
    void WriteAll(const std::string&, std::string_view b) override { bytes = std::string(b); }
    std::string FullPath(const std::string& name) override { return name; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view in = fuzz::Bytes(data, size);
    const auto lines = SplitLines(in);
    for (std::string_view line : lines) {
        fuzz::Check(line.find_first_of("\r\n") == std::string_view::npos, "a line holds a break");
    }
    const std::string joined = JoinLines(lines);
    fuzz::Check(SplitLines(joined) == lines, "the joined text splits into other lines");
    fuzz::Check(joined.empty() || joined.ends_with("\r\n"), "the joined text does not end with CR LF");

    // Through the list and a file: a text without NUL loads, and saving writes the joined text.
    if (in.find('\0') != std::string_view::npos) return 0;
    OneFile file;
    file.bytes = std::string(in);
    MixList list;
    list.LoadFromFile(file, "in");
    list.Add(in);
    list.SaveToFile(file, "out");
    fuzz::Check(file.bytes == joined + std::string(in) + "\r\n", "the saved list is not its lines and the entry");
    return 0;
}
