#include "render/columns/PatternBitmaps.h"

#include <QImage>
#include <QBuffer>
#include <QImageReader>
#include <QString>

#include <filesystem>
#include <system_error>

#include "core/Format.h"

namespace stracol::render {

namespace {

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string PatternBitmapPath(const std::string& folder, long number) {
    const std::string name = core::Sprintf("S%ld.BMP", number);
    namespace fs = std::filesystem;
    const fs::path exact = fs::path(folder) / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact.string();
    // The bitmaps were named on a file system that ignores case.
    fs::directory_iterator it(fs::path(folder), ec);
    if (!ec) {
        for (const auto& entry : it) {
            const std::string found = entry.path().filename().string();
            if (SameIgnoringAsciiCase(found, name)) return entry.path().string();
        }
    }
    return exact.string();
}

namespace {

QImage ReadBitmap(QImageReader& reader) {
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return QImage();
    return image;
}

}  // namespace

QImage LoadPatternBitmap(const std::string& path) {
    QImageReader reader(QString::fromStdString(path), "BMP");
    return ReadBitmap(reader);
}

QImage PatternBitmapFromBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    return ReadBitmap(reader);
}

void TileBitmap(Surface& s, const Rect& cell, const QImage& image, RasterOp op) {
    if (image.isNull()) return;
    const Rect c = cell.Normalised();
    const int x = c.left + 1;
    const int w = c.Width() - 1;
    const int h = c.Height();
    if (w <= 0 || h <= 0) return;
    const int bw = image.width();
    const int bh = image.height();
    const int tile = static_cast<int>(static_cast<double>(c.Width()) / bw * bh);
    // A tile of no height would never fill the cell.
    if (tile <= 0) return;
    int y = c.top;
    if (tile < h) {
        const int whole = h / tile;
        for (int i = 0; i < whole; ++i, y += tile) s.StretchBitmap(Rect{x, y, x + w, y + tile}, image, op);
    }
    const int rest = c.bottom - y;
    if (rest <= 0) return;
    // The upper part of the bitmap in the proportion of the remaining height to a tile.
    const int rows = static_cast<int>(static_cast<double>(bh) * rest / tile);
    if (rows <= 0) return;
    s.StretchBitmap(Rect{x, y, x + w, y + rest}, image.copy(0, 0, bw, rows), op);
}

bool DrawBitmap(Surface& s, const PageGeometry& g, const std::string& path, double xMm, double yM, double widthMm,
                double heightM, RasterOp op) {
    const QImage image = LoadPatternBitmap(path);
    if (image.isNull()) return false;
    const Rect cell{MmToX(g, xMm), DepthToY(g, yM), MmToX(g, xMm + widthMm), DepthToY(g, yM + heightM)};
    TileBitmap(s, cell, image, op);
    return true;
}

}  // namespace stracol::render
