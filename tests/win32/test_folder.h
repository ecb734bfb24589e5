#pragma once
// A fresh, uniquely named folder under the Windows temporary folder, removed with everything in it
// (read-only files and subfolders included) when the object goes out of scope.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tovel::test {

class TestFolder {
public:
    TestFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        static unsigned counter = 0;
        for (;;) {
            std::string path = std::string(temp) + "tovel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++counter);
            if (CreateDirectoryA(path.c_str(), nullptr)) {
                m_path = path + "\\";
                break;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS) break;  // m_path stays empty; Valid() says so
        }
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder() {
        if (!m_path.empty()) RemoveTree(m_path);
    }

    bool Valid() const { return !m_path.empty(); }
    // The folder with its trailing "\".
    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + std::string(name); }

    // The names in the folder (no "." or ".."), in the order the file system gives them.
    static std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return names;
    }
    std::vector<std::string> Names() const { return Names(m_path); }

private:
    static void RemoveTree(const std::string& folder) {
        for (const std::string& name : Names(folder)) {
            const std::string path = folder + name;
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) continue;
            if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                DeleteFileA(path.c_str());
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string m_path;
};

// The whole content of a file, or "<missing>" when it cannot be opened (shared with anyone).
inline std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(file);
    return bytes;
}

// Creates or replaces a file with exactly these bytes; false when that fails.
inline bool WriteBytes(const std::string& path, std::string_view bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace tovel::test
