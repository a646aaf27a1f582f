#pragma once
// The print road: the paper size a printer reports, and the print loop that draws pages of
// the log on a printer (a real one, the preview's or a PDF file) through the one paint
// routine with the printing flag set, then puts the screen back on page 1.

#include <string>
#include <utility>

#include "gui/LogPage.h"

namespace stracol::app { struct SystemSettings; }

class QPrinter;

namespace stracol::gui {

// The physical paper of a printer in whole millimetres, in the orientation chosen. Taken from
// the page size in millimetres (rounded), not from device pixels: 297 mm at 1200 dpi is
// 14031.5 pixels, which truncated would come back as 296 mm.
struct PaperMm {
    int widthMm = 0;
    int lengthMm = 0;
};
PaperMm PrinterPaperMm(const QPrinter& printer);

// The log's own paper on the program's printer: A3 portrait, or the start-up paper of the
// settings when it is enabled (ApplyStartupPaper). The whole sheet is the page (no margins,
// device pixel (0, 0) at the paper's corner), as the file outputs draw it; the settings'
// margins place the log.
void ApplyLogPaper(QPrinter& printer, const app::SystemSettings& settings);

// Cuts the log into pages for a paper: when the settings leave the depth per page at 0 it
// follows from the paper, so a paper of another length gives another depth per page and
// page count (the screen shows page 1 again); a depth per page of the settings stands.
void PaginateForPaper(app::Workspace& workspace, const PaperMm& paper);

// True when the system has a default printer to ask.
bool HasDefaultPrinter();

// Applies the start-up paper (StartupPaperSize 0 A3 / 1 A4, StartupOrientation 0 portrait /
// 1 landscape) to the program's printer when StartupPaperEnabled is 1 and both values are 0
// or 1; each only where the printer offers it. Returns whether anything was applied.
bool ApplyStartupPaper(QPrinter& printer, int enabled, int paperSize, int orientation);

// The pages the print dialog left on the printer: its page range when one was chosen (an
// open end runs to the last page), else 1..pageCount.
std::pair<int, int> ChosenPages(const QPrinter& printer, int pageCount);

// Prints pages fromPage..toPage (clamped to 1..PageCount) on printer's whole sheet (no
// margins, origin at the paper's corner): each page drawn with
// printing set and that page current; afterwards the page state shows page 1 again
// (also when nothing could be printed). Returns the number of pages drawn; 0 when the
// printer could not be started.
int PrintLogPages(QPrinter& printer, app::Workspace& workspace, render::FontResolver& fonts, core::Messages* messages,
                  const PagePainter& paint, int fromPage, int toPage);

// Prints every page to a PDF file on the paper of the program's printer, paginated for that
// paper, through the same PDF writer as the command line (1200 dpi, no margins, fonts
// embedded), so the file has the pages stracol-render draws. The file is written beside the
// target under a temporary name and renamed over it when complete, so a failure never leaves
// half a file; on failure "保存できませんでした" is shown. Returns the number of pages
// written (0 on failure).
int PrintLogToPdf(const std::string& path, const QPrinter& paperFrom, app::Workspace& workspace,
                  render::FontResolver& fonts, core::Messages& messages, const PagePainter& paint);

}  // namespace stracol::gui
