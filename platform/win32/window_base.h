#pragma once
// The one way a window of the program reaches its object. A window of a class registered here gets
// `this` at WM_NCCREATE; an existing control attached here is subclassed (SetWindowSubclass). Either
// way every message goes to OnMessage, and an error escaping a handler is caught here and handed to the
// host, which shows it in the error box. Program-built dialogs have their own form, DialogBase.
#include <windows.h>

#include <functional>

namespace tovel {

// What a window needs from the program that owns it: the module its classes belong to, the window that
// owns the program's boxes, and the one place where an error escaping a message handler is reported.
class WindowHost {
public:
    virtual HINSTANCE Instance() const = 0;
    virtual HWND Owner() const = 0;
    virtual void ReportCurrentException() noexcept = 0;

protected:
    ~WindowHost() = default;
};

// The design of a window class: what RegisterClassOnce gives the class beside its name and procedure.
struct WindowClassLook {
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    UINT style = CS_DBLCLKS;
    LPCSTR cursor = IDC_ARROW;
};

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return m_hwnd; }
    WindowHost& Host() const { return *m_host; }

    // The object behind a window created here; null for any other window (an attached control included).
    static WindowBase* FromHandle(HWND hwnd);
    // The module a window belongs to.
    static HINSTANCE InstanceOf(HWND hwnd);

protected:
    explicit WindowBase(WindowHost& host) : m_host(&host) {}
    // A child window or control: its host is the one of the nearest program window above it, found when
    // it is created or attached.
    WindowBase() = default;

    // Registers the class once (by name) with the window-procedure thunk. False when it can be neither
    // found nor registered.
    static bool RegisterClassOnce(HINSTANCE instance, const char* className, const WindowClassLook& look);
    static bool RegisterClassOnce(HINSTANCE instance, const char* className, HICON icon, HBRUSH background) {
        return RegisterClassOnce(instance, className, WindowClassLook{icon, background});
    }
    // Creates the window in the host's module (without a host, in the owner's); `this` receives its
    // messages from WM_NCCREATE on.
    void Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                HWND owner, HMENU menu);
    // Subclasses an existing control: its messages reach OnMessage first, and DefaultMessage hands them on
    // to the control. Detached when the control is destroyed or this object goes; the control itself
    // stays with its parent.
    void Attach(HWND control);

    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // What the window does with a message when OnMessage does nothing of its own.
    LRESULT DefaultMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    void FindHost(HWND above);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    WindowHost* m_host = nullptr;
    HWND m_hwnd = nullptr;
    bool m_attached = false;
};

// A window whose messages go to a member function of the object that owns it, which hands what it does
// not handle back to DefaultMessage.
template <class Owner, LRESULT (Owner::*Handler)(UINT, WPARAM, LPARAM)>
class OwnedWindow : public WindowBase {
public:
    explicit OwnedWindow(Owner& owner) : m_owner(owner) {}
    OwnedWindow(WindowHost& host, Owner& owner) : WindowBase(host), m_owner(owner) {}
    using WindowBase::Attach;
    using WindowBase::Create;
    using WindowBase::DefaultMessage;
    using WindowBase::RegisterClassOnce;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override { return (m_owner.*Handler)(msg, wp, lp); }

private:
    Owner& m_owner;
};

// A modal dialog built by the program from an empty template (see dialog_window.h): `this` is stored at
// WM_INITDIALOG and every message goes to OnDialogMessage, whose result is the dialog procedure's.
class DialogBase {
public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND Handle() const { return m_hwnd; }
    // The object behind one of the program's dialogs; null for any other window.
    static DialogBase* FromHandle(HWND hwnd);

protected:
    DialogBase() = default;
    ~DialogBase() = default;

    // Runs the dialog modally, owned by `owner`; returns EndDialog's value.
    INT_PTR RunModal(HWND owner);
    // WM_INITDIALOG comes here too: the controls are made then.
    virtual INT_PTR OnDialogMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    // The ending a simple box shares: OK (the button or Enter) runs `accept` and ends with IDOK; Cancel, Esc
    // and the close box end with IDCANCEL. True when the message was one of these.
    bool EndOnOkCancel(UINT msg, WPARAM wp, const std::function<void()>& accept);

private:
    static INT_PTR CALLBACK Thunk(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

    HWND m_hwnd = nullptr;
};

}  // namespace tovel
