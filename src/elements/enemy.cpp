// Enemies: weave left on a sine wave, fire aimed shots, take hits and explode.
#include "elements/enemy.h"

#include <cmath>

#include "base/sound.h"
#include "elements/shot.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "world/field_writer.h"
#include "world/game_state.h"
#include "world/random.h"
#include "world/world.h"

namespace {
constexpr int32_t kSpeedX = -kFixOne; // a pixel a frame to the left
// The start phase's range in hundredths of a radian: the wide one from a fixed-point y of 153 up,
// which every enemy the spawner makes has (its rows start at pixel 76).
constexpr int32_t kWideSpanFromY = 153;
constexpr int32_t kPhaseSpanLow = 629;
constexpr int32_t kPhaseSpanHigh = 315;
constexpr float kPhaseStep = 0.03f;      // radians a frame
constexpr double kWaveHeight = 32.0;     // pixels above and below the centre line
constexpr int32_t kGoneX = toFixed(-21); // past the left edge
constexpr int32_t kFlashFrames = 7;      // the cycling tint after a hit that did not kill
constexpr int32_t kPuffs = 4;            // explosions left by a kill
constexpr int32_t kShotsFromLevel = 20;  // the period is (20 - level) * 10 frames,
constexpr int32_t kFramesPerStep = 10;
constexpr int32_t kShortestPeriod = 30;           // never less than 30
constexpr double kSteepestAim = 0.4;              // the aim's largest downward or upward part
constexpr FixVec kAimAt{toFixed(20), toFixed(2)}; // from the ship's corner
constexpr FixVec kMuzzle{toFixed(-3), toFixed(3)};
} // namespace

Enemy::Enemy(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    categories[0] = kCategoryEnemy;
    types[0] = typeOf(kCodeEnemy);
    init(env, graphics, pixelX, pixelY);
}

void Enemy::init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    setKind(env, graphics, kCodeEnemy, kLayerEnemy);
    x = toFixed(pixelX);
    y = toFixed(pixelY);
    baseY = y;
    vx = kSpeedX;
    vy = 0;
    // The draw order matters for replays: phase first, then the fire timer.
    const int32_t m = (y >= kWideSpanFromY) ? kPhaseSpanLow : kPhaseSpanHigh;
    phase = static_cast<float>(randomNext() % m) * 0.01f;
    flashTimer = 0;
    animCounter = 0;
    hitPoints = kHitPoints;
    fireTimer = randomNext() % (firePeriod() + 1);
}

int32_t Enemy::firePeriod() const {
    const int32_t period = (kShotsFromLevel - env->state->level) * kFramesPerStep;
    return period < kShortestPeriod ? kShortestPeriod : period;
}

bool Enemy::update() {
    if (!takeHits()) return false;
    if (flashTimer > 0) --flashTimer;
    if (--fireTimer <= 0) {
        fireTimer = firePeriod();
        if (env->lab.enemyFire) fireAtShip();
    }
    // The wave: a whole number of pixels, -32 to 32, around the centre line.
    phase += kPhaseStep;
    y = baseY - toFixed(roundNearest(-kWaveHeight * sine(phase)));
    x += vx;
    y += vy;
    if (x < kGoneX) return false;
    hitbox = Rect::at(position(), 1, 2, 8, 10);
    animCounter = (animCounter + 1) % kAnimFrames;
    sprite = graphics != nullptr ? graphics->enemyImages[animCounter / 3] : nullptr;
    return true;
}

bool Enemy::takeHits() {
    GameState& state = *env->state;
    for (uint32_t code = nextMessage(); code != kMsgNone; code = nextMessage()) {
        if (code != kMsgHit) continue;
        playSound(kSoundEhit, 20, 100);
        hitPoints -= messageValue();
        state.score += state.level;
        if (hitPoints > 0) {
            flashTimer = kFlashFrames;
            continue;
        }
        // Destroyed: whatever else is still in the inbox stays unread.
        state.countKill();
        ++env->counters.kills;
        explode();
        playSound(kSoundBoom, 40, 100);
        return false;
    }
    return true;
}

void Enemy::explode() {
    for (int i = 0; i < kPuffs; ++i) {
        // Separate statements keep the draws in their order: row, column, then the puff's delay.
        const int32_t ey = y + toFixed((randomNext() % 9) - 6);
        const int32_t ex = x + toFixed((randomNext() % 9) - 4);
        env->addElement(kCodeExplosion, ex, ey, 0, 0, 0);
    }
}

void Enemy::fireAtShip() {
    const Element* ship = env->findElement(kCategoryPlayer, typeOf(kCodePlayerShip));
    if (ship == nullptr) return; // nothing to aim at: hold fire until the next period
    // Aim 20 pixels right of and 2 below the ship's corner.
    const double dx = static_cast<double>(ship->x - x + kAimAt.x);
    const double dy = static_cast<double>(ship->y - y + kAimAt.y);
    double len = std::sqrt(dx * dx + dy * dy);
    if (len < 1.0) len = 1.0;
    const float ux = static_cast<float>(dx / len);
    double uy = dy / len;
    // Enemies only shoot forwards and at a shallow angle.
    if (uy > static_cast<float>(kSteepestAim)) uy = static_cast<float>(kSteepestAim);
    if (uy < static_cast<float>(-kSteepestAim)) uy = static_cast<float>(-kSteepestAim);
    if (ux >= 0.0f) return;
    // From 3 pixels left of and below the enemy's corner.
    env->addElement(kCodeEnemyShot, x + kMuzzle.x, y + kMuzzle.y,
                    roundNearest(Shot::kEnemyShotSpeed * ux),
                    roundNearest(Shot::kEnemyShotSpeed * uy), -1);
    playSound(kSoundEshot, 15, 100);
}

void Enemy::writeFields(FieldWriter& out) const {
    out.field("hitPoints", hitPoints);
    out.field("fireTimer", fireTimer);
    out.field("flashTimer", flashTimer);
    out.field("animCounter", animCounter);
    out.field("baseY", baseY);
    out.real("phase", phase);
}

void Enemy::draw() const {
    if (graphics == nullptr) return;
    drawSprite(sprite, toPixel(x), toPixel(y),
               flashTimer != 0 ? graphics->cycleColor(gameState->colorCycle) : Rgb{});
}
