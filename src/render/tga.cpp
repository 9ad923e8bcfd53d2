// Reading uncompressed true-colour Targa images into sprites.
#include "render/tga.h"

#include "render/sprite.h"

int32_t systemBytes = 0;
int32_t textureBytes = 0;

bool readTga(Sprite&, const char*, bool, bool) {
    return false;
}
