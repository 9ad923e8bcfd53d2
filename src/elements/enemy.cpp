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

Enemy::Enemy(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    categories[0] = kCategoryEnemy;
    types[0] = typeOf(kCodeEnemy);
    init(env, graphics, pixelX, pixelY);
}

void Enemy::init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    setKind(env, graphics, kCodeEnemy, 2);
    x = toFixed(pixelX);
    y = toFixed(pixelY);
    baseY = y;
    vx = -kFixOne; // a pixel a frame to the left
    vy = 0;
    // The draw order matters for replays: phase first, then the fire timer.
    const int32_t m = (y >= 153) ? 629 : 315;
    phase = static_cast<float>(randomNext() % m) * 0.01f;
    flashTimer = 0;
    animCounter = 0;
    hitPoints = 5;
    fireTimer = randomNext() % (firePeriod() + 1);
}

int32_t Enemy::firePeriod() const {
    const int32_t period = (20 - env->state->level) * 10;
    return period < 30 ? 30 : period;
}

bool Enemy::update() {
    if (!takeHits()) return false;
    if (flashTimer > 0) --flashTimer;
    if (--fireTimer <= 0) {
        fireTimer = firePeriod();
        fireAtShip();
    }
    // The wave: a whole number of pixels, -32 to 32, around the centre line.
    phase += 0.03f;
    y = baseY - toFixed(roundNearest(-32.0 * sine(phase)));
    x += vx;
    y += vy;
    if (x < toFixed(-21)) return false; // gone past the left edge
    hitbox = Rect::at(position(), 1, 2, 8, 10);
    animCounter = (animCounter + 1) % 6;
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
            flashTimer = 7;
            continue;
        }
        // Destroyed: whatever else is still in the inbox stays unread.
        state.countKill();
        explode();
        playSound(kSoundBoom, 40, 100);
        return false;
    }
    return true;
}

void Enemy::explode() {
    for (int i = 0; i < 4; ++i) {
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
    const double dx = static_cast<double>(ship->x - x + toFixed(20));
    const double dy = static_cast<double>(ship->y - y + toFixed(2));
    double len = std::sqrt(dx * dx + dy * dy);
    if (len < 1.0) len = 1.0;
    const float ux = static_cast<float>(dx / len);
    double uy = dy / len;
    // Enemies only shoot forwards and at a shallow angle.
    if (uy > 0.4f) uy = 0.4f;
    if (uy < -0.4f) uy = -0.4f;
    if (ux >= 0.0f) return;
    // From 3 pixels left of and below the enemy's corner.
    env->addElement(kCodeEnemyShot, x - toFixed(3), y + toFixed(3),
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
