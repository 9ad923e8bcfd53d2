// The game window under Xvfb: client size, fixed drawing state, projection, resizing, closing.
#include "app/window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>

namespace {

// The projection resizeGLScene must leave: one unit per pixel, origin top left, y down.
void expectProjection(int width, int height) {
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[0], 2.0 / width, 1e-9);
    EXPECT_NEAR(m[5], -2.0 / height, 1e-9);
    EXPECT_NEAR(m[10], 1.0, 1e-9); // near 1, far -1
    EXPECT_NEAR(m[12], -1.0, 1e-9);
    EXPECT_NEAR(m[13], 1.0, 1e-9);
    EXPECT_NEAR(m[14], 0.0, 1e-9);
    EXPECT_NEAR(m[15], 1.0, 1e-9);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLdouble modelview[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0 : 0.0);
}

void expectClientSize(int width, int height) {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(gameWindow(), &w, &h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    windowDrawableSize(w, h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
}

class GameWindow : public ::testing::Test {
  protected:
    void TearDown() override {
        destroyGLWindow();
        SDL_Quit();
    }
    bool open(bool fullscreen = false) {
        return createGLWindow("Orvane weapons test", 640, 480, 32, fullscreen, 75);
    }
    // Feeds events to the window until the client area has the size or a second has passed.
    bool pumpUntilSize(int width, int height) {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < until) {
            SDL_Event event;
            while (SDL_PollEvent(&event) != 0)
                handleWindowEvent(event);
            GLint viewport[4];
            glGetIntegerv(GL_VIEWPORT, viewport);
            if (viewport[2] == width && viewport[3] == height) return true;
            SDL_Delay(10);
        }
        return false;
    }
};

TEST_F(GameWindow, OpensWithClientAreaAndProjection) {
    ASSERT_TRUE(open()) << "needs a display (the tests run under xvfb-run)";
    ASSERT_NE(gameWindow(), nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(gameWindow()), "Orvane weapons test");
    EXPECT_FALSE(windowIsFullscreen());
    expectClientSize(640, 480);
    expectProjection(640, 480);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    GLint doubleBuffered = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, 1);
}

TEST_F(GameWindow, FixedDrawingState) {
    ASSERT_TRUE(open());
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_FALSE);
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLint polygon[2];
    glGetIntegerv(GL_POLYGON_MODE, polygon);
    EXPECT_EQ(polygon[0], GL_FILL);
    EXPECT_EQ(polygon[1], GL_FILL);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    for (float c : clear)
        EXPECT_EQ(c, 0.0f);
    GLdouble depth = 0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GameWindow, ResizingChangesTheProjection) {
    ASSERT_TRUE(open());
    SDL_SetWindowSize(gameWindow(), 800, 600);
    ASSERT_TRUE(pumpUntilSize(800, 600));
    expectProjection(800, 600);
    SDL_SetWindowSize(gameWindow(), 640, 480);
    ASSERT_TRUE(pumpUntilSize(640, 480));
    expectProjection(640, 480);
}

TEST_F(GameWindow, ZeroHeightIsTakenAsOne) {
    ASSERT_TRUE(open());
    resizeGLScene(320, 0);
    expectProjection(320, 1);
    // A size event carrying a height of 0, as a minimised window may send.
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(gameWindow());
    event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    event.window.data1 = 200;
    event.window.data2 = 0;
    EXPECT_EQ(handleWindowEvent(event), WindowRequest::None);
    expectProjection(200, 1);
}

TEST_F(GameWindow, CloseRequestsEndTheGameAndTheWindowCloses) {
    ASSERT_TRUE(open());
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(gameWindow());
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(handleWindowEvent(event), WindowRequest::Quit);
    event.window.event = SDL_WINDOWEVENT_MOVED;
    EXPECT_EQ(handleWindowEvent(event), WindowRequest::None);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(handleWindowEvent(quit), WindowRequest::Quit);

    Uint32 id = SDL_GetWindowID(gameWindow());
    destroyGLWindow();
    EXPECT_EQ(gameWindow(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
    destroyGLWindow(); // a second time finds nothing to undo
    // And the window can be made again.
    ASSERT_TRUE(open());
    expectClientSize(640, 480);
}

TEST_F(GameWindow, FullScreenRefusedFallsBackToAWindowWithoutCursor) {
    ASSERT_TRUE(open(true));
    expectClientSize(640, 480);
    expectProjection(640, 480);
    // The cursor is hidden while full screen was asked for, whether or not the display gave it.
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    bool fullscreenFlags = (SDL_GetWindowFlags(gameWindow()) & SDL_WINDOW_FULLSCREEN) != 0;
    EXPECT_EQ(fullscreenFlags, windowIsFullscreen());
    if (windowIsFullscreen()) {
        SDL_DisplayMode mode;
        ASSERT_EQ(SDL_GetWindowDisplayMode(gameWindow(), &mode), 0);
        EXPECT_EQ(mode.w, 640);
        EXPECT_EQ(mode.h, 480);
    }
    destroyGLWindow();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

} // namespace
