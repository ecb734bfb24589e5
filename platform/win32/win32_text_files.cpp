#include "platform/win32/win32_text_files.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <tuple>

#include "platform/error.h"
#include "platform/path_parts.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/whole_file.h"

namespace tovel {
namespace {

std::string CannotCreate(const std::string& name) { return FormatText("ファイル %s を作成できません", name); }

// The attributes a replacement takes over from the file it replaces (read-only targets are refused). The
// archive mark is not among them: new content always needs backing up, so it is set as any write sets it.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

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

// What tells one file or folder from every other on this machine: its volume and its index there.
std::optional<std::tuple<DWORD, DWORD, DWORD>> IdentityOf(const std::string& path) {
    if (path.empty()) return std::nullopt;
    ScopedHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
    return std::tuple{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

class Win32FileReader : public IFileReader {
public:
    explicit Win32FileReader(const std::string& name) : m_cannotOpen(FormatText("ファイル %s は開けません", name)) {
        m_file.Reset(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size{};
        if (!m_file.Valid() || !GetFileSizeEx(m_file.Get(), &size) || size.QuadPart < 0) throw Error(m_cannotOpen);
        m_size = static_cast<std::uint64_t>(size.QuadPart);
    }
    std::uint64_t Size() const override { return m_size; }
    std::size_t Read(char* into, std::size_t bytes) override {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, m_size - m_done));
        std::size_t done = 0;
        while (done < want) {
            // ReadFile takes a 32-bit count: a gigabyte at a time.
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(want - done, std::size_t{1} << 30));
            DWORD got = 0;
            if (!ReadFile(m_file.Get(), into + done, ask, &got, nullptr) || got == 0) throw Error(m_cannotOpen);
            done += got;
        }
        m_done += done;
        return done;
    }

private:
    std::string m_cannotOpen;
    ScopedHandle m_file;
    std::uint64_t m_size = 0;
    std::uint64_t m_done = 0;
};

}  // namespace

std::unique_ptr<IFileReader> Win32TextFiles::OpenToRead(const std::string& name) {
    return std::make_unique<Win32FileReader>(name);
}

std::string Win32TextFiles::ReadAll(const std::string& name) {
    // All or nothing: a file that cannot be opened, measured or read to its last byte is refused whole,
    // so the caller never takes part of a file for all of it.
    WholeFile whole = ReadWholeFile(name, UINT64_MAX, FormatText("ファイル %s は開けません", name));
    if (!whole.complete) throw Error(FormatText("ファイル %s は開けません", name));
    return std::move(whole.bytes);
}

bool Win32TextFiles::ReadOnly(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

bool Win32TextFiles::Exists(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32TextFiles::Stamp(const std::string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return {};
    char stamp[64];
    wsprintfA(stamp, "%08lX%08lX-%08lX%08lX", data.nFileSizeHigh, data.nFileSizeLow,
              data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

void Win32TextFiles::CheckReadable(const std::string& name) {
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) throw Error(FormatText("ファイル %s は開けません", name));
}

void Win32TextFiles::WriteAll(const std::string& name, std::string_view bytes) { WriteParts(name, {bytes}); }

void Win32TextFiles::WriteParts(const std::string& name, std::initializer_list<std::string_view> parts) {
    std::uint64_t total = 0;
    for (std::string_view part : parts) total += part.size();
    auto it = parts.begin();
    WritePieces(name, total, [&]() -> std::string_view {
        while (it != parts.end()) {
            if (const std::string_view part = *it++; !part.empty()) return part;
        }
        return {};
    });
}

void Win32TextFiles::WritePieces(const std::string& name, std::uint64_t expected, const PieceSource& next) {
    // A target that exists but cannot be replaced (read-only, a folder, held open by another program)
    // is refused before anything is written.
    WIN32_FILE_ATTRIBUTE_DATA target{};
    const bool exists = GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &target);
    if (exists) {
        if (target.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            throw Error(CannotCreate(name));
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
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a hidden or system copy deletes too
            DeleteFileA(path.c_str());
        }
    } cleanup{tempPath, temp};

    Step("temporary file created");
    // The pieces in order, with the "half written" step once half the expected bytes are in the file. A
    // failed write ends the save at once: the file could only come out short.
    std::uint64_t before = expected / 2;
    bool halfSeen = false;
    const auto half = [&] {
        halfSeen = true;
        Step("half written");
    };
    if (before == 0) half();
    bool written = true;
    for (std::string_view piece = next(); written && !piece.empty(); piece = next()) {
        if (!halfSeen) {
            const std::string_view head =
                piece.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(before, piece.size())));
            written = WriteEverything(temp.Get(), head);
            piece.remove_prefix(head.size());
            before -= head.size();
            if (before == 0) half();
        }
        written = written && WriteEverything(temp.Get(), piece);
    }
    if (!halfSeen) half();  // fewer bytes than expected
    // The replacement takes the old file's creation time (the write time is the new content's own).
    if (exists) SetFileTime(temp.Get(), &target.ftCreationTime, nullptr, nullptr);
    written = written && FlushFileBuffers(temp.Get());
    temp.Reset();
    if (!written) throw Error("ストリームへの書き込みエラー");
    if (exists && (target.dwFileAttributes & kKeptAttributes)) {
        SetFileAttributesA(tempPath.c_str(), (target.dwFileAttributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    }

    Step("before replace");
    // One rename over the target: at every moment the name holds the complete old file or the complete
    // new one. (A replace that moves the old file away first leaves the name empty for a while, and a
    // kill in that moment loses the document.)
    if (!MoveFileExA(tempPath.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw Error(CannotCreate(name));
    }
    cleanup.keep = true;
}

std::optional<std::uint64_t> Win32TextFiles::SizeOf(const std::string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool Win32TextFiles::SameFile(const std::string& a, const std::string& b) {
    // Both on disk: one file when the file system gives both one identity (a link, a short name, case).
    const auto fileA = IdentityOf(a), fileB = IdentityOf(b);
    if (fileA || fileB) return fileA && fileB && *fileA == *fileB;
    // Neither yet: one file to be when the folders are one (resolved as the write will resolve them) and
    // the names match.
    const LeadByteTable& leadBytes = SystemLeadBytes();
    const auto folderA = IdentityOf(FolderPart(a, leadBytes)), folderB = IdentityOf(FolderPart(b, leadBytes));
    return folderA && folderB && *folderA == *folderB &&
           SamePath(NamePart(a, leadBytes), NamePart(b, leadBytes), leadBytes);
}

std::string Win32TextFiles::LongFullPath(const std::string& name) {
    const std::string full = FullPath(name);
    // A file that does not exist yet has no long name of its own; its folder may.
    const std::string folder = FolderPart(full, SystemLeadBytes());
    for (const std::string& known : {full, folder}) {
        char buf[MAX_PATH * 2] = {};
        const DWORD n = known.empty() ? 0 : GetLongPathNameA(known.c_str(), buf, sizeof buf);
        if (n > 0 && n < sizeof buf) return std::string(buf, n) + full.substr(known.size());
    }
    return full;
}

std::string Win32TextFiles::FullPath(const std::string& name) {
    char buf[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : name;
}

bool Win32TextFiles::FolderWritable(const std::string& folder) {
    if (m_folderProbe) return m_folderProbe(folder);
    static LONG counter = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        char name[64];
        wsprintfA(name, "~wrprobe-%08lX-%08lX.tmp", GetCurrentProcessId(),
                  static_cast<unsigned long>(InterlockedIncrement(&counter)));
        // Removed by the system when the handle closes, so a probe leaves nothing behind.
        ScopedHandle probe(CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (probe.Valid()) return true;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

std::string Win32TextFiles::TempFolder() {
    char buf[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof buf, buf);
    if (n == 0 || n >= sizeof buf) return {};
    return std::string(buf, n);  // GetTempPath ends it with "\"
}

}  // namespace tovel
