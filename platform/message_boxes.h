#pragma once
// The system's plain message boxes (text first, caption second). Contract: each blocks until the box is
// closed, and while it is open the program's other windows take no input. A failed box answers No or
// simply returns.
#include <string>

namespace tovel {

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Question icon, Yes and No (Yes the default); true only for Yes. An empty caption stays empty.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // Warning icon and OK; an empty caption becomes the application title.
    virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
    // Information icon and OK; an empty caption becomes the application title.
    virtual void ShowInfo(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tovel
