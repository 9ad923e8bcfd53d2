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

// Runs the kind's initialisation on a retired element of that kind.
void reinit(Element* e, GameEnv* env, uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
            int32_t param) {
    Graphics* g = env->graphics;
    switch (code) {
    case kCodePlayerShip:
        static_cast<PlayerShip*>(e)->init(env, g, x, y);
        break;
    case kCodePlayerShot:
    case kCodeEnemyShot: {
        int32_t dir = 0;
        int32_t variant = 0;
        shotVariant(code, param, dir, variant);
        static_cast<Shot*>(e)->init(env, g, x, y, vx, vy, dir, variant);
        break;
    }
    case kCodeExplosion:
        static_cast<Explosion*>(e)->init(env, g, x, y);
        break;
    case kCodeEnemy:
        static_cast<Enemy*>(e)->init(env, g, x, y);
        break;
    default:
        break;
    }
}

// A fresh element of the kind, or null for an unknown code or when memory runs out.
Element* allocate(GameEnv* env, uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                  int32_t param) {
    Graphics* g = env->graphics;
    switch (code) {
    case kCodePlayerShip:
        return new (std::nothrow) PlayerShip(env, g, x, y);
    case kCodePlayerShot:
    case kCodeEnemyShot: {
        int32_t dir = 0;
        int32_t variant = 0;
        shotVariant(code, param, dir, variant);
        return new (std::nothrow) Shot(env, g, x, y, vx, vy, dir, variant);
    }
    case kCodeExplosion:
        return new (std::nothrow) Explosion(env, g, x, y);
    case kCodeEnemy:
        return new (std::nothrow) Enemy(env, g, x, y);
    default:
        return nullptr;
    }
}

bool knownCode(uint32_t code) {
    return code == kCodePlayerShip || code == kCodePlayerShot || code == kCodeExplosion ||
           code == kCodeEnemyShot || code == kCodeEnemy;
}
} // namespace

void GameEnv::addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                         int32_t param) {
    if (knownCode(code)) {
        if (Element* reused = findInactive(code)) {
            reused->reset();
            reinit(reused, this, code, x, y, vx, vy, param);
            return;
        }
    }
    Element* e = allocate(this, code, x, y, vx, vy, param);
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
    int32_t s = 20 - (gameState != nullptr ? gameState->level : 0);
    if (s < 0) s = 0;
    spawnTimer = randomNext() % (s + 6) + s / 2 + 2;
    const int32_t row = randomNext() % 69 + 76;
    env.addElement(kCodeEnemy, 320, row, 0, 0, 0);
}
