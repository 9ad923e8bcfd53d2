// Picture storage: every pixel starts fully transparent.
#include "image.h"

namespace assetgen {

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {}

} // namespace assetgen
