#pragma once
// Renders one borehole data file to PDF, PNG or SVG the way the command line does: its own
// session records (settings and style of the install folder), the paper, the style asked
// for, the pages asked for. Every message of the load is kept for the caller to report.

#include <optional>
#include <string>
#include <vector>

#include "render/LogContext.h"

#include "BatchIndex.h"

namespace stracol::render { class FontResolver; }

namespace stracol::tools {

// Tlw: the loaded data and the style written as a Tessel v1 file instead of drawn pages.
enum class OutputFormat { Pdf, Png, Svg, Tlw };

// "pdf", "png", "svg", "tlw" (any case); false for anything else.
bool ParseOutputFormat(const std::string& text, OutputFormat& format);
const char* FormatExtension(OutputFormat format);

struct Paper {
    int widthMm = 297;   // A3 portrait
    int lengthMm = 420;
};
// "A3" or "A4" (any case), portrait or landscape; false for any other name.
bool PaperByName(const std::string& name, bool landscape, Paper& paper);

// A log of more pages than this is refused with a message (a depth beyond any real
// borehole, such as 1e9 m, would otherwise take days to draw).
inline constexpr int kMaxPagesPerFile = 2000;

// The scale and paging given on the command line instead of the settings (which are never
// rewritten): checked like the scale and depth dialog checks them.
struct PageOptions {
    int horizontalScale = 0;            // 1/N across; 0: as the settings (1/100)
    int depthScale = 0;                 // 1/N down; 0: as the settings (1/100)
    std::optional<double> printStartDepth;   // m
    int depthPerPage = 0;               // m; 0: the settings' depth per page (or the paper's)
    std::optional<int> pageOverlap;     // m
    bool depthScaleGiven = false;       // --depth-scale was given (it wins over --scale)
    bool Any() const {
        return horizontalScale > 0 || depthScale > 0 || printStartDepth || depthPerPage > 0 || pageOverlap;
    }
};
// The page footer fields given on the command line; each one given replaces the stored one.
struct FooterOptions {
    std::optional<std::string> prefix;
    std::optional<std::string> startNumber;
    std::optional<std::string> suffix;
    std::optional<double> topMm;       // from the paper's top
    std::optional<double> belowLogMm;  // below the depth part
    std::optional<double> leftMm;      // left-aligned at this distance from the paper's left edge
    bool centred = false;              // centred on the paper
};
// The footer of the install folder with the options applied.
void ApplyFooterOptions(const FooterOptions& options, render::FooterSettings& footer);

struct RenderOptions {
    std::string installFolder = ".";
    OutputFormat format = OutputFormat::Pdf;
    int dpi = 0;                      // 0: the format's default (96 for images)
    bool paperGiven = false;          // else the start-up paper of the settings, or A3 portrait
    Paper paper;
    std::vector<int> pages;           // empty: every page
    std::string style;                // "": the style chosen for the data; "1".."8" or a .tls file
    PageOptions page;
    FooterOptions footer;             // --footer-…: over the footer of the install folder
};

// The page options against the page of the install folder's settings and the paper: false
// with the reason when the overlap is not smaller than the depth per page; warnings gets the
// scale and depth dialog's note when the depth per page is more than 10 m deeper than the
// page holds ("1ページの印刷深度は\n約 %d (m)です"), which does not stop the drawing.
bool CheckPageOptions(const RenderOptions& options, std::string& error, std::vector<std::string>& warnings);

struct FileOutcome {
    bool ok = false;
    int pages = 0;
    std::vector<std::string> files;       // written
    std::vector<std::string> messages;    // what the load and the drawing said
    std::string error;                    // why nothing was written
    std::string style;                    // the style drawn: its number and name
    std::string unshown;                  // data the style has no column for (empty: none)
    IndexEntry index;                     // what the batch index says of the file (names,
                                          // place, version), filled as far as it was read
};

// Loads input and writes output (a file name; PNG and SVG pages of a log of several pages
// get "-N" before the extension). Nothing is written when the file cannot be loaded.
FileOutcome RenderFile(const std::string& input, const std::string& output, const RenderOptions& options,
                       render::FontResolver& fonts);

// The output file of an input inside a folder: the input's name with the format's extension.
std::string OutputNameFor(const std::string& input, OutputFormat format);

}  // namespace stracol::tools
