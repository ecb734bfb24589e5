#pragma once
// The format chooser answered from a queue (nothing is Cancel, and so is every choice once they run out).
#include <deque>
#include <optional>
#include <vector>

#include "document/format_choice.h"

namespace tovel::test {

class ScriptedFormatChooser : public IFormatChooser {
public:
    std::deque<std::optional<TextFormat>> choices;
    std::vector<TextFormat> offered;  // the format each choice started from
    std::optional<TextFormat> ChooseFormat(const TextFormat& current) override {
        offered.push_back(current);
        if (choices.empty()) return std::nullopt;
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }
};

}  // namespace tovel::test
