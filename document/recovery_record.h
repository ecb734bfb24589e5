#pragma once
// The recovery copy of an unsaved document: the document's name and full path (empty when untitled) and
// the editor's bytes, with a checksum so that a torn or damaged copy is never taken for the text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

struct RecoveryRecord {
    std::string name;      // as the caption shows it ("無題" when untitled)
    std::string fullPath;  // where Save writes; empty when untitled
    std::string text;      // the editor's bytes, exactly
    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// A 64-bit checksum of the bytes, eight at a time, fast enough that a copy of a large text costs little
// more than writing it. It finds torn and damaged copies; it is no defence against deliberate forgery.
std::uint64_t Checksum(std::string_view bytes, std::uint64_t seed = 0);

// The copy's file bytes: a header of "key: value" lines (name, path, size, checksum), an empty line,
// then the text.
std::string EncodeRecovery(const RecoveryRecord& record);
// Just the header of that copy, for writing it and the text as they are, without joining them.
std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view text);

// The record, or nothing when the bytes are no recovery copy or its size or checksum does not match.
std::optional<RecoveryRecord> DecodeRecovery(std::string_view bytes);

}  // namespace tovel
