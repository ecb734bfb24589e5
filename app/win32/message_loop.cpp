#include "app/win32/message_loop.h"

namespace tovel {

int RunMessageLoop(const std::function<bool(MSG&)>& preview) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (preview && preview(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tovel
