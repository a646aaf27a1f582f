#pragma once
// File outputs of the log around the one paint routine: one multi-page vector PDF, one PNG
// image per page, or one page per device of a caller's kind (SVG). Each device gets its
// resolution set explicitly, the paper size of the chosen paper and no margins, so that
// device pixel (0, 0) is the paper's top-left corner. Files are written beside the target
// under a temporary name and renamed over it only when the whole file was written.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/LogContext.h"

class QImage;
class QPaintDevice;

namespace stracol::app { struct FontSetting; struct SystemSettings; }

namespace stracol::render {

class FontResolver;

// The resolution the PDF writer draws at.
inline constexpr int kPdfDpi = 1200;
// The default resolution of images.
inline constexpr int kImageDpi = 96;

// Everything a page paint reads, except the surface: LogContextFor makes the context of
// one page on a surface.
struct LogSources {
    PageGeometry& geometry;
    const app::SystemSettings& settings;
    const std::array<app::FontSetting, 8>& fonts;
    const style::LogStyle& style;
    const style::TitleForm& titleForm;
    const borehole::BoreholeRecord& record;
    const geology::PatternColours& patternColours;
    core::Messages* messages = nullptr;
    std::string patternFolder;
    std::string documentPath;
    FooterSettings footer;
    std::vector<FreeArticle> freeArticles;
    const geology::NameTable* bitmapNames = nullptr;
    HeadingChoices heading;
};
LogContext LogContextFor(const LogSources& sources, Surface& surface);

// "1-3,5" → 1, 2, 3, 5 (in the order given, repeats kept). False with a message for text
// that is not a list of page numbers and ranges.
bool ParsePageList(const std::string& text, std::vector<int>& pages, std::string& error);
// The pages to draw: the requested ones that exist (1 … pageCount), or every page when
// none was requested.
std::vector<int> PagesToDraw(const std::vector<int>& requested, int pageCount);

// The file of one page when a log of several pages goes to several files: "out.png" gives
// "out-3.png" for page 3; one page keeps the name as given.
std::string PageFileName(const std::string& path, int page, bool severalPages);

struct OutputResult {
    bool ok = false;
    int pages = 0;                   // pages drawn
    std::vector<std::string> files;  // files written
    std::string error;               // why it failed
};

// The routine that draws one page; empty stands for the log painter (PaintLog).
using PagePaint = std::function<void(LogContext& ctx)>;

// The pages listed that exist (every page for an empty list) on paper of widthMm × lengthMm;
// a list without an existing page fails with "no page to draw". PDF: all pages into one file at kPdfDpi, fonts embedded.
OutputResult WritePdf(const LogSources& sources, FontResolver& fonts, const std::string& path,
                      const std::vector<int>& pages, int paperWidthMm, int paperLengthMm,
                      const PagePaint& paint = {});
// What a PDF writer leaves out, put into a written PDF file in place: its text layer names
// glyphs that a font shares between two code points by the data's own one, and the survey
// name goes in as the subject. False with the reason when the file cannot be read or written.
bool FinishPdf(const std::string& path, const borehole::BoreholeRecord& record, std::string& error);

// PNG: one image per page at dpi on a white background.
OutputResult WritePng(const LogSources& sources, FontResolver& fonts, const std::string& path,
                      const std::vector<int>& pages, int paperWidthMm, int paperLengthMm, int dpi = kImageDpi);

// One paint device per page of another kind: the factory makes the device that writes the
// file (the page's file name, the paper in pixels at dpi); the device is finished when it is
// destroyed.
struct PageDeviceDef {
    std::string path;
    int widthPx = 0;
    int heightPx = 0;
    int dpi = kImageDpi;
    double widthMm = 0;
    double heightMm = 0;
};
using PageDeviceFactory = std::function<std::unique_ptr<QPaintDevice>(const PageDeviceDef& def)>;
OutputResult WritePageDevices(const LogSources& sources, FontResolver& fonts, const std::string& path,
                              const std::vector<int>& pages, int paperWidthMm, int paperLengthMm, int dpi,
                              const PageDeviceFactory& factory);

// The image of one page (for tests and previews): white paper at dpi.
bool RenderPageImage(const LogSources& sources, FontResolver& fonts, int page, int paperWidthMm, int paperLengthMm,
                     int dpi, QImage& image);

}  // namespace stracol::render
