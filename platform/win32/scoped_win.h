#pragma once
// RAII owners for the Win32 handles the program holds.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tovel {

// Owns a HANDLE closed with CloseHandle; INVALID_HANDLE_VALUE and null both mean "none".
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE h) : m_h(h) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    ~ScopedHandle() { Reset(); }
    bool Valid() const { return m_h && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    void Reset(HANDLE h = nullptr) {
        if (Valid()) CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h = nullptr;
};

// Owns a handle released by `Free`; null means "none". Movable, so a builder can hand it out.
template <class T, auto Free>
class ScopedOwner {
public:
    ScopedOwner() = default;
    explicit ScopedOwner(T h) : m_h(h) {}
    ScopedOwner(const ScopedOwner&) = delete;
    ScopedOwner& operator=(const ScopedOwner&) = delete;
    ScopedOwner(ScopedOwner&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    ScopedOwner& operator=(ScopedOwner&& o) noexcept {
        Reset(std::exchange(o.m_h, nullptr));
        return *this;
    }
    ~ScopedOwner() { Reset(); }
    T Get() const { return m_h; }
    T Release() { return std::exchange(m_h, nullptr); }
    void Reset(T h = nullptr) {
        if (m_h) Free(m_h);
        m_h = h;
    }

private:
    T m_h = nullptr;
};

// Owns a GDI object (font, brush, bitmap) deleted with DeleteObject.
template <class T>
using ScopedGdi = ScopedOwner<T, &DeleteObject>;
using ScopedFont = ScopedGdi<HFONT>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedBitmap = ScopedGdi<HBITMAP>;

// A menu destroyed with DestroyMenu (a menu bar attached to a window is destroyed with the window, so
// Release() it after SetMenu).
using ScopedMenu = ScopedOwner<HMENU, &DestroyMenu>;
// An image list destroyed with ImageList_Destroy.
using ScopedImageList = ScopedOwner<HIMAGELIST, &ImageList_Destroy>;

// A memory device context compatible with `dc` (the screen's for null), deleted with DeleteDC.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC dc) : m_dc(CreateCompatibleDC(dc)) {}
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    ~ScopedMemoryDC() {
        if (m_dc) DeleteDC(m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// A window's device context from GetDC, released on scope exit.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    ~ScopedGetDC() {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(SelectObject(dc, obj)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Owns a top-level or child window destroyed with DestroyWindow.
class ScopedWindow {
public:
    ScopedWindow() = default;
    explicit ScopedWindow(HWND h) : m_h(h) {}
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    ~ScopedWindow() { Reset(); }
    HWND Get() const { return m_h; }
    HWND Release() { return std::exchange(m_h, nullptr); }
    void Reset(HWND h = nullptr) {
        if (m_h && IsWindow(m_h)) DestroyWindow(m_h);
        m_h = h;
    }

private:
    HWND m_h = nullptr;
};

}  // namespace tovel
