#pragma once
// Whole-file byte access. Contract: bytes are read and written unchanged (no code-page or BOM handling);
// a write never leaves a previous file damaged: it either replaces it completely or leaves it as it was.
#include <string>
#include <string_view>

namespace tovel {

class ITextFiles {
public:
    virtual ~ITextFiles() = default;
    // The whole file, shared with readers only. Raises "ファイル %s は開けません" (name as passed) when the
    // file cannot be opened or read to its last byte, and "メモリが足りません" when its bytes do not fit in
    // memory. Never part of a file.
    virtual std::string ReadAll(const std::string& name) = 0;
    // True when the name is an existing file (not a folder).
    virtual bool Exists(const std::string& name) = 0;
    // True when the name is an existing file marked read-only.
    virtual bool ReadOnly(const std::string& name) = 0;
    // Raises "ファイル %s は開けません" unless the file can be opened for reading now.
    virtual void CheckReadable(const std::string& name) = 0;
    // Creates or replaces the file with exactly these bytes. Raises "ファイル %s を作成できません" when it cannot
    // be created or replaced and "ストリームへの書き込みエラー" on a short write; either way nothing changed.
    virtual void WriteAll(const std::string& name, std::string_view bytes) = 0;
    // What tells one version of a file from another (size and last write time); "" when there is none.
    virtual std::string Stamp(const std::string& name) = 0;
    // The name resolved against the current folder (a full path stays as it is).
    virtual std::string FullPath(const std::string& name) = 0;
    // True when a new file can be made in the folder ("" the current folder) now. A store that cannot tell
    // says true: the folder is used, and a write that fails there is reported as it always was.
    virtual bool FolderWritable(const std::string& folder) {
        (void)folder;
        return true;
    }
    // The user's folder for temporary files, with its trailing "\"; "" when there is none.
    virtual std::string TempFolder() { return {}; }
};

}  // namespace tovel
