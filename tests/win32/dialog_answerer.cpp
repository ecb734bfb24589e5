#include "tests/win32/dialog_answerer.h"

#include <algorithm>
#include <cstring>

namespace tovel::test {
namespace {

DialogAnswerer* g_answerer = nullptr;
BYTE g_savedKeys[256];
bool g_restoreKeys = false;

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

bool IsClass(HWND hwnd, const char* name) { return lstrcmpiA(ClassOf(hwnd).c_str(), name) == 0; }

std::string TextOf(HWND hwnd) {
    if (!hwnd) return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    const int n = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

std::vector<HWND> VisibleChildren(HWND dialog) {
    std::vector<HWND> out;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM p) -> BOOL {
            if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    return out;
}

void PostKey(HWND target, UINT vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
}

void RestoreKeys() {
    if (!g_restoreKeys) return;
    SetKeyboardState(g_savedKeys);
    g_restoreKeys = false;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::vector<Script> scripts) : m_scripts(std::move(scripts)) {
    g_answerer = this;
    m_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, 20, Tick);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, m_timer);
    if (m_hook) UnhookWindowsHookEx(m_hook);
    RestoreKeys();
    g_answerer = nullptr;
}

bool DialogAnswerer::Done() const {
    if (m_nextScript < m_scripts.size()) return false;
    return std::none_of(m_open.begin(), m_open.end(), [&](const Open& o) {
        return o.script >= 0 && o.step < m_scripts[static_cast<std::size_t>(o.script)].size();
    });
}

SeenDialog DialogAnswerer::Inspect(HWND dialog) {
    SeenDialog seen;
    seen.hwnd = dialog;
    seen.caption = TextOf(dialog);
    for (HWND child : VisibleChildren(dialog)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (IsClass(child, "Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                seen.icons.push_back(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
            } else {
                seen.statics.push_back(TextOf(child));
            }
        } else if (IsClass(child, "Button")) {
            seen.buttons.push_back(TextOf(child));
        } else if (IsClass(child, "Edit")) {
            seen.edits.push_back(TextOf(child));
        }
    }
    seen.focus = TextOf(GetFocus());
    GetWindowRect(dialog, &seen.window);
    RECT client{};
    GetClientRect(dialog, &client);
    seen.client = {client.right, client.bottom};
    seen.style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    return seen;
}

LRESULT CALLBACK DialogAnswerer::CbtHook(int code, WPARAM wp, LPARAM lp) {
    if (g_answerer) {
        if (code == HCBT_ACTIVATE) g_answerer->OnActivate(reinterpret_cast<HWND>(wp));
        if (code == HCBT_DESTROYWND) g_answerer->OnDestroy(reinterpret_cast<HWND>(wp));
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void DialogAnswerer::OnActivate(HWND hwnd) {
    if (!IsClass(hwnd, "#32770")) return;
    for (const Open& o : m_open)
        if (o.hwnd == hwnd) return;  // activated again, e.g. after a box it opened was closed
    int script = -1;
    if (m_nextScript < m_scripts.size()) {
        script = static_cast<int>(m_nextScript++);
    } else {
        ++m_unexpected;
    }
    m_open.push_back({hwnd, script});
}

void DialogAnswerer::OnDestroy(HWND hwnd) {
    std::erase_if(m_open, [&](const Open& o) {
        return o.hwnd == hwnd && (o.script < 0 || o.step >= m_scripts[static_cast<std::size_t>(o.script)].size());
    });
    // An unfinished script keeps its entry so Done() reports it, but its window is gone.
    for (Open& o : m_open)
        if (o.hwnd == hwnd) o.hwnd = nullptr;
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_answerer) g_answerer->Step();
}

void DialogAnswerer::Step() {
    RestoreKeys();
    // Act on the most recently opened dialog: a box opened by another dialog is answered first.
    auto it = std::find_if(m_open.rbegin(), m_open.rend(), [](const Open& o) { return o.hwnd && IsWindow(o.hwnd); });
    if (it == m_open.rend() || !IsWindowVisible(it->hwnd)) return;
    Open& o = *it;
    if (!o.recorded) {
        m_seen.push_back(Inspect(o.hwnd));
        o.recorded = true;
        return;
    }
    if (o.script < 0) {
        if (o.step++ == 0) PostMessageA(o.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    const Script& script = m_scripts[static_cast<std::size_t>(o.script)];
    if (o.step < script.size()) {
        // Copy first: the action may open another dialog whose answers change m_open.
        const Act act = script[o.step++];
        Perform(o.hwnd, act);
    }
}

void DialogAnswerer::Perform(HWND dialog, const Act& act) {
    HWND focus = GetFocus();
    if (!focus || (focus != dialog && !IsChild(dialog, focus))) focus = dialog;
    switch (act.kind) {
        case Act::Kind::Type:
            for (char c : act.text) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
            break;
        case Act::Kind::SetEditText:
            for (HWND child : VisibleChildren(dialog)) {
                if (IsClass(child, "Edit")) {
                    SetWindowTextA(child, act.text.c_str());
                    break;
                }
            }
            break;
        case Act::Kind::Enter:
            PostKey(focus, VK_RETURN);
            break;
        case Act::Kind::Escape:
            PostKey(focus, VK_ESCAPE);
            break;
        case Act::Kind::Tab:
            PostKey(focus, VK_TAB);
            break;
        case Act::Kind::Click:
            for (HWND child : VisibleChildren(dialog)) {
                if (IsClass(child, "Button") && TextOf(child) == act.text) {
                    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
                    break;
                }
            }
            break;
        case Act::Kind::Close:
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Act::Kind::CtrlC: {
            // Posted keys do not change the key state, so hold Ctrl down until the next tick.
            GetKeyboardState(g_savedKeys);
            BYTE keys[256];
            std::memcpy(keys, g_savedKeys, sizeof keys);
            keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
            SetKeyboardState(keys);
            g_restoreKeys = true;
            PostMessageA(focus, WM_KEYDOWN, VK_CONTROL, 1);
            PostKey(focus, 'C');
            PostMessageA(focus, WM_KEYUP, VK_CONTROL, 1 | (1u << 30) | (1u << 31));
            break;
        }
        case Act::Kind::Call:
            act.call(dialog);
            break;
    }
}

}  // namespace tovel::test
