/* Loaded into the windowed game with LD_PRELOAD by scripts/measure.sh: times start-up to the first
 * picture shown, the share of it spent reading images, and each picture: drawing from its clear
 * until it is finished, and presenting (the buffer swap). Prints one summary line to standard error
 * at exit. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#define MAX_FRAMES 100000

static int64_t launchNs = -1;
static int64_t firstImageNs = -1;
static int64_t afterImagesNs = -1;
static int64_t firstSwapNs = -1;
static int64_t clearNs = -1;
static int64_t drawNs[MAX_FRAMES];
static int64_t presentNs[MAX_FRAMES];
static int frames = 0;

static int64_t nowNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

static int endsWith(const char* s, const char* tail) {
    size_t n = strlen(s), m = strlen(tail);
    return n >= m && strcmp(s + n - m, tail) == 0;
}

/* The images are the .tga files opened first; the first other file opened after them ends their
 * reading. The game opens its files with open(2), libraries may use either call. */
static void noteOpen(const char* path) {
    if (path && endsWith(path, ".tga")) {
        if (firstImageNs < 0) firstImageNs = nowNs();
    } else if (firstImageNs >= 0 && afterImagesNs < 0) {
        afterImagesNs = nowNs();
    }
}

FILE* fopen(const char* path, const char* mode) {
    static FILE* (*real)(const char*, const char*) = NULL;
    if (!real) real = (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
    noteOpen(path);
    return real(path, mode);
}

/* The mode argument is there only when the call creates a file. */
static int openWith(const char* name, const char* path, int flags, va_list args) {
    int (*real)(const char*, int, ...) = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, name);
    const int mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, int) : 0;
    noteOpen(path);
    return real(path, flags, mode);
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = openWith("open", path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = openWith("open64", path, flags, args);
    va_end(args);
    return fd;
}

void glClear(unsigned int mask) {
    static void (*real)(unsigned int) = NULL;
    if (!real) real = (void (*)(unsigned int))dlsym(RTLD_NEXT, "glClear");
    clearNs = nowNs();
    real(mask);
}

/* The picture is finished before the swap so that drawing and presenting are timed apart; the
 * picture shown is the same. */
void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*) = NULL;
    static void (*finish)(void) = NULL;
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    if (!finish) finish = (void (*)(void))dlsym(RTLD_DEFAULT, "glFinish");
    if (finish) finish();
    int64_t drawn = nowNs();
    real(window);
    int64_t done = nowNs();
    if (firstSwapNs < 0) firstSwapNs = done;
    if (clearNs >= 0 && frames < MAX_FRAMES) {
        drawNs[frames] = drawn - clearNs;
        presentNs[frames] = done - drawn;
        ++frames;
    }
    clearNs = -1;
}

static int compare(const void* a, const void* b) {
    int64_t x = *(const int64_t*)a, y = *(const int64_t*)b;
    return (x > y) - (x < y);
}

__attribute__((constructor)) static void start(void) {
    const char* t0 = getenv("ORVANE_LAUNCH_NS");
    launchNs = t0 ? strtoll(t0, NULL, 10) : nowNs();
}

static void spread(int64_t* values, int skip, double* median, double* worst) {
    int n = frames - skip;
    *median = *worst = 0;
    if (n <= 0) return;
    qsort(values + skip, (size_t)n, sizeof values[0], compare);
    *median = values[skip + n / 2] / 1e6;
    *worst = values[frames - 1] / 1e6;
}

__attribute__((destructor)) static void report(void) {
    /* The first pictures warm the driver's caches; they are left out of the spread. */
    int skip = frames > 20 ? 10 : 0;
    double drawMedian, drawWorst, presentMedian, presentWorst;
    spread(drawNs, skip, &drawMedian, &drawWorst);
    spread(presentNs, skip, &presentMedian, &presentWorst);
    fprintf(stderr,
            "probe: first_frame_ms=%.1f images_ms=%.1f frames=%d draw_median_ms=%.3f "
            "draw_worst_ms=%.3f present_median_ms=%.3f present_worst_ms=%.3f\n",
            firstSwapNs >= 0 ? (firstSwapNs - launchNs) / 1e6 : -1.0,
            firstImageNs >= 0 && afterImagesNs >= 0 ? (afterImagesNs - firstImageNs) / 1e6 : -1.0,
            frames, drawMedian, drawWorst, presentMedian, presentWorst);
}
