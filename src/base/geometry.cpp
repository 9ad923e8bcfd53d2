// Fixed-point helpers and rectangle tests.
#include "base/geometry.h"

#include <cmath>

int32_t rectOverlap(const Rect& a, const Rect& b, int32_t mode) {
    if (!(b.x < a.x + a.w) || !(b.y < a.y + a.h) || !(b.x + b.w > a.x) || !(b.y + b.h > a.y)) {
        return 0;
    }
    switch (mode) {
    case -1:
        return 1;
    case 0:
        return (a.x + a.w) - b.x;
    case 1:
        return (b.x + b.w) - a.x;
    case 2:
        return (a.y + a.h) - b.y;
    case 3:
        return (b.y + b.h) - a.y;
    default:
        return 0;
    }
}

void clampRange(int32_t& v, int32_t lo, int32_t hi) {
    if (v > hi) v = hi;
    if (v < lo) v = lo;
}

void clampSym(int32_t& v, int32_t m) {
    if (v > m) v = m;
    if (v < -m) v = -m;
}

void approachZero(int32_t& v, int32_t step) {
    if (v >= -step && v <= step) {
        v = 0;
    } else if (v > step) {
        v -= step;
    } else {
        v += step;
    }
}

void stepMove(MoveRec& m) {
    m.x += m.vx;
    m.y += m.vy;
}

bool rectOnScreen(const Rect& r) {
    return r.x < 640 && r.y < 480 && r.x > -r.w && r.y > -r.h;
}

bool posOnScreen(FixVec p, int32_t w, int32_t h) {
    const int32_t px = toPixel(p.x);
    const int32_t py = toPixel(p.y);
    return px < 640 && py < 480 && px > -w && py > -h;
}

int32_t nextPow2(int32_t n) {
    for (int32_t p = 1; p <= (1 << 30); p <<= 1) {
        if (p >= n) return p;
        if (p == (1 << 30)) break;
    }
    return 0;
}

double sine(float angle) {
    return static_cast<double>(std::sin(static_cast<long double>(angle)));
}

int32_t roundNearest(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}
