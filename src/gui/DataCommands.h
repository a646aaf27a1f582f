#pragma once
// The data dialogs in the main window: 見出し, その他一覧, ページ and the full-width check of the
// データ menu, 柱状図模様 of the システム設定 menu and 操作＆ヘルプ of the ﾍﾙﾌﾟ menu.

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class CMainFrame;

// Gives the frame's commands their dialogs and enables them.
void InstallDataCommands(CMainFrame& frame, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
