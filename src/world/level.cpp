// The cave band: fine scroll, one generated wall column every 8 pixels, two star layers, tile hits.
#include "world/level.h"

#include "render/draw.h"
#include "render/graphics.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/random.h"
#include "world/world.h"

namespace {
constexpr int32_t kColumnWidthFixed = 8 * kFixOne;
constexpr int kWallTiles = 5;
constexpr int kEdgeTiles = 2;
constexpr uint8_t kSolidTile = 9;

// Far stars (first half) drift at half the speed of near ones.
void placeStarAtRight(MoveRec& star, int index, int32_t x) {
    star.x = x;
    star.y = (randomNext() % 48 + 96) * kFixOne;
    int32_t vx = -128 - randomNext() % 257;
    if (index < Level::kStars / 2) vx /= 2;
    star.vx = vx;
    star.vy = 0;
}

// The outermost tiles of a wall are random edge pieces, the rest solid rock.
uint8_t wallTile(int written) {
    return written < kEdgeTiles ? static_cast<uint8_t>(randomNext() % 8 + 1) : kSolidTile;
}
} // namespace

void Level::init() {
    *this = Level();
    for (int i = 0; i < kStars; ++i) {
        const int32_t x = (randomNext() % 321) * kFixOne;
        placeStarAtRight(stars[i], i, x);
    }
}

void Level::update(World& world) {
    scrollX += scrollSpeedX;
    scrollY += scrollSpeedY;
    clampRange(scrollX, 0, maxScrollX);
    clampRange(scrollY, 0, maxScrollY);
    if (scrollX >= kColumnWidthFixed) {
        scrollX = 0;
        advanceColumn();
    }
    moveStars();
    spawnEnemies(world);
}

void Level::advanceColumn() {
    for (int c = 0; c + 1 < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r)
            tiles[c][r] = tiles[c + 1][r];
    }
    uint8_t* column = tiles[kColumns - 1];
    for (int r = 0; r < kRows; ++r)
        column[r] = 0;
    if (topWall >= 0) {
        for (int r = topWall / 8, n = 0; r >= 0 && n < kWallTiles; --r, ++n)
            column[r] = wallTile(n);
    }
    if (bottomWall >= 0) {
        for (int r = kRows - 1 - bottomWall / 8, n = 0; r < kRows && n < kWallTiles; ++r, ++n)
            column[r] = wallTile(n);
    }
    topWallSpeed += randomNext() % 9 - 4;
    bottomWallSpeed += randomNext() % 9 - 4;
    clampRange(topWallSpeed, -8, 8);
    clampRange(bottomWallSpeed, -8, 8);
    topWall += topWallSpeed;
    bottomWall += bottomWallSpeed;
    clampRange(topWall, -31, 31);
    clampRange(bottomWall, -31, 31);
    if (randomNext() % 101 == 0) topWall = randomNext() % 63 - 31;
    if (randomNext() % 101 == 0) bottomWall = randomNext() % 63 - 31;
}

void Level::moveStars() {
    for (int i = 0; i < kStars; ++i) {
        MoveRec& star = stars[i];
        stepMove(star);
        if (star.x < -16) placeStarAtRight(star, i, 320 * kFixOne);
    }
}

bool Level::tileHit(const Rect& rect) const {
    const int32_t s = toPixel(scrollX);
    const int32_t c0 = (rect.x + s) / 8;
    const int32_t r0 = (rect.y - kBandTop) / 8;
    const int32_t nc = rect.w / 8 == 0 ? 1 : rect.w / 8;
    const int32_t nr = rect.h / 8 == 0 ? 1 : rect.h / 8;
    for (int32_t c = c0; c <= c0 + nc; ++c) {
        for (int32_t r = r0; r <= r0 + nr; ++r) {
            const int32_t tileY = kBandTop + r * 8;
            if (c < 0 || c >= kColumns || tileY < kBandTop || tileY >= kBandBottom) continue;
            if (tile(c, r) <= 0) continue;
            if (rectOverlap(rect, Rect{c * 8 - s, tileY, 8, 8}, -1) != 0) return true;
        }
    }
    return false;
}

void Level::spawnEnemies(World& world) {
    if (!world.lab.enemies || --spawnTimer > 0) return;
    int32_t s = 20 - (world.state != nullptr ? world.state->level : 0);
    if (s < 0) s = 0;
    // The lab may set its own interval; the game's draws a random one.
    spawnTimer = world.lab.spawn > 0 ? world.lab.spawn : randomNext() % (s + 6) + s / 2 + 2;
    const int32_t row = randomNext() % 69 + 76;
    world.addElement(kCodeEnemy, 320, row, 0, 0, 0);
}

namespace {

constexpr RgbInt kBlack{0, 0, 0};

void drawStars(const MoveRec* stars) {
    for (int i = 0; i < 50; ++i) {
        const MoveRec& s = stars[i];
        // The far streak trails half a frame's motion behind the star.
        drawBox(toPixel(s.x - s.vx / 2), toPixel(s.y), 2, 1, {32, 32, 128});
    }
    for (int i = 50; i < Level::kStars; ++i) {
        const MoveRec& s = stars[i];
        drawBox(toPixel(s.x), toPixel(s.y), 1, 1, {64, 64, 196});
        drawBox(toPixel(s.x) + 1, toPixel(s.y), 2, 1, {32, 32, 128});
    }
}

// Values 1 to 8 are the four tiles in both orientations, 9 a black block; others are empty.
void drawTile(const Graphics& g, int8_t value, int32_t x, int32_t y) {
    if (value <= 0 || value > 9) return;
    if (value == 9) {
        drawBox(x, y, 8, 8, kBlack);
        return;
    }
    const uint8_t mirror = (value - 1) % 2;
    drawSprite(g.tileImages[(value - 1) / 2], x, y, 0, 0, mirror, 1.0f, 1.0f, 0.0f, 255,
               g.palette[0]);
}

} // namespace

void Level::drawLevel(Graphics& graphics, int32_t layer) const {
    if (layer != 0) return;
    drawStars(stars);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            drawTile(graphics, tile(col, row), 8 * col - toPixel(scrollX), kBandTop + 8 * row);
        }
    }
}
