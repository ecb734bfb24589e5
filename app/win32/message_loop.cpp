#include "app/win32/message_loop.h"

namespace tovel {

int RunMessageLoop(const std::function<bool(MSG&)>& preview) {
    MSG msg;
    // Unicode messages: a character typed into the editor arrives whole, whatever code page could hold it
    // (the ANSI windows are handed theirs converted by the system).
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (preview && preview(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tovel
