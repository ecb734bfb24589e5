#pragma once
// The system's sounds. Contract: never fails and never blocks.
namespace tovel {

class ISound {
public:
    virtual ~ISound() = default;
    // The system's default beep.
    virtual void Beep() = 0;
};

}  // namespace tovel
