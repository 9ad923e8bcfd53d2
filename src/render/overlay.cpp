// Drawing the pause and prompt screens over the game's picture.
#include "render/overlay.h"

#include "render/text_font.h"

namespace {
constexpr int32_t kScreenWidth = 320;
constexpr int32_t kScreenHeight = 240;
constexpr int32_t kDimAlpha = 170;
constexpr int32_t kTop = 24;
constexpr RgbInt kHeadingColor{255, 220, 90};
} // namespace

void drawOverlay(const TextFont& font, const std::string& heading,
                 const std::vector<OverlayLine>& lines) {
    drawShade(0, 0, kScreenWidth, kScreenHeight, {0, 0, 0}, kDimAlpha);
    if (font.loaded()) {
        font.draw((kScreenWidth - font.width(heading, 2)) / 2, kTop, heading, kHeadingColor, 2);
        int32_t y = kTop + font.lineHeight(2) + font.lineHeight();
        for (const OverlayLine& line : lines) {
            font.draw((kScreenWidth - font.width(line.text)) / 2, y, line.text, line.color);
            y += font.lineHeight();
        }
    }
    finishBoxes();
}
