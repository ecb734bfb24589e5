#pragma once
// The error text a call raises, for tests that check the message a failure reports.
#include <string>

#include "platform/error.h"

namespace tovel::test {

// The text of the tovel::Error the call raises, or "" when it raises none.
template <class F>
std::string ErrorOf(F&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace tovel::test
