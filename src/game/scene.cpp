// One picture of the game: playfield, level, elements, game-over effect, borders and score.
#include <cstdint>

#include "base/geometry.h"
#include "game/game_env.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

namespace {

constexpr int kLayers = 8;
constexpr RgbInt kBlack{0, 0, 0};
constexpr RgbInt kWhite{255, 255, 255};
constexpr RgbInt kGrey{130, 130, 130};

void drawGradient() {
    drawBox(0, Level::kBandTop, 320, 32, {0, 0, 160});
    drawBox(0, 88, 320, 8, {0, 0, 120});
    drawBox(0, 96, 320, 48, {0, 0, 80});
    drawBox(0, 144, 320, 8, {0, 0, 120});
    drawBox(0, 152, 320, 32, {0, 0, 160});
}

void drawElements(Element* const* elements, int count) {
    for (int layer = 0; layer < kLayers; ++layer) {
        for (int i = 0; i < count; ++i) {
            Element* e = elements[i];
            if (e && e->layer == layer && !e->isNew && !e->dead) e->draw();
        }
    }
}

// Early on the playfield blinks white (unless the player asked for no flashes); then the pattern
// darkens it by multiplication.
void drawGameOver(const Graphics& g, int32_t frames, bool flashes) {
    if (flashes && frames < 64 && (frames & 2)) {
        drawBox(0, Level::kBandTop, 320, Level::kBandBottom - Level::kBandTop, kWhite);
        return;
    }
    setBlendMultiply(true);
    for (int row = 0; row < 12; ++row) {
        for (int col = 0; col < 13; ++col) {
            drawSprite(g.gameOverImage, 27 * col - frames % 27,
                       Level::kBandTop - (frames / 2) % 12 + 12 * row, g.palette[0]);
        }
    }
    setBlendMultiply(false);
}

void drawBorders() {
    drawBox(0, 0, 320, Level::kBandTop, kBlack);
    drawBox(0, Level::kBandBottom, 320, 240 - Level::kBandBottom, kBlack);
    drawBox(0, 55, 320, 1, kWhite);
    drawBox(0, Level::kBandBottom, 320, 1, kWhite);
}

// Height of a ticker glyph on the wave; the shadow row rides the mirrored wave.
int32_t tickerY(float amplitude, int64_t t) {
    float angle = 0.04f * static_cast<float>(t);
    return 20 - roundNearest(static_cast<double>(amplitude) * sine(angle));
}

// The title glyphs scroll left two pixels a frame; wide counts keep a long run from overflowing,
// and a frame count past 2^31, wrapped, reads on as the unsigned count it is.
void drawTicker(const Graphics& g, int32_t frameCount) {
    const int64_t f = static_cast<uint32_t>(frameCount);
    const int64_t q = (2 * f) / 18;
    const int32_t r = static_cast<int32_t>((2 * f) % 18);
    for (int i = 0; i < 20; ++i) {
        const int64_t t = f - r + int64_t{18} * i;
        const Sprite* glyph = g.titleGlyphs[(i + q) % 5];
        drawSpriteTinted(glyph, -8 - r + 18 * i, tickerY(-11.99f, t), 0, {128, 128, 128});
    }
    for (int i = 0; i < 20; ++i) {
        const int64_t t = f - r + int64_t{18} * i;
        const Sprite* glyph = g.titleGlyphs[(i + q) % 5];
        drawSprite(glyph, -r + 18 * i, tickerY(11.99f, t), g.palette[0]);
    }
}

void drawScore(const Graphics& g, const GameState& s) {
    drawNumber(g, 8, 192, "%.12i", s.score);
    drawBox(92, 198, 2, 2, kGrey);
    drawNumber(g, 95, 201, "%i", s.lives);
    drawBox(102, 207, 2, 2, kGrey);
    drawNumber(g, 105, 210, "%.2i", s.level);
    drawBox(119, 213, 2, 2, kGrey);
    drawNumber(g, 122, 210, "%.2i", s.killsToNextLevel);
    drawNumber(g, 8, 227, "%.12i", s.highScore);
    drawSprite(g.hiImage, 91, 225, g.palette[0]);
    drawSprite(g.logoImage, 216, 205, g.palette[0]);
}

} // namespace

void GameEnv::drawScene() const {
    drawGradient();
    for (int layer = 0; layer < 4; ++layer)
        level->drawLevel(*graphics, layer);
    drawElements(elements, kSlots);
    for (int layer = 4; layer < 8; ++layer)
        level->drawLevel(*graphics, layer);
    if (state->gameOverFrames > 0) drawGameOver(*graphics, state->gameOverFrames, gameOverFlashes);
    drawBorders();
    drawTicker(*graphics, state->frameCount);
    drawScore(*graphics, *state);
    finishBoxes();
}
