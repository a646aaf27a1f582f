#include "SvgOutput.h"

#include <QSvgGenerator>

namespace stracol::tools {

std::unique_ptr<QPaintDevice> MakeSvgPage(const render::PageDeviceSpec& spec) {
    auto svg = std::make_unique<QSvgGenerator>();
    svg->setFileName(QString::fromStdString(spec.path));
    svg->setResolution(spec.dpi);
    svg->setSize(QSize(spec.widthPx, spec.heightPx));
    svg->setViewBox(QRect(0, 0, spec.widthPx, spec.heightPx));
    svg->setTitle(QStringLiteral("Stracol"));
    return svg;
}

}  // namespace stracol::tools
