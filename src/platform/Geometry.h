#pragma once
#include <cmath>

// Integer points and rectangles in pixel coordinates: x to the right, y downwards.
// A rectangle covers the pixels left..right-1 and top..bottom-1.
struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

// The platform's rounding: to the nearest integer, halves to the even neighbour
// (the default floating-point rounding mode, which the program never changes).
// Values beyond the int range are clamped and NaN gives 0, so no input can overflow a cast.
inline int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= 2147483647.0) return 2147483647;
    if (rounded <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(rounded);
}
