// How the picture meets the display: whether swaps wait for the refresh, and where the 320 by 240
// picture lands in the window at which whole-number scale.
#pragma once

// --vsync: auto waits for the refresh only where that cannot slow the game.
enum class VsyncMode { Auto, On, Off };

// --renderer: OpenGL's immediate mode (the default), or batched OpenGL ES 2, which the game also
// falls back to where no context with immediate mode can be made.
enum class RendererChoice { Gl, Gles2 };

// The lowest refresh rate at which waiting for it still lets the game run at full speed: the
// main loop wants a pass every 0.98/75 s, so a 75 Hz display paces it at 75 frames a second and
// anything slower would stretch every rule of the game.
constexpr double kFullSpeedRefreshHz = 75.0;

// The swap interval to ask for: 1 waits for the refresh, 0 does not. refreshHz 0 is unknown,
// which counts as too slow.
int chooseSwapInterval(VsyncMode mode, double refreshHz);

// --scale: the classic picture is 2 (640 by 480), shown at the top-left corner whatever the
// window's size; a fixed N is N logical pixels a pixel, also at the top-left; auto fills the
// window with the largest whole multiple that fits, centred.
struct ScaleChoice {
    bool fit = false;
    int factor = 2; // with fit off
};

constexpr int kLogicalWidth = 320;
constexpr int kLogicalHeight = 240;
constexpr int kMaxScale = 8;

// Where the picture lands in a drawable of width x height pixels, offsets from its top-left
// corner (negative when the picture is larger than the drawable).
struct PictureLayout {
    int scale = 2;
    int x = 0;
    int y = 0;
    bool operator==(const PictureLayout&) const = default;
};

// density is how many drawable pixels a window point holds (2 on a high-density display).
PictureLayout layoutPicture(ScaleChoice choice, int drawableWidth, int drawableHeight,
                            int density = 1);

// The largest whole scale whose window, title bar included, fits the usable desktop area.
int scaleForDesktop(int usableWidth, int usableHeight);
