#include "render/QPainterSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>

#include <cmath>

#include "core/Cp932.h"
#include "render/FontResolver.h"

namespace stracol::render {

namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPolygon ToQPolygon(const std::vector<Point>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& p : points) polygon << QPoint(p.x, p.y);
    return polygon;
}

// Direction of a point seen from a centre, in degrees counter-clockwise from 3 o'clock
// (device y grows downwards).
double DirectionDegrees(double cx, double cy, Point p) {
    return std::atan2(-(p.y - cy), p.x - cx) * 180.0 / M_PI;
}

// Styled lines keep the look of 1-pixel screen dashes at any resolution.
QList<qreal> DashPattern(PenStyle style, double scale) {
    QList<qreal> base;
    switch (style) {
        case PenStyle::Dash: base = {18, 6}; break;
        case PenStyle::Dot: base = {3, 3}; break;
        case PenStyle::DashDot: base = {9, 6, 3, 6}; break;
        case PenStyle::DashDotDot: base = {9, 3, 3, 3, 3, 3}; break;
        default: break;
    }
    for (qreal& v : base) v *= scale;
    return base;
}

constexpr int kDefaultFontHeightAt96 = 12;

Rect BoundsOf(const std::vector<Point>& points) {
    Rect r{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const Point& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xff), static_cast<int>((colour >> 8) & 0xff),
                  static_cast<int>((colour >> 16) & 0xff));
}

QPainterSurface::QPainterSurface(QPainter& painter, FontResolver& fonts, int dpiX, int dpiY)
    : m_painter(painter), m_fonts(fonts) {
    QPaintDevice* device = painter.device();
    m_dpiX = dpiX > 0 ? dpiX : (device ? device->logicalDpiX() : 96);
    m_dpiY = dpiY > 0 ? dpiY : (device ? device->logicalDpiY() : 96);
    // On a raster device the saved state costs little, and text placed by one offset instead
    // of a move and an offset would round a sub-pixel differently.
    const QPaintEngine* engine = painter.paintEngine();
    m_directText = engine && engine->type() != QPaintEngine::Raster;
    m_painter.save();
    m_hadClipping = m_painter.hasClipping();
    if (m_hadClipping) m_initialClip = m_painter.clipRegion();
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    ApplyPen();
    ApplyBrush();
    LogFont initial;
    initial.height = std::max(1, m_dpiY * kDefaultFontHeightAt96 / 96);
    SelectFont(initial);
}

QPainterSurface::~QPainterSurface() { m_painter.restore(); }

// The pen and brush reach the painter only when something is drawn with them: the primitives
// select a pen, draw and put the previous one back, and a painter given every change would
// write the pen out again before each line of a PDF page.
void QPainterSurface::ApplyPenAndBrush() {
    if (m_textPenApplied || (m_penChanged && !(m_pen == m_appliedPen))) ApplyPen();
    if (m_brushChanged && !(m_brush == m_appliedBrush)) ApplyBrush();
    m_penChanged = m_brushChanged = false;
}

void QPainterSurface::ApplyPen() {
    m_appliedPen = m_pen;
    m_textPenApplied = false;
    if (!m_pen.Visible()) {
        m_painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(m_pen.colour));
    pen.setWidth(m_pen.width);
    pen.setCapStyle(m_pen.width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(m_pen.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    // As on the log's original printers, dash styles apply to 1-pixel pens only; wider pens
    // of any style draw solid.
    if (m_pen.width == 1 && m_pen.style != PenStyle::Solid)
        pen.setDashPattern(DashPattern(m_pen.style, std::max(1.0, m_dpiX / 96.0)));
    m_painter.setPen(pen);
}

void QPainterSurface::ApplyBrush() {
    m_appliedBrush = m_brush;
    if (m_brush.solid) m_painter.setBrush(QBrush(ToQColor(m_brush.colour)));
    else m_painter.setBrush(Qt::NoBrush);
}

Pen QPainterSurface::SelectPen(const Pen& pen) {
    Pen previous = m_pen;
    m_pen = pen;
    m_penChanged = true;
    return previous;
}

Brush QPainterSurface::SelectBrush(const Brush& brush) {
    Brush previous = m_brush;
    m_brush = brush;
    m_brushChanged = true;
    return previous;
}

bool QPainterSurface::SelectFont(const LogFont& logFont) {
    int wanted = std::abs(logFont.height);
    if (wanted > kMaxFontHeight) return false;
    if (wanted == 0) wanted = std::max(1, m_dpiY * kDefaultFontHeightAt96 / 96);
    const QPaintDevice* device = m_painter.device();
    const std::string key = logFont.faceName + '\x1f' + std::to_string(logFont.height) + '\x1f' +
                            std::to_string(m_dpiY) + '\x1f' + std::to_string(device ? device->logicalDpiX() : 0) +
                            'x' + std::to_string(device ? device->logicalDpiY() : 0);
    if (const FontResolver::MadeFont* made = m_fonts.FontMadeFor(key)) {
        m_font = made->font;
        m_measures = made->measures;
        m_logFont = logFont;
        m_fontKey = key;
        return true;
    }
    QFont font(m_fonts.Resolve(logFont.faceName));
    font.setStyleHint(IsGothicFace(logFont.faceName) ? QFont::SansSerif : QFont::Serif);
    font.setKerning(false);
    font.setPixelSize(wanted);
    if (logFont.height > 0) {
        // A positive height is the character cell (ascent + descent), not the em size.
        const FontMeasures& asked = m_fonts.MeasuresFor(font, m_painter.device());
        double cell = asked.ascent + asked.descent;
        if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted * wanted / cell))));
    }
    // Bound to the device once: a font of another resolution would be copied, and its font
    // engines looked up again, by every measure and every painter that takes it.
    m_font = device ? QFont(font, device) : font;
    m_measures = &m_fonts.MeasuresFor(m_font, m_painter.device());
    m_fonts.RememberFont(key, m_font, *m_measures);
    m_logFont = logFont;
    m_fontKey = key;
    return true;
}

// On a vector device, text that is neither turned nor narrowed is drawn without a saved painter
// state around it: a PDF page writes its whole graphics state out again on every save, move
// and restore, which made more than a third of a log page's drawing commands.
void QPainterSurface::ApplyTextState() {
    if (m_appliedFontKey.empty() || m_appliedFontKey != m_fontKey) {
        m_painter.setFont(m_font);
        m_appliedFontKey = m_fontKey;
    }
    // Text takes only the colour of the pen, so a visible shape pen of the text colour draws
    // it as well and stays for the shapes that follow.
    const bool shapePenWillDo = !m_textPenApplied && m_appliedPen.Visible() && m_appliedPen.colour == m_textColour;
    if (shapePenWillDo || (m_textPenApplied && m_appliedTextColour == m_textColour)) return;
    m_painter.setPen(ToQColor(m_textColour));
    m_appliedTextColour = m_textColour;
    m_textPenApplied = true;
}

FontMetrics QPainterSurface::Metrics() const {
    QFontMetrics metrics(m_font, m_painter.device());
    FontMetrics m;
    m.ascent = metrics.ascent();
    m.descent = metrics.descent();
    m.height = m.ascent + m.descent;
    m.externalLeading = std::max(0, metrics.leading());
    return m;
}

TextAlign QPainterSurface::SetTextAlign(TextAlign align) {
    TextAlign previous = m_align;
    m_align = align;
    return previous;
}

Size QPainterSurface::MeasureText(std::string_view text) const {
    int height = static_cast<int>(std::lround(m_measures->ascent + m_measures->descent));
    if (text.empty()) return Size{0, height};
    return Size{static_cast<int>(std::lround(Advance(text) * WidthFactor())), height};
}

double QPainterSurface::Advance(std::string_view text) const {
    return FontResolver::Advance(*m_measures, m_font, m_painter.device(), text);
}

double QPainterSurface::WidthFactor() const {
    const int percent = m_logFont.widthPercent;
    return percent > 0 && percent < 100 ? percent / 100.0 : 1.0;
}

// A shape whose bounds lie wholly outside the clip, with room for the pen around them, would
// leave no mark; it is not handed to the painter (a PDF page would still carry it). The room
// also keeps a shape within about a millimetre of the clip, since a reader that rasterises
// the page smooths the clip's edge over whole pixels of its own resolution.
bool QPainterSurface::OutsideClip(const Rect& bounds) const {
    if (!m_hasClip) return false;
    const int room = (m_pen.Visible() ? m_pen.width : 0) + std::max(2, std::max(m_dpiX, m_dpiY) / 24);
    return OutsideClip(bounds.left - room, bounds.top - room, bounds.right + room, bounds.bottom + room);
}

bool QPainterSurface::OutsideClip(double left, double top, double right, double bottom) const {
    if (!m_hasClip) return false;
    return right <= m_clip.left || left >= m_clip.right || bottom <= m_clip.top || top >= m_clip.bottom;
}

void QPainterSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    const double width = Advance(text);
    const double ascent = m_measures->ascent;
    const double descent = m_measures->descent;
    double dx = 0;
    if (m_align.horizontal == HorizontalAlign::Centre) dx = -width / 2;
    else if (m_align.horizontal == HorizontalAlign::Right) dx = -width;
    double dy = 0;
    if (m_align.vertical == VerticalAlign::Top) dy = ascent;
    else if (m_align.vertical == VerticalAlign::Bottom) dy = -descent;
    const double factor = WidthFactor();
    if (m_logFont.escapement == 0) {
        // A text wholly outside the clip is not drawn at all: it would still be found in the
        // text layer of a PDF page that does not show it.
        const double left = x + dx * factor;
        const double top = y + dy - ascent;
        if (OutsideClip(left, top, left + width * factor, top + ascent + descent)) return;
    }
    std::string_view shown = text;
    if (m_directText && m_logFont.escapement == 0 && m_hasClip) {
        // Characters the clip hides wholly are left out: a PDF's text layer would still hold
        // them, over the texts of the next column.
        const double left = x + dx * factor;
        if (left < m_clip.left || left + width * factor > m_clip.right) {
            // Each character is measured by itself (kerning is off, so the text is as wide as
            // its characters): a long text costs one measure per character, not per prefix.
            std::size_t first = text.size();
            std::size_t end = 0;
            double firstOffset = 0;  // unscaled, from the text's start
            double from = 0;
            for (std::size_t i = 0; i < text.size();) {
                const std::size_t next = i + core::Utf8CharLength(text, i);
                const double to = from + Advance(text.substr(i, next - i));
                if (left + to * factor > m_clip.left && left + from * factor < m_clip.right) {
                    if (first == text.size()) {
                        first = i;
                        firstOffset = from;
                    }
                    end = next;
                }
                if (left + from * factor >= m_clip.right) break;
                from = to;
                i = next;
            }
            if (first >= end) return;
            shown = text.substr(first, end - first);
            dx += firstOffset;
        }
    }
    const QString qtext = ToQString(shown);
    if (m_directText && m_logFont.escapement == 0 && factor == 1.0) {
        ApplyTextState();
        m_painter.drawText(QPointF(x + dx, y + dy), qtext);
        return;
    }
    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.translate(x, y);
    // Escapement counts counter-clockwise; the painter turns clockwise (y grows downwards).
    if (m_logFont.escapement != 0) m_painter.rotate(-m_logFont.escapement / 10.0);
    if (factor != 1.0) m_painter.scale(factor, 1.0);
    m_painter.drawText(QPointF(dx, dy), qtext);
    m_painter.restore();
}

Rect QPainterSurface::DrawTextBox(const Rect& box, std::string_view text, unsigned flags) {
    const Rect b = box.Normalised();
    if (text.empty()) return Rect{b.left, b.top, b.left, b.top};
    int qtFlags = 0;
    if (flags & TextBox::kCentre) qtFlags |= Qt::AlignHCenter;
    else if (flags & TextBox::kRight) qtFlags |= Qt::AlignRight;
    else qtFlags |= Qt::AlignLeft;
    if (flags & TextBox::kVCentre) qtFlags |= Qt::AlignVCenter;
    else if (flags & TextBox::kBottom) qtFlags |= Qt::AlignBottom;
    else qtFlags |= Qt::AlignTop;
    if (flags & TextBox::kSingleLine) qtFlags |= Qt::TextSingleLine;
    else if (flags & TextBox::kWordBreak) qtFlags |= Qt::TextWordWrap;
    if (flags & TextBox::kNoClip) qtFlags |= Qt::TextDontClip;
    const QString qtext = ToQString(text);
    // Narrowed text is laid out in a box widened by the same factor, then squeezed back.
    const double factor = WidthFactor();
    if (!(flags & (TextBox::kWordBreak | TextBox::kSingleLine)) && qtext.contains(QLatin1Char('\n')))
        return DrawLinesAtPitch(b, qtext, qtFlags, flags);
    const int logicalWidth = static_cast<int>(std::lround(b.Width() / factor));
    const QRect rect(0, 0, logicalWidth, b.Height());
    QFontMetrics metrics(m_font, m_painter.device());
    const QRect bounds = metrics.boundingRect(rect, qtFlags, qtext);
    if (!(flags & TextBox::kCalcRect)) {
        const double left = b.left + bounds.left() * factor;
        const double top = b.top + bounds.top();
        if (OutsideClip(left, top, left + bounds.width() * factor, top + bounds.height()))
            return Rect{b.left, b.top, b.left + static_cast<int>(std::lround(bounds.width() * factor)),
                        b.top + bounds.height()};
        if (m_directText && factor == 1.0) {
            ApplyTextState();
            m_painter.drawText(rect.translated(b.left, b.top), qtFlags, qtext);
            return Rect{b.left, b.top, b.left + bounds.width(), b.top + bounds.height()};
        }
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setPen(ToQColor(m_textColour));
        m_painter.translate(b.left, b.top);
        if (factor != 1.0) m_painter.scale(factor, 1.0);
        m_painter.drawText(rect, qtFlags, qtext);
        m_painter.restore();
    }
    return Rect{b.left, b.top, b.left + static_cast<int>(std::lround(bounds.width() * factor)), b.top + bounds.height()};
}

// Lines broken by the caller stand one text height apart (the height MeasureText gives and
// layout counts with), not at the font's line spacing, which adds its leading and rounding.
Rect QPainterSurface::DrawLinesAtPitch(const Rect& b, const QString& text, int qtFlags, unsigned flags) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int pitch = MeasureText("あ").height;
    const int height = pitch * static_cast<int>(lines.size());
    int top = b.top;
    if (flags & TextBox::kVCentre) top = b.top + (b.Height() - height) / 2;
    else if (flags & TextBox::kBottom) top = b.bottom - height;
    const double factor = WidthFactor();
    const int logicalWidth = static_cast<int>(std::lround(b.Width() / factor));
    const int lineFlags = (qtFlags & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    QFontMetrics metrics(m_font, m_painter.device());
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int width = static_cast<int>(std::lround(widest * factor));
    const Rect covered{b.left, top, b.left + width, top + height};
    if (flags & TextBox::kCalcRect) return Rect{b.left, b.top, b.left + width, b.top + height};
    if (OutsideClip(covered.left, covered.top, covered.right, covered.bottom)) return covered;
    if (m_directText && factor == 1.0) {
        ApplyTextState();
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty()) continue;
            m_painter.drawText(QRect(b.left, top + i * pitch, logicalWidth, pitch), lineFlags, lines[i]);
        }
        return covered;
    }
    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.translate(b.left, top);
    if (factor != 1.0) m_painter.scale(factor, 1.0);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        m_painter.drawText(QRect(0, i * pitch, logicalWidth, pitch), lineFlags, lines[i]);
    }
    m_painter.restore();
    return covered;
}

void QPainterSurface::Line(int x1, int y1, int x2, int y2) {
    if (!m_pen.Visible()) return;
    if (OutsideClip(Rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)})) return;
    ApplyPenAndBrush();
    m_painter.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void QPainterSurface::Rectangle(const Rect& rect) {
    const Rect r = rect.Normalised();
    if (OutsideClip(r)) return;
    ApplyPenAndBrush();
    if (m_pen.Visible()) {
        // The outline covers pixels left … right − 1, like the fill.
        m_painter.drawRect(QRect(r.left, r.top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1)));
    } else if (m_brush.solid) {
        m_painter.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQColor(m_brush.colour));
    }
}

void QPainterSurface::Ellipse(const Rect& bounds) {
    const Rect r = bounds.Normalised();
    if (OutsideClip(r)) return;
    ApplyPenAndBrush();
    if (m_pen.Visible()) m_painter.drawEllipse(QRect(r.left, r.top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1)));
    else m_painter.drawEllipse(QRect(r.left, r.top, r.Width(), r.Height()));
}

void QPainterSurface::Arc(const Rect& bounds, Point start, Point end) {
    if (!m_pen.Visible()) return;
    const Rect r = bounds.Normalised();
    if (OutsideClip(r)) return;
    ApplyPenAndBrush();
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    const double a1 = DirectionDegrees(cx, cy, start);
    double span = DirectionDegrees(cx, cy, end) - a1;
    while (span <= 1e-9) span += 360.0;
    while (span > 360.0) span -= 360.0;
    m_painter.drawArc(QRectF(r.left, r.top, r.Width(), r.Height()), static_cast<int>(std::lround(a1 * 16)),
                      static_cast<int>(std::lround(span * 16)));
}

void QPainterSurface::Polygon(const std::vector<Point>& points) {
    if (points.empty() || OutsideClip(BoundsOf(points))) return;
    ApplyPenAndBrush();
    m_painter.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
}

void QPainterSurface::FillPolygonArea(const std::vector<Point>& points, Colour colour) {
    if (points.size() < 3 || OutsideClip(BoundsOf(points))) return;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(colour));
    m_painter.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
    m_painter.restore();
}

void QPainterSurface::SetClipRect(const Rect& rect) {
    const Rect r = rect.Normalised();
    m_hasClip = true;
    m_clip = r;
    const QRect qr(r.left, r.top, r.Width(), r.Height());
    // A clip the caller had (the region being repainted) stays in force underneath.
    if (m_hadClipping) {
        m_painter.setClipRegion(m_initialClip);
        m_painter.setClipRect(qr, Qt::IntersectClip);
    } else {
        m_painter.setClipRect(qr, Qt::ReplaceClip);
    }
}

bool QPainterSurface::CurrentClip(Rect& clip) const {
    if (m_hasClip) clip = m_clip;
    return m_hasClip;
}

void QPainterSurface::ClearClip() {
    m_hasClip = false;
    if (m_hadClipping) m_painter.setClipRegion(m_initialClip);
    else m_painter.setClipping(false);
}

void QPainterSurface::StretchBitmap(const Rect& dest, const QImage& image, RasterOp op) {
    if (image.isNull()) return;
    const Rect d = dest.Normalised();
    const QRect target(d.left, d.top, d.Width(), d.Height());
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (op == RasterOp::Copy) {
        m_painter.drawImage(target, image);
    } else {
        QPaintEngine* engine = m_painter.paintEngine();
        if (engine && engine->hasFeature(QPaintEngine::RasterOpModes)) {
            m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            m_painter.drawImage(target, image.convertToFormat(QImage::Format_RGB32));
        } else if (engine && engine->hasFeature(QPaintEngine::BlendModes)) {
            // Multiplying is AND for black-and-white patterns and close to it for colours.
            m_painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            m_painter.drawImage(target, image.convertToFormat(QImage::Format_RGB32));
        } else {
            // Without raster operations (PDF, SVG, some printers): white leaves what is
            // there, every other pixel covers it.
            QImage masked = image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < masked.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
                for (int x = 0; x < masked.width(); ++x)
                    if ((line[x] & 0x00ffffff) == 0x00ffffff) line[x] = 0;
            }
            m_painter.drawImage(target, masked);
        }
    }
    m_painter.restore();
}

}  // namespace stracol::render
