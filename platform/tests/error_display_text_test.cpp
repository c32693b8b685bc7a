// The "." rule of error texts.
#include <gtest/gtest.h>

#include "platform/error_display_text.h"

namespace {

TEST(ErrorDisplayText, AppendsFullStopAfterLettersOnly) {
    EXPECT_EQ(ErrorDisplayText("Nothing assigned to one of the variables"),
              "Nothing assigned to one of the variables.");
    EXPECT_EQ(ErrorDisplayText("List index out of bounds (0)"), "List index out of bounds (0)");
    EXPECT_EQ(ErrorDisplayText("Parse error: Unknown symbol: 'foo'"),
              "Parse error: Unknown symbol: 'foo'");
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("ends in 9"), "ends in 9.");
    EXPECT_EQ(ErrorDisplayText(""), "");
}

} // namespace
