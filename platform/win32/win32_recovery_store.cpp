#include "platform/win32/win32_recovery_store.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/error.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/user_folders.h"
#include "platform/win32/whole_file.h"

namespace tovel {
namespace {

constexpr char kCopyExtension[] = ".tov";
constexpr char kLockExtension[] = ".lock";
constexpr char kCopyPattern[] = "copy-*.tov";
constexpr char kTemporaryPattern[] = "~tov*.tmp";  // what the safe save writes before it replaces a copy

std::string LocalAppDataFolder() {
    const std::string folder = PerUserFolder("LOCALAPPDATA");
    return folder.empty() ? folder : folder + "recovery\\";
}

bool EndsWith(const std::string& path, std::string_view tail) {
    return path.size() > tail.size() && path.compare(path.size() - tail.size(), std::string::npos, tail) == 0;
}

// The messages of the safe save, which wrote every copy before: a full disk reads the same either way.
std::string CannotCreate(const std::string& copy) { return FormatText("ファイル %s を作成できません", copy); }
constexpr char kCannotWrite[] = "ストリームへの書き込みエラー";

bool IsCopyName(const std::string& path) { return EndsWith(path, kCopyExtension); }

// A second name of a replaced copy while its space is freed; a leftover one is only ever deleted.
constexpr char kAsidePattern[] = "copy-*.old";
std::string AsideOf(const std::string& copy) {
    return copy.substr(0, copy.size() - (sizeof kCopyExtension - 1)) + ".old";
}

std::string LockOf(const std::string& copy) {
    return copy.substr(0, copy.size() - (sizeof kCopyExtension - 1)) + kLockExtension;
}

// Claims a copy for this instance by holding its lock as an owner holds it (unshared, deleted on close),
// so that an instance started meanwhile neither offers nor discards it. A lock held by someone else means
// its owner still runs or another instance claimed it first.
enum class Claim { Held, Taken, Unclaimable };
Claim ClaimCopy(const std::string& copy, ScopedHandle& lock) {
    lock.Reset(CreateFileA(LockOf(copy).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (lock.Valid()) return Claim::Held;
    // A folder that cannot take a lock (read-only media) still shows its copies.
    return GetLastError() == ERROR_SHARING_VIOLATION ? Claim::Taken : Claim::Unclaimable;
}

// A copy up to this size is flushed within FinishCopy: that flush takes little longer than an append's.
constexpr std::uint64_t kFlushAtOnceBytes = std::uint64_t{1} << 20;
// Shared by the writer's handle and its flusher's; any other opening is refused while either is open.
constexpr DWORD kNextSharing = FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A temporary file still open is a write in progress, not one cut short.
bool BeingWritten(const std::string& temporary) {
    ScopedHandle probe(
        CreateFileA(temporary.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.Valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

// A temporary file whose header's room is still zero (or that is empty) was cut short before it was
// complete: it is no copy, and the copy it was to replace still holds the text.
bool NeverFinished(const std::string& temporary) {
    ScopedHandle file(CreateFileA(temporary.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    char first = 0;
    DWORD read = 0;
    return file.Valid() && ReadFile(file.Get(), &first, 1, &read, nullptr) && (read == 0 || first == '\0');
}

}  // namespace

Win32RecoveryStore::Win32RecoveryStore(const std::string& appDir, std::string perUserDir)
    : m_perUser(perUserDir.empty() ? LocalAppDataFolder() : std::move(perUserDir)),
      m_besideProgram(appDir.empty() ? "" : appDir + "recovery\\") {
    if (!(!m_perUser.empty() && TryFolder(m_perUser)) && !m_besideProgram.empty()) TryFolder(m_besideProgram);
}

Win32RecoveryStore::~Win32RecoveryStore() {
    AbandonCopy();
    m_dropped.clear();  // each waits for the flush it was in
    if (m_deleter.joinable()) m_deleter.join();
}  // the lock file goes with its handle

bool Win32RecoveryStore::TryFolder(const std::string& folder) {
    if (!MakeFolders(folder)) return false;
    char id[64];
    wsprintfA(id, "%08lX-%08lX", GetCurrentProcessId(), static_cast<unsigned long>(GetTickCount64() & 0xFFFFFFFF));
    const std::string base = folder + "copy-" + id;
    m_lock.Reset(CreateFileA((base + kLockExtension).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!m_lock.Valid()) return false;  // not writable here
    m_folder = folder;
    m_copy = base + kCopyExtension;
    return true;
}

void Win32RecoveryStore::Write(std::string_view header, std::string_view text) {
    if (m_copy.empty()) throw Error("復元用のコピーを書き込めるフォルダがありません");
    m_files.WriteParts(m_copy, {header, text});
}

void Win32RecoveryStore::Append(std::string_view bytes) {
    if (m_copy.empty()) throw Error("復元用のコピーを書き込めるフォルダがありません");
    ScopedHandle file(CreateFileA(m_copy.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end{};
    if (!file.Valid() || !SetFilePointerEx(file.Get(), LARGE_INTEGER{}, &end, FILE_END)) throw Error(kCannotWrite);
    if (!WriteEverything(file.Get(), bytes) || !FlushFileBuffers(file.Get())) {
        // Cut back to where it was, so the next base does not find a torn record to skip. (Should that
        // fail too, the torn record still only ends the replay.)
        if (SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN)) SetEndOfFile(file.Get());
        throw Error(kCannotWrite);
    }
}

void Win32RecoveryStore::BeginCopy(std::size_t headerSize) {
    AbandonCopy();
    std::erase_if(m_dropped, [](const auto& flusher) { return flusher->Ended(); });
    if (m_copy.empty()) throw Error("復元用のコピーを書き込めるフォルダがありません");
    for (unsigned attempt = 0; attempt < 100 && !m_next.Valid(); ++attempt) {
        char name[32];
        wsprintfA(name, "~tov%05lX.tmp", (GetTickCount() + GetCurrentProcessId() * 31u + m_names++ * 7919u) & 0xFFFFF);
        m_nextPath = m_folder + name;
        m_next.Reset(CreateFileA(m_nextPath.c_str(), GENERIC_WRITE, kNextSharing, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        // A name in use, or one whose file is deleted but still held by a dropped copy's flusher.
        const DWORD error = GetLastError();
        if (!m_next.Valid() && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED)
            break;
    }
    if (!m_next.Valid()) {
        m_nextPath.clear();
        throw Error(CannotCreate(m_copy));
    }
    // The header's room stays zero until the copy is complete: a kill before that leaves a file that
    // reads as no copy at all.
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(headerSize);
    if (!SetFilePointerEx(m_next.Get(), at, nullptr, FILE_BEGIN) || !SetEndOfFile(m_next.Get())) {
        AbandonCopy();
        throw Error(CannotCreate(m_copy));
    }
    m_nextHeader = headerSize;
    m_nextBytes = headerSize;
}

void Win32RecoveryStore::ContinueCopy(std::string_view part) {
    if (!m_next.Valid() || m_finishing || !WriteEverything(m_next.Get(), part)) {
        AbandonCopy();
        throw Error(kCannotWrite);
    }
    m_nextBytes += part.size();
    // Nothing is flushed while the parts come: a flush under way holds up each write of the next part (its
    // time about doubles, with stalls of more). A large copy is flushed once, whole, by FinishCopy's thread.
    if (!m_flusher && m_nextBytes > kFlushAtOnceBytes) {
        ScopedHandle own(CreateFileA(m_nextPath.c_str(), GENERIC_WRITE, kNextSharing, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!own.Valid()) {
            AbandonCopy();
            throw Error(kCannotWrite);
        }
        m_flusher = std::make_unique<BackgroundFlush>(std::move(own));
    }
}

bool Win32RecoveryStore::FinishCopy(std::string_view header, std::string_view tail) {
    bool written =
        m_next.Valid() && !m_finishing && header.size() == m_nextHeader && WriteEverything(m_next.Get(), tail);
    if (written && m_flusher) {
        m_flusher->Finish(std::string(header));
        m_finishing = true;
        return false;
    }
    // Small: the parts are flushed before the header is written, so that a header on the disk always
    // describes bytes on the disk.
    written = written && FlushFileBuffers(m_next.Get()) &&
              SetFilePointerEx(m_next.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
              WriteEverything(m_next.Get(), header) && FlushFileBuffers(m_next.Get());
    if (!written) {
        AbandonCopy();
        throw Error(kCannotWrite);
    }
    ReplaceCopy();
    return true;
}

bool Win32RecoveryStore::CopyReplaced() {
    if (!m_finishing) {
        AbandonCopy();
        throw Error(kCannotWrite);
    }
    switch (m_flusher->Result()) {
        case BackgroundFlush::State::Working:
            return false;
        case BackgroundFlush::State::Failed:
            AbandonCopy();
            throw Error(kCannotWrite);
        case BackgroundFlush::State::Done:
            break;
    }
    m_flusher.reset();  // its thread has ended, or is about to
    ReplaceCopy();
    return true;
}

void Win32RecoveryStore::ReplaceCopy() {
    m_next.Reset();
    m_finishing = false;
    // The old copy keeps a second name, so that the rename only drops a name and the space is freed
    // later, off this thread. (Without the link the rename frees it at once: slower, no less safe.)
    if (m_deleter.joinable()) m_deleter.join();  // the last one, long done
    const std::string aside = AsideOf(m_copy);
    DeleteFileA(aside.c_str());
    const bool linked = CreateHardLinkA(aside.c_str(), m_copy.c_str(), nullptr);
    // One rename over the copy: at every moment its name holds the old copy or the new one, complete.
    const bool replaced =
        MoveFileExA(m_nextPath.c_str(), m_copy.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (linked) m_deleter = std::thread([aside] { DeleteFileA(aside.c_str()); });
    if (!replaced) {
        AbandonCopy();
        throw Error(CannotCreate(m_copy));
    }
    m_nextPath.clear();
}

void Win32RecoveryStore::AbandonCopy() {
    // A flush under way is not waited for: its thread ends after it, and the file, deleted meanwhile,
    // goes with its last handle.
    if (m_flusher) {
        m_flusher->Stop();
        m_dropped.push_back(std::move(m_flusher));
    }
    m_finishing = false;
    m_nextBytes = 0;
    m_next.Reset();
    if (!m_nextPath.empty()) DeleteFileA(m_nextPath.c_str());
    m_nextPath.clear();
}

void Win32RecoveryStore::Remove() {
    if (!m_copy.empty()) DeleteFileA(m_copy.c_str());
}

std::vector<LeftCopy> Win32RecoveryStore::LeftBehind() {
    struct Found {
        FILETIME written;
        LeftCopy copy;
    };
    std::vector<Found> found;
    std::vector<std::string> folders;
    for (const std::string& folder : {m_folder, m_perUser, m_besideProgram}) {
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    for (const std::string& folder : folders) {
        // Second names of replaced copies that a kill kept from being deleted: the copies hold their text.
        WIN32_FIND_DATAA aside;
        HANDLE leftover = FindFirstFileA((folder + kAsidePattern).c_str(), &aside);
        if (leftover != INVALID_HANDLE_VALUE) {
            do {
                if (!(aside.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWith(aside.cFileName, ".old"))
                    DeleteFileA((folder + aside.cFileName).c_str());
            } while (FindNextFileA(leftover, &aside));
            FindClose(leftover);
        }
        for (const bool temporary : {false, true}) {
            WIN32_FIND_DATAA data;
            HANDLE find = FindFirstFileA((folder + (temporary ? kTemporaryPattern : kCopyPattern)).c_str(), &data);
            if (find == INVALID_HANDLE_VALUE) continue;
            do {
                const std::string path = folder + data.cFileName;
                // The pattern also matches longer extensions through their short names.
                if (path == m_copy || !EndsWith(path, temporary ? ".tmp" : kCopyExtension)) continue;
                const bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                // A folder named like a copy is listed: reading it fails, and the user hears of it.
                if (!isFolder && temporary && BeingWritten(path)) continue;
                if (!isFolder && temporary && NeverFinished(path)) {
                    DeleteFileA(path.c_str());
                    continue;
                }
                if (!isFolder && !temporary && !m_claims.count(path)) {
                    ScopedHandle lock;
                    if (ClaimCopy(path, lock) == Claim::Taken) continue;
                    if (lock.Valid()) m_claims.emplace(path, std::move(lock));
                }
                found.push_back({data.ftLastWriteTime, {path, temporary}});
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return CompareFileTime(&a.written, &b.written) > 0; });
    std::vector<LeftCopy> copies;
    for (auto& f : found) copies.push_back(std::move(f.copy));
    return copies;
}

std::string Win32RecoveryStore::Read(const std::string& copy) { return m_files.ReadAll(copy); }

void Win32RecoveryStore::Discard(const std::string& copy) {
    m_claims.erase(copy);
    DeleteFileA(copy.c_str());
    if (IsCopyName(copy)) DeleteFileA(LockOf(copy).c_str());  // a stale lock left by a power cut
}

}  // namespace tovel
