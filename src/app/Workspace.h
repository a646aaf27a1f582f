#pragma once
// The process-wide records of one Stracol session: settings, fonts, the display-item
// catalogue, the current log style, the title-block form, the borehole record, the name
// tables and pattern colours, and the page state. Owned by the desktop program or the
// command line; code receives the parts it needs by reference.

#include "app/FontSettings.h"
#include "app/InstallFolder.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "borehole/DocumentOpen.h"
#include "geology/NameTable.h"
#include "geology/PatternColours.h"
#include "render/LogContext.h"
#include "render/PageGeometry.h"
#include "style/ItemCatalogue.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

#include <string>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::app {

struct Workspace {
    InstallFolder folder;
    SystemSettings settings;
    FontSettings fonts = DefaultFonts();
    style::ItemCatalogue catalogue;
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::NameTable patternNames;   // pattern numbers of the master (kind 0)
    geology::NameTable bitmapNames;    // bitmap numbers of the master (kind 1)
    geology::PatternColours patternColours;
    render::PageGeometry geometry;
    render::FooterSettings footer;            // SyPageV.ndx
    render::HeadingChoices heading;           // SyHeadV.ndx
    std::vector<render::FreeArticle> freeArticles;

    int formatCode = 0;          // FormatCode of the loaded file
    std::string documentPath;    // the file on screen; empty for a new document
    bool settingsLoaded = false;
};

// Loads everything the log needs from the install folder, once: settings, the display-item
// catalogue, the pattern colours, the name master (kinds 0 and 1), the fonts, the page footer,
// the heading choices, the title-block form (with its defaults) and, while the style is empty,
// the start-up style. Later calls do nothing.
void LoadWorkspaceSettings(Workspace& workspace, core::Messages& messages);

// Sets the paper (width and length in mm) as a printer would report it, which also fixes the
// depth per page when the settings leave it at 0.
void SetWorkspacePaper(Workspace& workspace, int paperWidthMm, int paperLengthMm);

// Opens a borehole data file into the workspace: on success the record, the style for the
// data, the format code and the document path change and the page state goes back to page 1;
// on failure nothing changes (the messages say why).
borehole::OpenResult OpenIntoWorkspace(Workspace& workspace, const std::string& path, core::Messages& messages,
                                       const borehole::OpenOptions& options = {});

// Empties the record and the style's item rows (a new, empty document).
void NewDocument(Workspace& workspace);

}  // namespace stracol::app
