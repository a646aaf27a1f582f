#include "render/QPainterSurface.h"

#include <gtest/gtest.h>

#include "render/RenderPrinters.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QBuffer>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "core/Messages.h"
#include "render/FontResolver.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "support/GuiTestEnvironment.h"

using namespace stracol;
using namespace stracol::render;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("QPainterSurfaceTest");

QImage WhiteImage(int w = 400, int h = 200) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The box around every pixel that is not white; empty when nothing was drawn.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
    bool Empty() const { return count == 0; }
};

Ink InkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff) {
                ++ink.count;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

}  // namespace

TEST(QPainterSurface, DrawsJapaneseTextWithTheSubstitutedIpaFont) {
    QImage image = WhiteImage();
    core::RecordingMessages messages;
    FontResolver fonts(&messages);
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        ASSERT_TRUE(CreateLogFont(surface, 0x000000, 40, "ＭＳ Ｐ明朝", 0, &messages));
        EXPECT_EQ(QFontInfo(surface.CurrentQFont()).family(), "IPAPMincho");
        surface.SetTextAlign(TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        surface.TextOut(20, 30, "柱状図");
        FontMetrics m = surface.Metrics();
        EXPECT_NEAR(m.ascent + m.descent, 40, 1);  // a positive height is the character cell
    }
    Ink ink = InkOf(image);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.count, 200);
    // The text's top is at the reference point and it stays within its 40-pixel cell.
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + 40);
    EXPECT_GE(ink.left, 20);
    EXPECT_TRUE(messages.Empty());
}

TEST(QPainterSurface, SubstitutionTable) {
    struct Case { const char* stored; const char* family; } cases[] = {
        {"ＭＳ Ｐ明朝", "IPAPMincho"}, {"ＭＳ 明朝", "IPAMincho"}, {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ ゴシック", "IPAGothic"}, {"MS P明朝", "IPAPMincho"}, {"ＭＳゴシック", "IPAGothic"},
        {"MS Gothic", "IPAGothic"}, {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const auto& c : cases) EXPECT_EQ(SubstituteFamily(c.stored), c.family) << c.stored;
    EXPECT_TRUE(IsGothicFace("ＭＳ Ｐゴシック"));
    EXPECT_FALSE(IsGothicFace("ＭＳ 明朝"));
    FontResolver fonts;
    for (const char* stored : {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}) {
        EXPECT_TRUE(fonts.IsInstalled(stored)) << stored;
        EXPECT_EQ(fonts.Resolve(stored).toStdString(), SubstituteFamily(stored));
    }
}

TEST(QPainterSurface, MissingFaceIsReportedOnceAndReplacedByAJapaneseFont) {
    core::RecordingMessages messages;
    FontResolver fonts(&messages);
    const char* missing = "ＨＧ存在しない明朝体";
    EXPECT_FALSE(fonts.IsInstalled(missing));
    EXPECT_EQ(fonts.Resolve(missing), "IPAPMincho");
    EXPECT_EQ(fonts.Resolve("存在しないゴシック"), "IPAPGothic");
    fonts.Resolve(missing);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].kind, core::MessageKind::Warning);
    EXPECT_NE(messages.entries[0].text.find(missing), std::string::npos);
    EXPECT_NE(messages.entries[0].text.find("IPAPMincho"), std::string::npos);

    // Drawing with the missing face asks no more.
    QImage image = WhiteImage();
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        CreateLogFont(surface, 0, 30, missing, 0, &messages);
        surface.TextOut(10, 10, "砂");
    }
    EXPECT_FALSE(InkOf(image).Empty());
    EXPECT_EQ(messages.entries.size(), 2u);
}

TEST(QPainterSurface, AlignmentPlacesTheReferencePoint) {
    struct Case { TextAlign align; bool inkLeftOfX; bool inkAboveY; } cases[] = {
        {{HorizontalAlign::Right, VerticalAlign::Bottom}, true, true},
        {{HorizontalAlign::Left, VerticalAlign::Top}, false, false},
        {{HorizontalAlign::Right, VerticalAlign::Top}, true, false},
    };
    for (const auto& c : cases) {
        QImage image = WhiteImage();
        FontResolver fonts;
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, fonts, 96, 96);
            CreateLogFont(surface, 0, 30, "ＭＳ ゴシック", 0, nullptr);
            surface.SetTextAlign(c.align);
            surface.TextOut(200, 100, "深度");
        }
        Ink ink = InkOf(image);
        ASSERT_FALSE(ink.Empty());
        if (c.inkLeftOfX) EXPECT_LE(ink.right, 200);
        else EXPECT_GE(ink.left, 200);
        if (c.inkAboveY) EXPECT_LE(ink.bottom, 100);
        else EXPECT_GE(ink.top, 100);
    }
    // Centred text straddles the point.
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        CreateLogFont(surface, 0, 30, "ＭＳ ゴシック", 0, nullptr);
        surface.SetTextAlign(TextAlign{HorizontalAlign::Centre, VerticalAlign::Baseline});
        surface.TextOut(200, 100, "深度");
    }
    Ink ink = InkOf(image);
    EXPECT_LT(ink.left, 200);
    EXPECT_GT(ink.right, 200);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 200, 4);
}

TEST(QPainterSurface, EscapementOf270DegreesRunsDownwards) {
    QImage image = WhiteImage(200, 400);
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        CreateLogFont(surface, 0, 30, "ＭＳ 明朝", 270, nullptr);
        surface.SetTextAlign(TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        surface.TextOut(100, 50, "標準貫入試験");
    }
    Ink ink = InkOf(image);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left));
    EXPECT_GE(ink.top, 50);
    EXPECT_LE(ink.right, 100);  // the top of the glyphs faces right: they hang to the left
}

TEST(QPainterSurface, PenOfWidthZeroDrawsNothing) {
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        DrawLine(surface, 10, 10, 300, 150, 0, 0, 0);
        surface.SelectPen(Pen{PenStyle::Solid, 0, 0});
        surface.SelectBrush(Brush::Hollow());
        surface.Line(10, 10, 300, 150);
        surface.Arc(Rect{10, 10, 100, 100}, Point{100, 55}, Point{100, 55});
        surface.Rectangle(Rect{20, 20, 80, 80});
    }
    EXPECT_TRUE(InkOf(image).Empty());
}

TEST(QPainterSurface, LinesBoxesAndColours) {
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        DrawLine(surface, 10, 20, 110, 20, 0, 1, 0x0000ff);        // red
        DrawBox(surface, 200, 50, 260, 90, 0, 1, 0x000000, 0xff0000);  // blue fill
    }
    EXPECT_EQ(QColor(image.pixel(60, 20)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(230, 70)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(200, 70)), QColor(0, 0, 0));  // the outline on the left edge
    EXPECT_EQ(QColor(image.pixel(259, 70)), QColor(0, 0, 0));  // right edge is right − 1
    EXPECT_EQ(QColor(image.pixel(260, 70)), QColor(255, 255, 255));
}

TEST(QPainterSurface, DashStylesApplyToOnePixelPensOnly) {
    struct Case { int style; int width; bool gaps; } cases[] = {
        {1, 1, true}, {2, 1, true}, {3, 1, true}, {4, 1, true}, {0, 1, false}, {1, 2, false}, {2, 3, false},
    };
    for (const auto& c : cases) {
        QImage image = WhiteImage();
        FontResolver fonts;
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, fonts, 96, 96);
            DrawLine(surface, 10, 50, 310, 50, c.style, c.width, 0);
        }
        int white = 0;
        for (int x = 10; x < 310; ++x)
            if ((image.pixel(x, 50) & 0xffffff) == 0xffffff) ++white;
        EXPECT_EQ(white > 0, c.gaps) << "style " << c.style << " width " << c.width;
    }
}

TEST(QPainterSurface, FilledPolygonCoversItsInteriorOnly) {
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        surface.SelectPen(Pen{PenStyle::Solid, 1, 0xff0000});
        FillPolygon(surface, {{100, 50}, {200, 50}, {150, 150}}, 0xff0000);
    }
    EXPECT_EQ(QColor(image.pixel(150, 80)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(110, 140)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(image.pixel(300, 100)), QColor(255, 255, 255));
}

TEST(QPainterSurface, ClipRectangleLimitsDrawingUntilLifted) {
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        surface.SetClipRect(Rect{50, 50, 100, 100});
        DrawBox(surface, 0, 0, 200, 200, 0, 1, 0, 0x000000);
        surface.ClearClip();
        DrawLine(surface, 300, 10, 300, 190, 0, 1, 0);
    }
    Ink ink = InkOf(image);
    EXPECT_EQ(QColor(image.pixel(75, 75)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(image.pixel(40, 75)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(image.pixel(100, 75)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(image.pixel(300, 100)), QColor(0, 0, 0));
    EXPECT_EQ(ink.count, 50 * 50 + 180);  // a line leaves out its end pixel
}

TEST(QPainterSurface, StretchedBitmapCopyAndAnd) {
    // A 2 × 1 pattern: black on the left, white on the right, stretched over 40 × 20 pixels.
    QImage pattern(2, 1, QImage::Format_RGB32);
    pattern.setPixel(0, 0, qRgb(0, 0, 0));
    pattern.setPixel(1, 0, qRgb(255, 255, 255));
    struct Case { RasterOp op; QColor right; } cases[] = {
        {RasterOp::Copy, QColor(255, 255, 255)},
        {RasterOp::And, QColor(0, 255, 0)},  // white keeps what was there
    };
    for (const auto& c : cases) {
        QImage image = WhiteImage();
        FontResolver fonts;
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, fonts, 96, 96);
            DrawBox(surface, 0, 0, 100, 100, 5, 0, 0, 0x00ff00);
            surface.StretchBitmap(Rect{10, 10, 50, 30}, pattern, c.op);
        }
        EXPECT_EQ(QColor(image.pixel(15, 20)), QColor(0, 0, 0));
        EXPECT_EQ(QColor(image.pixel(45, 20)), c.right);
        EXPECT_EQ(QColor(image.pixel(45, 35)), QColor(0, 255, 0));
    }
}

TEST(QPainterSurface, WrappedTextMeasuresWithoutDrawing) {
    QImage image = WhiteImage();
    FontResolver fonts;
    {
        QPainter painter(&image);
        QPainterSurface surface(painter, fonts, 96, 96);
        CreateLogFont(surface, 0, 20, "ＭＳ 明朝", 0, nullptr);
        const std::string text = "灰色の細砂で雲母片を多く含む";
        Rect one = surface.DrawTextBox(Rect{0, 0, 1000, 100}, text, TextBox::kCalcRect | TextBox::kSingleLine);
        Rect wrapped = surface.DrawTextBox(Rect{0, 0, 100, 100}, text, TextBox::kCalcRect | TextBox::kWordBreak);
        EXPECT_GT(wrapped.Height(), 2 * one.Height());
        EXPECT_LE(wrapped.Width(), 100);
        EXPECT_EQ(surface.MeasureText(text).width, one.Width());
    }
    EXPECT_TRUE(InkOf(image).Empty());
}

TEST(QPainterSurface, LinesBrokenByTheCallerStandOneTextHeightApart) {
    // Layout counts a block of lines as lines × the measured text height; eight lines drawn
    // at the font's own line spacing would end below that, over whatever comes next (small
    // sizes such as 11 and 12 px at 200 dpi gain a pixel a line).
    for (int height = 8; height <= 40; ++height) {
        SCOPED_TRACE(height);
        QImage image = WhiteImage(400, 600);
        FontResolver fonts;
        int pitch = 0;
        Rect covered;
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, fonts, 200, 200);
            CreateLogFont(surface, 0, height, "ＭＳ 明朝", 0, nullptr);
            pitch = surface.MeasureText("あ").height;
            covered = surface.DrawTextBox(Rect{10, 10, 390, 590}, "亀\n亀\n亀\n亀\n亀\n亀\n亀\n亀",
                                          TextBox::kLeft | TextBox::kTop | TextBox::kNoClip);
        }
        EXPECT_EQ(covered.Height(), 8 * pitch);
        const Ink ink = InkOf(image);
        ASSERT_FALSE(ink.Empty());
        EXPECT_GE(ink.top, 10);
        EXPECT_LT(ink.bottom, 10 + 8 * pitch);  // the last line's ink inside the counted block
        EXPECT_GT(ink.bottom, 10 + 7 * pitch);  // and all eight lines drawn
    }
}

TEST(QPainterSurface, PainterStateIsHandedBackUnchanged) {
    QImage image = WhiteImage();
    FontResolver fonts;
    QPainter painter(&image);
    QPen pen(QColor(1, 2, 3));
    pen.setWidth(7);
    painter.setPen(pen);
    painter.setClipRect(QRect(0, 0, 10, 10));
    {
        QPainterSurface surface(painter, fonts, 300, 300);
        EXPECT_EQ(surface.DpiX(), 300);
        surface.SelectPen(Pen{PenStyle::Dash, 1, 0xff});
        surface.SetClipRect(Rect{0, 0, 100, 100});
        surface.ClearClip();
    }
    EXPECT_EQ(painter.pen().width(), 7);
    EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
    EXPECT_TRUE(painter.hasClipping());
    EXPECT_EQ(painter.clipBoundingRect().toRect(), QRect(0, 0, 10, 10));
}

// On a vector device text is drawn without a saved state around it, so the surface itself must
// hand the painter the text colour and give the shapes their pen back. A picture is such a
// device; replayed onto an image, every mark must have the colour it was drawn in.
TEST(QPainterSurface, TextAndShapesKeepTheirColoursOnAVectorDevice) {
    FontResolver fonts;
    QPicture picture;
    {
        QPainter painter(&picture);
        QPainterSurface surface(painter, fonts, 96, 96);
        CreateLogFont(surface, 0, 30, "ＭＳ ゴシック", 0, nullptr);
        surface.SetTextAlign(TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        DrawLine(surface, 10, 10, 390, 10, 0, 1, 0x0000ff);  // red, pen put back afterwards
        surface.SetTextColour(0xff0000);                     // blue
        surface.TextOut(10, 30, "深度");
        surface.SelectPen(Pen{PenStyle::Solid, 3, 0x00ff00});  // green, kept
        surface.Line(10, 100, 390, 100);
        surface.SetTextColour(0x00ff00);  // the pen's own colour
        surface.TextOut(110, 30, "深度");
        surface.SetTextColour(0xff0000);
        surface.TextOut(210, 30, "深度");
        surface.Line(10, 130, 390, 130);  // still the green pen, not a text pen
        surface.SetTextColour(0x0000ff);
        surface.DrawTextBox(Rect{10, 150, 390, 190}, "深度\n深度", TextBox::kNoClip);
        surface.Line(10, 240, 390, 240);
    }
    QImage image = WhiteImage(400, 260);
    {
        QPainter painter(&image);
        picture.play(&painter);
    }
    const auto dominant = [&](int left, int top, int right, int bottom) {
        int counts[3] = {0, 0, 0};  // red, green, blue
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const QColor c(image.pixel(x, y));
                if (c == Qt::white) continue;
                if (c.red() > c.green() && c.red() > c.blue()) ++counts[0];
                else if (c.green() > c.red() && c.green() > c.blue()) ++counts[1];
                else if (c.blue() > c.red() && c.blue() > c.green()) ++counts[2];
            }
        const int total = counts[0] + counts[1] + counts[2];
        if (total == 0) return std::string("nothing");
        for (int i = 0; i < 3; ++i)
            if (counts[i] == total) return std::string(i == 0 ? "red" : i == 1 ? "green" : "blue");
        return std::string("mixed");
    };
    EXPECT_EQ(dominant(0, 5, 400, 15), "red");
    EXPECT_EQ(dominant(0, 25, 100, 90), "blue");
    EXPECT_EQ(dominant(100, 25, 200, 90), "green");
    EXPECT_EQ(dominant(200, 25, 300, 90), "blue");
    EXPECT_EQ(dominant(0, 95, 400, 105), "green");
    EXPECT_EQ(dominant(0, 125, 400, 135), "green");
    EXPECT_EQ(dominant(0, 145, 400, 230), "red");
    EXPECT_EQ(dominant(0, 235, 400, 245), "green");
    // The kept pen is 3 pixels wide after the texts as before them.
    for (int y : {100, 130}) {
        EXPECT_EQ(QColor(image.pixel(200, y - 1)), QColor(0, 255, 0)) << y;
        EXPECT_EQ(QColor(image.pixel(200, y + 1)), QColor(0, 255, 0)) << y;
        EXPECT_EQ(QColor(image.pixel(200, y + 3)), QColor(255, 255, 255)) << y;
    }
}

// On a vector device the characters a clip hides wholly are not written at all (a PDF's text
// layer would hold them over the next column); those it shows, even in part, are.
TEST(QPainterSurface, CharactersHiddenByTheClipLeaveTheTextOfAVectorPage) {
    const std::string text = "ABCDEFGHIJ";
    FontResolver fonts;
    // The advance of text's first n characters, as the surface measures them.
    QImage image = WhiteImage();
    QPainter measuring(&image);
    QPainterSurface ruler(measuring, fonts, 96, 96);
    CreateLogFont(ruler, 0, 20, "ＭＳ ゴシック", 0, nullptr);
    const auto advance = [&](std::size_t n) { return n == 0 ? 0 : ruler.MeasureText(text.substr(0, n)).width; };
    const auto svgText = [&](const Rect* clip, int x, HorizontalAlign align) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(400, 200));
        svg.setResolution(96);
        {
            QPainter painter(&svg);
            QPainterSurface surface(painter, fonts, 96, 96);
            CreateLogFont(surface, 0, 20, "ＭＳ ゴシック", 0, nullptr);
            surface.SetTextAlign(TextAlign{align, VerticalAlign::Top});
            if (clip) surface.SetClipRect(*clip);
            surface.TextOut(x, 50, text);
        }
        QString joined;
        const QRegularExpression element(QStringLiteral("<text[^>]*>([^<]*)</text>"));
        for (auto it = element.globalMatch(QString::fromUtf8(buffer.data())); it.hasNext();) joined += it.next().captured(1);
        return joined.toStdString();
    };
    EXPECT_EQ(svgText(nullptr, 50, HorizontalAlign::Left), text);
    const Rect rightEdge{0, 0, 100, 200};
    for (int x : {40, 47, 53, 60}) {
        SCOPED_TRACE(x);
        // What stays starts the text; the last character kept starts inside the clip (it may
        // be cut), the first one left out starts at or past the clip's edge.
        const std::string shown = svgText(&rightEdge, x, HorizontalAlign::Left);
        ASSERT_FALSE(shown.empty());
        ASSERT_LT(shown.size(), text.size());
        EXPECT_EQ(text.compare(0, shown.size(), shown), 0) << shown;
        EXPECT_LT(x + advance(shown.size() - 1), 100) << shown;
        EXPECT_GE(x + advance(shown.size()), 100) << shown;
    }
    // Right-aligned against a clip on the left: the first characters go.
    const Rect leftEdge{25, 0, 400, 200};
    const int right = 80;
    const std::string shown = svgText(&leftEdge, right, HorizontalAlign::Right);
    ASSERT_FALSE(shown.empty());
    ASSERT_LT(shown.size(), text.size());
    const std::size_t dropped = text.size() - shown.size();
    EXPECT_EQ(text.substr(dropped), shown);
    const int left = right - advance(text.size());
    EXPECT_LE(left + advance(dropped), 25);
    EXPECT_GT(left + advance(dropped + 1), 25);
}
