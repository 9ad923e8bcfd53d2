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
    bool open(bool fullscreen = false) {
        return createGLWindow("Orvane weapons test", 640, 480, 32, fullscreen, 75);
    }
};

TEST_F(GameWindow, OpensWithClientAreaProjectionAndDrawingStateAndCloses) {
    // Full screen, given by the display or not, keeps the client area and hides the cursor.
    for (bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "full screen" : "window");
        ASSERT_TRUE(open(fullscreen)) << "needs a display (the tests run under xvfb-run)";
        EXPECT_STREQ(SDL_GetWindowTitle(gameWindow()), "Orvane weapons test");
        EXPECT_EQ(clientSize(), "640x480");
        expectProjection(640, 480);
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

TEST_F(GameWindow, EventsResizeTheProjectionOrEndTheGame) {
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
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_MOVED), WindowRequest::None);
    EXPECT_EQ(sendWindowEvent(SDL_WINDOWEVENT_CLOSE), WindowRequest::Quit);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(handleWindowEvent(quit), WindowRequest::Quit);
}

} // namespace
