// Saving the picture in the back buffer as a PNG file.
#pragma once

// Reads the current framebuffer (width x height pixels) and writes it to path; false on failure.
bool saveScreenshot(const char* path, int width, int height);
