#pragma once
// Timing and window helpers shared by the Win32 benchmarks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/scoped_win.h"

namespace tovel::bench {

// The performance counter in seconds.
inline double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

// Lets the controls paint and the queue drain between samples, outside the timed parts.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

inline double Ms(double seconds) { return seconds * 1000.0; }

// Writes a whole file, flushed to the disk when asked; a bench that cannot write its input stops.
inline void WriteFileOrDie(const std::string& name, const std::string& bytes, bool flush = false) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file.Valid() || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", name.c_str());
        ExitProcess(2);
    }
    if (flush) FlushFileBuffers(file.Get());
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A top-level window of a DefWindowProcA class, `width` x `height` outside, at (0, 0), shown without
// taking activation; null when it cannot be created.
inline HWND CreateParentWindow(const char* title, DWORD style, int width, int height) {
    static const ATOM atom = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "TovelBenchWindow";
        return RegisterClassExA(&wc);
    }();
    if (!atom) return nullptr;
    HWND hwnd = CreateWindowExA(0, "TovelBenchWindow", title, style, 0, 0, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (hwnd) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

}  // namespace tovel::bench
