// The player's ship: steering, walls, ramming, lives, the main gun and its drawing.
#include "elements/player_ship.h"

#include <algorithm>

#include "base/sound.h"
#include "input/controls.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "world/element_list.h"
#include "world/field_writer.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/world.h"

namespace {
constexpr int32_t kAnimFrames = 6;                 // two pictures, three frames each
constexpr int32_t kRamDamage = 5;                  // to an enemy the ship flies into
constexpr FixVec kMuzzle{toFixed(18), toFixed(9)}; // the main gun, from the ship's corner
constexpr int32_t kMainGunSpeed = toFixed(4);
constexpr int32_t kMainGunCooldown = 8; // frames between shots while fire is held
constexpr int32_t kBandMiddle = 110;    // a wall bounces the ship towards this row
constexpr int32_t kBounce = toFixed(6);
constexpr int32_t kBounceSpeed = toFixed(2);

// A ship with no input devices holds nothing.
bool held(const World* env, Control control) {
    return env != nullptr && env->input != nullptr && env->input->held(control);
}
} // namespace

PlayerShip::PlayerShip(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    categories[0] = kCategoryPlayer;
    types[0] = typeOf(kCodePlayerShip);
    init(env, graphics, pixelX, pixelY);
}

void PlayerShip::init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY) {
    setKind(env, graphics, kCodePlayerShip, kLayerShip);
    startX = toFixed(pixelX);
    startY = toFixed(pixelY);
    start();
}

void PlayerShip::start() {
    x = startX;
    y = startY;
    vx = 0;
    vy = 0;
    fireCooldown = 0;
    animCounter = 0;
    invulnFrames = 0;
    restartChain();
}

void PlayerShip::restartChain() {
    const LabSettings& lab = settings();
    orbCount = lab.orbs;
    nodeCount = lab.nodes;
    chainLocked = 1;
    lockFlash = 0;
    orbFlash = 0;
    releaseTimer = 0;
    for (int i = 0; i < orbCount; ++i)
        orbs[i].dir = 4;
    // A straight chain hanging down from the anchor, 4 pixels per link.
    for (int i = 0; i < nodeCount; ++i) {
        nodeOffsets[i].x = kChainAnchor.x;
        nodeOffsets[i].y = kChainAnchor.y + kLinkSpacing * i;
        nodes[i].vx = 0;
        nodes[i].vy = 0;
    }
    // The orb guns may fire in the very first update, before any placement: put the orbs
    // where the locked chain holds them.
    for (int i = 0; i < orbCount; ++i) {
        const MoveRec& offset = nodeOffsets[lab.orbNodeOf(i)];
        orbs[i].x = x + offset.x - kOrbInset;
        orbs[i].y = y + offset.y - kOrbInset;
    }
}

bool PlayerShip::update() {
    if (invulnFrames > 0) --invulnFrames;
    takeHits();
    const bool right = held(env, Control::kRight);
    const bool left = held(env, Control::kLeft);
    const bool up = held(env, Control::kUp);
    const bool down = held(env, Control::kDown);
    const bool fire = held(env, Control::kFire);
    const bool link = held(env, Control::kLink);
    steer(right, left, up, down);
    hitbox = Rect::at(position(), 10, 5, 18, 10);
    hitWalls();
    ramEnemies();
    fireMainGun(fire);
    fireOrbGuns(fire);
    animCounter = (animCounter + 1) % kAnimFrames;
    moveChain(link);
    if (lockFlash > 0) --lockFlash;
    if (orbFlash > 0) --orbFlash;
    placeOrbs();
    return true;
}

void PlayerShip::takeHits() {
    for (uint32_t code = nextMessage(); code != kMsgNone; code = nextMessage()) {
        if (code == kMsgHit && invulnFrames <= 0) loseLife();
    }
}

void PlayerShip::loseLife() {
    playSound(kSoundCrash, 50, 100);
    takeLife();
}

// An invulnerable ship in the lab counts the hit and keeps its lives.
void PlayerShip::takeLife() {
    invulnFrames = kInvulnerableFrames;
    ++env->counters.hitsTaken;
    if (!settings().invulnerable) env->state->lives -= 1;
}

void PlayerShip::steer(bool right, bool left, bool up, bool down) {
    // Half a pixel a frame faster for each frame held, a quarter slower for each let go, at most
    // two pixels a frame.
    constexpr int32_t kPush = kFixOne / 2;
    constexpr int32_t kDrag = kFixOne / 4;
    constexpr int32_t kTopSpeed = toFixed(2);
    if (right) vx += kPush;
    if (left) vx -= kPush;
    if (down) vy += kPush;
    if (up) vy -= kPush;
    approachZero(vx, kDrag);
    approachZero(vy, kDrag);
    clampSym(vx, kTopSpeed);
    clampSym(vy, kTopSpeed);
    x += vx;
    y += vy;
    clampRange(x, kMinX, kMaxX);
    clampRange(y, kMinY, kMaxY);
}

void PlayerShip::hitWalls() {
    if (env->level == nullptr || !env->level->tileHit(hitbox)) return;
    playSound(kSoundCrash, 50, 100); // heard even while invulnerable
    if (invulnFrames <= 0) takeLife();
    // Bounce 6 pixels towards the middle of the band and keep going that way at full speed.
    if (toPixel(y) < kBandMiddle) {
        y += kBounce;
        vy = kBounceSpeed;
    } else {
        y -= kBounce;
        vy = -kBounceSpeed;
    }
}

void PlayerShip::ramEnemies() {
    ElementList* found = env->collide(hitbox);
    if (found == nullptr) return;
    for (Element* enemy = found->next(kCategoryEnemy, -1); enemy != nullptr;
         enemy = found->next(kCategoryEnemy, -1)) {
        enemy->postMessage(kMsgHit, kRamDamage); // ramming hurts even while invulnerable
        if (invulnFrames <= 0) loseLife();
    }
}

void PlayerShip::fireMainGun(bool fire) {
    if (fireCooldown > 0) --fireCooldown;
    if (!fire || fireCooldown > 0) return;
    // From the gun's muzzle, 4 pixels a frame to the right.
    env->addElement(kCodePlayerShot, x + kMuzzle.x, y + kMuzzle.y, kMainGunSpeed, 0, 8);
    playSound(kSoundPshot, 20, 100);
    fireCooldown = kMainGunCooldown;
}

// The counts are clamped to the tables, so a bad count can never read past them.
void PlayerShip::writeFields(FieldWriter& out) const {
    out.field("fireCooldown", fireCooldown);
    out.field("animCounter", animCounter);
    out.field("invulnFrames", invulnFrames);
    out.field("chainLocked", chainLocked ? 1 : 0);
    out.field("releaseTimer", releaseTimer);
    out.field("lockFlash", lockFlash);
    out.field("orbFlash", orbFlash);
    out.beginRows("nodes");
    for (int i = 0; i < std::clamp<int32_t>(nodeCount, 0, kMaxNodes); ++i)
        out.row({nodes[i].x, nodes[i].y, nodes[i].vx, nodes[i].vy});
    out.endRows();
    out.beginRows("orbs");
    for (int i = 0; i < std::clamp<int32_t>(orbCount, 0, kMaxOrbs); ++i)
        out.row({orbs[i].x, orbs[i].y, orbs[i].dir});
    out.endRows();
}

void PlayerShip::draw() const {
    if (graphics == nullptr) return;
    const Rgb tint = chainTint();
    drawLinks(tint);
    drawSprite(graphics->shipImages[animCounter / 3], toPixel(x), toPixel(y),
               invulnFrames > 0 ? graphics->cycleColor(gameState->colorCycle) : Rgb{});
    drawOrbs(tint);
}
