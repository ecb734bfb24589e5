#include "platform/win32/whole_file.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "platform/error.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

WholeFile ReadWholeFile(const std::string& path, std::uint64_t maxBytes, const std::string& tooLarge) {
    const std::string cannotOpen = FormatText("ファイル %s は開けません", path);
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw Error(cannotOpen);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) throw Error(cannotOpen);
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) throw Error(tooLarge);
    WholeFile whole;
    try {
        whole.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        throw Error("メモリが足りません");
    } catch (const std::length_error&) {
        throw Error("メモリが足りません");
    }
    std::size_t done = 0;
    while (done < whole.bytes.size()) {
        DWORD got = 0;
        // ReadFile takes a 32-bit count: a gigabyte at a time.
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(whole.bytes.size() - done, 1u << 30));
        if (!ReadFile(file.Get(), whole.bytes.data() + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    whole.complete = done == whole.bytes.size();
    whole.bytes.resize(done);
    return whole;
}

bool WriteEverything(void* file, std::string_view bytes) {
    constexpr std::size_t kPiece = std::size_t{16} << 20;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kPiece));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace tovel
