#include "render/columns/PatternBitmaps.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <string>

#include "render/RenderPrinters.h"

#include "geology/PatternColours.h"
#include "render/RecordingSurface.h"
#include "render/columns/PatternDrawing.h"
#include "support/TempDir.h"

using namespace stracol;
using namespace stracol::render;

namespace {

PageGeometry Geometry() {
    PageGeometry g;
    g.dpiX = g.dpiY = 254;
    g.pxPerMmX = g.pxPerMmY = 254 * kInchPerMm;
    g.xFactor = g.pxPerMmX;
    g.depthPxPerMetre = 10 * g.pxPerMmY;  // 1/100: 100 px per metre
    g.titlePxPerMetre = g.depthPxPerMetre;
    g.leftMarginMm = 0;
    g.topMarginMm = 0;
    g.titleHeight = 0;
    return g;
}

void Put16(std::string& b, unsigned v) {
    b.push_back(static_cast<char>(v & 0xff));
    b.push_back(static_cast<char>((v >> 8) & 0xff));
}
void Put32(std::string& b, std::uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

// A BMP file of the given bit depth: 14-byte file header, 40-byte information header, a
// colour table below 16 bits, rows bottom-up padded to 4 bytes. Pixel (x, y) is black when
// x == y, else white; with a colour table, entry 0 is black and the last entry white.
std::string MakeBmp(int width, int height, int bits) {
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    const int colours = bits < 16 ? (1 << bits) : 0;
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    std::string b = "BM";
    Put32(b, offset + rowBytes * height);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, width);
    Put32(b, height);
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, 0);
    Put32(b, rowBytes * height);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colours);
    Put32(b, 0);
    for (int i = 0; i < colours; ++i) Put32(b, i == colours - 1 ? 0x00ffffff : 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const bool black = x == y;
            if (bits == 24) {
                const char v = black ? 0 : static_cast<char>(0xff);
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
            } else {
                const int index = black ? 0 : colours - 1;
                const int bit = x * bits;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (index << (8 - bits - bit % 8)));
            }
        }
        b += row;
    }
    return b;
}

// "S<number>.BMP".
std::string BitmapName(long number) {
    std::string name = "S";
    name += std::to_string(number);
    name += ".BMP";
    return name;
}

TEST(PatternBitmaps, ReadsEveryBitDepth) {
    stracol::testing::TempDir dir;
    for (int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        const std::string path = dir.Write(BitmapName(bits), MakeBmp(5, 3, bits));
        const QImage image = LoadPatternBitmap(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 5);
        EXPECT_EQ(image.height(), 3);
        EXPECT_EQ(image.pixel(1, 1) & 0xffffff, 0x000000u);
        EXPECT_EQ(image.pixel(2, 1) & 0xffffff, 0xffffffu);
    }
}

TEST(PatternBitmaps, BadFilesAreMissingBitmaps) {
    stracol::testing::TempDir dir;
    const std::string whole = MakeBmp(8, 4, 8);
    const std::pair<const char*, std::string> files[] = {
        {"S1.BMP", "not a bitmap at all\r\n"},
        {"S2.BMP", whole.substr(0, 20)},  // cut inside the information header
        {"S3.BMP", std::string("\0\xff\x01\x80", 4)},
        {"S4.BMP", ""},
    };
    const PageGeometry g = Geometry();
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string path = dir.Write(name, bytes);
        RecordingSurface s;
        EXPECT_TRUE(LoadPatternBitmap(path).isNull());
        EXPECT_FALSE(DrawBitmap(s, g, path, 10, 0, 2, 1, RasterOp::Copy));
        EXPECT_TRUE(s.operations.empty());
    }
    RecordingSurface s;
    EXPECT_FALSE(DrawBitmap(s, g, dir.File("S999.BMP"), 10, 0, 2, 1, RasterOp::Copy));
    EXPECT_TRUE(s.operations.empty());
}

TEST(PatternBitmaps, FileNameFollowsTheNumberAndIgnoresCase) {
    stracol::testing::TempDir dir;
    EXPECT_EQ(PatternBitmapPath(dir.Path(), 300), dir.Path() + "/S300.BMP");
    dir.Write("s1300.bmp", MakeBmp(2, 2, 1));
    EXPECT_EQ(PatternBitmapPath(dir.Path(), 1300), dir.Path() + "/s1300.bmp");
    EXPECT_EQ(PatternBitmapPath(dir.Path() + "/absent", 5), dir.Path() + "/absent/S5.BMP");
}

struct TileCase {
    const char* what;
    double heightM;
    std::vector<Rect> dest;
    std::vector<int> rows;  // bitmap rows drawn into each destination
};

TEST(PatternBitmaps, TilesStretchedToTheCellWidthDownTheCell) {
    stracol::testing::TempDir dir;
    const std::string path = dir.Write("S300.BMP", MakeBmp(8, 4, 1));
    const PageGeometry g = Geometry();
    // Cell x 100 … 117 px (17 px wide): tiles of trunc(17 / 8 × 4) = 8 px, starting 1 px
    // right of the edge and 1 px narrower.
    const TileCase cases[] = {
        {"three tiles and a part", 0.30,
         {{101, 0, 117, 8}, {101, 8, 117, 16}, {101, 16, 117, 24}, {101, 24, 117, 30}}, {4, 4, 4, 3}},
        {"exactly two tiles", 0.16, {{101, 0, 117, 8}, {101, 8, 117, 16}}, {4, 4}},
        {"lower than one tile", 0.05, {{101, 0, 117, 5}}, {2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingSurface s;
        ASSERT_TRUE(DrawBitmap(s, g, path, 10, 0, 1.7, c.heightM, RasterOp::And));
        const auto ops = s.OfKind(OperationKind::Bitmap);
        ASSERT_EQ(ops.size(), c.dest.size());
        for (std::size_t i = 0; i < ops.size(); ++i) {
            EXPECT_EQ(ops[i].rect, c.dest[i]);
            EXPECT_EQ(ops[i].imageSize, (Size{8, c.rows[i]}));
            EXPECT_EQ(ops[i].rasterOp, RasterOp::And);
        }
    }
}

TEST(PatternBitmaps, TooNarrowACellDrawsNothing) {
    stracol::testing::TempDir dir;
    const std::string path = dir.Write("S300.BMP", MakeBmp(64, 4, 24));
    RecordingSurface s;
    // 1 px wide: no room after the 1 px inset, and a tile would have no height.
    TileBitmap(s, Rect{0, 0, 1, 50}, LoadPatternBitmap(path), RasterOp::Copy);
    TileBitmap(s, Rect{0, 0, 10, 50}, LoadPatternBitmap(path), RasterOp::Copy);
    EXPECT_TRUE(s.operations.empty());
}

// ---------------------------------------------------------------- bitmaps in layer cells

// Bitmaps of distinct widths, so that each drawn tile tells which file it came from.
class BitmapLayer : public ::testing::Test {
protected:
    void SetUp() override {
        for (long n : {2100L, 10L, 3L, 300L, 10050L, 10000L, 50L}) {
            const int width = static_cast<int>(4 + n % 97);
            m_width[n] = width;
            m_dir.Write(BitmapName(n), MakeBmp(width, 6, 8));
        }
        m_settings.bitmapFolder = m_dir.Path();
    }

    // The files of the drawn tiles by their widths, with their raster operations.
    std::vector<std::pair<long, RasterOp>> Tiles(const RecordingSurface& s) const {
        std::vector<std::pair<long, RasterOp>> tiles;
        for (const auto& op : s.OfKind(OperationKind::Bitmap)) {
            long number = -1;
            for (const auto& [n, w] : m_width)
                if (w == op.imageSize.width) number = n;
            if (tiles.empty() || tiles.back().first != number || tiles.back().second != op.rasterOp)
                tiles.emplace_back(number, op.rasterOp);
        }
        return tiles;
    }

    stracol::testing::TempDir m_dir;
    std::map<long, int> m_width;
    PatternSettings m_settings;
    geology::PatternColours m_colours;
    PatternCell m_cell{10, 22, 0, 3, 0, 10};
};

TEST_F(BitmapLayer, Number2113TilesMainThenOverlaysAndedOver) {
    m_settings.mode = 3;
    LayerPatterns layer;
    layer.bitmap = 2113;
    RecordingSurface s;
    EXPECT_TRUE(DrawLayerPatterns(s, Geometry(), m_colours, m_settings, layer, m_cell));
    const std::vector<std::pair<long, RasterOp>> expected = {
        {2100, RasterOp::Copy}, {10, RasterOp::And}, {3, RasterOp::And}};
    EXPECT_EQ(Tiles(s), expected);
}

TEST_F(BitmapLayer, Number10050TilesOnlyItself) {
    m_settings.mode = 3;
    LayerPatterns layer;
    layer.bitmap = 10050;
    RecordingSurface s;
    EXPECT_TRUE(DrawLayerPatterns(s, Geometry(), m_colours, m_settings, layer, m_cell));
    const std::vector<std::pair<long, RasterOp>> expected = {{10050, RasterOp::Copy}};
    EXPECT_EQ(Tiles(s), expected);
}

struct ModeCase {
    int mode;
    long line;
    long bitmap;
    bool lines;
    bool bitmaps;
};

TEST_F(BitmapLayer, PatternModeChoosesAndFallsBack) {
    const ModeCase cases[] = {
        {0, 300, 300, true, false},   // line patterns only
        {1, 300, 300, true, false},   // the line pattern was drawn
        {1, 3700, 300, false, true},  // 3700 has no line pattern: the bitmap instead
        {2, 300, 300, false, true},   // the bitmap was drawn
        {2, 300, 3700, true, false},  // S3700.BMP is missing: the line pattern instead
        {3, 300, 3700, false, false}, // bitmaps only, and it is missing
        {3, 300, 300, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " line " << c.line << " bitmap " << c.bitmap);
        m_settings.mode = c.mode;
        LayerPatterns layer;
        layer.line = c.line;
        layer.bitmap = c.bitmap;
        RecordingSurface s;
        EXPECT_TRUE(DrawLayerPatterns(s, Geometry(), m_colours, m_settings, layer, m_cell));
        int patternLines = 0;
        for (const auto& op : s.OfKind(OperationKind::Line))
            if (!(op.points[0].x == op.points[1].x && op.points[0].x == MmToX(Geometry(), 10))) ++patternLines;
        EXPECT_EQ(patternLines > 0, c.lines);
        EXPECT_EQ(!s.OfKind(OperationKind::Bitmap).empty(), c.bitmaps);
    }
}

}  // namespace
