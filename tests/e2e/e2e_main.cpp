// End-to-end tests: drive the built tovel.exe (given as --exe=PATH) in its own process.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/editor_process.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--exe=", 6) == 0) e2e::SetBuiltExe(argv[i] + 6);
    }
    if (e2e::BuiltExe().empty()) {
        std::fprintf(stderr, "usage: tovel_e2e_tests --exe=PATH\\tovel.exe\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
