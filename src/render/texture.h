// One OpenGL texture object, named by the id OpenGL gave it.
#pragma once

#include <cstdint>

class Texture {
  public:
    // Flags: 1 nearest filtering, 2 clamp at the edges, 4 linear without mipmap selection.
    int upload(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags);
    void release();
    uint32_t id() const { return name_; }

  private:
    uint32_t name_ = 0;
};
