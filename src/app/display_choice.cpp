// How the picture meets the display: the swap interval and the picture's scale and place.
#include "app/display_choice.h"

#include <algorithm>

namespace {

// Room left for the window's frame and title bar, which SDL cannot tell before the window exists.
constexpr int kFrameAllowance = 48;

int largestFit(int width, int height) {
    return std::clamp(std::min(width / kLogicalWidth, height / kLogicalHeight), 1, kMaxScale);
}

} // namespace

int chooseSwapInterval(VsyncMode mode, double refreshHz) {
    switch (mode) {
    case VsyncMode::On:
        return 1;
    case VsyncMode::Off:
        return 0;
    case VsyncMode::Auto:
        break;
    }
    return refreshHz >= kFullSpeedRefreshHz ? 1 : 0;
}

PictureLayout layoutPicture(ScaleChoice choice, int drawableWidth, int drawableHeight,
                            int density) {
    if (!choice.fit) return {choice.factor * std::max(density, 1), 0, 0};
    const int scale = largestFit(drawableWidth, drawableHeight);
    return {scale, (drawableWidth - scale * kLogicalWidth) / 2,
            (drawableHeight - scale * kLogicalHeight) / 2};
}

int scaleForDesktop(int usableWidth, int usableHeight) {
    return largestFit(usableWidth, usableHeight - kFrameAllowance);
}
