#pragma once
// SVG pages for the command line: one QSvgGenerator per page, at the resolution asked for.

#include <memory>

#include "render/Output.h"

class QPaintDevice;

namespace stracol::tools {

// The device of one SVG page: the paper in pixels at def.dpi, with its view box and its
// physical size, written to def.path when the device is destroyed.
std::unique_ptr<QPaintDevice> MakeSvgPage(const render::PageDeviceDef& def);

}  // namespace stracol::tools
