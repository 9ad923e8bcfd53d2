// The game window on SDL with an OpenGL 2.1 context (or OpenGL ES 2), its fixed state and its
// events.
#include "desktop/sdl_window.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "base/regular_file.h"
#include "render/draw.h"
#include "render/draw_backend.h"
#include "render/gl_render_target.h"
#include "render/gles2_draw.h"
#include "render/gles2_render_target.h"

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool videoStarted = false;
// The full-screen flag the window was asked for, even when the display refused the mode.
bool fullscreenFlag = false;
bool fullscreenMode = false;
WindowOptions windowOptions;
GlRenderTarget glTarget;
Gles2RenderTarget gles2Target;
PictureTarget* target = &glTarget;
bool gles2 = false; // the context is OpenGL ES 2, drawn by the batched back end
PictureLayout layout;
int drawableWidth = 0; // the drawable's size when the picture was last placed
int drawableHeight = 0;
int swapInterval = 0;

void requestContext(bool es) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, es ? SDL_GL_CONTEXT_PROFILE_ES : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

// The display mode nearest to the one asked for, only if it has the asked size.
bool enterFullscreen(int width, int height, int refreshRate) {
    int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode wanted{SDL_PIXELFORMAT_RGB888, width, height, refreshRate, nullptr};
    SDL_DisplayMode closest;
    if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest) == nullptr)
        return false;
    if (closest.w != width || closest.h != height) return false;
    if (SDL_SetWindowDisplayMode(window, &closest) != 0) return false;
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) return false;
    return true;
}

// With a fitted picture full screen keeps the desktop's own resolution: no mode change.
bool enterFullscreenDesktop() {
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

// The refresh rate of the display the window is on, 0 when unknown.
double windowRefreshRate() {
    SDL_DisplayMode mode{};
    if (fullscreenMode &&
        (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN) {
        if (SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0)
            return mode.refresh_rate;
    }
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0.0;
    return mode.refresh_rate;
}

// Swaps wait for the display refresh only where that keeps the game at full speed.
void chooseSwapIntervalForDisplay() {
    swapInterval = chooseSwapInterval(windowOptions.vsync, windowRefreshRate());
    // A driver that refuses leaves the swaps as they are; the frame pacer still holds the pace.
    SDL_GL_SetSwapInterval(swapInterval);
}

// The classic window and picture: without --scale, and in classic full screen, whose 640 by 480
// display mode holds the classic picture whatever --scale N asked of a window.
bool classicPicture() {
    return !windowOptions.scaleGiven || (fullscreenFlag && !windowOptions.scale.fit);
}

// Where the picture goes in the drawable, from the drawable's size in pixels.
void placePicture() {
    int points = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    SDL_GetWindowSize(window, &points, nullptr);
    if (classicPicture()) {
        layout = layoutPicture(ScaleChoice{}, drawableWidth, drawableHeight);
        return;
    }
    const int density = points > 0 ? drawableWidth / points : 1;
    layout = layoutPicture(windowOptions.scale, drawableWidth, drawableHeight, density);
}

// The window's size in points: the classic client area, or what --scale asks for.
void windowSize(int& width, int& height) {
    if (classicPicture()) return;
    int scale = windowOptions.scale.factor;
    SDL_Rect usable{};
    if (windowOptions.scale.fit)
        scale =
            SDL_GetDisplayUsableBounds(0, &usable) == 0 ? scaleForDesktop(usable.w, usable.h) : 2;
    width = scale * kLogicalWidth;
    height = scale * kLogicalHeight;
}

// SDL falls back to drawing off screen when no display exists; a player would see nothing, so
// that counts as no display unless SDL_VIDEODRIVER asked for it.
bool visibleVideoStarted() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver != nullptr &&
                     (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (!invisible || SDL_getenv("SDL_VIDEODRIVER") != nullptr) return true;
    const std::string name = driver;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetError("no display to show a window on (only SDL's %s video driver answered)",
                 name.c_str());
    return false;
}

// An X server resets itself when its last client leaves and refuses connections meanwhile, so
// a display that is named but not answering gets a few more tries.
bool startVideo() {
    constexpr int kTries = 10;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (visibleVideoStarted()) return true;
        if (SDL_getenv("DISPLAY") == nullptr) break;
        if (attempt < kTries) SDL_Delay(100);
    }
    return false;
}

// A window and its context, of desktop OpenGL or OpenGL ES 2 (null when it cannot be made); SDL
// chooses the window's pixel format and library for the kind of context, so each try makes its
// own window.
bool openWindowWith(const char* title, int width, int height, bool es) {
    requestContext(es);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;
    if (windowOptions.scaleGiven) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    window = SDL_CreateWindow(title, 0, 0, width, height, flags);
    if (window == nullptr) return false;
    context = SDL_GL_CreateContext(window);
    return true;
}

// The renderer asked for; immediate mode falls back to OpenGL ES 2 by itself where the system
// cannot make a window or context that has it, and says so. When neither can be made, the
// immediate mode's reason stands: no window, or initGL fails for want of a context.
bool openWindow(const char* title, int width, int height) {
    if (!videoStarted) videoStarted = startVideo();
    if (!videoStarted) return false;
    windowSize(width, height);
    gles2 = windowOptions.renderer == RendererChoice::Gles2;
    const bool opened = openWindowWith(title, width, height, gles2);
    if (gles2 || (opened && context != nullptr)) return opened;
    const std::string reason = SDL_GetError();
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    gles2 = true;
    const bool fallback = openWindowWith(title, width, height, true);
    if (fallback && context != nullptr) {
        const std::string why = quoteForMessage(reason);
        std::fprintf(
            stderr,
            "orvane: no OpenGL context with immediate mode (%s): drawing with OpenGL ES 2\n",
            why.c_str());
        return true;
    }
    SDL_SetError("%s", reason.c_str());
    return fallback && opened;
}

// Pictures go through the logical screen where the context can; otherwise straight into the
// window with the classic projection.
void setUpPicture(int width, int height) {
    target = gles2 ? static_cast<PictureTarget*>(&gles2Target) : &glTarget;
    if (target->create()) {
        loadPictureProjection(kLogicalWidth, kLogicalHeight);
        placePicture();
        return;
    }
    resizeGLScene(width, height);
}

} // namespace

void showWindowError(const char* text, const std::string& reason) {
    const std::string why = quoteForMessage(reason);
    std::fprintf(stderr, "orvane: %s: %s\n", text, why.empty() ? "no reason given" : why.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "ERROR", text, nullptr);
}

bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreen,
                    int refreshRate, const WindowOptions& options) {
    (void)bits; // the display mode is asked for in 32-bit RGB whatever the default visual
    windowOptions = options;
    fullscreenFlag = fullscreen;
    fullscreenMode = false;
    if (!openWindow(title, width, height)) {
        const std::string reason = SDL_GetError(); // before undoing sets another
        destroyGLWindow();
        showWindowError("Could not create window", reason);
        return false;
    }
    if (fullscreen) {
        fullscreenMode = options.scaleGiven && options.scale.fit
                             ? enterFullscreenDesktop()
                             : enterFullscreen(width, height, refreshRate);
    }
    // The cursor stays hidden while full screen was asked for, even in the fallback window.
    SDL_ShowCursor(fullscreenFlag ? SDL_DISABLE : SDL_ENABLE);
    SDL_DisableScreenSaver();
    if (context != nullptr) SDL_GL_MakeCurrent(window, context);
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    if (!initGL()) {
        const std::string reason = SDL_GetError();
        destroyGLWindow();
        showWindowError("OpenGL initialization failed", reason);
        return false;
    }
    setUpPicture(width, height);
    chooseSwapIntervalForDisplay();
    return true;
}

void destroyGLWindow() {
    if (fullscreenFlag) {
        if (window != nullptr) SDL_SetWindowFullscreen(window, 0);
        SDL_ShowCursor(SDL_ENABLE);
    }
    if (context != nullptr) {
        target->destroy();
        if (gles2) releaseBatchedDrawing();
        useDrawBackend(nullDrawBackend());
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    fullscreenFlag = false;
    fullscreenMode = false;
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted = false;
}

void resizeGLScene(int width, int height) {
    if (height == 0) height = 1;
    loadProjection(width, height, width, height);
}

// Without a context the state cannot be set, and every picture would silently be lost. OpenGL ES
// has none of the fixed-function state: its back end sets what it needs.
bool initGL() {
    if (SDL_GL_GetCurrentContext() == nullptr) return false;
    if (gles2) {
        useDrawBackend(batchedDrawBackend());
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glDepthMask(GL_FALSE);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        return true;
    }
    useDrawBackend(immediateDrawBackend());
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    return true;
}

WindowRequest handleWindowEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return WindowRequest::Quit;
    if (event.type != SDL_WINDOWEVENT || window == nullptr) return WindowRequest::None;
    if (event.window.windowID != SDL_GetWindowID(window)) return WindowRequest::None;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        return WindowRequest::Quit;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (target->active())
            placePicture();
        else
            resizeGLScene(event.window.data1, event.window.data2);
        return WindowRequest::None;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        chooseSwapIntervalForDisplay();
        return WindowRequest::None;
    default:
        return WindowRequest::None;
    }
}

SDL_Window* gameWindow() {
    return window;
}

bool windowIsFullscreen() {
    return fullscreenMode;
}

bool windowUsesGles2() {
    return gles2;
}

bool windowHasRenderTarget() {
    return target->active();
}

int windowSwapInterval() {
    return swapInterval;
}

PictureLayout windowPictureLayout() {
    return layout;
}

void beginWindowPicture() {
    target->beginPicture();
}

void presentWindowPicture() {
    if (target->active())
        target->present(drawableWidth, drawableHeight, layout.scale, layout.x, layout.y);
    glFlush();
}

bool readWindowPicture(std::vector<uint8_t>& rgb) {
    if (target->active()) return target->readClassic(rgb);
    int width = 0;
    int height = 0;
    windowDrawableSize(width, height);
    return readClassicFromWindow(height, rgb);
}

void windowDrawableSize(int& width, int& height) {
    width = 0;
    height = 0;
    if (window != nullptr) SDL_GL_GetDrawableSize(window, &width, &height);
}

void swapGLWindow() {
    if (window != nullptr) SDL_GL_SwapWindow(window);
}
