#include "gui/CommandTable.h"

#include "core/Format.h"

namespace stracol::gui {

namespace {

constexpr const char* kFileMenu = "ﾌｧｲﾙ(&F)";
constexpr const char* kStyleMenu = "様式(&Y)";
constexpr const char* kDataMenu = "データ(&A)";
constexpr const char* kViewMenu = "表示(&V)";
constexpr const char* kSystemMenu = "システム設定(&S)";
constexpr const char* kHelpMenu = "ﾍﾙﾌﾟ(&H)";

}  // namespace

const std::vector<CommandEntry>& MenuCommands() {
    static const std::vector<CommandEntry> table = {
        {kCmdFileNew, kFileMenu, "新規作成(&N)\tCtrl+N", true},
        {kCmdFileOpen, kFileMenu, "開く(&O)...\tCtrl+O", true},
        {kCmdFileClose, kFileMenu, "閉じる(&C)\tCtrl+W", true},
        {kCmdSeparator, kFileMenu, "", true},
        {kCmdFilePrint, kFileMenu, "印刷(&P)...\tCtrl+P", true},
        {kCmdPrintPreview, kFileMenu, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", true},
        {kCmdPrintToPdf, kFileMenu, "PDFに出力(&D)...", true},
        {kCmdPrintSetup, kFileMenu, "ﾌﾟﾘﾝﾀの設定(&R)...", true},
        {kCmdPaperDefaults, kFileMenu, "用紙の初期設定(&Y)...", true},
        {kCmdSeparator, kFileMenu, "", true},
        {kCmdRecentFiles, kFileMenu, "最新のﾌｧｲﾙ", true},
        {kCmdSeparator, kFileMenu, "", true},
        {kCmdExit, kFileMenu, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)\tCtrl+Q", true},
        // The hidden export, enabled once its word dialog is installed.
        {kCmdFileExport, kFileMenu, ".", false},

        {kCmdStyleEditor, kStyleMenu, "柱状図種類 選択・編集(&T)", false},
        {kCmdTitleLayout, kStyleMenu, "標題欄,項目部 配置 (&H)", false},
        {kCmdSeparator, kStyleMenu, "", true},
        {kCmdStyleBuiltIn, kStyleMenu, "&1 岩盤柱状図", false},
        {kCmdStyleBuiltIn + 1, kStyleMenu, "&2 土質オールコア", false},
        {kCmdStyleBuiltIn + 2, kStyleMenu, "&3 土質標準貫入試験", false},
        {kCmdStyleBuiltIn + 3, kStyleMenu, "&4 地すべりオールコア", false},
        {kCmdStyleBuiltIn + 4, kStyleMenu, "&5 地すべり標準貫入", false},
        {kCmdStyleBuiltIn + 5, kStyleMenu, "&6 旧要領_土質", false},
        {kCmdStyleBuiltIn + 6, kStyleMenu, "&7 旧要領_岩盤.標準貫入", false},
        {kCmdStyleBuiltIn + 7, kStyleMenu, "&8 旧要領_岩盤.ルジオン", false},
        {kCmdStyleFile, kStyleMenu, "様式ファイルを開く(&F)...", false},

        {kCmdHeading, kDataMenu, "見出し(&M)", false},
        {kCmdDataList, kDataMenu, "その他一覧(&D)", false},
        {kCmdPageFooter, kDataMenu, "ページ(&P)", false},
        {kCmdFullWidthCheck, kDataMenu, ".", false},

        {kCmdToggleToolBar, kViewMenu, "ﾂｰﾙ ﾊﾞｰ(&T)", true},
        {kCmdToggleStatusBar, kViewMenu, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", true},
        {kCmdStyleChangeWarning, kViewMenu, "様式変更の確認表示(&W)", true},
        {kCmdSeparator, kViewMenu, "", true},
        {kCmdZoomIn, kViewMenu, "拡大(&I)\tCtrl++", true},
        {kCmdZoomOut, kViewMenu, "縮小(&O)\tCtrl+-", true},
        {kCmdZoomActual, kViewMenu, "等倍(&Z)\tCtrl+0", true},
        {kCmdZoomFitWidth, kViewMenu, "幅に合わせる(&F)", true},
        {kCmdZoomFitPage, kViewMenu, "ページに合わせる(&G)", true},

        {kCmdScaleDepth, kSystemMenu, "縮尺と表示深度(&S)", true},
        {kCmdSettingsSheet, kSystemMenu, "目盛り,グリッド,線種,マージンなど(&Y)", true},
        {kCmdPatternMaster, kSystemMenu, "柱状図模様(&P)", false},
        {kCmdFonts, kSystemMenu, "フォント(&F)", true},
        {kCmdKeyOptions, kSystemMenu, "キーの動作、入力画面オプション(&E)", true},
        {kCmdSetup, kSystemMenu, "セットアップ(&U)", true},

        {kCmdAbout, kHelpMenu, "ﾊﾞｰｼﾞｮﾝ情報(&A)", true},
        {kCmdHelpText, kHelpMenu, "操作＆ヘルプ(&H)", false},
    };
    return table;
}

std::string_view CaptionText(std::string_view caption) {
    auto tab = caption.find('\t');
    return tab == std::string_view::npos ? caption : caption.substr(0, tab);
}

std::string_view ShortcutText(std::string_view caption) {
    auto tab = caption.find('\t');
    return tab == std::string_view::npos ? std::string_view{} : caption.substr(tab + 1);
}

const std::vector<int>& ToolBarCommands() {
    static const std::vector<int> bar = {
        kCmdFileNew, kCmdFileOpen, kCmdFileStore, kCmdSeparator, kCmdFilePrint, kCmdAbout,
        kCmdSeparator, kCmdPreviousPage, kCmdNextPage,
    };
    return bar;
}

std::string PagePaneText(int currentPage, int pageCount) {
    return core::Sprintf("ページ %d / %d", currentPage, pageCount);
}

}  // namespace stracol::gui
