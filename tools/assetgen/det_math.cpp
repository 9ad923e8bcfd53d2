// Deterministic maths for the synthesiser: range reduction plus short series.
#include "det_math.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLn2 = 0.69314718055994530942;

// Series of sin(x) for |x| <= pi/2; the terms fall below 1e-9 by the last one.
double sinSeries(double x) {
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 8; ++n) {
        term = -term * x2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

} // namespace

double sinTurns(double turns) {
    double t = turns - std::floor(turns); // 0 <= t < 1
    if (t >= 0.5) {
        t -= 1.0; // -0.5 <= t < 0.5
    }
    if (t > 0.25) {
        t = 0.5 - t;
    } else if (t < -0.25) {
        t = -0.5 - t;
    }
    return sinSeries(2.0 * kPi * t);
}

double detExp(double x) {
    if (x < -700.0) {
        return 0.0;
    }
    const double k = std::floor(x / kLn2 + 0.5);
    const double r = x - k * kLn2; // |r| <= ln2 / 2
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term = term * r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double detLog(double x) {
    int e = 0;
    double m = std::frexp(x, &e); // x = m * 2^e, 0.5 <= m < 1
    if (m < 0.70710678118654752) {
        m *= 2.0;
        --e;
    }
    // log(m) = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172.
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double power = s;
    double sum = 0.0;
    for (int n = 1; n <= 31; n += 2) {
        sum += power / n;
        power *= s2;
    }
    return 2.0 * sum + e * kLn2;
}

} // namespace assetgen
