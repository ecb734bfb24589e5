#include "platform/error_text.h"

#include "platform/sjis.h"

namespace tovel {

std::string WithFinalPeriod(std::string_view message) {
    std::string out(message);
    if (message.empty()) return out;
    std::string_view last = message.substr(LastCharStart(message));
    if (last > std::string_view(".")) out += '.';
    return out;
}

}  // namespace tovel
