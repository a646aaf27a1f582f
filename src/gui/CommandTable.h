#pragma once
// The commands of the main window: their numbers, the menu they sit in, their captions
// (with the shortcut after a tab, as the menu shows it) and whether they work yet. The
// menu bar, the tool bar and the keys are built from this one table.

#include <string>
#include <string_view>
#include <vector>

namespace stracol::gui {

// Command numbers of the menu, the tool bar and the keys.
enum CommandId : int {
    kCmdSeparator = 0,
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileStore = 57603,          // tool bar and Ctrl+S; does nothing
    kCmdFileExport = 57604,         // "." after the exit entry: the hidden export
    kCmdPrintSetup = 57606,
    kCmdFilePrint = 57607,
    kCmdPrintPreview = 57609,
    kCmdPaperDefaults = 57610,
    kCmdRecentFiles = 57616,
    kCmdExit = 57665,
    kCmdAbout = 57664,
    kCmdTitleLayout = 1002,
    kCmdStyleEditor = 1003,
    kCmdHeading = 1009,
    kCmdHelpText = 1012,
    kCmdScaleDepth = 3001,
    kCmdFonts = 3002,
    kCmdSettingsSheet = 3005,
    kCmdSetup = 3008,
    kCmdPatternMaster = 3009,
    kCmdKeyOptions = 3011,
    kCmdPreviousPage = 4040,
    kCmdNextPage = 4041,
    kCmdFullWidthCheck = 32782,
    kCmdPageFooter = 32801,
    kCmdDataList = 32802,
    kCmdToggleToolBar = 59392,
    kCmdToggleStatusBar = 59393,
    kCmdStyleChangeWarning = 59395,
    // Beyond the original menu: print to a PDF file and the view's zoom.
    kCmdPrintToPdf = 33001,
    kCmdFileClose = 33002,          // closes the log: the window shows the empty form
    kCmdZoomIn = 33011,
    kCmdZoomOut = 33012,
    kCmdZoomActual = 33013,
    kCmdZoomFitWidth = 33014,
    kCmdZoomFitPage = 33015,
    // The style of the window: built-in style N is kCmdStyleBuiltIn + N - 1 (N = 1..8), or a
    // style file.
    kCmdStyleBuiltIn = 33021,
    kCmdStyleFile = 33029,
};

// One row of the menu table; a row with kCmdSeparator is a separator line.
struct CommandEntry {
    int id;
    const char* menu;       // caption of the top-level menu
    const char* caption;    // item caption; the text after "\t" is the shortcut
    bool available;         // false: its dialog is not part of the program yet (shown disabled)
};

// The menu bar, top to bottom within each menu, menus left to right.
const std::vector<CommandEntry>& MenuCommands();

// The caption before the tab ("開く(&O)...") and the shortcut text after it ("Ctrl+O", empty
// when there is none).
std::string_view CaptionText(std::string_view caption);
std::string_view ShortcutText(std::string_view caption);

// The tool bar from left to right; kCmdSeparator between groups.
const std::vector<int>& ToolBarCommands();

// The caption of the status-bar pane that shows the page: "ページ 2 / 5".
std::string PagePaneText(int currentPage, int pageCount);

}  // namespace stracol::gui
