#include "gui/DataCommands.h"

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/DataListDialog.h"
#include "gui/FooterDialog.h"
#include "gui/FullWidthDialog.h"
#include "gui/HeadingDialog.h"
#include "gui/HelpDialog.h"
#include "gui/PatternMasterDialog.h"
#include "style/StyleKind.h"

namespace stracol::gui {

void InstallDataCommands(CMainFrame& frame, app::Workspace& w, core::Messages& messages) {
    CMainFrame* f = &frame;
    app::Workspace* ws = &w;
    core::Messages* m = &messages;
    frame.InstallCommand(kCmdHeading, [f, ws, m](QWidget* parent) {
        return RunHeadingDialog(parent, *ws, *m, [f] { f->View().RepaintAll(); });
    });
    frame.InstallCommand(kCmdDataList, [ws](QWidget* parent) {
        const int kind = style::StyleKind(ws->formatCode, ws->record.Heading(57));
        DataListDialog dialog(ws->record, kind == 4 || kind == 5, parent);
        dialog.exec();
        return false;
    });
    frame.InstallCommand(kCmdFullWidthCheck, [ws](QWidget* parent) {
        FullWidthDialog dialog(ws->record, parent);
        dialog.exec();
        return false;
    });
    frame.InstallCommand(kCmdPageFooter, [f, ws, m](QWidget* parent) {
        // The position limits depend on the paper: the printer is asked first.
        const auto paper = f->AskPrinterPaper();
        const int width = paper ? paper->first : ws->geometry.paperWidthMm;
        const int length = paper ? paper->second : ws->geometry.paperLengthMm;
        return RunFooterDialog(parent, *ws, *m, width, length);
    });
    frame.InstallCommand(kCmdPatternMaster, [ws, m](QWidget* parent) { return RunPatternMasterDialog(parent, *ws, *m); });
    frame.InstallCommand(kCmdHelpText, [ws, m](QWidget* parent) {
        HelpDialog dialog(ws->folder, *m, OpenWithDesktop, parent);
        dialog.exec();
        return false;
    });
}

}  // namespace stracol::gui
