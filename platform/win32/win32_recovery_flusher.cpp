#include "platform/win32/win32_recovery_flusher.h"

#include <windows.h>

#include <utility>

#include "platform/win32/whole_file.h"

namespace tovel {

BackgroundFlush::BackgroundFlush(ScopedHandle file) : m_file(std::move(file)), m_thread([this] { Run(); }) {}

BackgroundFlush::~BackgroundFlush() {
    Stop();
    m_thread.join();
}

void BackgroundFlush::Finish(std::string header) {
    {
        std::lock_guard lock(m_mutex);
        m_header = std::move(header);
        m_finish = true;
    }
    m_wake.notify_one();
}

void BackgroundFlush::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
}

BackgroundFlush::State BackgroundFlush::Result() {
    std::lock_guard lock(m_mutex);
    return m_state;
}

bool BackgroundFlush::Ended() {
    std::lock_guard lock(m_mutex);
    return m_ended;
}

void BackgroundFlush::Run() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_finish || m_stop; });
    if (!m_stop) {
        lock.unlock();
        const bool ok = FlushFileBuffers(m_file.Get()) &&
                        SetFilePointerEx(m_file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
                        WriteEverything(m_file.Get(), m_header) && FlushFileBuffers(m_file.Get());
        // Closed before the result is told, so that the writer may rename the file at once.
        m_file.Reset();
        lock.lock();
        m_state = ok ? State::Done : State::Failed;
    }
    m_file.Reset();
    m_ended = true;
}

}  // namespace tovel
