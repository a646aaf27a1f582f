#include "render/columns/PatternGallery.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "borehole/SoilName.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "geology/NameTable.h"
#include "render/FontResolver.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/QPainterSurface.h"
#include "render/columns/PatternDrawing.h"
#include "render/columns/PatternNumber.h"

namespace stracol::render {

namespace {

constexpr const char* kFace = "ＭＳ ゴシック";
constexpr double kMarginMm = 12.0;
constexpr double kTitleMm = 12.0;
constexpr double kHeadingMm = 8.0;
constexpr int kColumns = 4;
constexpr double kCellHeightMm = 42.0;
constexpr double kPatternWidthMm = 16.0;

// One gallery cell: a pattern number (or a name decomposed into one) and its labels.
struct GalleryItem {
    std::string heading;       // non-empty: a group heading instead of a cell
    LayerPatterns layer;
    bool direct = false;       // drawn by its number alone, as the in-situ test graphs do
    std::string title;         // first label line
    std::vector<std::string> lines;
};

// Lays cells out in rows under headings, page by page, on one painter.
class GalleryWriter {
public:
    GalleryWriter(QPdfWriter& writer, Surface& surface, const PatternGalleryOptions& options,
                  core::Messages* messages)
        : m_writer(writer), m_surface(surface), m_options(options), m_messages(messages) {
        const QSizeF size = writer.pageLayout().fullRectPoints().size();
        m_pageWidthMm = size.width() / 72.0 * 25.4;
        m_pageHeightMm = size.height() / 72.0 * 25.4;
        m_g.dpiX = m_g.dpiY = options.dpi;
        m_g.pxPerMmX = m_g.pxPerMmY = options.dpi * kInchPerMm;
        m_g.xFactor = m_g.pxPerMmX;
        m_g.depthPxPerMetre = 10.0 * m_g.pxPerMmY;  // 1/100: 1 m is 10 mm on paper
        m_g.titlePxPerMetre = m_g.depthPxPerMetre;
        m_g.leftMarginMm = 0;
        m_g.topMarginMm = 0;
        m_g.titleHeight = 0;
        m_g.depthOffset = 0;
        m_cellWidthMm = (m_pageWidthMm - 2 * kMarginMm) / kColumns;
    }

    void Section(const std::string& pageTitle, const std::vector<GalleryItem>& items, bool black) {
        StartPage(pageTitle);
        for (const auto& item : items) {
            if (!item.heading.empty()) {
                EndRow();
                if (m_y + kHeadingMm + kCellHeightMm > m_pageHeightMm - kMarginMm) StartPage(pageTitle);
                Text(kMarginMm, m_y + 1.5, 4.2, item.heading, 0x000000);
                m_y += kHeadingMm;
                continue;
            }
            if (m_column == kColumns) EndRow();
            if (m_column == 0 && m_y + kCellHeightMm > m_pageHeightMm - kMarginMm) StartPage(pageTitle);
            Cell(item, black);
            ++m_column;
        }
        EndRow();
    }

private:
    double Y(double mm) const { return mm / 10.0; }  // paper millimetres down as metres at 1/100

    void StartPage(const std::string& title) {
        if (m_pages > 0) m_writer.newPage();
        ++m_pages;
        m_column = 0;
        m_y = kMarginMm;
        Text(kMarginMm, m_y, 5.0, title + core::Sprintf("   (%d)", m_pages), 0x000000);
        m_y += kTitleMm;
    }

    void EndRow() {
        if (m_column > 0) m_y += kCellHeightMm;
        m_column = 0;
    }

    void Text(double xMm, double yMm, double heightMm, const std::string& text, Colour colour) {
        CreateLogFont(m_surface, colour, static_cast<int>(heightMm * m_g.pxPerMmY), kFace, 0, m_messages);
        TextAlignScope align(m_surface, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        TextAt(m_surface, m_g, xMm, Y(yMm), text);
    }

    void Cell(const GalleryItem& item, bool black) {
        const double left = kMarginMm + m_column * m_cellWidthMm;
        const double top = m_y;
        const double boxTop = top + 6.0;
        const double boxBottom = top + kCellHeightMm - 4.0;
        const double boxRight = left + kPatternWidthMm;

        Text(left, top, 3.6, item.title, 0x000000);
        DrawBox(m_surface, m_g, left, Y(boxTop), boxRight, Y(boxBottom), 0, 1, 0x000000, 0xffffff);

        PatternSettings settings;
        settings.blackMode = black;
        settings.lineWidth = std::max(1, m_options.lineWidth);
        settings.ruleLineWidth = 1;
        PatternCell cell{left, boxRight, Y(boxTop), Y(boxBottom), 0, Y(m_pageHeightMm)};
        SpecialRun run{true, Y(boxBottom)};
        if (item.direct) {
            m_surface.SetClipRect(Rect{MmToX(m_g, left), DepthToY(m_g, cell.topM), MmToX(m_g, boxRight),
                                       DepthToY(m_g, cell.bottomM)});
            DrawPattern(m_surface, m_g, item.layer.line, left, cell.topM, boxRight, cell.bottomM, 1.0,
                        settings.lineWidth, PatternColour(m_options.colours, item.layer.line, black), false);
            m_surface.ClearClip();
        } else {
            DrawLayerPatterns(m_surface, m_g, m_options.colours, settings, item.layer, cell, run);
        }
        // The outline again over the pattern's edges (the box was filled white first).
        const double t = Y(boxTop), b = Y(boxBottom);
        DrawLine(m_surface, m_g, left, t, boxRight, t, 0, 1, 0x000000);
        DrawLine(m_surface, m_g, boxRight, t, boxRight, b, 0, 1, 0x000000);
        DrawLine(m_surface, m_g, boxRight, b, left, b, 0, 1, 0x000000);
        DrawLine(m_surface, m_g, left, b, left, t, 0, 1, 0x000000);

        // The labels beside the pattern, wrapped in their box.
        CreateLogFont(m_surface, 0x000000, static_cast<int>(3.0 * m_g.pxPerMmY), kFace, 0, m_messages);
        std::string labels;
        for (const auto& line : item.lines) {
            if (!labels.empty()) labels += "\n";
            labels += line;
        }
        DrawTextInBox(m_surface, MmToX(m_g, boxRight + 1.5), DepthToY(m_g, Y(boxTop)),
                      MmToX(m_g, left + m_cellWidthMm - 1.0), DepthToY(m_g, Y(boxBottom)), labels,
                      TextBox::kLeft | TextBox::kTop | TextBox::kWordBreak);
    }

    QPdfWriter& m_writer;
    Surface& m_surface;
    const PatternGalleryOptions& m_options;
    core::Messages* m_messages;
    PageGeometry m_g;
    double m_pageWidthMm = 210;
    double m_pageHeightMm = 297;
    double m_cellWidthMm = 46;
    int m_pages = 0;
    int m_column = 0;
    double m_y = 0;
};

std::vector<GalleryItem> ListItems(const geology::PatternList& list) {
    std::vector<GalleryItem> items;
    for (const auto& row : list.rows) {
        if (row.number.find("[終") != std::string::npos) break;
        GalleryItem item;
        if (row.IsHeading()) {
            item.heading = row.number;
            items.push_back(item);
            continue;
        }
        const long number = core::LeadingLong(row.number);
        item.layer.line = number;
        item.title = core::Sprintf("%ld", number);
        if (!HasLinePattern(number)) item.title += "  (線描なし)";
        item.lines = {row.abbreviation, row.examples, "色 " + row.colour};
        items.push_back(item);
    }
    // Patterns that other columns use, not in the list.
    GalleryItem heading;
    heading.heading = "[その他 (原位置試験の図)]";
    items.push_back(heading);
    for (long number : {20001L, 20002L, 20100L, 20200L}) {
        GalleryItem item;
        item.layer.line = number;
        item.direct = true;
        item.title = core::Sprintf("%ld", number);
        items.push_back(item);
    }
    return items;
}

std::vector<GalleryItem> NameItems(const std::vector<std::string>& names) {
    const geology::NameTable table = geology::BuiltInNameTable(0);
    std::vector<GalleryItem> items;
    for (const auto& name : names) {
        const borehole::NameDecomposition d = borehole::DecomposeName(table, name, "");
        GalleryItem item;
        item.layer.line = d.patternNumber;
        // An alternation is laid out with its first rock on 49 per cent of the width.
        item.layer.sharePercent = name.find("互層") != std::string::npos ? 49 : 100;
        item.title = name;
        const PatternParts parts = SplitPatternNumber(d.patternNumber);
        std::string how;
        switch (ClassOfPattern(d.patternNumber)) {
        case PatternClass::Split:
            how = core::Sprintf("%ld | %ld", SplitLeftPattern(d.patternNumber), SplitRightPattern(d.patternNumber));
            break;
        case PatternClass::Layered:
            how = core::Sprintf("%ld + %ld + %ld", parts.main, parts.quality, parts.mixture);
            break;
        default:
            how = "全体";
            break;
        }
        item.lines = {borehole::PatternCodeText(d), how, "記号 " + d.symbol};
        items.push_back(item);
    }
    return items;
}

}  // namespace

std::vector<std::string> DefaultGalleryNames() {
    return {"砂混じりシルト質粘土", "シルト質砂", "礫混じり砂", "砂岩・泥岩互層", "埋土", "玉石混じり砂礫",
            "砂質シルト", "粘土質シルト", "有機質粘土", "礫混じり粘土", "貝殻混じり砂", "火山灰質粘土",
            "腐植物混じり粘土", "盛土", "表土", "砂混じり礫", "シルト混じり砂", "凝灰岩・頁岩互層",
            "火山灰混じりシルト", "粘土混じり砂礫", "有機質土混じり砂", "礫質粘土", "風化花崗岩", "泥岩"};
}

bool WritePatternGallery(const std::string& pdfPath, const PatternGalleryOptions& options, core::Messages* messages) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(options.a3 ? QPageSize::A3 : QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(options.dpi);
        writer.setTitle(QStringLiteral("柱状図模様一覧"));
        writer.setCreator(QStringLiteral("Stracol"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (messages) messages->Error(core::MessageText(core::MessageId::SaveFailed));
            return false;
        }
        FontResolver fonts(messages);
        {
            // The surface puts the painter's state back when it goes, before the painter ends.
            QPainterSurface surface(painter, fonts, options.dpi, options.dpi);
            GalleryWriter gallery(writer, surface, options, messages);
            gallery.Section("柱状図模様一覧", ListItems(options.list), false);
            const std::vector<std::string> names =
                options.compoundNames.empty() ? DefaultGalleryNames() : options.compoundNames;
            const std::vector<GalleryItem> items = NameItems(names);
            gallery.Section("土質名の模様（カラー）", items, false);
            gallery.Section("土質名の模様（すべて黒色）", items, true);
        }
        painter.end();
    }
    std::string error;
    if (!core::WriteFileAtomic(pdfPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               &error)) {
        if (messages) messages->Error(core::MessageText(core::MessageId::SaveFailed));
        return false;
    }
    return true;
}

}  // namespace stracol::render
