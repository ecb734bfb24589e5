// Path parts in both code pages: folder and name always make the path again, the folder ends at a
// separator, and the name holds none outside a double-byte character.
#include "platform/path_parts.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view path = fuzz::Bytes(data, size);
    for (const LeadByteTable* table : {&LeadByteTable::ShiftJis(), &LeadByteTable::SingleByte()}) {
        const std::string folder = FolderPart(path, *table), name = NamePart(path, *table);
        fuzz::Check(folder + name == path, "folder and name do not make the path");
        fuzz::Check(folder.empty() || folder.back() == '\\' || folder.back() == ':', "the folder ends elsewhere");
        for (std::size_t pos = 0; pos < name.size(); pos = table->Next(name, pos)) {
            fuzz::Check(name[pos] != '\\' && name[pos] != ':', "the name holds a separator");
        }
    }
    return 0;
}
