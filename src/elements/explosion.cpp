// The explosion puff: a random start delay, then four pictures in turn.
#include "elements/explosion.h"

#include "render/draw.h"
#include "render/graphics.h"
#include "world/field_writer.h"
#include "world/random.h"
#include "world/world.h"

Explosion::Explosion(World* env, Graphics* graphics, int32_t x, int32_t y) {
    categories[0] = kCategoryPlayer;
    types[0] = typeOf(kCodeExplosion);
    init(env, graphics, x, y);
}

void Explosion::init(World* env, Graphics* graphics, int32_t x, int32_t y) {
    setKind(env, graphics, kCodeExplosion, 7);
    this->x = x;
    this->y = y;
    // Up to 5 frames of delay, so the four puffs of one kill do not animate in step.
    counter = -(randomNext() % 6);
}

bool Explosion::update() {
    ++counter;
    if (counter > 15) return false;
    // During the start delay the second picture shows, a small spark before the blast.
    frame = counter < 0 ? 1 : counter / 4;
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
