#pragma once
// The view-wide page state of the log: device resolution, scales, margins, title height,
// paper size and pagination, and the conversions between log coordinates (x in millimetres
// of style width from the left margin, y in metres of depth below the top of the depth
// area, negative inside the title block) and device pixels.

namespace stracol::app { struct SystemSettings; }
namespace stracol::borehole { struct BoreholeRecord; }

namespace stracol::render {

class Surface;

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kInchPerMm = 0.03937007874015748;
inline constexpr int kCoordinateLimit = 32767;
// Paper size until a printer answered.
inline constexpr int kDefaultPaperMm = 280;
// The part of the paper length that cannot be printed on.
inline constexpr int kPaperUnusableMm = 32;

struct PageGeometry {
    int dpiX = 96;
    int dpiY = 96;
    double pxPerMmX = 96 * kInchPerMm;
    double pxPerMmY = 96 * kInchPerMm;
    int horizontalScale = 100;       // denominator H of 1/H
    int depthScale = 100;            // denominator S of 1/S
    bool depthOnlyScaled = true;     // ScaleDataOnly "深度データ部のみ縮尺有効": title stays at 1/100
    double xFactor = 96 * kInchPerMm;          // px per mm of style width
    double depthPxPerMetre = 10 * 96 * kInchPerMm;
    double titlePxPerMetre = 10 * 96 * kInchPerMm;
    double leftMarginMm = 5;
    double topMarginMm = 5;
    double titleHeight = 11.0;       // m at title scale (TitleTotal)
    int freeArticleHeightMm = 0;
    double depthOffset = 0;          // m, added to every depth before scaling
    int lineHeight = 0;              // px: text height plus external leading
    int paperWidthMm = kDefaultPaperMm;
    int paperLengthMm = kDefaultPaperMm;
    int usableLengthMm = kDefaultPaperMm - kPaperUnusableMm;
    double printStartDepth = 0;      // m, "印刷開始深度"
    int depthPerPage = 0;            // m, PageDepth "１ページの深度"
    int pageOverlap = 0;             // m, PageOverlapDepth "改ページの重複深度"
    double screenPageStart = 0;      // m
    int currentPage = 1;
    bool printing = false;
    double maxDepth = 0;             // m
    int screenFrameWidthMm = 350;
};

// Log coordinates to device pixels, truncated toward zero and clamped to ±32767.
int MmToX(const PageGeometry& g, double xMm);
int DepthToY(const PageGeometry& g, double depthM);
// Device pixels back to log coordinates (0 when the factor is not positive).
double XToMm(const PageGeometry& g, int x);
double YToDepth(const PageGeometry& g, int y);

// A length across in millimetres of style width, or down in metres at the current vertical
// scale, as a number of pixels (truncated toward zero).
int MmToPx(const PageGeometry& g, double mm);
int MetresToPx(const PageGeometry& g, double metres);

// The scale settings of the system settings record: PageDepth, PageOverlapDepth, ScaleDataOnly.
void ApplyPageSettings(PageGeometry& g, const app::SystemSettings& settings);
void StorePageSettings(const PageGeometry& g, app::SystemSettings& settings);

// The deepest depth of the borehole: the bottom depth of the last layer in use; 0 without layers.
double MaxDepthOf(const borehole::BoreholeRecord& record);

// Start of every paint: maxDepth, margins from the settings, resolution and factors from
// the surface, the line height from the surface's font.
void StartPaint(PageGeometry& g, Surface& surface, const app::SystemSettings& settings, double maxDepth);
// The same without a surface (resolution given).
void StartPaint(PageGeometry& g, int dpiX, int dpiY, const app::SystemSettings& settings, double maxDepth);

// The title part: the vertical scale of the title block, depth offset 0.
void UseTitleScale(PageGeometry& g);
// The depth part: the depth scale, depth offset minus the page start.
void UseDepthScale(PageGeometry& g, double pageStartM);

// Depth from one page's start to the next's (depth per page less the overlap), computed so
// that no setting can overflow it.
double PageStep(const PageGeometry& g);

// The start depth of the page being drawn. When printing, the screen page start becomes the
// print start depth and the page starts (depthPerPage − pageOverlap) × (currentPage − 1)
// further down; on the screen it is screenPageStart.
double FixPageStart(PageGeometry& g);

// Whole metres of depth that fit below margins, free-article field and title block on a
// usable paper length; 0 when they do not fit. A depth scale of 0 or less counts as 1/100.
int PrintableDepthPerPage(const PageGeometry& g, int usableLengthMm, double titleHeight, int depthScale,
                          bool depthOnlyScaled);

// The values the scale and depth change takes: both scale denominators, the data-only
// flag, the print start depth, the depth per page and the overlap.
struct ScaleAndDepth {
    int horizontalScale = 100;
    int depthScale = 100;
    bool depthOnlyScaled = true;
    double printStartDepth = 0;   // m
    int depthPerPage = 0;         // m
    int pageOverlap = 0;          // m
};
ScaleAndDepth CurrentScaleAndDepth(const PageGeometry& g);
// The printable depth per page for those values on the geometry's paper (usable length
// paperLengthMm − 32), title height, top margin and free-article field.
int PrintableDepthFor(const PageGeometry& g, const ScaleAndDepth& values);
// The scale and depth change: the scales, the data-only flag and the print start depth are
// taken, the screen page starts at the print start depth, the usable length follows the
// paper, the depth per page and the overlap are taken (an overlap not smaller than the depth
// per page becomes 0, so a page always moves on), and a screen page starting above 1 m is
// page 1.
void ChangeScaleAndDepth(PageGeometry& g, const ScaleAndDepth& values);

// Pages from printStartDepth to maxDepth; at least 1.
int PageCount(const PageGeometry& g);
// The end of the log as it is drawn: the bottom of the last page's depth window. Nothing
// below it is on any page. Without paging (depthPerPage − pageOverlap ≤ 0) there is no end.
double LogEndDepth(const PageGeometry& g);

// The print loop: one printed (or previewed) page is drawn with printing set and that page
// current; after the last page the screen shows page 1 again.
void BeginPrintedPage(PageGeometry& g, int page);
void EndPrintedPage(PageGeometry& g);
void EndPrinting(PageGeometry& g);
// A document update (a file opened, the style changed) shows the first page from the top.
void ResetForDocument(PageGeometry& g);

// Millimetres of a printer length in device pixels (truncated).
int DeviceToMm(int px, int dpi);
// The printer's physical paper size arrived: paper and usable length, and the paging set up
// from the printable depth when depthPerPage is not yet positive.
void SetPaperSize(PageGeometry& g, int paperWidthMm, int paperLengthMm);

// Screen page navigation; each returns true when the view must be repainted (false while
// printing, when they are ignored). The step is depthPerPage − pageOverlap.
bool NextPage(PageGeometry& g);          // command 4041, Page Down, Down arrow
bool PreviousPage(PageGeometry& g);      // command 4040
bool PageUpKey(PageGeometry& g);         // Page Up, Up arrow
// Before a page key is handled: a page number beyond PageCount + 10 is reset to 1.
void ResetRunawayPage(PageGeometry& g);

// Scroll sizes of the screen view, in 96-dpi pixels.
struct ScrollSizes {
    int widthPx = 0;
    int heightPx = 0;
    int pageStepX = 0;
    int pageStepY = 0;
    int lineStepX = 0;
    int lineStepY = 0;
    int screenFrameWidthMm = 0;
};
ScrollSizes ComputeScrollSizes(int depthPerPage, int screenWidthPx);
// Sets the scroll sizes' frame width into the geometry and returns them.
ScrollSizes UpdateScrollSizes(PageGeometry& g, int screenWidthPx);

}  // namespace stracol::render
