#include "platform/win32/win32_sound.h"

#include <windows.h>

namespace tovel {

void Win32Sound::Beep() { MessageBeep(0); }

}  // namespace tovel
