#pragma once
// Whole-file reads and crash-safe whole-file writes through the Win32 file API.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

#include "platform/text_files.h"

namespace tovel {

class Win32TextFiles : public ITextFiles {
public:
    std::string ReadAll(const std::string& name) override;
    bool Exists(const std::string& name) override;
    bool ReadOnly(const std::string& name) override;
    std::string Stamp(const std::string& name) override;
    void CheckReadable(const std::string& name) override;
    // Writes a temporary file beside the target in pieces, flushes it, gives it the target's attributes
    // and creation time, then renames it over the target in one step, so the name always holds a
    // complete file; the temporary file never outlives a failure (only a kill leaves it behind).
    void WriteAll(const std::string& name, std::string_view bytes) override;
    // The same for a file made of these parts in order, written as they are (no joined copy).
    void WriteParts(const std::string& name, std::initializer_list<std::string_view> parts);
    // The same for pieces as the source gives them; "half written" comes once half of `expected` is in.
    void WritePieces(const std::string& name, std::uint64_t expected, const PieceSource& next) override;
    // Read with ReadFile a piece at a time, into the caller's buffer.
    std::unique_ptr<IFileReader> OpenToRead(const std::string& name) override;
    std::string FullPath(const std::string& name) override;
    // The full path with short (8.3) folder and file names made long where they exist.
    std::string LongFullPath(const std::string& name);
    // The size of an existing file; none for a missing name or a folder.
    std::optional<std::uint64_t> SizeOf(const std::string& name);
    // True when both names are one file: both exist and open one file (a link, a short name, letter
    // case), or neither exists and they name it in one folder.
    bool SameFile(const std::string& a, const std::string& b);
    // Made and removed a uniquely named file in the folder: the honest answer, whatever the folder's
    // attributes say (a read-only attribute on a folder does not keep files out of it).
    bool FolderWritable(const std::string& folder) override;
    std::string TempFolder() override;
    // Answers FolderWritable in place of the file system (tests: a folder the test run cannot lock).
    using FolderProbe = std::function<bool(const std::string& folder)>;
    void SetFolderProbe(FolderProbe probe) { m_folderProbe = std::move(probe); }

    // The steps of a save, for tests that stop it there as a crash would: "temporary file created",
    // "half written", "before replace". A hook that raises ends the save at that step.
    using StepHook = std::function<void(const char* step)>;
    void SetStepHook(StepHook hook) { m_stepHook = std::move(hook); }

private:
    void Step(const char* step) const {
        if (m_stepHook) m_stepHook(step);
    }
    StepHook m_stepHook;
    FolderProbe m_folderProbe;
};

}  // namespace tovel
