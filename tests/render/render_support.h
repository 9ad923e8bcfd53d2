// Helpers for the drawing tests: Targa files made on the spot and a real OpenGL window.
#pragma once

#include <GL/gl.h>
#include <SDL.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace render_test {

struct Bgra {
    uint8_t b = 0, g = 0, r = 0, a = 255;
};

// Header of an uncompressed true-colour Targa file.
inline std::vector<uint8_t> tgaHeader(int width, int height, int depth, int idLength = 0) {
    std::vector<uint8_t> h(18, 0);
    h[0] = static_cast<uint8_t>(idLength);
    h[2] = 2;
    h[12] = static_cast<uint8_t>(width & 0xff);
    h[13] = static_cast<uint8_t>(width >> 8);
    h[14] = static_cast<uint8_t>(height & 0xff);
    h[15] = static_cast<uint8_t>(height >> 8);
    h[16] = static_cast<uint8_t>(depth);
    for (int i = 0; i < idLength; ++i)
        h.push_back('#');
    return h;
}

// Rows given top row first, written bottom row first as the files store them.
inline std::vector<uint8_t> tgaFile(int width, int height, int depth,
                                    const std::vector<Bgra>& topDown, int idLength = 0) {
    std::vector<uint8_t> bytes = tgaHeader(width, height, depth, idLength);
    for (int row = height - 1; row >= 0; --row) {
        for (int col = 0; col < width; ++col) {
            const Bgra& p = topDown[static_cast<size_t>(row) * width + col];
            bytes.insert(bytes.end(), {p.b, p.g, p.r});
            if (depth == 32) bytes.push_back(p.a);
        }
    }
    return bytes;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A picture of one colour.
inline std::vector<uint8_t> solidTga(int width, int height, Bgra color) {
    return tgaFile(width, height, 24,
                   std::vector<Bgra>(static_cast<size_t>(width) * height, color));
}

// A fresh folder per test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("orvane_render_" + std::string(info->test_suite_name()) + "_" + info->name() +
                 "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Runs a block with the working directory moved, as the game loads "data/..." relative to it.
class ScopedChdir {
  public:
    explicit ScopedChdir(const std::filesystem::path& to) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(to);
    }
    ~ScopedChdir() { std::filesystem::current_path(old_); }

  private:
    std::filesystem::path old_;
};

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb8& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

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
    }
    static void TearDownTestSuite() {
        if (context_) SDL_GL_DeleteContext(context_);
        if (window_) SDL_DestroyWindow(window_);
        context_ = nullptr;
        window_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void SetUp() override {
        ASSERT_NE(context_, nullptr) << "no OpenGL context: " << SDL_GetError();
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, 1, -1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 0);
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
    static GLint boundTexture() {
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return name;
    }

    static inline SDL_Window* window_ = nullptr;
    static inline SDL_GLContext context_ = nullptr;
};

} // namespace render_test
