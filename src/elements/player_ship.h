// The player's ship with its main gun and its chain of link nodes carrying the orbs.
#pragma once

#include <cstdint>

#include "world/element.h"
#include "world/lab_settings.h"

struct Orb {
    int32_t x = 0; // top-left corner of the orb picture, 24.8
    int32_t y = 0;
    int32_t dir = 0; // 0 left, counting through down to 7 up-left
};

class PlayerShip : public Element {
  public:
    static constexpr int kMaxNodes = 64;
    static constexpr int kMaxOrbs = 4;
    // Where the chain hangs from the ship, and how far apart its links hang when locked straight.
    static constexpr FixVec kChainAnchor{toFixed(20), toFixed(10)};
    static constexpr int32_t kLinkSpacing = toFixed(4);
    // An orb's top-left corner sits this far up and left of its chain node.
    static constexpr int32_t kOrbInset = toFixed(7);
    // A link is drawn centred on its node: this far up and left.
    static constexpr int32_t kLinkHalf = toFixed(3);
    // Frames of safety after a hit.
    static constexpr int32_t kInvulnerableFrames = 32;
    // The ship's top-left corner stays within these, in the band.
    static constexpr int32_t kMinX = 0;
    static constexpr int32_t kMaxX = toFixed(280);
    static constexpr int32_t kMinY = toFixed(56);
    static constexpr int32_t kMaxY = toFixed(165);

    PlayerShip(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY);
    // Used on construction and when a retired ship is reused.
    void init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY);

    bool update() override;
    void draw() const override;
    void writeFields(FieldWriter& out) const override;

    // The chain as the world's settings shape it, straight and locked under the ship.
    void restartChain();
    // Direction 0-7 from one chain node towards another, as the orbs aim.
    static int32_t aim(const MoveRec& from, const MoveRec& to);
    // Colour of the links and orbs: white just after locking, red after an orb touched something.
    Rgb chainTint() const;

    int32_t fireCooldown = 0;
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t animCounter = 0;
    int32_t invulnFrames = 0;
    int32_t orbCount = 3;
    int32_t nodeCount = 24;
    uint8_t chainLocked = 1;
    int32_t lockFlash = 0;
    int32_t orbFlash = 0;
    int32_t releaseTimer = 0;
    Rect orbProbe;
    Orb orbs[kMaxOrbs];
    MoveRec nodes[kMaxNodes];
    MoveRec nodeOffsets[kMaxNodes];

  private:
    // The world's weapon settings; the game's own for a ship outside any world.
    const LabSettings& settings() const;
    void start();
    void takeHits();
    void loseLife();
    void takeLife();
    void steer(bool right, bool left, bool up, bool down);
    void hitWalls();
    void ramEnemies();
    void fireMainGun(bool fire);
    // The chain and orbs (link_chain.cpp).
    void fireOrbGuns(bool fire);
    void moveChain(bool link);
    void moveLooseChain(bool link);
    void placeLockedChain();
    void placeOrbs();
    void touchWithOrb(int i);
    void drawLinks(Rgb tint) const;
    void drawOrbs(Rgb tint) const;
};
