// A point of the plane in extended precision: centre, increment and moved
// pixel positions.
#pragma once

struct TFloatPoint {
    long double X = 0;
    long double Y = 0;
    bool operator==(const TFloatPoint&) const = default;
};

inline TFloatPoint FloatPoint(long double x, long double y) { return TFloatPoint{x, y}; }
