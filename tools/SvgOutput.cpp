#include "SvgOutput.h"

#include <QSvgGenerator>

namespace stracol::tools {

std::unique_ptr<QPaintDevice> MakeSvgPage(const render::PageDeviceDef& def) {
    auto svg = std::make_unique<QSvgGenerator>();
    svg->setFileName(QString::fromStdString(def.path));
    svg->setResolution(def.dpi);
    svg->setSize(QSize(def.widthPx, def.heightPx));
    svg->setViewBox(QRect(0, 0, def.widthPx, def.heightPx));
    svg->setTitle(QStringLiteral("Stracol"));
    return svg;
}

}  // namespace stracol::tools
