// Bringing elements into play: reuse a retired one of the kind or allocate one, and the enemy
// spawner.
#include <new>

#include "app/log.h"
#include "elements/enemy.h"
#include "elements/explosion.h"
#include "elements/player_ship.h"
#include "elements/shot.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "world/level.h"
#include "world/random.h"

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
Element* bring(GameEnv* env, uint32_t code, bool& fresh, Start... start) {
    if (Element* reused = env->findInactive(code)) {
        reused->reset();
        static_cast<Kind*>(reused)->init(env, env->graphics, start...);
        fresh = false;
        return reused;
    }
    fresh = true;
    return new (std::nothrow) Kind(env, env->graphics, start...);
}

// Every kind of element, by its code: the one list to extend with a new kind. Null for an
// unknown code, or when memory runs out.
Element* bringElement(GameEnv* env, uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                      int32_t param, bool& fresh) {
    switch (code) {
    case kCodePlayerShip:
        return bring<PlayerShip>(env, code, fresh, x, y);
    case kCodePlayerShot:
    case kCodeEnemyShot: {
        int32_t dir = 0;
        int32_t variant = 0;
        shotVariant(code, param, dir, variant);
        return bring<Shot>(env, code, fresh, x, y, vx, vy, dir, variant);
    }
    case kCodeExplosion:
        return bring<Explosion>(env, code, fresh, x, y);
    case kCodeEnemy:
        return bring<Enemy>(env, code, fresh, x, y);
    default:
        return nullptr;
    }
}
} // namespace

void GameEnv::addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                         int32_t param) {
    bool fresh = false;
    Element* e = bringElement(this, code, x, y, vx, vy, param, fresh);
    if (e != nullptr && !fresh) return;
    if (e == nullptr) {
        logLine("Error: Tried to add unknown element with category|type=%.8X", code);
        pauseAfterError();
        return;
    }
    // With every slot taken the element could never be reached again: free it now.
    if (!insertElement(e)) delete e;
}

void Level::spawnEnemies(GameEnv& env) {
    if (--spawnTimer > 0) return;
    int32_t s = 20 - (env.state != nullptr ? env.state->level : 0);
    if (s < 0) s = 0;
    spawnTimer = randomNext() % (s + 6) + s / 2 + 2;
    const int32_t row = randomNext() % 69 + 76;
    env.addElement(kCodeEnemy, 320, row, 0, 0, 0);
}
