#pragma once
// The title part of a page above the column headers: the log title, the upper title lines
// (調査名, 事業・工事名, 調査目的, 調査対象) and the title block (標題欄) with the borehole's
// heading data in a ruled grid of five equal rows, its fixed text forms and the angle,
// bearing and ground-slope dials. Everything is drawn at the title scale, y in metres above
// the top of the depth area (negative), x in millimetres of style width.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/LogContext.h"

namespace stracol::app { struct FontSetting; }

namespace stracol::render {

// The font slots of the log (Font1.ndx … Font8.ndx).
enum class FontSlot : int {
    Title = 1,        // 標題部: log title (× 1.6), upper title lines, title block
    Header = 2,       // 項目部: column headers
    Column = 3,
    Article = 4,
    Logging = 5,
    FreeArticle = 6,  // 自由記事
    Footer = 7,       // ページ
    Figure = 8,       // 図中: dials and graph scales
};

// The log title is drawn this many times the title font's height, an engineer's
// registration number this many times.
inline constexpr double kLogTitleScale = 1.6;
inline constexpr double kRegistrationScale = 0.6;

// What the heading dialog chooses for the title block.
struct TitleBlockOptions {
    std::string qualificationName = std::string(kDefaultQualification);
    // Elevation option "文字列として表示": the collar elevation as the data's text.
    bool collarElevationAsText = false;
};

// The options of the heading dialog's choices.
TitleBlockOptions TitleOptionsOf(const HeadingChoices& choices);

// ---- fixed text forms ----

// A text of the data on one line: its line breaks dropped with the blanks around them (one
// blank kept between Latin letters or digits), and trimmed.
std::string OneLineText(std::string_view text);

// The survey name over two lines: the text before the first occurrence of split, and the
// rest, which starts with it. Without a split, a name the data breaks over lines goes over
// two lines at its first line break. The whole name (on one line) and an empty second line
// when split is not found or found at the very start, or the name has no line break.
std::pair<std::string, std::string> SplitSurveyName(const std::string& name, const std::string& split);

// Era name, then year, month and day: a number n > 0 gives "%d年" ("%d月", "%d日"); an
// empty field "%2.2s年" of the empty text (two blanks); a year that is no number or 0
// "元年"; a month or day that is no number or 0 "%2.2s月" ("%2.2s日") of its text.
std::string DateText(std::string_view era, std::string_view year, std::string_view month, std::string_view day);

// The survey period: the start date (headings 6, 7, 8), "～", the end date (9, 10, 11).
std::string SurveyPeriodText(const borehole::BoreholeRecord& record, std::string_view era = {});

// Latitude or longitude: "%3sﾟ%s'%s" and a double quote for the seconds, or the blank
// template "　　゜　’　”" when the degrees are missing.
std::string LatLongText(std::string_view degrees, std::string_view minutes, std::string_view seconds);
inline constexpr std::string_view kLatLongTemplate = "　　゜　’　”";

// A length in metres: "%6.2f m" of the leading number; empty when the text holds no number.
std::string LengthText(std::string_view metres);
// The collar elevation: as a length, or the data's text unchanged with the option.
std::string CollarElevationText(std::string_view elevation, bool asText);

// A dial value: the text before ".0" followed by "ﾟ"; empty for an empty value.
std::string DialValueText(std::string_view value);

// An engineer's name with the registration number, or the name alone when the number is
// empty or the qualification name is "非表示".
std::string RegistrationText(std::string_view number, std::string_view qualificationName);

// ---- fonts ----

// Height in device pixels of a font of sizePt points on a device of dpi dots per inch.
int FontHeightPx(double sizePt, int dpi);

// The measures of the selected title-part font in log units.
struct TitleFont {
    int heightPx = 0;
    double charWidthMm = 0;   // one full-width character
    double charHeightM = 0;   // at the current vertical scale
};

// Selects the font of the slot (1-8) scaled by scale and turned by angleDegrees, and
// returns its measures.
TitleFont SelectSlotFont(LogContext& ctx, FontSlot slot, double scale = 1.0, int angleDegrees = 0);

// ---- the title block grid ----

// The title block's box: x from the first to the last column edge (at least 5 mm wide),
// y from TitleFrameBottom (T) to HeaderBandTop (B); five rows of (B − T) / 5.
struct TitleBlockBox {
    double leftMm = 0;
    double rightMm = 0;
    double topM = 0;     // T
    double bottomM = 0;  // B
    // Row line k = 0 … 5: T + k × (B − T) / 5.
    double RowY(int k) const { return topM + k * (bottomM - topM) / 5.0; }
    // x of a fraction of the block width.
    double X(double fraction) const { return leftMm + fraction * (rightMm - leftMm); }
};
TitleBlockBox TitleBlockBoxOf(const style::TitleForm& form, const ColumnLayout& columns);

// What a cell of the title block shows.
enum class CellKind { LabelA, LabelB, Data, Date, Dial, Engineer };

// One cell: rows row1 … row2 − 1 (0-based), x as fractions of the block width.
struct TitleCell {
    int row1 = 0;
    int row2 = 1;
    double x1 = 0;
    double x2 = 0;
    CellKind kind = CellKind::Data;
    std::string label;   // fixed label text (labels)
    int heading = 0;     // the heading index the data comes from (0: computed)
    int which = 0;       // dial 1-3, engineer 1-4
    bool lowerRows = false;  // drawn with the remaining rows after the dials
};

// The cells of the title block, in drawing order.
const std::vector<TitleCell>& TitleBlockCells();

// The data text a cell shows.
std::string CellText(const TitleCell& cell, const borehole::BoreholeRecord& record, const TitleBlockOptions& options);

// ---- drawing (title scale active) ----

// The log title (LogStyle line 1) with the title font × 1.6, centred in its box at the top of
// the upper title part.
void DrawLogTitle(LogContext& ctx);
// The four upper title lines: label and data through the bottom-aligned title-field formats,
// with underlines by UnderlineMode.
void DrawUpperTitleLines(LogContext& ctx);
// The grid of the title block and the fields of its first three rows.
void DrawTitleBlock(LogContext& ctx, const TitleBlockOptions& options = {});
// The angle, bearing and ground-slope dials with their labels.
void DrawDials(LogContext& ctx);
// The remaining rows of the title block: engineers and machines.
void DrawTitleBlockLowerRows(LogContext& ctx, const TitleBlockOptions& options = {});

// The three dials. kind 1 angle (角度), 2 bearing (方位), 3 ground slope (地盤勾配). The box
// is in log coordinates; value the data text.
void DrawDial(LogContext& ctx, int kind, double x1Mm, double x2Mm, double y1M, double y2M, std::string_view value);

}  // namespace stracol::render
