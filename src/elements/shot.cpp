// Shots: fly straight, hit the first suitable target or a wall, end off screen.
#include "elements/shot.h"

#include "render/draw.h"
#include "render/graphics.h"
#include "world/element_list.h"
#include "world/field_writer.h"
#include "world/level.h"
#include "world/world.h"

namespace {
constexpr int32_t kOrbDamage = 1;
constexpr int32_t kMainGunDamage = 3;
constexpr int32_t kScreenMargin = 14; // pixels a shot flies on past the screen's edges
} // namespace

Shot::Shot(World* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy,
           int32_t dir, int32_t variant) {
    categories[0] = kCategoryPlayer;
    types[0] = typeOf(kCodePlayerShot);
    types[1] = typeOf(kCodeEnemyShot);
    init(env, graphics, x, y, vx, vy, dir, variant);
}

void Shot::init(World* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy,
                int32_t dir, int32_t variant) {
    setKind(env, graphics, variant == kEnemyShot ? kCodeEnemyShot : kCodePlayerShot, kLayerShot);
    // An enemy shot never sends its damage, so a reused one keeps what it held.
    if (variant == kOrbShot) damage = kOrbDamage;
    if (variant == kMainGunShot) damage = kMainGunDamage;
    this->variant = variant;
    this->x = x;
    this->y = y;
    this->vx = vx;
    this->vy = vy;
    sprite = nullptr;
    this->dir = dir;
}

bool Shot::update() {
    if (takeHits()) return false;
    x += vx;
    y += vy;
    // The area is twice the logical screen, so shots fly on unseen a while past the right edge.
    if (!posOnScreen(position(), kScreenMargin, kScreenMargin)) return false;
    hitbox =
        variant == kOrbShot ? Rect::at(position(), 6, 6, 4, 4) : Rect::at(position(), 0, 4, 4, 4);
    if (hitTarget()) return false;
    if (env->level != nullptr && env->level->tileHit(hitbox)) return false;
    pickSprite();
    return true;
}

bool Shot::takeHits() {
    // Only an orb absorbing an enemy shot sends one; the rest of the inbox no longer matters.
    for (uint32_t code = nextMessage(); code != kMsgNone; code = nextMessage()) {
        if (code == kMsgHit) return true;
    }
    return false;
}

bool Shot::hitTarget() {
    ElementList* found = env->collide(hitbox);
    if (found == nullptr) return false;
    if (variant == kEnemyShot) {
        Element* ship = found->next(kCategoryPlayer, typeOf(kCodePlayerShip));
        if (ship == nullptr) return false;
        ship->postMessage(kMsgHit, 1);
        return true;
    }
    Element* enemy = found->next(kCategoryEnemy, -1);
    if (enemy == nullptr) return false;
    enemy->postMessage(kMsgHit, damage);
    return true;
}

void Shot::pickSprite() {
    if (graphics == nullptr) {
        sprite = nullptr;
    } else if (variant == kEnemyShot) {
        sprite = graphics->enemyShotImage;
    } else if (damage == kOrbDamage) {
        sprite = (dir >= 0 && dir < 8) ? graphics->shotImages[dir] : nullptr;
    } else {
        sprite = graphics->playerShotImage;
    }
}

void Shot::writeFields(FieldWriter& out) const {
    out.field("variant", variant);
    out.field("dir", dir);
    out.field("damage", damage);
}

void Shot::draw() const {
    drawSprite(sprite, toPixel(x), toPixel(y));
}
