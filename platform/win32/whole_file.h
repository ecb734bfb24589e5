#pragma once
// Reading a whole file into memory: opened for reading (others may read but not write it), measured,
// then read to its measured end.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

struct WholeFile {
    std::string bytes;
    bool complete = false;  // false when a read failed or the file ended before its measured size
};

// Raises "ファイル %s は開けません" when the file cannot be opened or measured, `tooLarge` when it is larger
// than `maxBytes` (before a byte is read), and "メモリが足りません" when its size cannot be held.
WholeFile ReadWholeFile(const std::string& path, std::uint64_t maxBytes, const std::string& tooLarge);

// Writes all bytes to an open file in pieces of at most 16 MB: WriteFile takes a 32-bit count, and under
// Wine one request of a gigabyte or more can fail inside the wineserver. False on a short or failed write.
bool WriteEverything(void* file, std::string_view bytes);

}  // namespace tovel
