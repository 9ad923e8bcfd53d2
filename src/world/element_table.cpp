// The 1000-slot element table: finding retired elements, inserting, clearing and the two update
// passes.
#include "world/element_table.h"

#include "world/element.h"

Element* ElementTable::findInactive(uint32_t code) const {
    for (int32_t i = 0; i < slotsInUse_; ++i) {
        Element* e = slots[i];
        if (e != nullptr && !e->active && e->isA(code)) return e;
    }
    return nullptr;
}

bool ElementTable::insert(Element* element) {
    for (int32_t i = 0; i < kSlots; ++i) {
        if (slots[i] == nullptr) {
            slots[i] = element;
            if (i >= slotsInUse_) slotsInUse_ = i + 1;
            return true;
        }
    }
    return false;
}

void ElementTable::clear() {
    for (Element*& slot : slots) {
        delete slot;
        slot = nullptr;
    }
    slotsInUse_ = 0;
}

void ElementTable::updatePasses(int32_t& collisionCount) {
    // First pass: new elements get their first update; dead ones are retired.
    // The slot and the bound are re-read each step, so elements made above the current slot join
    // in.
    for (int32_t i = 0; i < slotsInUse_; ++i) {
        Element* e = slots[i];
        if (e == nullptr || !e->active) continue;
        if (e->isNew) {
            collisionCount = 0;
            if (!e->update()) e->dead = 1;
            e->isNew = 0;
        }
        if (e->dead) e->active = 0;
    }
    // Second pass: everything that is past its first update moves again.
    for (int32_t i = 0; i < slotsInUse_; ++i) {
        Element* e = slots[i];
        if (e == nullptr || !e->active || e->isNew) continue;
        collisionCount = 0;
        if (!e->update()) e->dead = 1;
    }
}

Element* ElementTable::find(uint32_t category, int32_t type) const {
    for (int32_t i = 0; i < slotsInUse_; ++i) {
        Element* e = slots[i];
        if (e == nullptr || !e->active || e->isNew) continue;
        if (e->category != category) continue;
        if (type != -1 && e->type != static_cast<uint32_t>(type)) continue;
        return e;
    }
    return nullptr;
}
