// Kept in a file of its own: only the program names the log painter, so a widget test that
// brings its own painter links without it.
#include "gui/LogPage.h"

#include "render/LogPainter.h"

namespace stracol::gui {

PagePainter StandardLogPainter() {
    return [](render::LogContext& ctx) { render::PaintLog(ctx); };
}

}  // namespace stracol::gui
