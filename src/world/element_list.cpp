// The collision answer list: bounded appends and a filtered cursor walk.
#include "world/element_list.h"

#include "base/log.h"
#include "world/element.h"

void ElementList::add(Element* element) {
    // A full list keeps its 100 entries; the extra element is simply not reported.
    if (count >= kCapacity) {
        pauseAfterError();
        logLine("Error: ElementList overflow!");
        return;
    }
    items[count++] = element;
}

Element* ElementList::next(int32_t category, int32_t type) {
    while (cursor < count) {
        Element* e = items[cursor++];
        if (category != -1 && e->category != static_cast<uint32_t>(category)) continue;
        if (type != -1 && e->type != static_cast<uint32_t>(type)) continue;
        return e;
    }
    return nullptr;
}
