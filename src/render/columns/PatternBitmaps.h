#pragma once
// Bitmap patterns: the BMP files S<number>.BMP of the Sbptn folder, stretched to the cell
// width with their proportions kept and tiled down the cell, copied for a main pattern and
// AND-ed for an overlay so that overlays darken what is below them.

#include <string>

#include "render/PageGeometry.h"
#include "render/Surface.h"

class QByteArray;
class QImage;

namespace stracol::render {

// The file of bitmap pattern `number`: the folder followed by "/S%ld.BMP". On a file system
// that tells case apart, a file of that name in another case ("s300.bmp") is found too.
std::string PatternBitmapPath(const std::string& folder, long number);

// Reads a BMP file of any bit depth; a null image when it cannot be opened or read.
QImage LoadPatternBitmap(const std::string& path);
// The same from the bytes of a BMP file.
QImage PatternBitmapFromBytes(const QByteArray& bytes);

// Tiles the image down the device rectangle: starting 1 pixel right of its left edge and 1
// pixel narrower, each tile trunc(width / imageWidth × imageHeight) high; whole tiles from
// the top, then the matching upper part of the image stretched over the remaining height
// (when one tile is already higher than the cell, only the part that fits).
void TileBitmap(Surface& s, const Rect& cell, const QImage& image, RasterOp op);

// Draws the bitmap file over x … x + width (mm), y … y + height (m of depth). Returns false
// (drawing nothing) when the file cannot be opened or read: a missing bitmap.
bool DrawBitmap(Surface& s, const PageGeometry& g, const std::string& path, double xMm, double yM, double widthMm,
                double heightM, RasterOp op);

}  // namespace stracol::render
