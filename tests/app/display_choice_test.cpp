// Waiting for the display refresh only where it keeps full speed, and the picture's scale and
// place for the windows and displays players have.
#include "app/display_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayChoice, SwapsWaitForTheRefreshOnlyAtSeventyFiveHertzOrMore) {
    const struct {
        double hz;
        int interval;
    } rates[] = {{0, 0}, {59.94, 0}, {60, 0}, {74, 0}, {74.99, 0}, {75, 1}, {120, 1}, {144, 1}};
    for (const auto& r : rates) {
        EXPECT_EQ(chooseSwapInterval(VsyncMode::Auto, r.hz), r.interval) << r.hz;
        EXPECT_EQ(chooseSwapInterval(VsyncMode::On, r.hz), 1) << r.hz;
        EXPECT_EQ(chooseSwapInterval(VsyncMode::Off, r.hz), 0) << r.hz;
    }
}

TEST(DisplayChoice, FittedPictureIsTheLargestWholeScaleCentred) {
    const ScaleChoice fit{.fit = true};
    const struct {
        int width, height;
        PictureLayout layout;
    } cases[] = {
        {.width = 640, .height = 480, .layout = {.scale = 2, .x = 0, .y = 0}},
        {.width = 641, .height = 480, .layout = {.scale = 2, .x = 0, .y = 0}},
        {.width = 1920, .height = 1080, .layout = {.scale = 4, .x = 320, .y = 60}},
        {.width = 3840, .height = 2160, .layout = {.scale = 8, .x = 640, .y = 120}},
        {.width = 959, .height = 1000, .layout = {.scale = 2, .x = 159, .y = 260}},
        // Smaller than the logical screen: one pixel each, its middle in the middle.
        {.width = 200, .height = 100, .layout = {.scale = 1, .x = -60, .y = -70}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layoutPicture(fit, c.width, c.height), c.layout) << c.width << "x" << c.height;
    // A high-density 2x drawable of a 960 x 720 window: the pixels decide, so scale 6.
    EXPECT_EQ(layoutPicture(fit, 1920, 1440, 2), (PictureLayout{.scale = 6, .x = 0, .y = 0}));
}

TEST(DisplayChoice, FixedPictureKeepsItsSizeAtTheTopLeft) {
    // The classic picture: 640 x 480 at the top-left corner, whatever the window.
    EXPECT_EQ(layoutPicture({}, 1920, 1080), (PictureLayout{.scale = 2, .x = 0, .y = 0}));
    EXPECT_EQ(layoutPicture({}, 100, 0), (PictureLayout{.scale = 2, .x = 0, .y = 0}));
    // --scale 3 on a high-density display: three points a logical pixel, six drawable pixels.
    EXPECT_EQ(layoutPicture({.factor = 3}, 1920, 1440, 2),
              (PictureLayout{.scale = 6, .x = 0, .y = 0}));
}

TEST(DisplayChoice, DesktopScaleLeavesRoomForTheTitleBar) {
    EXPECT_EQ(scaleForDesktop(1024, 768), 3);
    EXPECT_EQ(scaleForDesktop(1024, 760), 2); // 960 x 720 and a title bar do not fit
    EXPECT_EQ(scaleForDesktop(1920, 1040), 4);
    EXPECT_EQ(scaleForDesktop(3840, 2120), 8);
    EXPECT_EQ(scaleForDesktop(7680, 4320), 8);
    EXPECT_EQ(scaleForDesktop(300, 200), 1);
}

} // namespace
