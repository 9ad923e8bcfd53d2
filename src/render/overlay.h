// The shell's screens over the game's last picture: the picture dimmed, a heading and lines.
#pragma once

#include <string>
#include <vector>

#include "render/draw.h"

class TextFont;

struct OverlayLine {
    std::string text;
    RgbInt color{200, 200, 200};
};

// Dims the whole 320 by 240 picture and writes the heading at twice the size and the lines under
// it, each centred; without a font only the dimming shows.
void drawOverlay(const TextFont& font, const std::string& heading,
                 const std::vector<OverlayLine>& lines);
