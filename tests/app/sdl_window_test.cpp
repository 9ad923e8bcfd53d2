// The game window under Xvfb: client size, drawing state, projection, the picture's place at
// every size, closing.
#include "desktop/sdl_window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/draw.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

// The projection resizeGLScene must leave over a viewport of width x height: units x units, origin
// top left, y down, and an identity model view selected.
void expectProjection(int width, int height, int unitsWide, int unitsHigh) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const double projection[16] = {
        2.0 / unitsWide, 0, 0, 0, 0, -2.0 / unitsHigh, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], projection[i], 1e-9) << i;
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << i;
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(std::vector<GLint>(v, v + 4), (std::vector<GLint>{0, 0, width, height}));
    glGetIntegerv(GL_MATRIX_MODE, v);
    EXPECT_EQ(v[0], GL_MODELVIEW);
}

// One unit per window pixel, as the window without a render target draws.
void expectProjection(int width, int height) {
    expectProjection(width, height, width, height);
}

// The size of the window's drawing area, as "640x480".
std::string clientSize() {
    int w = 0;
    int h = 0;
    windowDrawableSize(w, h);
    return std::to_string(w) + "x" + std::to_string(h);
}

WindowRequest sendWindowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(gameWindow());
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return handleWindowEvent(event);
}

class GameWindow : public ::testing::Test {
  protected:
    void TearDown() override {
        destroyGLWindow();
        SDL_Quit();
    }
    bool open(bool fullscreen = false, const WindowOptions& options = {}) {
        return createGLWindow("Orvane weapons test", 640, 480, 32, fullscreen, 75, options);
    }
    // Resizes and hands the window the events the display answers with, which may take a moment.
    static void resize(int width, int height) {
        SDL_SetWindowSize(gameWindow(), width, height);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        int w = 0;
        int h = 0;
        while ((w != width || h != height) && std::chrono::steady_clock::now() < until) {
            SDL_Delay(10);
            for (SDL_Event event; SDL_PollEvent(&event) != 0;)
                handleWindowEvent(event);
            windowDrawableSize(w, h);
        }
        swapGLWindow(); // as the game does every frame; the back buffer takes the new size
    }
};

TEST_F(GameWindow, OpensWithClientAreaProjectionAndDrawingStateAndCloses) {
    // Full screen, given by the display or not, keeps the client area and hides the cursor.
    for (bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "full screen" : "window");
        ASSERT_TRUE(open(fullscreen)) << "needs a display (the tests run under xvfb-run)";
        EXPECT_STREQ(SDL_GetWindowTitle(gameWindow()), "Orvane weapons test");
        EXPECT_EQ(clientSize(), "640x480");
        // The picture is drawn into the 320 x 240 logical screen with 640 x 480 units.
        ASSERT_TRUE(windowHasRenderTarget());
        expectProjection(320, 240, 640, 480);
        EXPECT_EQ(windowPictureLayout(), (PictureLayout{2, 0, 0}));
        EXPECT_EQ(windowSwapInterval(), 0) << "Xvfb tells no refresh rate";
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), fullscreen ? SDL_DISABLE : SDL_ENABLE);
        EXPECT_EQ((SDL_GetWindowFlags(gameWindow()) & SDL_WINDOW_FULLSCREEN) != 0,
                  windowIsFullscreen());
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_CULL_FACE) ||
                     glIsEnabled(GL_BLEND));
        GLfloat clear[4] = {1, 1, 1, 1};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

        const Uint32 id = SDL_GetWindowID(gameWindow());
        destroyGLWindow(); // and it can be made again
        EXPECT_EQ(gameWindow(), nullptr);
        EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
        EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
        destroyGLWindow(); // a second time finds nothing to undo
    }
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

// Reads the window's colour at (x, y) from its top-left corner, after a picture of one red
// top-left logical pixel on blue has been presented.
Uint32 presentedAt(int x, int y) {
    int w = 0;
    int h = 0;
    windowDrawableSize(w, h);
    uint8_t rgba[4] = {};
    if (!windowUsesGles2()) glReadBuffer(GL_BACK); // OpenGL ES reads the back buffer anyway
    glReadPixels(x, h - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<Uint32>(rgba[0] << 16 | rgba[1] << 8 | rgba[2]);
}

void presentTestPicture() {
    beginWindowPicture();
    beginPicture();
    drawBox(0, 0, 320, 240, {0, 0, 255});
    drawBox(0, 0, 1, 1, {255, 0, 0});
    finishBoxes();
    endPicture();
    presentWindowPicture();
    glFinish();
}

// Every choice of size: the window it opens (or the size it is given), where the picture goes
// and that it is shown there whole, each logical pixel a square of the scale, black around it.
TEST_F(GameWindow, PictureIsPlacedWholeForEveryScaleAndWindowSize) {
    const ScaleChoice fit{.fit = true};
    struct Case {
        bool fullscreen = false;
        WindowOptions options = {};
        int width = 0, height = 0; // a resize, or 0 to keep the size the window opened with
        std::string client;
        PictureLayout layout;
    };
    const Case sizes[] = {
        {.width = 800, .height = 600, .client = "800x600", .layout = {2, 0, 0}},
        {.options = {.scaleGiven = true, .scale = fit},
         .client = "960x720",
         .layout = {3, 0, 0}}, // fits 1024 x 768
        {.options = {.scaleGiven = true, .scale = fit},
         .width = 1000,
         .height = 700,
         .client = "1000x700",
         .layout = {2, 180, 110}},
        {.options = {.scaleGiven = true, .scale = fit},
         .width = 700,
         .height = 300,
         .client = "700x300",
         .layout = {1, 190, 30}},
        {.options = {.scaleGiven = true, .scale = {.factor = 1}},
         .client = "320x240",
         .layout = {1, 0, 0}},
        {.fullscreen = true,
         .options = {.scaleGiven = true, .scale = {.factor = 4}},
         .client = "640x480",
         .layout = {2, 0, 0}}, // classic full screen keeps the classic picture
    };
    // Each drawn and shown by both back ends.
    std::vector<std::pair<Case, RendererChoice>> cases;
    for (const Case& c : sizes)
        for (RendererChoice renderer : {RendererChoice::Gl, RendererChoice::Gles2})
            cases.emplace_back(c, renderer);
    for (const auto& [c, renderer] : cases) {
        SCOPED_TRACE(c.client + (renderer == RendererChoice::Gles2 ? " gles2" : " gl"));
        WindowOptions options = c.options;
        options.renderer = renderer;
        ASSERT_TRUE(open(c.fullscreen, options));
        if (c.width > 0) resize(c.width, c.height);
        EXPECT_EQ(clientSize(), c.client);
        if (renderer == RendererChoice::Gl) expectProjection(320, 240, 640, 480);
        EXPECT_EQ(windowPictureLayout(), c.layout);
        presentTestPicture();
        const auto [size, x, y] = c.layout;
        EXPECT_EQ(presentedAt(x, y), 0xFF0000u);
        EXPECT_EQ(presentedAt(x + size - 1, y + size - 1), 0xFF0000u);
        EXPECT_EQ(presentedAt(x + size, y + size), 0x0000FFu);
        EXPECT_EQ(presentedAt(x + 320 * size - 1, y + 240 * size - 1), 0x0000FFu);
        // Black around the picture, where the window is larger.
        EXPECT_TRUE(x == 0 || presentedAt(x - 1, y) == 0u);
        EXPECT_TRUE(c.width <= x + 320 * size || presentedAt(x + 320 * size, y) == 0u);
        EXPECT_TRUE(c.height <= y + 240 * size || presentedAt(x, y + 240 * size) == 0u);
        destroyGLWindow();
    }
    // Full screen with a fitted picture takes the desktop as it is, no mode change; the display
    // may answer late, so the picture is checked against the drawable it has now.
    ASSERT_TRUE(open(true, {.scaleGiven = true, .scale = fit}));
    EXPECT_NE(SDL_GetWindowFlags(gameWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    int w = 0;
    int h = 0;
    windowDrawableSize(w, h);
    EXPECT_EQ(windowPictureLayout(), layoutPicture(fit, w, h));
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

// --renderer gles2: an OpenGL ES context, the batched back end and its own off-screen picture.
TEST_F(GameWindow, OpensAnOpenGlEsContextWhenAsked) {
    WindowOptions options;
    options.renderer = RendererChoice::Gles2;
    ASSERT_TRUE(open(false, options));
    EXPECT_TRUE(windowUsesGles2());
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(std::string(version).rfind("OpenGL ES", 0), 0u) << version;
    EXPECT_TRUE(windowHasRenderTarget());
    presentTestPicture();
    EXPECT_EQ(presentedAt(0, 0), 0xFF0000u);
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(readWindowPicture(rgb));
    ASSERT_EQ(rgb.size(), 640u * 480u * 3u);
    EXPECT_EQ(std::vector<uint8_t>(rgb.begin(), rgb.begin() + 3),
              (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(rgb.end() - 3, rgb.end()), (std::vector<uint8_t>{0, 0, 255}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    destroyGLWindow();
    // The default stays the immediate mode.
    ASSERT_TRUE(open());
    EXPECT_FALSE(windowUsesGles2());
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(glGetString(GL_VERSION))).rfind("OpenGL ES", 0),
        std::string::npos);
}

TEST_F(GameWindow, EventsEndTheGameOrAreLeftAlone) {
    ASSERT_TRUE(open());
    // Without a render target the projection follows the window, a height of 0 taken as 1.
    resizeGLScene(320, 0);
    expectProjection(320, 1);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 200, 0), WindowRequest::None);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_DISPLAY_CHANGED), WindowRequest::None);
    EXPECT_EQ(windowSwapInterval(), 0);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_MOVED), WindowRequest::None);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_CLOSE), WindowRequest::Quit);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(handleWindowEvent(quit), WindowRequest::Quit);
}

} // namespace
