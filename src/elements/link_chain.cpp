// The ship's chain of link nodes and the orbs it carries: swinging, locking, aiming, firing.
#include <cmath>
#include <cstdint>

#include "base/sound.h"
#include "elements/player_ship.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "world/element_list.h"
#include "world/world.h"

namespace {
// Shot velocity for each orb direction, in pixels per frame: left, then clockwise on screen.
constexpr int32_t kDirVx[8] = {-4, -3, 0, 3, 4, 3, 0, -3};
constexpr int32_t kDirVy[8] = {0, 3, 4, 3, 0, -3, -4, -3};
// The game's own settings, for a ship outside any world.
constexpr LabSettings kOwnSettings;
// No node moves faster than this, whatever the lab's springs: positions stay far inside 32 bits.
// The game's own chain never comes near it.
constexpr int32_t kFastestNode = toFixed(64);
// One frame of the loose chain's springs, node by node from the anchor (so each follows the one
// before as it has just moved); true when any node moved. Own: the game's own numbers.
template <bool Own>
bool pullNodes(MoveRec* nodes, MoveRec* offsets, int count, FixVec ship, const LabSettings& lab) {
    const LabSettings& s = Own ? kOwnSettings : lab;
    bool moved = false;
    for (int i = 1; i < count; ++i) {
        const MoveRec& p = nodes[i - 1];
        MoveRec& n = nodes[i];
        // The gap to the previous node, seen from where this one will be in two frames.
        const int32_t dx = p.x - 2 * n.vx - n.x;
        const int32_t dy = p.y - 2 * n.vy - n.y;
        const int64_t squared = int64_t{dx} * dx + int64_t{dy} * dy;
        int32_t dist = roundNearest(std::sqrt(static_cast<double>(squared)));
        if (dist == 0) dist = 1;
        const int32_t stretch = dist - s.rest;
        n.vx += ((dx * s.spring) / dist) * stretch / 64;
        n.vy += ((dy * s.spring) / dist) * stretch / 64;
        n.vx -= n.vx / s.damping;
        n.vy -= n.vy / s.damping;
        approachZero(n.vx, s.deadzone);
        approachZero(n.vy, s.deadzone);
        clampSym(n.vx, kFastestNode);
        clampSym(n.vy, kFastestNode);
        if (n.vx != 0 || n.vy != 0) moved = true;
        n.x += n.vx;
        n.y += n.vy;
        offsets[i] = {n.x - ship.x, n.y - ship.y, 0, 0};
    }
    return moved;
}
} // namespace

const LabSettings& PlayerShip::settings() const {
    return env != nullptr ? env->lab : kOwnSettings;
}

void PlayerShip::fireOrbGuns(bool fire) {
    const LabSettings& lab = settings();
    for (int i = 0; i < orbCount; ++i) {
        // The orbs fire with the main gun, then one by one in between its shots.
        const bool staggered = fire && fireCooldown == lab.orbRhythm * (i + 1);
        if (!staggered && fireCooldown != 8) continue;
        const int32_t dir = orbs[i].dir & 7;
        // The table's speeds are those of 4 pixels a frame; other speeds scale them.
        env->addElement(kCodePlayerShot, orbs[i].x + toFixed(3), orbs[i].y,
                        toFixed(kDirVx[dir]) * lab.orbShotSpeed / 4,
                        toFixed(kDirVy[dir]) * lab.orbShotSpeed / 4, orbs[i].dir);
        ++env->counters.orbShots;
    }
}

void PlayerShip::moveChain(bool link) {
    if (link) {
        // Letting go of a locked chain starts it from exactly where it was held.
        if (chainLocked && nodeCount > 1) {
            for (int i = 1; i < nodeCount; ++i) {
                nodes[i] = {x + nodeOffsets[i].x, y + nodeOffsets[i].y, 0, 0};
            }
        }
        chainLocked = 0;
        releaseTimer = 0;
    }
    if (chainLocked) {
        placeLockedChain();
    } else {
        moveLooseChain(link);
    }
}

void PlayerShip::moveLooseChain(bool link) {
    const LabSettings& lab = settings();
    nodes[0].x = x + kChainAnchor.x;
    nodes[0].y = y + kChainAnchor.y;
    if (!link) {
        ++releaseTimer;
        chainLocked = 1; // until a node is found still moving
    }
    // The game's own springs as constants, so the game pays nothing for the lab's.
    const bool own = lab.rest == kOwnSettings.rest && lab.spring == kOwnSettings.spring &&
                     lab.damping == kOwnSettings.damping && lab.deadzone == kOwnSettings.deadzone;
    const bool moved = own ? pullNodes<true>(nodes, nodeOffsets, nodeCount, {x, y}, lab)
                           : pullNodes<false>(nodes, nodeOffsets, nodeCount, {x, y}, lab);
    if (moved) chainLocked = 0;
    if (chainLocked) {
        lockFlash = 4;
        playSound(kSoundLock, 20, 150);
        LabCounters& counted = env->counters;
        ++counted.locks;
        counted.lockFrames += releaseTimer;
        counted.lastLockFrames = releaseTimer;
    }
}

void PlayerShip::placeLockedChain() {
    // A locked chain sits on whole pixels; the anchor itself stays where it was left.
    for (int i = 1; i < nodeCount; ++i) {
        nodes[i] = {x + (nodeOffsets[i].x & ~0xFF), y + (nodeOffsets[i].y & ~0xFF), 0, 0};
    }
}

void PlayerShip::placeOrbs() {
    const LabSettings& lab = settings();
    for (int i = 0; i < orbCount; ++i) {
        const MoveRec& m = nodes[lab.orbNodeOf(i)];
        orbs[i].x = m.x - kOrbInset;
        orbs[i].y = m.y - kOrbInset;
        // Orbs face forwards while the chain is held and just after, then follow the chain;
        // a locked chain keeps the direction it had.
        if (!chainLocked)
            orbs[i].dir = releaseTimer > lab.aimDelay ? aim(m, nodes[lab.aimNodeOf(i)]) : 4;
        touchWithOrb(i);
    }
}

void PlayerShip::touchWithOrb(int i) {
    orbProbe = {toPixel(orbs[i].x), toPixel(orbs[i].y), 8, 8};
    ElementList* found = env->collide(orbProbe);
    if (found == nullptr) return;
    for (Element* enemy = found->next(kCategoryEnemy, -1); enemy != nullptr;
         enemy = found->next(kCategoryEnemy, -1)) {
        enemy->postMessage(kMsgHit, settings().orbDamage);
        orbFlash = 4;
    }
    // Orbs also soak up enemy shots.
    found->cursor = 0;
    const int32_t enemyShot = typeOf(kCodeEnemyShot);
    for (Element* shot = found->next(kCategoryPlayer, enemyShot); shot != nullptr;
         shot = found->next(kCategoryPlayer, enemyShot)) {
        playSound(kSoundOrbhit, 20, 100);
        shot->postMessage(kMsgHit, 5);
        orbFlash = 4;
        ++env->counters.absorbed;
    }
}

int32_t PlayerShip::aim(const MoveRec& from, const MoveRec& to) {
    const double dx = static_cast<double>(to.x - from.x);
    const double dy = static_cast<double>(to.y - from.y);
    double len = std::sqrt(dx * dx + dy * dy);
    if (len < 1.0) len = 1.0;
    const float ux = static_cast<float>(dx / len);
    const double uy = dy / len;
    const double a = std::acos(static_cast<double>(ux));
    // The quantising constants are slightly off pi and 4/pi, which tilts the eight sectors.
    const double angle = uy > 0.0 ? 3.15f + a : 3.15f - a;
    const int32_t n = roundNearest(angle * 1.2738852500915527);
    const int32_t dir = 8 - n;
    return dir > 7 ? 0 : dir;
}

Rgb PlayerShip::chainTint() const {
    if (lockFlash > 0) return Rgb::fromBytes(255, 255, 255);
    if (orbFlash > 0) return Rgb::fromBytes(255, 0, 0);
    return Rgb{};
}

void PlayerShip::drawLinks(Rgb tint) const {
    for (int i = 1; i < nodeCount; ++i) {
        drawSprite(graphics->linkImage, toPixel(nodes[i].x - kLinkHalf),
                   toPixel(nodes[i].y - kLinkHalf), tint);
    }
}

void PlayerShip::drawOrbs(Rgb tint) const {
    for (int i = 0; i < orbCount; ++i) {
        drawSprite(graphics->orbImages[orbs[i].dir & 7], toPixel(orbs[i].x), toPixel(orbs[i].y),
                   tint);
    }
}
