// Pattern bitmaps (Sbptn/S<number>.BMP): decoded as the soil column reads them and tiled down
// a cell.

#include <QByteArray>
#include <QImage>

#include "render/RecordingSurface.h"
#include "render/columns/PatternBitmaps.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartHeadlessQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage image = render::PatternBitmapFromBytes(bytes);
    if (image.isNull()) return 0;
    render::RecordingSurface surface(96, 96);
    render::TileBitmap(surface, render::Rect{10, 10, 60, 700}, image, render::RasterOp::Copy);
    render::TileBitmap(surface, render::Rect{10, 10, 11, 12}, image, render::RasterOp::And);
    return 0;
}
