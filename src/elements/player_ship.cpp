// The player's ship: steering, walls, ramming, lives, the main gun and its drawing.
#include "elements/player_ship.h"

#include <initializer_list>

#include "app/sound.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "input/input.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "world/element_list.h"
#include "world/level.h"

namespace {
// Controls are held when any of their keyboard or joystick inputs is down.
bool held(const GameEnv* env, std::initializer_list<int32_t> inputs) {
    if (env == nullptr || env->input == nullptr) return false;
    for (int32_t n : inputs) {
        if (env->input->isDown(n) != 0) return true;
    }
    return false;
}
} // namespace

PlayerShip::PlayerShip(GameEnv* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    categories[0] = kCategoryPlayer;
    types[0] = kCodePlayerShip & 0xFFFF;
    init(env, graphics, pixelX, pixelY);
}

void PlayerShip::init(GameEnv* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    this->env = env;
    this->graphics = graphics;
    category = kCategoryPlayer;
    type = kCodePlayerShip & 0xFFFF;
    layer = 5;
    startX = toFixed(pixelX);
    startY = toFixed(pixelY);
    start();
}

void PlayerShip::start() {
    x = startX;
    y = startY;
    vx = 0;
    vy = 0;
    fireCooldown = 0;
    animCounter = 0;
    invulnFrames = 0;
    orbCount = 3;
    nodeCount = 24;
    chainLocked = 1;
    lockFlash = 0;
    orbFlash = 0;
    releaseTimer = 0;
    for (int i = 0; i < orbCount; ++i)
        orbs[i].dir = 4;
    // A straight chain hanging down from the anchor, 4 pixels per link.
    for (int i = 0; i < nodeCount; ++i) {
        nodeOffsets[i].x = 5120;
        nodeOffsets[i].y = 2560 + 1024 * i;
        nodes[i].vx = 0;
        nodes[i].vy = 0;
    }
    // The orb guns may fire in the very first update, before any placement: put the orbs
    // where the locked chain holds them.
    for (int i = 0; i < orbCount; ++i) {
        const MoveRec& offset = nodeOffsets[7 + 8 * i];
        orbs[i].x = x + offset.x - 1792;
        orbs[i].y = y + offset.y - 1792;
    }
}

bool PlayerShip::update() {
    if (invulnFrames > 0) --invulnFrames;
    takeHits();
    const bool right = held(env, {kKeyRight, kJoyRight});
    const bool left = held(env, {kKeyLeft, kJoyLeft});
    const bool up = held(env, {kKeyUp, kJoyUp});
    const bool down = held(env, {kKeyDown, kJoyDown});
    const bool fire = held(env, {kKeyZ, kJoyButton0, kJoyButton0 + 1});
    const bool link = held(env, {kKeyX, kJoyButton0 + 2, kJoyButton0 + 3});
    steer(right, left, up, down);
    hitbox = Rect::at(position(), 10, 5, 18, 10);
    hitWalls();
    ramEnemies();
    fireMainGun(fire);
    fireOrbGuns(fire);
    animCounter = (animCounter + 1) % 6;
    moveChain(link);
    if (lockFlash > 0) --lockFlash;
    if (orbFlash > 0) --orbFlash;
    placeOrbs();
    return true;
}

void PlayerShip::takeHits() {
    for (uint32_t code = nextMessage(); code != kMsgNone; code = nextMessage()) {
        if (code == kMsgHit && invulnFrames <= 0) loseLife();
    }
}

void PlayerShip::loseLife() {
    playSound(kSoundCrash, 50, 100);
    invulnFrames = 32;
    env->state->lives -= 1;
}

void PlayerShip::steer(bool right, bool left, bool up, bool down) {
    if (right) vx += 128;
    if (left) vx -= 128;
    if (down) vy += 128;
    if (up) vy -= 128;
    approachZero(vx, 64);
    approachZero(vy, 64);
    clampSym(vx, 512);
    clampSym(vy, 512);
    x += vx;
    y += vy;
    // Pixels 0 to 280 across, 56 to 165 down: the ship stays inside the band.
    clampRange(x, 0, 71680);
    clampRange(y, 14336, 42240);
}

void PlayerShip::hitWalls() {
    if (env->level == nullptr || !env->level->tileHit(hitbox)) return;
    playSound(kSoundCrash, 50, 100); // heard even while invulnerable
    if (invulnFrames <= 0) {
        invulnFrames = 32;
        env->state->lives -= 1;
    }
    // Bounce 6 pixels towards the middle of the band and keep going that way at full speed.
    if (toPixel(y) < 110) {
        y += 1536;
        vy = 512;
    } else {
        y -= 1536;
        vy = -512;
    }
}

void PlayerShip::ramEnemies() {
    ElementList* found = env->collide(hitbox);
    if (found == nullptr) return;
    for (Element* enemy = found->next(kCategoryEnemy, -1); enemy != nullptr;
         enemy = found->next(kCategoryEnemy, -1)) {
        enemy->postMessage(kMsgHit, 5); // ramming hurts even while invulnerable
        if (invulnFrames <= 0) loseLife();
    }
}

void PlayerShip::fireMainGun(bool fire) {
    if (fireCooldown > 0) --fireCooldown;
    if (!fire || fireCooldown > 0) return;
    env->addElement(kCodePlayerShot, x + 4608, y + 2304, 1024, 0, 8);
    playSound(kSoundPshot, 20, 100);
    fireCooldown = 8;
}

void PlayerShip::draw() {
    if (graphics == nullptr) return;
    const Rgb tint = chainTint();
    drawLinks(tint);
    drawSprite(graphics->shipImages[animCounter / 3], toPixel(x), toPixel(y),
               invulnFrames > 0 ? graphics->cycleColor() : Rgb{});
    drawOrbs(tint);
}
