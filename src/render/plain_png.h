// PNG files without a library: the pixels stored uncompressed inside the zlib stream, for a
// platform that has no libpng (the browser's F12 download).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB PNG of width x height pixels, rows top first.
std::string encodePlainPng(const std::vector<uint8_t>& rgb, int width, int height);
