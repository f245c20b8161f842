// Test entry for the Windows test programs: GoogleTest with the suite's
// message boxes answered by a responder unless a test installs its own.
#include <gtest/gtest.h>

#include "common/ui/message_box.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // No test may ever leave a real box waiting for a click.
    ScriptedResponder fallback;
    return RUN_ALL_TESTS();
}
