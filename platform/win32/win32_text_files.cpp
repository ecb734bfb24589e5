#include "platform/win32/win32_text_files.h"

#include <windows.h>

#include <new>

#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/scoped_win.h"

namespace tovel {
namespace {

std::string CannotCreate(const std::string& name) { return FormatText("ファイル %s を作成できません", name); }

// Writes all bytes in chunks (WriteFile takes a 32-bit count); false on a short or failed write.
bool WriteEverything(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A new, empty temporary file in the target's folder, so the final move stays on one volume.
std::string CreateTemporaryBeside(const std::string& target, ScopedHandle& handle) {
    std::string folder = FolderPart(target, SystemLeadBytes());
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        wsprintfA(name, "~tov%05lX.tmp", (GetTickCount() + GetCurrentProcessId() * 31u + attempt * 7919u) & 0xFFFFF);
        std::string path = folder + name;
        handle.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle.Valid()) return path;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return {};
}

}  // namespace

std::string Win32TextFiles::ReadAll(const std::string& name) {
    // All or nothing: a file that cannot be opened, measured or read to its last byte is refused whole,
    // so the caller never takes part of a file for all of it.
    const std::string cannotOpen = FormatText("ファイル %s は開けません", name);
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw Error(cannotOpen);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) throw Error(cannotOpen);
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        throw Error("メモリが足りません");
    } catch (const std::length_error&) {
        throw Error("メモリが足りません");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) || got == 0) throw Error(cannotOpen);
        done += got;
    }
    return bytes;
}

bool Win32TextFiles::Exists(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32TextFiles::Stamp(const std::string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return {};
    char stamp[64];
    wsprintfA(stamp, "%08lX%08lX-%08lX%08lX", data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime.dwHighDateTime,
              data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

void Win32TextFiles::CheckReadable(const std::string& name) {
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw Error(FormatText("ファイル %s は開けません", name));
}

void Win32TextFiles::WriteAll(const std::string& name, std::string_view bytes) { WriteParts(name, {bytes}); }

void Win32TextFiles::WriteParts(const std::string& name, std::initializer_list<std::string_view> parts) {
    // A target that exists but cannot be replaced (read-only, a folder, held open by another program)
    // is refused before anything is written.
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) throw Error(CannotCreate(name));
        ScopedHandle probe(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.Valid()) throw Error(CannotCreate(name));
    }

    ScopedHandle temp;
    const std::string tempPath = CreateTemporaryBeside(name, temp);
    if (tempPath.empty()) throw Error(CannotCreate(name));
    // Closed before it is deleted, whatever step failed: an open file cannot be deleted.
    struct RemoveOnFailure {
        const std::string& path;
        ScopedHandle& handle;
        bool keep = false;
        ~RemoveOnFailure() {
            if (keep) return;
            handle.Reset();
            DeleteFileA(path.c_str());
        }
    } cleanup{tempPath, temp};

    Step("temporary file created");
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    // The parts in order, with the "half written" step once half the bytes are in the file.
    std::size_t before = total / 2;
    bool written = true, halfSeen = false;
    for (std::string_view part : parts) {
        const std::string_view head = part.substr(0, std::min(before, part.size()));
        written = written && WriteEverything(temp.Get(), head);
        before -= head.size();
        if (before == 0 && !halfSeen) {
            halfSeen = true;
            Step("half written");
        }
        written = written && WriteEverything(temp.Get(), part.substr(head.size()));
    }
    if (!halfSeen) Step("half written");  // no parts at all
    written = written && FlushFileBuffers(temp.Get());
    temp.Reset();
    if (!written) throw Error("ストリームへの書き込みエラー");

    Step("before replace");
    bool replaced = false;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // Keeps the target's attributes and creation time.
        replaced = ReplaceFileA(name.c_str(), tempPath.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    }
    if (!replaced) {
        replaced = MoveFileExA(tempPath.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!replaced) throw Error(CannotCreate(name));
    cleanup.keep = true;
}

std::string Win32TextFiles::FullPath(const std::string& name) {
    char buf[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : name;
}

}  // namespace tovel
