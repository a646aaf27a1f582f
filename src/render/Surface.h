#pragma once
// The drawing surface of the log: the few operations the log needs, in device pixels
// (one unit is one device pixel, y grows downwards). Every output (screen, preview, printer,
// PDF, image, SVG) draws through QPainterSurface; tests record through RecordingSurface.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

class QImage;

namespace stracol::render {

// A 24-bit colour 0x00BBGGRR: red in the low byte, blue in the high byte.
using Colour = std::uint32_t;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its edges; right and bottom lie just outside it (pixels left … right − 1).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // The same rectangle with left ≤ right and top ≤ bottom.
    Rect Normalised() const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// True when the segment a–b passes through the inside of r.
bool SegmentCrossesRect(Point a, Point b, const Rect& r);

// The pen styles of the log: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, None = 5 };

// Any number outside 0-5 draws solid.
PenStyle PenStyleFromCode(int code);

// A pen of width 0 or of style None draws nothing.
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;  // px
    Colour colour = 0;
    bool Visible() const { return width > 0 && style != PenStyle::None; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A solid brush of one colour, or no fill at all.
struct Brush {
    bool solid = true;
    Colour colour = 0xffffff;
    static Brush Solid(Colour colour) { return Brush{true, colour}; }
    static Brush Hollow() { return Brush{false, 0}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

// The log font: the stored face name (e.g. "ＭＳ Ｐ明朝"), the height in device pixels and
// the escapement in tenths of a degree, counter-clockwise (2700 runs the text downwards).
// A positive height is the character cell (ascent + descent), a negative one the em size.
// Character set Shift-JIS and the speed-preferring quality are implied.
// widthPercent narrows the characters horizontally (100: the font's own width); a text too
// wide for its cell is first set narrower, down to kMinTextWidthPercent.
struct LogFont {
    std::string faceName = "ＭＳ Ｐ明朝";
    int height = 12;
    int escapement = 0;
    int widthPercent = 100;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// Metrics of the selected font in device pixels.
struct FontMetrics {
    int height = 0;           // ascent + descent
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
};

enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Baseline, Bottom };

// Where the reference point of TextOut lies on the text.
struct TextAlign {
    HorizontalAlign horizontal = HorizontalAlign::Left;
    VerticalAlign vertical = VerticalAlign::Top;
    friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

// Flags of text in a box (they combine with |).
namespace TextBox {
inline constexpr unsigned kLeft = 0x0000;
inline constexpr unsigned kCentre = 0x0001;
inline constexpr unsigned kRight = 0x0002;
inline constexpr unsigned kTop = 0x0000;
inline constexpr unsigned kVCentre = 0x0004;   // one line only, as the log uses it
inline constexpr unsigned kBottom = 0x0008;
inline constexpr unsigned kWordBreak = 0x0010; // wrap at blanks and between wide characters
inline constexpr unsigned kSingleLine = 0x0020;
inline constexpr unsigned kNoClip = 0x0100;
inline constexpr unsigned kCalcRect = 0x0400;  // measure only: nothing is drawn
}  // namespace TextBox

// The columns of the depth part in device pixels (left edge of the first column, then the
// right edge of each), and how far inside its rules a text keeps. While a surface has them,
// every text written at a point through the log's text operations is fitted into the
// column its reference point stands in.
// Texts already written in each column are kept too: a text that would overprint one of
// them is moved down below it.
struct TextColumns {
    std::vector<int> edges;
    int insetPx = 0;
    int rightTickPx = 0;  // of the last column, the part the scale's ticks take at its right end
    std::vector<std::vector<Rect>> written;  // per column (index k for edges[k-1]..edges[k])

    // The column whose span holds x (1-based; 0 when none does).
    int ColumnAt(int x) const {
        for (std::size_t k = 1; k < edges.size(); ++k)
            if (edges[k] > edges[k - 1] && x >= edges[k - 1] && x < edges[k]) return static_cast<int>(k);
        return 0;
    }
    // The texts written in the column whose span holds x (none when no column does).
    const std::vector<Rect>& WrittenAt(int x) const {
        static const std::vector<Rect> kNone;
        const int k = ColumnAt(x);
        return k > 0 && static_cast<std::size_t>(k) < written.size() ? written[static_cast<std::size_t>(k)] : kNone;
    }
    // The box moved down (by whole steps past the texts in its way) until it overprints no
    // text written in its column; then kept as written.
    Rect Claim(Rect box);
    // Keeps a box as written without moving it.
    void Keep(const Rect& box);

    // The page: its depth window in pixels, the step from one page to the next (the page
    // bottoms lie at windowBottom + j × pageStepPx) and whether a page comes before it. A text
    // is never cut by a page break: it goes whole to the page holding most of it.
    int windowTop = -32768;
    int windowBottom = 32767;
    double pageStepPx = 0;
    bool firstPage = true;
    // Moves a one-line box off a page break; false when it then stands whole on another page.
    bool PlaceOnPage(Rect& box) const;
    // Lays a text's box in its column: off the page breaks, below the texts already written
    // there (and off a page break again), kept as written. Every page lays the texts of a
    // column alike, whether it shows them or not; true when this page shows it.
    bool Lay(Rect& box);
    // How far the last text laid was moved down out of the way of texts written before it (px).
    int lastMovedPx = 0;
    // True when a line at top is shown whole on the page before (it starts above the window).
    bool OnPageBefore(int top, int lineHeight) const {
        return !firstPage && top < windowTop && top + lineHeight > windowTop;
    }

    // The same page in metres of depth. Pixel positions are rounded differently on every page,
    // so a line next to a page break could be given to the next page by one page and to the
    // page before by the other, and be shown on neither; lines laid in metres are laid alike
    // on every page.
    double windowTopM = -1e300;
    double windowBottomM = 1e300;
    double pageStepM = 0;
    // The top of a line heightM deep wanted at topM: moved down to the page break it would
    // straddle.
    double LineTopOffBreaksM(double topM, double heightM) const;
    // True when a line at topM is shown on this page: not shown whole on the page before, and
    // inside the window.
    bool ShowsLineM(double topM, double heightM) const;
    // True when a page break lies below fromM and not below toM.
    bool BreakBetweenM(double fromM, double toM) const;

    // The depth cell (m) the texts being laid belong to, while CellOnPage holds it (else NaN).
    // A text over a page break goes to the page its cell lies on, when the cell lies wholly
    // on one side of the break: the values of a test just below a break stay together below it.
    double cellTopM = std::numeric_limits<double>::quiet_NaN();
    double cellBottomM = std::numeric_limits<double>::quiet_NaN();
};

// Names the depth cell of the texts laid while it lives (see TextColumns::cellTopM); the
// cell named before comes back afterwards. Nothing without text columns.
class CellOnPage {
public:
    CellOnPage(TextColumns* columns, double topM, double bottomM) : m_columns(columns) {
        if (!m_columns) return;
        m_top = m_columns->cellTopM;
        m_bottom = m_columns->cellBottomM;
        m_columns->cellTopM = topM;
        m_columns->cellBottomM = bottomM;
    }
    ~CellOnPage() {
        if (!m_columns) return;
        m_columns->cellTopM = m_top;
        m_columns->cellBottomM = m_bottom;
    }
    CellOnPage(const CellOnPage&) = delete;
    CellOnPage& operator=(const CellOnPage&) = delete;

private:
    TextColumns* m_columns;
    double m_top = 0;
    double m_bottom = 0;
};

// How a stretched bitmap meets what is already drawn.
enum class RasterOp { Copy, And };

class Surface {
public:
    virtual ~Surface() = default;

    // Device resolution in dots per inch.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;

    // Selecting returns what was selected before, so a caller can put it back.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Pen CurrentPen() const = 0;
    virtual Brush CurrentBrush() const = 0;

    // False when the font cannot be made; the previous font then stays selected.
    virtual bool SelectFont(const LogFont& font) = 0;
    virtual LogFont CurrentFont() const = 0;
    virtual FontMetrics Metrics() const = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual Colour TextColour() const = 0;
    // Returns the previous alignment.
    virtual TextAlign SetTextAlign(TextAlign align) = 0;
    virtual TextAlign CurrentTextAlign() const = 0;

    // Width and cell height of one line of text with the selected font.
    virtual Size MeasureText(std::string_view text) const = 0;
    // One line at the reference point, placed by the current alignment and turned by the
    // font's escapement; the background stays transparent.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Text in a box with TextBox flags. Returns the rectangle the text covers (with
    // kCalcRect: would cover), starting at the box's top-left corner.
    virtual Rect DrawTextBox(const Rect& box, std::string_view text, unsigned flags) = 0;

    // Shapes with the current pen (outline) and brush (fill).
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Rectangle(const Rect& rect) = 0;
    virtual void Ellipse(const Rect& bounds) = 0;
    // Counter-clockwise arc of the ellipse in bounds, from the direction of start to the
    // direction of end (both seen from the centre); equal directions give the full ellipse.
    virtual void Arc(const Rect& bounds, Point start, Point end) = 0;
    virtual void Polygon(const std::vector<Point>& points) = 0;
    // Fills exactly the polygon's interior with a solid colour (no outline).
    virtual void FillPolygonArea(const std::vector<Point>& points, Colour colour) = 0;

    // A clip rectangle replaces the previous one; ClearClip lifts it.
    virtual void SetClipRect(const Rect& rect) = 0;
    virtual void ClearClip() = 0;
    // The clip rectangle in force; false when none is.
    virtual bool CurrentClip(Rect& clip) const = 0;

    // The whole image stretched into dest, copied or AND-ed with what is there.
    virtual void StretchBitmap(const Rect& dest, const QImage& image, RasterOp op) = 0;

    // The columns texts are fitted into (none: texts stand where they are written).
    void SetTextColumns(TextColumns* columns) { m_textColumns = columns; }
    TextColumns* CurrentTextColumns() const { return m_textColumns; }

private:
    TextColumns* m_textColumns = nullptr;
};

// Puts the clip in force back when the object goes (a clip of its own may be set meanwhile).
class ClipScope {
public:
    explicit ClipScope(Surface& surface) : m_surface(surface), m_had(surface.CurrentClip(m_previous)) {}
    ~ClipScope() {
        if (m_had) m_surface.SetClipRect(m_previous);
        else m_surface.ClearClip();
    }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Surface& m_surface;
    Rect m_previous;
    bool m_had;
};

// Selects a pen for the life of the object and puts the previous one back.
class PenScope {
public:
    PenScope(Surface& surface, const Pen& pen) : m_surface(surface), m_previous(surface.SelectPen(pen)) {}
    ~PenScope() { m_surface.SelectPen(m_previous); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    Surface& m_surface;
    Pen m_previous;
};

// Selects a brush for the life of the object and puts the previous one back.
class BrushScope {
public:
    BrushScope(Surface& surface, const Brush& brush) : m_surface(surface), m_previous(surface.SelectBrush(brush)) {}
    ~BrushScope() { m_surface.SelectBrush(m_previous); }
    BrushScope(const BrushScope&) = delete;
    BrushScope& operator=(const BrushScope&) = delete;

private:
    Surface& m_surface;
    Brush m_previous;
};

// Sets a text alignment for the life of the object and puts the previous one back.
class TextAlignScope {
public:
    TextAlignScope(Surface& surface, TextAlign align) : m_surface(surface), m_previous(surface.SetTextAlign(align)) {}
    ~TextAlignScope() { m_surface.SetTextAlign(m_previous); }
    TextAlignScope(const TextAlignScope&) = delete;
    TextAlignScope& operator=(const TextAlignScope&) = delete;

private:
    Surface& m_surface;
    TextAlign m_previous;
};

}  // namespace stracol::render
