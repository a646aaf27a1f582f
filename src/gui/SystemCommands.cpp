#include "gui/SystemCommands.h"

#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/FontsDialog.h"
#include "gui/KeyOptionsDialog.h"
#include "gui/PaperDefaultsDialog.h"
#include "gui/PrintRoad.h"
#include "gui/ScaleDepthDialog.h"
#include "gui/SettingsSheetDialog.h"
#include "gui/SetupDialog.h"

namespace stracol::gui {

void InstallSystemCommands(CMainFrame& frame, app::Workspace& w, core::Messages& messages) {
    frame.InstallCommand(kCmdScaleDepth, [&frame, &w, &messages](QWidget* parent) {
        // The printer's paper first: the dialog shows its length and what fits on it.
        PaginateForPaper(w, PrinterPaperMm(frame.Printer()));
        if (!RunScaleDepthDialog(parent, w, messages)) return false;
        // Other scales and paging: the pages are cut anew, the screen shows page 1.
        frame.View().OnUpdate();
        return true;
    });
    frame.InstallCommand(kCmdSettingsSheet,
                         [&w, &messages](QWidget* parent) { return RunSettingsSheet(parent, w, messages); });
    frame.InstallCommand(kCmdFonts, [&w, &messages](QWidget* parent) { return RunFontsDialog(parent, w, messages); });
    frame.InstallCommand(kCmdPaperDefaults,
                         [&w, &messages](QWidget* parent) { return RunPaperDefaultsDialog(parent, w, messages); });
    frame.InstallCommand(kCmdKeyOptions,
                         [&w, &messages](QWidget* parent) { return RunKeyOptionsDialog(parent, w, messages); });
    frame.InstallCommand(kCmdSetup, [&w, &messages](QWidget* parent) { return RunSetupDialog(parent, w, messages); });
}

}  // namespace stracol::gui
