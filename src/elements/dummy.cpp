// Target dummies: scored and counted as enemies, but still, silent and harmless, and back at
// their place a while after they are destroyed.
#include "elements/dummy.h"

#include "render/graphics.h"
#include "world/lab_settings.h"
#include "world/world.h"

Dummy::Dummy(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY, int32_t index) {
    types[0] = typeOf(kCodeDummy);
    init(env, graphics, pixelX, pixelY, index);
}

// No random draws: dummies leave the game's random stream as they find it.
void Dummy::init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY, int32_t index) {
    setKind(env, graphics, kCodeDummy, kLayerEnemy);
    x = toFixed(pixelX);
    y = toFixed(pixelY);
    baseY = y;
    vx = 0;
    vy = 0;
    phase = 0.0f;
    flashTimer = 0;
    animCounter = 0;
    hitPoints = kHitPoints;
    fireTimer = 0;
    this->index = index;
}

bool Dummy::update() {
    if (index >= env->lab.dummies) return false; // the lab wants fewer: it leaves unscored
    if (!takeHits()) {
        if (index >= 0 && index < kMostDummies) env->dummyReturn[index] = kReturnFrames;
        return false;
    }
    if (flashTimer > 0) --flashTimer;
    hitbox = Rect::at(position(), 1, 2, 8, 10);
    animCounter = (animCounter + 1) % kAnimFrames;
    sprite = graphics != nullptr ? graphics->enemyImages[animCounter / 3] : nullptr;
    return true;
}
