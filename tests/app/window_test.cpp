// The game window under Xvfb: client size, drawing state, projection, resizing, closing.
#include "app/window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

// The projection resizeGLScene must leave: one unit per pixel, origin top left, y down, and an
// identity model view selected.
void expectProjection(int width, int height) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const double projection[16] = {2.0 / width, 0,  0, 0, 0, -2.0 / height, 0, 0, 0, 0, 1,
                                   0,           -1, 1, 0, 1};
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

// The window's size and its drawable size, as "640x480 640x480".
std::string clientSize() {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(gameWindow(), &w, &h);
    std::string size = std::to_string(w) + "x" + std::to_string(h);
    windowDrawableSize(w, h);
    return size + " " + std::to_string(w) + "x" + std::to_string(h);
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
    bool open(bool fullscreen = false) {
        return createGLWindow("Orvane weapons test", 640, 480, 32, fullscreen, 75);
    }
};

TEST_F(GameWindow, OpensWithClientAreaProjectionAndDrawingState) {
    ASSERT_TRUE(open()) << "needs a display (the tests run under xvfb-run)";
    EXPECT_STREQ(SDL_GetWindowTitle(gameWindow()), "Orvane weapons test");
    EXPECT_FALSE(windowIsFullscreen());
    EXPECT_EQ(clientSize(), "640x480 640x480");
    expectProjection(640, 480);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_CULL_FACE) || glIsEnabled(GL_BLEND));
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GameWindow, ResizingChangesTheProjectionAndZeroHeightIsTakenAsOne) {
    ASSERT_TRUE(open());
    SDL_SetWindowSize(gameWindow(), 800, 600);
    // The display answers with a size event, which may take a moment.
    GLint viewport[4] = {};
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (viewport[2] != 800 && std::chrono::steady_clock::now() < until) {
        SDL_Delay(10);
        for (SDL_Event event; SDL_PollEvent(&event) != 0;)
            handleWindowEvent(event);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    expectProjection(800, 600);
    resizeGLScene(320, 0);
    expectProjection(320, 1);
    // A size event carrying a height of 0, as a minimised window may send.
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 200, 0), WindowRequest::None);
    expectProjection(200, 1);
}

TEST_F(GameWindow, CloseRequestsEndTheGameAndTheWindowCloses) {
    ASSERT_TRUE(open());
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_CLOSE), WindowRequest::Quit);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_MOVED), WindowRequest::None);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(handleWindowEvent(quit), WindowRequest::Quit);

    const Uint32 id = SDL_GetWindowID(gameWindow());
    destroyGLWindow();
    EXPECT_EQ(gameWindow(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
    destroyGLWindow();   // a second time finds nothing to undo
    ASSERT_TRUE(open()); // and the window can be made again
    EXPECT_EQ(clientSize(), "640x480 640x480");
}

TEST_F(GameWindow, FullScreenRefusedFallsBackToAWindowWithoutCursor) {
    ASSERT_TRUE(open(true));
    EXPECT_EQ(clientSize(), "640x480 640x480");
    expectProjection(640, 480);
    // The cursor is hidden while full screen was asked for, whether or not the display gave it.
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ((SDL_GetWindowFlags(gameWindow()) & SDL_WINDOW_FULLSCREEN) != 0,
              windowIsFullscreen());
    destroyGLWindow();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

} // namespace
