#pragma once
// Whole-file byte access. Contract: bytes are read and written unchanged (no code-page or BOM handling);
// a write never leaves a previous file damaged: it either replaces it completely or leaves it as it was.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tovel {

// A file read from its start, a piece at a time, shared with readers only while it is open.
class IFileReader {
public:
    virtual ~IFileReader() = default;
    // The file's size when it was opened: what the reads give in all.
    virtual std::uint64_t Size() const = 0;
    // Fills `into` with the next bytes, fewer only at the end of the file (0 there). Raises "ファイル %s は開けません"
    // when a read fails or the file ends before its size: part of a file is never taken for all of it.
    virtual std::size_t Read(char* into, std::size_t bytes) = 0;
};

// Gives a file's bytes one piece after another, an empty piece after the last; each piece stays valid
// until the next call. What it raises ends the write that asked for it.
using PieceSource = std::function<std::string_view()>;

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
    // Opens the file to read it in pieces; raises as ReadAll does. By default over ReadAll.
    virtual std::unique_ptr<IFileReader> OpenToRead(const std::string& name);
    // As WriteAll, for bytes given in pieces (about `expected` in all): written as they come, never joined,
    // with the same guarantee. An error raised by `next` (a cancel, a character that cannot be written)
    // ends the write, and the previous file stays as it was. By default joined for WriteAll.
    virtual void WritePieces(const std::string& name, std::uint64_t expected, const PieceSource& next);
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

inline std::unique_ptr<IFileReader> ITextFiles::OpenToRead(const std::string& name) {
    class WholeReader : public IFileReader {
    public:
        explicit WholeReader(std::string bytes) : m_bytes(std::move(bytes)) {}
        std::uint64_t Size() const override { return m_bytes.size(); }
        std::size_t Read(char* into, std::size_t bytes) override {
            const std::size_t n = m_bytes.copy(into, bytes, m_at);
            m_at += n;
            return n;
        }

    private:
        std::string m_bytes;
        std::size_t m_at = 0;
    };
    return std::make_unique<WholeReader>(ReadAll(name));
}

inline void ITextFiles::WritePieces(const std::string& name, std::uint64_t expected, const PieceSource& next) {
    std::string joined;
    joined.reserve(static_cast<std::size_t>(expected));
    for (std::string_view piece = next(); !piece.empty(); piece = next()) joined += piece;
    WriteAll(name, joined);
}

}  // namespace tovel
