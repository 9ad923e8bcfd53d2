// Textures of OpenGL 1.x, built with a full mipmap chain by GLU.
#pragma once

#include <cstdint>

// flags: TextureFlags; returns what gluBuild2DMipmaps returned (0 on success).
int uploadGlTexture(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags,
                    uint32_t& name);
void releaseGlTexture(uint32_t name);
