// The element base: flags at birth, reuse, code matching and the 16-slot message inbox.
#include "world/element.h"

Element::Element() {
    clearInbox();
}

void Element::clearInbox() {
    for (int i = 0; i < kInboxSize; ++i) {
        msgCode[i] = kMsgNone;
        msgValue[i] = 0;
    }
    msgWrite = 0;
    msgRead = 0;
    msgLast = -1;
}

void Element::reset() {
    clearInbox();
    dead = 0;
    isNew = 1;
    active = 1;
}

namespace {
// A zero entry ends the list, so a code half of 0 never matches.
bool listHolds(const uint32_t* list, int size, uint32_t wanted) {
    for (int i = 0; i < size && list[i] != 0; ++i) {
        if (list[i] == wanted) return true;
    }
    return false;
}
} // namespace

bool Element::isA(uint32_t code) const {
    return listHolds(categories, kListSize, categoryOf(code)) &&
           listHolds(types, kListSize, typeOf(code));
}

uint32_t Element::nextMessage() {
    const uint32_t code = msgCode[msgRead];
    msgLast = -1;
    if (code == kMsgNone) return kMsgNone;
    msgCode[msgRead] = kMsgNone;
    msgLast = msgRead;
    msgRead = (msgRead + 1) & (kInboxSize - 1);
    return code;
}

int32_t Element::messageValue() const {
    return msgLast > -1 ? msgValue[msgLast] : 0;
}

void Element::postMessage(uint32_t code, int32_t value) {
    msgCode[msgWrite] = code;
    msgValue[msgWrite] = value;
    msgWrite = (msgWrite + 1) & (kInboxSize - 1);
}

void Element::setKind(World* env, Graphics* graphics, uint32_t code, int32_t layer) {
    this->env = env;
    this->graphics = graphics;
    category = categoryOf(code);
    type = typeOf(code);
    this->layer = layer;
}
