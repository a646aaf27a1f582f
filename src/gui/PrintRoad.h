#pragma once
// The print road: the paper size a printer reports, and the print loop that draws pages of
// the log on a printer (a real one, the preview's or a PDF file) through the one paint
// routine with the printing flag set, then puts the screen back on page 1.

#include <string>
#include <utility>

#include "gui/LogPage.h"

class QPrinter;

namespace stracol::gui {

// The physical paper of a printer in whole millimetres (device pixels × 25.4 / dpi, truncated).
struct PaperMm {
    int widthMm = 0;
    int lengthMm = 0;
};
PaperMm PrinterPaperMm(const QPrinter& printer);

// True when the system has a default printer to ask.
bool HasDefaultPrinter();

// Applies the start-up paper (StartupPaperSize 0 A3 / 1 A4, StartupOrientation 0 portrait /
// 1 landscape) to the program's printer when StartupPaperEnabled is 1 and both values are 0
// or 1; each only where the printer offers it. Returns whether anything was applied.
bool ApplyStartupPaper(QPrinter& printer, int enabled, int paperSize, int orientation);

// The pages the print dialog left on the printer: its page range when one was chosen (an
// open end runs to the last page), else 1..pageCount.
std::pair<int, int> ChosenPages(const QPrinter& printer, int pageCount);

// Prints pages fromPage..toPage (clamped to 1..PageCount) on printer: each page drawn with
// printing set and that page current; afterwards the page state shows page 1 again
// (also when nothing could be printed). Returns the number of pages drawn; 0 when the
// printer could not be started.
int PrintLogPages(QPrinter& printer, app::Workspace& workspace, render::FontResolver& fonts, core::Messages* messages,
                  const PagePainter& paint, int fromPage, int toPage);

// Prints every page to a PDF file with the page layout of the program's printer. The file is
// written beside the target under a temporary name and renamed over it when complete, so a
// failure never leaves half a file; on failure "保存できませんでした" is shown. Returns the
// number of pages written (0 on failure).
int PrintLogToPdf(const std::string& path, const QPrinter& layoutFrom, app::Workspace& workspace,
                  render::FontResolver& fonts, core::Messages& messages, const PagePainter& paint);

}  // namespace stracol::gui
