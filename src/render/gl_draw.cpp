// The drawing primitives of the 320 by 240 logical screen, drawn at twice the size in OpenGL's
// immediate mode.
#include <GL/gl.h>

#include "render/draw.h"
#include "render/draw_backend.h"
#include "render/gl_texture.h"
#include "render/sprite.h"
#include "render/texture.h"

namespace immediate {
namespace {

// Boxes are untextured and opaque. Rather than switch texturing and blending back on after every
// box, the switch is owed until the next sprite (or the end of the picture): a run of boxes, such
// as the stars or a wall of black tiles, then costs the driver one batch instead of one each.
bool boxStateOwed = false;

// The sprite's texture for the colour, which the current colour then modulates.
const Texture* chooseTexture(const Sprite& s, Rgb color, int32_t alpha) {
    Rgb modulate;
    const Texture* chosen = s.textureFor(color, modulate);
    glColor4f(modulate.r, modulate.g, modulate.b, static_cast<float>(alpha) * kInv255);
    return chosen;
}

void emitQuad(const Sprite& s, uint8_t mirror) {
    float u = static_cast<float>(s.width) / static_cast<float>(s.texWidth);
    float v = static_cast<float>(s.height) / static_cast<float>(s.texHeight);
    float uLeft = mirror ? u : 0.0f;
    float uRight = mirror ? 0.0f : u;
    glBegin(GL_QUADS);
    glTexCoord2f(uLeft, 0.0f);
    glVertex3i(0, 0, 0);
    glTexCoord2f(uLeft, v);
    glVertex3i(0, 2 * s.height, 0);
    glTexCoord2f(uRight, v);
    glVertex3i(2 * s.width, 2 * s.height, 0);
    glTexCoord2f(uRight, 0.0f);
    glVertex3i(2 * s.width, 0, 0);
    glEnd();
}

// An untextured quad over the logical rectangle, in the current colour.
void emitBox(int32_t x, int32_t y, int32_t w, int32_t h) {
    glBegin(GL_QUADS);
    glVertex3i(2 * x, 2 * y, 0);
    glVertex3i(2 * (x + w), 2 * y, 0);
    glVertex3i(2 * (x + w), 2 * (y + h), 0);
    glVertex3i(2 * x, 2 * (y + h), 0);
    glEnd();
}

void finishBoxes();

void drawSprite(const Sprite* sprite, int32_t x, int32_t y, int32_t hotX, int32_t hotY,
                uint8_t mirror, float scaleX, float scaleY, float angle, int32_t alpha, Rgb color) {
    // A slot whose file was missing, or a picture never uploaded, shows nothing.
    if (!sprite || !sprite->loaded || !sprite->texture) return;
    if (sprite->offScreen(x, y)) return;
    finishBoxes();
    const Texture* texture = chooseTexture(*sprite, color, alpha);
    glBindTexture(GL_TEXTURE_2D, texture->id());
    // Scale, then turn about the hot spot, which lands on (x + hotX, y + hotY).
    glTranslatef(static_cast<float>(2 * (x + hotX)), static_cast<float>(2 * (y + hotY)), 0.0f);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glScalef(scaleX, scaleY, 1.0f);
    glTranslatef(static_cast<float>(-2 * hotX), static_cast<float>(-2 * hotY), 0.0f);
    emitQuad(*sprite, mirror);
    glLoadIdentity();
}

void drawBox(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color) {
    if (!boxStateOwed || glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_BLEND)) {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
    }
    glColor3f(static_cast<float>(color.r) * kInv255, static_cast<float>(color.g) * kInv255,
              static_cast<float>(color.b) * kInv255);
    emitBox(x, y, w, h);
    boxStateOwed = true;
}

void drawShade(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color, int32_t alpha) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor4f(static_cast<float>(color.r) * kInv255, static_cast<float>(color.g) * kInv255,
              static_cast<float>(color.b) * kInv255, static_cast<float>(alpha) * kInv255);
    emitBox(x, y, w, h);
    // Texturing comes back with the next sprite or finishBoxes, as after a box.
    boxStateOwed = true;
}

// As the classic loop draws each picture: only the colour is cleared.
void beginPicture() {
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
}

void endPicture() {
    glDisable(GL_BLEND);
}

void finishBoxes() {
    if (!boxStateOwed) return;
    boxStateOwed = false;
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

void setBlendMultiply(bool multiply) {
    if (multiply)
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
    else
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// One unit per pixel of unitsWide x unitsHigh over the viewport, origin top left, y downwards;
// the model view matrix stays selected and the identity.
void loadProjection(int width, int height, int unitsWide, int unitsHigh) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, unitsWide, unitsHigh, 0.0, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace
} // namespace immediate

const DrawBackend& immediateDrawBackend() {
    static const DrawBackend backend{"gl",
                                     immediate::drawSprite,
                                     immediate::drawBox,
                                     immediate::drawShade,
                                     immediate::beginPicture,
                                     immediate::endPicture,
                                     immediate::finishBoxes,
                                     immediate::setBlendMultiply,
                                     immediate::loadProjection,
                                     uploadGlTexture,
                                     releaseGlTexture};
    return backend;
}
