// Reading uncompressed true-colour Targa images into sprites, and the memory counters of all
// images.
#pragma once

#include <cstdint>

struct Sprite;

// Bytes retained in sprite pixel copies and bytes handed to OpenGL as textures, since start.
extern int64_t systemBytes;
extern int64_t textureBytes;

// Reads the file into the sprite and, when upload is set, creates its texture (and the tint
// texture when makeTint is set). False, with the sprite untouched, when the file cannot be used.
bool readTga(Sprite& sprite, const char* path, bool makeTint, bool upload = true);
