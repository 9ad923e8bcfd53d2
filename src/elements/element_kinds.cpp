// Every kind of element by its code: a retired one of the kind started again, or a new one.
#include "elements/element_kinds.h"

#include <new>

#include "elements/dummy.h"
#include "elements/enemy.h"
#include "elements/explosion.h"
#include "elements/player_ship.h"
#include "elements/shot.h"
#include "world/world.h"

namespace {
// Param 8 asks for the main gun; anything else is an orb shot flying in that direction.
void shotVariant(uint32_t code, int32_t param, int32_t& dir, int32_t& variant) {
    if (code == kCodeEnemyShot) {
        dir = 0;
        variant = Shot::kEnemyShot;
    } else if (param == 8) {
        dir = 8;
        variant = Shot::kMainGunShot;
    } else {
        dir = param;
        variant = Shot::kOrbShot;
    }
}

// A retired element of the kind started again, else a new one; fresh tells which.
template <class Kind, class... Start>
Element* bring(World& world, uint32_t code, bool& fresh, Start... start) {
    if (Element* reused = world.findInactive(code)) {
        reused->reset();
        static_cast<Kind*>(reused)->init(&world, world.graphics, start...);
        fresh = false;
        return reused;
    }
    fresh = true;
    return new (std::nothrow) Kind(&world, world.graphics, start...);
}

} // namespace

Element* ElementKinds::bringElement(World& world, uint32_t code, int32_t x, int32_t y, int32_t vx,
                                    int32_t vy, int32_t param, bool& fresh) const {
    switch (code) {
    case kCodePlayerShip:
        return bring<PlayerShip>(world, code, fresh, x, y);
    case kCodePlayerShot:
    case kCodeEnemyShot: {
        int32_t dir = 0;
        int32_t variant = 0;
        shotVariant(code, param, dir, variant);
        return bring<Shot>(world, code, fresh, x, y, vx, vy, dir, variant);
    }
    case kCodeExplosion:
        return bring<Explosion>(world, code, fresh, x, y);
    case kCodeEnemy:
        return bring<Enemy>(world, code, fresh, x, y);
    case kCodeDummy:
        return bring<Dummy>(world, code, fresh, x, y, param);
    default:
        return nullptr;
    }
}
