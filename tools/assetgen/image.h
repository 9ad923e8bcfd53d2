// A picture being built: RGBA pixels with the top row first, and the depth it is saved with.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

class Image {
  public:
    Image() = default;
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgba at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
    void set(int x, int y, Rgba colour) {
        pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
    }

    // Saved with 32 bits (soft alpha) rather than 24 bits with the key colour.
    bool softAlpha() const { return softAlpha_; }
    void setSoftAlpha(bool soft) { softAlpha_ = soft; }

  private:
    int width_ = 0;
    int height_ = 0;
    bool softAlpha_ = false;
    std::vector<Rgba> pixels_;
};

} // namespace assetgen
