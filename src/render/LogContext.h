#pragma once
// What one page paint reads and where it draws: the surface, the page state and the
// process-wide records, gathered per paint so that every renderer gets them by reference.

#include <array>
#include <string>
#include <vector>

namespace stracol::app { struct SystemSettings; struct FontSetting; }
namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::style { struct LogStyle; class TitleForm; }
namespace stracol::geology { struct PatternColours; }
namespace stracol::core { class Messages; }

namespace stracol::render {

class Surface;
struct PageGeometry;

// The left and right edges of the style's columns in millimetres of style width, recomputed
// at the start of every page paint: edges[0] = 5.0, the column of slot k spans
// edges[k-1]..edges[k]; count is the number of slots with a width.
struct ColumnLayout {
    std::array<double, 60> edges{};
    int count = 0;
};

// The page footer with the page number (page footer dialog).
struct FooterSettings {
    std::string prefix;
    std::string startNumber;     // empty: no number
    std::string suffix;
    int positionMode = 1;        // 0 from the paper's top, 1 below the depth part
    double topDistanceMm = 0;
    double belowLogMm = 2.0;
    int horizontalMode = 1;      // 0 left at leftDistanceMm, 1 centred at centreMm
    double leftDistanceMm = 0;
    double centreMm = 0;         // paper width / 2
};

// One entry of the free-article field below the log.
struct FreeArticle {
    int page = 0;                // 0: every page
    double xMm = 0;
    double y = 0;
    double size = 0;
    std::string text;
};

struct LogContext {
    Surface& surface;
    PageGeometry& geometry;
    const app::SystemSettings& settings;
    const std::array<app::FontSetting, 8>& fonts;
    const style::LogStyle& style;
    const style::TitleForm& titleForm;
    const borehole::BoreholeRecord& record;
    const geology::PatternColours& patternColours;
    core::Messages* messages = nullptr;

    std::string patternFolder;          // the install folder's Sbptn (pattern bitmaps)
    std::string documentPath;           // printed by the page footer
    FooterSettings footer;
    std::vector<FreeArticle> freeArticles;

    // Set during the paint.
    ColumnLayout columns;
    double pageStart = 0;               // m
    double pageEnd = 0;                 // m: pageStart + depthPerPage
    // The farthest a text ran on below the cell it belongs to on this page (m).
    double worstDriftM = 0;
    // The deepest a text of a depth cell reached, carried on or not (m).
    double deepestTextM = 0;
};

}  // namespace stracol::render
