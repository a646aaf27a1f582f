#include "render/Surface.h"

#include <algorithm>

namespace stracol::render {

Rect Rect::Normalised() const {
    return Rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

PenStyle PenStyleFromCode(int code) {
    if (code < 0 || code > 5) return PenStyle::Solid;
    return static_cast<PenStyle>(code);
}

}  // namespace stracol::render
