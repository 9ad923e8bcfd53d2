// Saving a picture as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels, rows top down, to path; false with the reason on failure.
bool writePng(const char* path, const std::vector<uint8_t>& rgb, int width, int height,
              std::string& reason);
