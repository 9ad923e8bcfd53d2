// Helpers for the drawing tests: Targa files made on the spot and a real OpenGL window.
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/draw_backend.h"
#include "support/scratch_dir.h"

namespace render_test {

struct Bgra {
    uint8_t b = 0, g = 0, r = 0, a = 255;
};

// An uncompressed true-colour Targa file. Rows are given top row first and stored bottom row
// first, as the files keep them; without pixels only the header and ID field are written.
inline std::vector<uint8_t> tgaFile(int width, int height, int depth,
                                    const std::vector<Bgra>& topDown = {}, int idLength = 0) {
    std::vector<uint8_t> bytes(18 + static_cast<size_t>(idLength), '#');
    std::fill(bytes.begin(), bytes.begin() + 18, 0);
    const int fields[][2] = {{0, idLength},    {2, 2},       {12, width},
                             {13, width >> 8}, {14, height}, {15, height >> 8},
                             {16, depth}};
    for (auto [at, value] : fields)
        bytes[at] = static_cast<uint8_t>(value);
    for (size_t i = 0; i < topDown.size(); ++i) {
        const Bgra& p = topDown[(height - 1 - i / width) * width + i % width];
        bytes.insert(bytes.end(), {p.b, p.g, p.r});
        if (depth == 32) bytes.push_back(p.a);
    }
    return bytes;
}

// A picture of one colour.
inline std::vector<uint8_t> solidTga(int width, int height, Bgra color) {
    return tgaFile(width, height, 24,
                   std::vector<Bgra>(static_cast<size_t>(width) * height, color));
}

inline void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb8& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// The expected colour of one logical pixel.
struct Probe {
    int x, y;
    Rgb8 colour;
};

// A 640 x 480 OpenGL window set up as the game's window: orthographic 640 x 480 projection,
// y downwards, texturing on and the usual alpha blending.
class GlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window_ =
            SDL_CreateWindow("render test", 0, 0, 640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window_) context_ = SDL_GL_CreateContext(window_);
        useDrawBackend(immediateDrawBackend());
    }
    static void TearDownTestSuite() {
        if (context_) SDL_GL_DeleteContext(context_);
        if (window_) SDL_DestroyWindow(window_);
        context_ = nullptr;
        window_ = nullptr;
        useDrawBackend(nullDrawBackend());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void SetUp() override {
        ASSERT_NE(context_, nullptr) << "no OpenGL context: " << SDL_GetError();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, 1, -1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        beginFrame();
    }
    // What the main loop does before drawing a picture.
    static void beginFrame() {
        glClear(GL_COLOR_BUFFER_BIT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    // Colour of the logical pixel (x, y) in the back buffer (its 2 x 2 block's top-left).
    static Rgb8 pixel(int x, int y) {
        uint8_t rgb[3] = {};
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(2 * x, 479 - 2 * y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return {rgb[0], rgb[1], rgb[2]};
    }
    template <size_t N> static void expectPixels(const Probe (&probes)[N]) {
        for (const Probe& p : probes)
            EXPECT_EQ(pixel(p.x, p.y), p.colour) << "at (" << p.x << ", " << p.y << ")";
    }
    static GLint boundTexture() {
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return name;
    }

    static inline SDL_Window* window_ = nullptr;
    static inline SDL_GLContext context_ = nullptr;
};

} // namespace render_test
