#pragma once

namespace tarn {

struct CPoint {
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    constexpr void Offset(int dx, int dy) { x += dx; y += dy; }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
    friend constexpr CPoint operator+(CPoint a, CPoint b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr CPoint operator-(CPoint a, CPoint b) { return {a.x - b.x, a.y - b.y}; }
};

} // namespace tarn
