#pragma once
// The commands of the システム設定 menu and ﾌｧｲﾙ → 用紙の初期設定 in the main window: each
// opens its dialog over the workspace; a confirmed dialog repaints the view, and the scale
// and depth dialog also cuts the log into its new pages.

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class CMainFrame;

void InstallSystemCommands(CMainFrame& frame, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
