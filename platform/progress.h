#pragma once
// A long operation's progress, shown to the user, who may stop it. Contract: Start begins an operation
// named by its caption; nothing shows at first, a progress window only once it has run for half a second.
// Step tells how far it is and raises Cancelled when the user has asked to stop it (Esc or the button);
// Finish ends it. Starts nest, and only the outermost shows. An operation that is stopped leaves the text
// and the files as they were: whatever it raises Cancelled from must not have changed either yet.
#include <cstdint>
#include <exception>
#include <string_view>

namespace tovel {

// Raised by Step when the user stopped the operation. The error box stays silent for it.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "キャンセルしました"; }
};

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void Start(std::string_view caption) = 0;
    virtual void Step(std::uint64_t done, std::uint64_t total) = 0;
    virtual void Finish() = 0;
};

// One operation's Start and Finish; a null progress shows nothing and never stops.
class ProgressScope {
public:
    ProgressScope(IProgress* progress, std::string_view caption) : m_progress(progress) {
        if (m_progress) m_progress->Start(caption);
    }
    ~ProgressScope() {
        if (m_progress) m_progress->Finish();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void Step(std::uint64_t done, std::uint64_t total) const {
        if (m_progress) m_progress->Step(done, total);
    }

private:
    IProgress* m_progress;
};

}  // namespace tovel
