// Entry of the window tests: the calculator's own application object (for its error
// guard) and a watchdog that fails the running test and closes any modal window
// left open for more than five seconds, so a test never hangs.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/dialogs/tests/modal_watchdog.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery at build time) needs no display.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    TZentavoApplication application(argc, argv);
    const TModalWatchdog watchdog;
    return RUN_ALL_TESTS();
}
