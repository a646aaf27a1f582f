#pragma once
// One page of the log drawn with a QPainter at a given resolution: the drawing surface over
// the painter, the paint start (resolution, margins, scales, deepest depth) and the context
// of the page, then the paint routine. Screen, preview, printer and PDF all come through here.

#include <functional>

#include "render/LogContext.h"

class QPainter;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }
namespace stracol::render {
struct LogContext;
class FontResolver;
}

namespace stracol::gui {

// The routine that draws one page of the log (the program passes the log painter; tests may
// pass their own).
using PagePainter = std::function<void(render::LogContext&)>;

// The log painter of the program.
PagePainter StandardLogPainter();

// The page footer as the pages draw it: a centred footer without a centre of its own is
// centred on the paper's width.
render::FooterSettings FooterFor(const app::Workspace& workspace);

// Draws the page that the workspace's page state names, on painter, whose device has dpiX ×
// dpiY dots per inch in the painter's current coordinates. messages receives what the paint
// has to say. Does nothing without a painter routine.
void PaintLogPage(QPainter& painter, int dpiX, int dpiY, app::Workspace& workspace, render::FontResolver& fonts,
                  core::Messages* messages, const PagePainter& paint);

}  // namespace stracol::gui
