// The drawing primitives in OpenGL ES 2 / WebGL 1, batched: every quad of a picture goes into one
// vertex buffer in draw order, and the picture is drawn in as few calls as the changes of texture,
// texturing and blending allow (never reordered: the order is the picture). Sprites are turned
// and scaled on the processor with the arithmetic of the fixed-function pipeline, and the colour
// modulates the texture as there.
#include <GLES2/gl2.h>

#include <cmath>
#include <vector>

#include "render/draw.h"
#include "render/draw_backend.h"
#include "render/gles2_draw.h"
#include "render/gles2_texture.h"
#include "render/sprite.h"
#include "render/texture.h"

namespace batched {
namespace {

constexpr int kClassicWidth = 640;
constexpr int kClassicHeight = 480;
constexpr double kDegrees = 3.14159265358979323846 / 180.0;

const char* const kVertexShader = R"(
attribute vec2 position;
attribute vec2 texCoord;
attribute vec4 color;
uniform mat4 projection;
varying vec2 uv;
varying vec4 tint;
void main() {
    gl_Position = projection * vec4(position, 0.0, 1.0);
    uv = texCoord;
    tint = color;
}
)";

// Two fragment shaders rather than one with a switch: a software rasteriser then never samples
// for the large untextured boxes.
const char* const kFragmentShaders[2] = {R"(
precision mediump float;
varying vec4 tint;
void main() {
    gl_FragColor = tint;
}
)",
                                         R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
varying vec2 uv;
varying vec4 tint;
void main() {
    gl_FragColor = texture2D(picture, uv) * tint;
}
)"};

struct Vertex {
    float x, y, u, v, r, g, b, a;
};

// What a run of quads is drawn with; a change of any of it starts a new run.
struct DrawState {
    GLuint texture = 0; // 0: untextured
    bool blend = true;
    bool multiply = false;
    bool operator==(const DrawState&) const = default;
};

struct Run {
    DrawState state;
    GLint first;
    GLsizei count;
};

// The fixed-function state the primitives set, as the immediate-mode back end sets it.
struct Pipeline {
    bool texturing = true;
    bool blending = true;
    bool multiply = false;
    bool boxStateOwed = false;
    GLuint boundTexture = 0;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

Pipeline pipe;
std::vector<Vertex> vertices;
std::vector<Run> runs;
GLuint programs[2] = {0, 0}; // untextured, textured
GLuint buffer = 0;
DrawState drawn;

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint link(const char* fragmentShader) {
    const GLuint program = glCreateProgram();
    const GLuint shaders[] = {compile(GL_VERTEX_SHADER, kVertexShader),
                              compile(GL_FRAGMENT_SHADER, fragmentShader)};
    for (GLuint shader : shaders)
        glAttachShader(program, shader);
    glBindAttribLocation(program, 0, "position");
    glBindAttribLocation(program, 1, "texCoord");
    glBindAttribLocation(program, 2, "color");
    glLinkProgram(program);
    // The program keeps them; they go with it.
    for (GLuint shader : shaders)
        glDeleteShader(shader);
    return program;
}

// The programs and the buffer, made with the first picture's context.
void prepare() {
    if (programs[0] != 0) return;
    for (int textured : {0, 1})
        programs[textured] = link(kFragmentShaders[textured]);
    glUseProgram(programs[1]);
    glUniform1i(glGetUniformLocation(programs[1], "picture"), 0);
    glGenBuffers(1, &buffer);
}

void release() {
    for (GLuint& program : programs) {
        if (program != 0) glDeleteProgram(program);
        program = 0;
    }
    if (buffer != 0) glDeleteBuffers(1, &buffer);
    buffer = 0;
    vertices.clear();
    runs.clear();
    pipe = Pipeline{};
}

DrawState currentState() {
    return {pipe.texturing ? pipe.boundTexture : 0u, pipe.blending, pipe.multiply};
}

// Appends one quad, corners in order (as GL_QUADS takes them), as two triangles 0-1-2 and 0-2-3.
void appendQuad(const Vertex (&corner)[4]) {
    const DrawState state = currentState();
    if (runs.empty() || !(runs.back().state == state)) {
        runs.push_back({state, static_cast<GLint>(vertices.size()), 0});
    }
    for (int i : {0, 1, 2, 0, 2, 3})
        vertices.push_back(corner[i]);
    runs.back().count += 6;
}

void applyState(const DrawState& state, bool first) {
    if (first || state.blend != drawn.blend) state.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    if (first || state.multiply != drawn.multiply) {
        if (state.multiply)
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
        else
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (first || (state.texture != 0) != (drawn.texture != 0))
        glUseProgram(programs[state.texture != 0 ? 1 : 0]);
    if (state.texture != 0 && (first || state.texture != drawn.texture))
        glBindTexture(GL_TEXTURE_2D, state.texture);
    drawn = state;
}

// The picture's quads: one upload, one call a run.
void drawRuns() {
    if (vertices.empty()) return;
    prepare();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                 vertices.data(), GL_STREAM_DRAW);
    // With a buffer bound, GL takes the offset into it in a pointer's place.
    const auto at = [](int floats) {
        const uintptr_t offset = floats * sizeof(float);
        return reinterpret_cast<const void*>(offset); // NOLINT(performance-no-int-to-ptr)
    };
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(0));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(2));
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), at(4));
    for (size_t i = 0; i < runs.size(); ++i) {
        applyState(runs[i].state, i == 0);
        glDrawArrays(GL_TRIANGLES, runs[i].first, runs[i].count);
    }
    vertices.clear();
    runs.clear();
}

// The sprite's texture for the colour, which the vertices' colour then modulates.
const Texture* chooseTexture(const Sprite& s, Rgb color, int32_t alpha) {
    Rgb modulate;
    const Texture* chosen = s.textureFor(color, modulate);
    pipe.color[0] = modulate.r;
    pipe.color[1] = modulate.g;
    pipe.color[2] = modulate.b;
    pipe.color[3] = static_cast<float>(alpha) * kInv255;
    return chosen;
}

Vertex vertexAt(float x, float y, float u, float v) {
    return {x, y, u, v, pipe.color[0], pipe.color[1], pipe.color[2], pipe.color[3]};
}

void appendBox(int32_t x, int32_t y, int32_t w, int32_t h) {
    const auto fx = [](int32_t n) { return static_cast<float>(2 * n); };
    appendQuad({vertexAt(fx(x), fx(y), 0, 0), vertexAt(fx(x + w), fx(y), 0, 0),
                vertexAt(fx(x + w), fx(y + h), 0, 0), vertexAt(fx(x), fx(y + h), 0, 0)});
}

void setColor(RgbInt color, float alpha) {
    pipe.color[0] = static_cast<float>(color.r) * kInv255;
    pipe.color[1] = static_cast<float>(color.g) * kInv255;
    pipe.color[2] = static_cast<float>(color.b) * kInv255;
    pipe.color[3] = alpha;
}

void finishBoxes();

// Scale, then turn about the hot spot, which lands on (x + hotX, y + hotY): the matrices the
// immediate-mode back end multiplies, applied to the four corners here.
void drawSprite(const Sprite* sprite, int32_t x, int32_t y, int32_t hotX, int32_t hotY,
                uint8_t mirror, float scaleX, float scaleY, float angle, int32_t alpha, Rgb color) {
    if (!sprite || !sprite->loaded || !sprite->texture) return;
    if (sprite->offScreen(x, y)) return;
    finishBoxes();
    pipe.boundTexture = chooseTexture(*sprite, color, alpha)->id();
    const float u = static_cast<float>(sprite->width) / static_cast<float>(sprite->texWidth);
    const float v = static_cast<float>(sprite->height) / static_cast<float>(sprite->texHeight);
    const float uLeft = mirror ? u : 0.0f;
    const float uRight = mirror ? 0.0f : u;
    const float c = static_cast<float>(std::cos(angle * kDegrees));
    const float s = static_cast<float>(std::sin(angle * kDegrees));
    const float tx = static_cast<float>(2 * (x + hotX));
    const float ty = static_cast<float>(2 * (y + hotY));
    const float hx = static_cast<float>(-2 * hotX);
    const float hy = static_cast<float>(-2 * hotY);
    const auto corner = [&](int32_t px, int32_t py, float cu, float cv) {
        const float sx = scaleX * (static_cast<float>(px) + hx);
        const float sy = scaleY * (static_cast<float>(py) + hy);
        return vertexAt(tx + c * sx - s * sy, ty + s * sx + c * sy, cu, cv);
    };
    const int32_t w = 2 * sprite->width;
    const int32_t h = 2 * sprite->height;
    appendQuad({corner(0, 0, uLeft, 0.0f), corner(0, h, uLeft, v), corner(w, h, uRight, v),
                corner(w, 0, uRight, 0.0f)});
}

void drawBox(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color) {
    pipe.texturing = false;
    pipe.blending = false;
    setColor(color, 1.0f);
    appendBox(x, y, w, h);
    pipe.boxStateOwed = true;
}

void drawShade(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color, int32_t alpha) {
    pipe.texturing = false;
    pipe.blending = true;
    setColor(color, static_cast<float>(alpha) * kInv255);
    appendBox(x, y, w, h);
    pipe.boxStateOwed = true;
}

void beginPicture() {
    glClear(GL_COLOR_BUFFER_BIT);
    pipe.multiply = false;
    pipe.blending = true;
}

void endPicture() {
    drawRuns();
    glDisable(GL_BLEND);
}

void finishBoxes() {
    if (!pipe.boxStateOwed) return;
    pipe.boxStateOwed = false;
    pipe.blending = true;
    pipe.texturing = true;
}

void setBlendMultiply(bool multiply) {
    pipe.multiply = multiply;
}

// The projection of the immediate-mode back end, as glOrtho(0, units, units, 0, 1, -1) makes it.
void loadProjection(int width, int height, int unitsWide, int unitsHigh) {
    prepare();
    glViewport(0, 0, width, height);
    const float projection[16] = {static_cast<float>(2.0 / unitsWide),
                                  0,
                                  0,
                                  0,
                                  0,
                                  static_cast<float>(-2.0 / unitsHigh),
                                  0,
                                  0,
                                  0,
                                  0,
                                  1,
                                  0,
                                  -1,
                                  1,
                                  0,
                                  1};
    for (GLuint program : programs) {
        glUseProgram(program);
        glUniformMatrix4fv(glGetUniformLocation(program, "projection"), 1, GL_FALSE, projection);
    }
}

// The finished picture's texture over the drawable's rectangle, untinted and unblended, then
// the picture's own viewport and projection back for the next picture.
void present(uint32_t texture, const BatchedPresentation& at) {
    loadProjection(at.drawableWidth, at.drawableHeight, at.drawableWidth, at.drawableHeight);
    const Pipeline before = pipe;
    pipe.boundTexture = texture;
    pipe.texturing = true;
    pipe.blending = false;
    pipe.multiply = false;
    pipe.color[0] = pipe.color[1] = pipe.color[2] = pipe.color[3] = 1.0f;
    const auto fx = [](int n) { return static_cast<float>(n); };
    const int right = at.x + at.width;
    const int bottom = at.y + at.height;
    // The texture's first row is the picture's bottom row.
    appendQuad({vertexAt(fx(at.x), fx(at.y), 0, 1), vertexAt(fx(at.x), fx(bottom), 0, 0),
                vertexAt(fx(right), fx(bottom), 1, 0), vertexAt(fx(right), fx(at.y), 1, 1)});
    drawRuns();
    pipe = before;
    loadProjection(at.pictureWidth, at.pictureHeight, kClassicWidth, kClassicHeight);
}

} // namespace
} // namespace batched

const DrawBackend& batchedDrawBackend() {
    static const DrawBackend backend{"gles2",
                                     batched::drawSprite,
                                     batched::drawBox,
                                     batched::drawShade,
                                     batched::beginPicture,
                                     batched::endPicture,
                                     batched::finishBoxes,
                                     batched::setBlendMultiply,
                                     batched::loadProjection,
                                     uploadGles2Texture,
                                     releaseGles2Texture};
    return backend;
}

void releaseBatchedDrawing() {
    batched::release();
}

void presentBatchedPicture(uint32_t texture, const BatchedPresentation& at) {
    batched::present(texture, at);
}
