#include "platform/win32/win32_recovery_store.h"

#include <windows.h>

#include <algorithm>

#include "platform/error.h"

namespace tovel {
namespace {

constexpr char kCopyExtension[] = ".tov";
constexpr char kLockExtension[] = ".lock";

std::string LocalAppDataFolder() {
    char buf[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("LOCALAPPDATA", buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return {};
    return std::string(buf, n) + "\\tovel\\recovery\\";
}

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
    for (std::size_t pos = folder.find('\\', 3); pos != std::string::npos; pos = folder.find('\\', pos + 1)) {
        CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LockOf(const std::string& copy) {
    return copy.substr(0, copy.size() - (sizeof kCopyExtension - 1)) + kLockExtension;
}

}  // namespace

Win32RecoveryStore::Win32RecoveryStore(const std::string& appDir, std::string fallbackDir) {
    if (fallbackDir.empty()) fallbackDir = LocalAppDataFolder();
    if (!TryFolder(appDir + "recovery\\") && !fallbackDir.empty()) TryFolder(fallbackDir);
}

Win32RecoveryStore::~Win32RecoveryStore() = default;  // the lock file goes with its handle

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

void Win32RecoveryStore::Remove() {
    if (!m_copy.empty()) DeleteFileA(m_copy.c_str());
}

std::vector<std::string> Win32RecoveryStore::LeftBehind() {
    std::vector<std::pair<FILETIME, std::string>> found;
    // Only the folder in use: an instance that could not write beside the program used the same fallback.
    for (const std::string& folder : {m_folder}) {
        if (folder.empty()) continue;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "copy-*" + kCopyExtension).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string copy = folder + data.cFileName;
            if (copy == m_copy) continue;
            // A lock held open belongs to a running instance; a lock that is gone, or that opens, does not.
            const std::string lock = LockOf(copy);
            if (GetFileAttributesA(lock.c_str()) != INVALID_FILE_ATTRIBUTES) {
                ScopedHandle probe(CreateFileA(lock.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                if (!probe.Valid()) continue;
            }
            if (std::none_of(found.begin(), found.end(), [&](const auto& f) { return f.second == copy; })) {
                found.push_back({data.ftLastWriteTime, copy});
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return CompareFileTime(&a.first, &b.first) > 0; });
    std::vector<std::string> copies;
    for (auto& f : found) copies.push_back(std::move(f.second));
    return copies;
}

std::string Win32RecoveryStore::Read(const std::string& copy) { return m_files.ReadAll(copy); }

void Win32RecoveryStore::Discard(const std::string& copy) {
    DeleteFileA(copy.c_str());
    DeleteFileA(LockOf(copy).c_str());  // a stale lock left by a power cut
}

}  // namespace tovel
