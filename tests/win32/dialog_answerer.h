#pragma once
// Answers the modal dialogs that code under test opens on this thread, by real input.
//
// Usage: create an answerer with one script per dialog, in the order the dialogs open, then call the
// code that shows them. Each dialog (window class "#32770": the program's own dialogs, MessageBoxA,
// common dialogs) is recorded when it first comes up, then its script runs one step per timer tick
// inside the dialog's own modal loop:
//
//     DialogAnswerer answer({{Act::Type("12"), Act::Enter()}});
//     std::optional<std::string> s = dialogs.InputBox("caption", "prompt", "");
//     ASSERT_EQ(answer.Seen().size(), 1u);
//     EXPECT_EQ(answer.Seen()[0].caption, "caption");
//
// A dialog that opens when every script is used up is closed through its close box and counted in
// Unexpected(), so a test never hangs on a surprise dialog. Only one answerer may exist at a time.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tovel::test {

// What the answerer saw of a dialog when it came up (texts are the controls' ANSI window texts).
struct SeenDialog {
    HWND hwnd = nullptr;  // gone once the dialog is closed
    std::string caption;
    std::vector<std::string> statics;  // text labels in z-order (icons left out)
    std::vector<std::string> buttons;  // button captions in z-order, "&" kept
    std::vector<std::string> edits;
    std::vector<HICON> icons;  // icons shown by icon statics
    std::string focus;         // the text of the control holding the focus
    RECT window{};             // screen rectangle
    SIZE client{};
    DWORD style = 0;
};

class Act {
public:
    enum class Kind { Type, SetEditText, Enter, Escape, Tab, Click, Close, CtrlC, Call };

    // WM_CHAR for every byte of `text` to the focused control.
    static Act Type(std::string text) { return {Kind::Type, std::move(text)}; }
    // Replaces the text of the dialog's first edit box (for text that cannot be typed byte by byte).
    static Act SetEditText(std::string text) { return {Kind::SetEditText, std::move(text)}; }
    static Act Enter() { return {Kind::Enter}; }
    static Act Escape() { return {Kind::Escape}; }
    static Act Tab() { return {Kind::Tab}; }
    // A left-button click on the button whose caption is `caption` ("&" included).
    static Act Click(std::string caption) { return {Kind::Click, std::move(caption)}; }
    // The close box: WM_SYSCOMMAND SC_CLOSE.
    static Act Close() { return {Kind::Close}; }
    // Ctrl+C pressed in the focused control.
    static Act CtrlC() { return {Kind::CtrlC}; }
    // Runs `check` with the dialog while it is open (for assertions about the rest of the program).
    static Act Call(std::function<void(HWND)> check) {
        Act a{Kind::Call};
        a.call = std::move(check);
        return a;
    }

    Kind kind;
    std::string text;
    std::function<void(HWND)> call;

private:
    Act(Kind k, std::string t = {}) : kind(k), text(std::move(t)) {}
};

using Script = std::vector<Act>;

class DialogAnswerer {
public:
    explicit DialogAnswerer(std::vector<Script> scripts);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    const std::vector<SeenDialog>& Seen() const { return m_seen; }
    int Unexpected() const { return m_unexpected; }
    // True when every script has run to its end.
    bool Done() const;

    // Reads what a dialog shows, as Seen() records it.
    static SeenDialog Inspect(HWND dialog);

private:
    struct Open {
        HWND hwnd;
        int script;  // index into m_scripts, -1 for an unexpected dialog
        std::size_t step = 0;
        bool recorded = false;
    };

    static LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnActivate(HWND hwnd);
    void OnDestroy(HWND hwnd);
    void Step();
    void Perform(HWND dialog, const Act& act);

    std::vector<Script> m_scripts;
    std::size_t m_nextScript = 0;
    std::vector<Open> m_open;
    std::vector<SeenDialog> m_seen;
    int m_unexpected = 0;
    HHOOK m_hook = nullptr;
    UINT_PTR m_timer = 0;
};

}  // namespace tovel::test
