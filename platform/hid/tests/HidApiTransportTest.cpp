#include "platform/hid/HidApiTransport.h"

#include <gtest/gtest.h>

// The real bus is never opened by a test; this only proves the library loads and lists
// whatever this machine has (usually nothing) without failing.
TEST(HidApiTransport, InitialisesAndEnumeratesWithoutOpening)
{
    corvane::HidApiTransport transport;
    ASSERT_TRUE(transport.Init());
    EXPECT_TRUE(transport.Init());
    for (const auto& info : transport.Enumerate(0, 0))
        EXPECT_FALSE(info.path.empty());
}
