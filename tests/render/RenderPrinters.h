#pragma once
// Readable failure messages for the drawing types.

#include <ostream>

#include "render/Surface.h"

namespace stracol::render {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "[" << r.left << ", " << r.top << " – " << r.right << ", " << r.bottom << "]";
}
inline void PrintTo(const Pen& p, std::ostream* os) {
    *os << "pen style " << static_cast<int>(p.style) << " width " << p.width << " colour 0x" << std::hex << p.colour
        << std::dec;
}
inline void PrintTo(const Brush& b, std::ostream* os) {
    if (b.solid) *os << "brush 0x" << std::hex << b.colour << std::dec;
    else *os << "hollow brush";
}
inline void PrintTo(const TextAlign& a, std::ostream* os) {
    *os << "align h" << static_cast<int>(a.horizontal) << " v" << static_cast<int>(a.vertical);
}

}  // namespace stracol::render
