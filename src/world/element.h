// Base of every element kind in play: its code, flags, motion, hit box and message inbox.
#pragma once

#include <cstdint>

#include "base/geometry.h"

class World;
class Graphics;

// Category|type codes: category in the high 16 bits, type in the low 16 bits.
constexpr uint32_t kCategoryPlayer = 0x10000;
constexpr uint32_t kCategoryEnemy = 0x20000;
constexpr uint32_t kCodePlayerShip = 0x10001;
constexpr uint32_t kCodePlayerShot = 0x10002;
constexpr uint32_t kCodeExplosion = 0x10003;
constexpr uint32_t kCodeEnemyShot = 0x10004;
constexpr uint32_t kCodeEnemy = 0x20001;
// The lab's target dummy: an enemy that stands still and never fires.
constexpr uint32_t kCodeDummy = 0x20002;

// The type half and the category half of a code.
constexpr uint32_t typeOf(uint32_t code) {
    return code & 0xFFFFu;
}
constexpr uint32_t categoryOf(uint32_t code) {
    return code & 0xFFFF0000u;
}

constexpr uint32_t kMsgNone = 0;
constexpr uint32_t kMsgHit = 1;

class FieldWriter;

// The drawing order of the kinds: lower layers are drawn first.
enum DrawLayer : int32_t {
    kLayerEnemy = 2,
    kLayerShip = 5,
    kLayerShot = 6,
    kLayerExplosion = 7,
};

class Element {
  public:
    static constexpr int kListSize = 16;
    static constexpr int kInboxSize = 16;

    Element();
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // One frame; false when the element is finished.
    virtual bool update() = 0;
    virtual void draw() const = 0;
    // The fields of the element's own kind, for the state dump; none for a plain element.
    virtual void writeFields(FieldWriter& /*out*/) const {}

    // Ready a retired element for reuse: empty inbox, flags back to new.
    void reset();
    bool isA(uint32_t code) const;
    // Takes the next message code from the inbox, 0 when it is empty.
    uint32_t nextMessage();
    // Value of the message taken last, 0 when the last attempt found nothing.
    int32_t messageValue() const;
    // Posting never checks for unread messages: the 17th overwrites the oldest.
    void postMessage(uint32_t code, int32_t value);
    // The fields every kind sets in its start: environment, images, its code and drawing layer.
    void setKind(World* env, Graphics* graphics, uint32_t code, int32_t layer);

    uint32_t categories[kListSize] = {};
    uint32_t types[kListSize] = {};
    uint8_t active = 1;
    uint8_t isNew = 1;
    uint8_t dead = 0;
    uint32_t category = 0;
    uint32_t type = 0;
    int32_t layer = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t vx = 0;
    int32_t vy = 0;
    Rect hitbox;
    World* env = nullptr;
    Graphics* graphics = nullptr;
    uint32_t msgCode[kInboxSize] = {};
    int32_t msgValue[kInboxSize] = {};
    int32_t msgWrite = 0;
    int32_t msgRead = 0;
    int32_t msgLast = -1;

    FixVec position() const { return {x, y}; }

  protected:
    void clearInbox();
};
