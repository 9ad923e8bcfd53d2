// The pace of a loop that is called back: frames fall due every 0.98/75 s, a few at most a call,
// and a stall's debt is dropped rather than run as a burst.
#include "app/game_run.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePace, FramesFallDueByTheGamesOwnClock) {
    const double period = kFramePeriodSeconds * 1000.0;
    const struct {
        double now; // milliseconds since the run started
        int due;
    } calls[] = {
        {0.0, 1},
        {period - 0.01, 0},
        {period, 1},
        {4 * period + 0.01, 3},      // a display slower than the game: the frames it owes
        {1000.0, 4},                 // a stall: a few frames, the rest dropped
        {1000.0 + period - 0.01, 0}, // and the pace begins again from there
        {1000.0 + period, 1},
    };
    FramePace pace;
    pace.restart(0.0);
    for (const auto& call : calls)
        EXPECT_EQ(pace.framesDue(call.now), call.due) << call.now;
    // While paused nothing falls due; the first frame after comes a period after resuming.
    pace.hold(2000.0);
    EXPECT_EQ(pace.framesDue(2000.0 + period - 0.01), 0);
    EXPECT_EQ(pace.framesDue(2000.0 + period), 1);
}

} // namespace
