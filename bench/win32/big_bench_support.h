#pragma once
// What the big-file benchmark needs beside the timing helpers: the big files written in pieces, the bare
// editing component it compares with, painting until nothing is left to paint, waiting until the
// component's background work is done, and the peak working set sampled while something runs.
#include <windows.h>
#include <Scintilla.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "bench/bench_text.h"
#include "bench/win32/bench_support.h"
#include "platform/win32/scoped_win.h"

namespace tovel::bench {

inline std::size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// The largest working set seen while it is alive, sampled every millisecond or two on its own thread.
// Made, it has sampled once: its thread's own pages are in the working set read after it.
class PeakSampler {
public:
    PeakSampler()
        : m_peak(WorkingSet()), m_thread([this] {
              while (!m_stop) {
                  Note();
                  m_running = true;
                  Sleep(1);
              }
          }) {
        while (!m_running) Sleep(1);
    }
    PeakSampler(const PeakSampler&) = delete;
    PeakSampler& operator=(const PeakSampler&) = delete;
    ~PeakSampler() { Stop(); }
    std::size_t Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        Note();
        return m_peak;
    }

private:
    void Note() {
        const std::size_t now = WorkingSet();
        if (now > m_peak) m_peak = now;
    }
    std::atomic<bool> m_stop{false}, m_running{false};
    std::size_t m_peak;
    std::thread m_thread;
};

// Writes `size` bytes of text made by `more` (which appends at least up to the size it is given) in pieces,
// so the bench never holds the whole text itself.
inline void WriteBigFile(const std::string& name, std::size_t size,
                         const std::function<void(std::string&, std::size_t)>& more) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        std::fprintf(stderr, "cannot write %s\n", name.c_str());
        ExitProcess(2);
    }
    constexpr std::size_t kPiece = 8u << 20;
    std::string piece;
    for (std::size_t written = 0; written < size;) {
        piece.clear();
        more(piece, std::min(kPiece, size - written));
        piece.resize(std::min(piece.size(), size - written));
        DWORD done = 0;
        if (!WriteFile(file.Get(), piece.data(), static_cast<DWORD>(piece.size()), &done, nullptr) ||
            done != piece.size()) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            ExitProcess(2);
        }
        written += piece.size();
    }
}

// Paints whatever is invalid in `top` and its children until nothing is: the component abandons a paint
// whose wrapping moved the rows and asks for another.
inline void PaintNow(HWND top, HWND component) {
    for (int round = 0; round < 8; ++round) {
        RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (!GetUpdateRect(component, nullptr, FALSE)) return;
    }
}

// Handles queued messages until the component has had no work for `quietMs`: its background wrapping
// runs on a fast timer and messages it posts to itself. Timers that tick whatever happens (the caret's
// blink) are learnt first by Learn and not counted as work. `preview` sees each message first, as the
// program's loop does. Answers when the last of the work ended.
class IdleWaiter {
public:
    using Preview = std::function<bool(MSG&)>;
    IdleWaiter(HWND component, Preview preview) : m_component(component), m_preview(std::move(preview)) {}

    void Learn() {
        const double until = Seconds() + 1.5;
        while (Seconds() < until) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == m_component && msg.message == WM_TIMER) m_steady.insert(msg.wParam);
                Dispatch(msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    double WaitUntilIdle(double quietMs = 300) {
        double last = Seconds();
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                const bool work =
                    msg.hwnd == m_component && !(msg.message == WM_TIMER && m_steady.count(msg.wParam) != 0);
                Dispatch(msg);
                if (work) last = Seconds();
            }
            if (Ms(Seconds() - last) > quietMs) return last;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    void Dispatch(MSG& msg) {
        if (m_preview && m_preview(msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

private:
    HWND m_component;
    Preview m_preview;
    std::set<WPARAM> m_steady;
};

// A bare editing component in a window of its own: the same library, client size and font as the
// program's editor, word wrap on, no styles kept (as the program), and nothing else set.
class BareEditor {
public:
    BareEditor(int outerWidth, int outerHeight) {
        m_parent = CreateParentWindow("bare component", WS_POPUP | WS_CLIPCHILDREN, outerWidth, outerHeight);
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0,
                                 outerWidth, outerHeight, m_parent, nullptr, instance, nullptr);
        const auto doc = Send(SCI_CREATEDOCUMENT, 0, SC_DOCUMENTOPTION_STYLES_NONE);
        Send(SCI_SETDOCPOINTER, 0, doc);
        Send(SCI_RELEASEDOCUMENT, 0, doc);
        Send(SCI_SETCODEPAGE, 932);
        Send(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(u8"ＭＳ Ｐゴシック"));
        Send(SCI_STYLESETSIZE, STYLE_DEFAULT, 12);
        Send(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, SC_CHARSET_SHIFTJIS);
        Send(SCI_STYLECLEARALL);
        for (int margin = 0; margin < 5; ++margin) Send(SCI_SETMARGINWIDTHN, margin, 0);
        Send(SCI_SETHSCROLLBAR, 0);
        Send(SCI_SETWRAPMODE, SC_WRAP_WORD);
        SetFocus(m_hwnd);
    }
    BareEditor(const BareEditor&) = delete;
    BareEditor& operator=(const BareEditor&) = delete;
    ~BareEditor() { DestroyWindow(m_parent); }

    HWND Handle() const { return m_hwnd; }
    HWND Parent() const { return m_parent; }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(m_hwnd, msg, wp, lp); }

    // The file read in pieces straight into a buffer sized for it once; nothing recorded for undo.
    bool Load(const std::string& name) {
        ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) return false;
        Send(SCI_SETUNDOCOLLECTION, 0);
        Send(SCI_CLEARALL);
        Send(SCI_ALLOCATE, static_cast<WPARAM>(size.QuadPart) + 1);
        std::string piece(4u << 20, '\0');
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.Get(), piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) return false;
            if (got == 0) break;
            Send(SCI_APPENDTEXT, got, reinterpret_cast<LPARAM>(piece.data()));
        }
        Send(SCI_SETUNDOCOLLECTION, 1);
        Send(SCI_EMPTYUNDOBUFFER);
        return Send(SCI_GETLENGTH) == size.QuadPart;
    }
    void Clear() {
        Send(SCI_SETUNDOCOLLECTION, 0);
        Send(SCI_CLEARALL);
        Send(SCI_SETUNDOCOLLECTION, 1);
        Send(SCI_EMPTYUNDOBUFFER);
    }

private:
    HWND m_parent = nullptr;
    HWND m_hwnd = nullptr;
};

}  // namespace tovel::bench
