// The player's ship: steering, walls, ramming, lives, the main gun and its drawing.
#include "elements/player_ship.h"

#include "game/game_env.h"

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
    return true;
}

void PlayerShip::draw() {}
