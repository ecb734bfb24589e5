#pragma once
// Recovery copies in the user's own %LOCALAPPDATA%\tovel\recovery, or in a folder "recovery" beside the
// program where that folder cannot be used (so that an install shared by several users keeps each
// user's text to that user wherever it can). Each instance names its copy after its process and start
// time and holds a lock file of the same name open, unshared and deleted on close, for as long as it
// runs: a copy whose lock is held belongs to a running instance and is never offered; one whose lock is
// gone or free was left behind, and is claimed the same way by the instance that offers it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/recovery_store.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_recovery_flusher.h"
#include "platform/win32/win32_text_files.h"

namespace tovel {

class Win32RecoveryStore : public IRecoveryStore {
public:
    // `appDir` with its trailing "\"; `perUserDir` (tests) replaces %LOCALAPPDATA%\tovel\recovery\.
    explicit Win32RecoveryStore(const std::string& appDir, std::string perUserDir = {});
    ~Win32RecoveryStore() override;

    void Write(std::string_view header, std::string_view text) override;
    void Append(std::string_view bytes) override;
    // The new copy is a temporary file in the same folder, held open while it is written (shared only
    // with this instance's own flushing), so no instance takes it for one left behind. The parts are
    // written without a flush; once the copy is larger than a flush that costs little, a thread finishes
    // it (everything flushed, then the header written and flushed) while CopyReplaced is asked. A smaller
    // copy is flushed and replaced within FinishCopy.
    void BeginCopy(std::size_t headerSize) override;
    void ContinueCopy(std::string_view part) override;
    bool FinishCopy(std::string_view header, std::string_view tail) override;
    bool CopyReplaced() override;
    void AbandonCopy() override;
    void Remove() override;
    // Copies in the folder in use and in the other one (an earlier version, or a run that had to fall
    // back, may have left them there), plus temporary files of a write cut short whose header was put in.
    std::vector<LeftCopy> LeftBehind() override;
    std::string Read(const std::string& copy) override;
    void Discard(const std::string& copy) override;

    // The folder in use ("" when neither could be written), with its trailing "\".
    const std::string& Folder() const { return m_folder; }
    const std::string& OwnCopy() const { return m_copy; }

private:
    bool TryFolder(const std::string& folder);
    // The finished copy, all on the disk, replaces this instance's copy.
    void ReplaceCopy();

    Win32TextFiles m_files;
    std::string m_perUser, m_besideProgram;  // the two places, in the order they are tried
    std::string m_folder;
    std::string m_copy;  // full path of this instance's copy
    ScopedHandle m_lock;
    // The new copy being written, the room kept for its header, and how much is written.
    std::string m_nextPath;
    ScopedHandle m_next;
    std::size_t m_nextHeader = 0;
    std::uint64_t m_nextBytes = 0;
    bool m_finishing = false;  // FinishCopy left the last flush to m_flusher
    unsigned m_names = 0;      // temporary names tried, so that a name still being freed is not tried again
    // Finishes the new copy once it is large; flushers of copies dropped meanwhile end on their own.
    std::unique_ptr<BackgroundFlush> m_flusher;
    std::vector<std::unique_ptr<BackgroundFlush>> m_dropped;
    // Deletes the copy a finished one replaced, off this thread: freeing a large file's space takes time
    // that grows with it.
    std::thread m_deleter;
    // Copies left behind that this instance offers, their locks held until they are discarded or the
    // instance ends: one copy is never offered by two instances at once.
    std::map<std::string, ScopedHandle> m_claims;
};

}  // namespace tovel
