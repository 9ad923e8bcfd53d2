// The projections pictures are drawn with: one unit per classic pixel, origin top left.
#include "render/gl_projection.h"

#include <GL/gl.h>

namespace {
constexpr int kClassicWidth = 640;
constexpr int kClassicHeight = 480;
} // namespace

void loadProjection(int width, int height, int unitsWide, int unitsHigh) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, unitsWide, unitsHigh, 0.0, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void loadPictureProjection(int width, int height) {
    loadProjection(width, height, kClassicWidth, kClassicHeight);
}
