// Textures of OpenGL ES 2 / WebGL: uploaded as they are, without mipmaps.
#pragma once

#include <cstdint>

// flags: TextureFlags; returns 0.
int uploadGles2Texture(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags,
                       uint32_t& name);
void releaseGles2Texture(uint32_t name);
