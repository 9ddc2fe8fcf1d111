// The test bed's answerer: a box nobody expected in the test's own process
// fails the test and is cancelled, so it cannot block the test thread.
#include "box_answerer.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(BoxAnswerer, AnUnexpectedBoxFailsTheTestAndIsCancelled)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            driver::BoxAnswerer boxes;
            answer = MessageBoxA(NULL, "planted", "planted box", MB_OKCANCEL);
        },
        "unexpected box \"planted box\": planted");
    EXPECT_EQ(IDCANCEL, answer);
}

}  // namespace
