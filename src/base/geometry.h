// Fixed-point (24.8) values, pixel rectangles and the small helpers every game rule uses.
#pragma once

#include <cstdint>

// One pixel is 256 units; pixel = value >> 8 (arithmetic, so -1 unit is pixel -1).
constexpr int32_t kFixOne = 256;
constexpr int32_t toPixel(int32_t fixed) {
    return fixed >> 8;
}
constexpr int32_t toFixed(int32_t pixel) {
    return static_cast<int32_t>(static_cast<uint32_t>(pixel) << 8);
}

struct FixVec {
    int32_t x = 0;
    int32_t y = 0;
};

// Pixel rectangle covering the half-open ranges [x, x+w) and [y, y+h).
struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;

    static Rect at(FixVec v, int32_t w, int32_t h) { return {toPixel(v.x), toPixel(v.y), w, h}; }
    static Rect at(FixVec v, int32_t dx, int32_t dy, int32_t w, int32_t h) {
        return {toPixel(v.x) + dx, toPixel(v.y) + dy, w, h};
    }
};

// Position and velocity block, the shape of a star and of an element's motion.
struct MoveRec {
    int32_t x = 0;
    int32_t y = 0;
    int32_t vx = 0;
    int32_t vy = 0;
};

// Colour bytes become floats by this single-precision factor, never by a division.
constexpr float kInv255 = 0.003921569f;

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    static Rgb fromBytes(int r, int g, int b) {
        return {static_cast<float>(r) * kInv255, static_cast<float>(g) * kInv255,
                static_cast<float>(b) * kInv255};
    }
};

// Overlap test; mode -1 answers 1, modes 0-3 answer the depth from one edge, 0 when apart.
int32_t rectOverlap(const Rect& a, const Rect& b, int32_t mode);
// Upper bound first, so lo wins when lo > hi.
void clampRange(int32_t& v, int32_t lo, int32_t hi);
void clampSym(int32_t& v, int32_t m);
// Shrinks the magnitude by step without crossing zero.
void approachZero(int32_t& v, int32_t step);
void stepMove(MoveRec& m);
// On-screen tests use the 640 by 480 area.
bool rectOnScreen(const Rect& r);
bool posOnScreen(FixVec p, int32_t w, int32_t h);
// Smallest power of two from 1 to 2^30 that is >= n; 0 when n > 2^30.
int32_t nextPow2(int32_t n);
// Sine of a single-precision angle, computed in extended precision.
double sine(float angle);
// Nearest integer, ties to even.
int32_t roundNearest(double v);
