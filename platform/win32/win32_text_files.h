#pragma once
// Whole-file reads and crash-safe whole-file writes through the Win32 file API.
#include <functional>
#include <initializer_list>

#include "platform/text_files.h"

namespace tovel {

class Win32TextFiles : public ITextFiles {
public:
    std::string ReadAll(const std::string& name) override;
    bool Exists(const std::string& name) override;
    std::string Stamp(const std::string& name) override;
    void CheckReadable(const std::string& name) override;
    // Writes a temporary file beside the target, flushes it, then puts it in the target's place in one
    // step (keeping the target's attributes); the temporary file never outlives a failure.
    void WriteAll(const std::string& name, std::string_view bytes) override;
    // The same for a file made of these parts in order, written as they are (no joined copy).
    void WriteParts(const std::string& name, std::initializer_list<std::string_view> parts);
    std::string FullPath(const std::string& name) override;

    // The steps of a save, for tests that stop it there as a crash would: "temporary file created",
    // "half written", "before replace". A hook that raises ends the save at that step.
    using StepHook = std::function<void(const char* step)>;
    void SetStepHook(StepHook hook) { m_stepHook = std::move(hook); }

private:
    void Step(const char* step) const {
        if (m_stepHook) m_stepHook(step);
    }
    StepHook m_stepHook;
};

}  // namespace tovel
