#pragma once
// What one page paint reads and where it draws: the surface, the page state and the
// process-wide records, gathered per paint so that every renderer gets them by reference.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::app { struct SystemSettings; struct FontSetting; }
namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::style { struct LogStyle; class TitleForm; }
namespace stracol::geology { struct PatternColours; struct NameTable; }
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

// The qualification name that hides the engineers' registration numbers, and the default one.
inline constexpr std::string_view kHiddenQualification = "非表示";
inline constexpr std::string_view kDefaultQualification = "地質調査技士";

// The display choices of the heading dialog and its elevation options.
struct HeadingChoices {
    // 調査名2行表示: the survey name breaks before the first occurrence of this text, which
    // starts line 2; empty: one line.
    std::string surveySplit;
    // 資格名: written before the engineers' registration numbers; "非表示" hides them.
    std::string qualificationName = std::string(kDefaultQualification);
    // "文字列として表示": the collar elevation in the title block as the data's text.
    bool collarElevationAsText = false;
    // "JIS規則A (偶数丸め)" for computed elevations, false "JIS規則B (四捨五入)"; unset until
    // the elevation options are chosen: the rule of the data's heading 36.
    std::optional<bool> roundHalfEven;
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
    // Of the last column, the part at its right end that the scale's ticks take (mm).
    double rightTickMm = 0;
    // The farthest a text ran on below the cell it belongs to on this page (m).
    double worstDriftM = 0;
    // The deepest a text of a depth cell reached, carried on or not (m).
    double deepestTextM = 0;

    // The master's bitmap numbers (kind 1) the soil columns draw with; null: the built-in master.
    const geology::NameTable* bitmapNames = nullptr;
    // What the heading dialog chose for the title block and the elevations.
    HeadingChoices heading;
};

}  // namespace stracol::render
