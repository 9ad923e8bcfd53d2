// The explosion puff: a random start delay, then four pictures in turn.
#include "elements/explosion.h"

#include "render/draw.h"
#include "render/graphics.h"
#include "world/field_writer.h"
#include "world/random.h"
#include "world/world.h"

namespace {
constexpr int32_t kLongestDelay = 5; // frames before the first picture, 0 to 5 at random
constexpr int32_t kLastCounter = 15; // four pictures of four frames each
constexpr int32_t kFramesPerPicture = 4;
constexpr int32_t kSparkPicture = 1; // shown during the delay
} // namespace

Explosion::Explosion(World* env, Graphics* graphics, int32_t x, int32_t y) {
    categories[0] = kCategoryPlayer;
    types[0] = typeOf(kCodeExplosion);
    init(env, graphics, x, y);
}

void Explosion::init(World* env, Graphics* graphics, int32_t x, int32_t y) {
    setKind(env, graphics, kCodeExplosion, kLayerExplosion);
    this->x = x;
    this->y = y;
    // Up to 5 frames of delay, so the four puffs of one kill do not animate in step.
    counter = -(randomNext() % (kLongestDelay + 1));
}

bool Explosion::update() {
    ++counter;
    if (counter > kLastCounter) return false;
    // During the start delay the second picture shows, a small spark before the blast.
    frame = counter < 0 ? kSparkPicture : counter / kFramesPerPicture;
    return true;
}

void Explosion::writeFields(FieldWriter& out) const {
    out.field("counter", counter);
    out.field("frame", frame);
}

void Explosion::draw() const {
    if (graphics == nullptr || frame < 0 || frame > 3) return;
    drawSprite(graphics->explosionImages[frame], toPixel(x), toPixel(y));
}
