// One texture object, named by the id the drawing back end gave it.
#pragma once

#include <cstdint>

// How a texture is sampled: flags of Texture::upload, applied in the order linear, nearest
// (which overrules linear), clamp; without flags the picture is filtered with mipmaps and
// repeats.
enum TextureFlags : int32_t {
    kTextureNearest = 1,
    kTextureClamp = 2,
    kTextureLinear = 4,
};

class Texture {
  public:
    // flags: TextureFlags; returns what gluBuild2DMipmaps returned (0 on success).
    int upload(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags);
    void release();
    uint32_t id() const { return name_; }

  private:
    uint32_t name_ = 0;
};
