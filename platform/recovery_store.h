#pragma once
// Where the recovery copies of unsaved documents live. Contract: each running instance owns one copy,
// which no other instance ever sees as left behind; writes go through the safe save (a torn write never
// replaces the previous copy). Failures raise errors with a message for the user.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// A copy left behind by an instance that no longer runs.
struct LeftCopy {
    std::string id;  // opaque: what Read and Discard take, and what the user is shown
    // A write cut short just before it replaced a copy: it counts only when it is complete, and when it
    // is not, it is no damage to report (the copy it was to replace still holds the text before it).
    bool temporary = false;
    friend bool operator==(const LeftCopy&, const LeftCopy&) = default;
};

class IRecoveryStore {
public:
    virtual ~IRecoveryStore() = default;
    // Replaces this instance's copy with the header followed by the text (written as they are, so a
    // large text is not copied to be joined).
    virtual void Write(std::string_view header, std::string_view text) = 0;
    // Appends to this instance's copy, flushed before returning. A torn append (a failure, a kill) leaves
    // the bytes before it as they were; a failed one raises.
    virtual void Append(std::string_view bytes) = 0;
    // A new copy written in parts: BeginCopy keeps `headerSize` bytes free at its start, ContinueCopy adds
    // each part after what is written, and FinishCopy puts the header (of that size) in front and `tail`
    // after the parts; once all of it is on the disk, it replaces this instance's copy in one step. None
    // of them waits for the disk in proportion to the copy's size: when the copy is too large to be
    // flushed at once, FinishCopy returns false and the flush goes on elsewhere; CopyReplaced then tells,
    // without waiting, whether the copy was replaced yet (true once, after which no copy is in progress),
    // and raises when the flush or the replacement failed. Until the replacement the copy stays as it was
    // (Append still adds to it), and a kill leaves only a temporary file, complete or with its header's
    // room still zero. A new BeginCopy drops a copy not replaced yet; so does AbandonCopy, which never
    // raises.
    virtual void BeginCopy(std::size_t headerSize) = 0;
    virtual void ContinueCopy(std::string_view part) = 0;
    virtual bool FinishCopy(std::string_view header, std::string_view tail) = 0;
    virtual bool CopyReplaced() = 0;
    virtual void AbandonCopy() = 0;
    // Removes this instance's copy, if there is one.
    virtual void Remove() = 0;
    // The copies left by instances that no longer run, newest first. An entry that only looks like a
    // copy (a folder, a file that cannot be opened) is listed too: reading it raises. Temporary files of
    // writes cut short before their header was put in are no copies: they are deleted, not listed.
    virtual std::vector<LeftCopy> LeftBehind() = 0;
    virtual std::string Read(const std::string& copy) = 0;
    virtual void Discard(const std::string& copy) = 0;
};

}  // namespace tovel
