#pragma once
// Finishes a file another thread has written, on a thread of its own and through a handle of its own: a
// flush takes time that grows with what is not yet on the disk. Once told that everything but the header
// is written, it flushes, then puts the header in the room kept for it at the file's start and flushes
// that too, so that the header reaches the disk only after everything it describes.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/win32/scoped_win.h"

namespace tovel {

class BackgroundFlush {
public:
    // `file`: a handle of its own on the file, with write access.
    explicit BackgroundFlush(ScopedHandle file);
    // Waits for the flush under way, if any (it cannot be cut short), and ends the thread.
    ~BackgroundFlush();
    BackgroundFlush(const BackgroundFlush&) = delete;
    BackgroundFlush& operator=(const BackgroundFlush&) = delete;

    // Everything but the header is written: flushes it, then writes `header` at the start and flushes it.
    void Finish(std::string header);
    // The file is being dropped: no more flushes after the one under way.
    void Stop();
    enum class State { Working, Done, Failed };
    // Done once the header is on the disk; its handle is closed by then.
    State Result();
    bool Ended();

private:
    void Run();

    ScopedHandle m_file;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_finish = false, m_stop = false, m_ended = false;
    State m_state = State::Working;
    std::string m_header;  // set once, with m_finish, under the mutex
    std::thread m_thread;  // last, so that it starts once the rest is in place
};

}  // namespace tovel
