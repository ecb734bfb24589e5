#pragma once
// Whole-file reads and crash-safe whole-file writes through the Win32 file API.
#include "platform/text_files.h"

namespace tovel {

class Win32TextFiles : public ITextFiles {
public:
    std::string ReadAll(const std::string& name) override;
    bool Exists(const std::string& name) override;
    void CheckReadable(const std::string& name) override;
    // Writes a temporary file beside the target, flushes it, then puts it in the target's place in one
    // step (keeping the target's attributes); the temporary file never outlives a failure.
    void WriteAll(const std::string& name, std::string_view bytes) override;
    std::string FullPath(const std::string& name) override;
};

}  // namespace tovel
