#pragma once
// Recovery copies in a folder "recovery" beside the program, or in %LOCALAPPDATA%\tovel\recovery where
// that folder cannot be written. Each instance names its copy after its process and start time and holds
// a lock file of the same name open, unshared and deleted on close, for as long as it runs: a copy whose
// lock is held belongs to a running instance and is never offered; one whose lock is gone or free was
// left behind.
#include <string>

#include "platform/recovery_store.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_text_files.h"

namespace tovel {

class Win32RecoveryStore : public IRecoveryStore {
public:
    // `appDir` with its trailing "\"; `fallbackDir` (tests) replaces %LOCALAPPDATA%\tovel\recovery\.
    explicit Win32RecoveryStore(const std::string& appDir, std::string fallbackDir = {});
    ~Win32RecoveryStore() override;

    void Write(std::string_view header, std::string_view text) override;
    void Remove() override;
    std::vector<std::string> LeftBehind() override;
    std::string Read(const std::string& copy) override;
    void Discard(const std::string& copy) override;

    // The folder in use ("" when neither could be written), with its trailing "\".
    const std::string& Folder() const { return m_folder; }
    const std::string& OwnCopy() const { return m_copy; }

private:
    bool TryFolder(const std::string& folder);

    Win32TextFiles m_files;
    std::string m_folder;
    std::string m_copy;  // full path of this instance's copy
    ScopedHandle m_lock;
};

}  // namespace tovel
