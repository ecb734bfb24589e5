#pragma once
// The system's default beep (MessageBeep 0).
#include "platform/sound.h"

namespace tovel {

class Win32Sound : public ISound {
public:
    void Beep() override;
};

}  // namespace tovel
