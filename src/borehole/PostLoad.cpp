#include "borehole/PostLoad.h"

#include "borehole/ExchangeXmlReader.h"
#include "borehole/FormatDetect.h"
#include "borehole/LayerCompletion.h"
#include "core/Format.h"
#include "core/Numbers.h"

#include <algorithm>

namespace stracol::borehole {
namespace {

bool IsNumber(std::string_view text) { return core::IsNumericStart(text) == 1; }

// Rows from row 1 whose cell in the column passes the numeric-start test.
int NumericRun(const DepthTable& table, int column) {
    int row = 1;
    while (row <= table.Capacity() && IsNumber(table.Cell(row, column))) ++row;
    return row - 1;
}

// A code text of the record: the letter and one digit ("B1", "w3").
bool IsCodeText(std::string_view text, char letter) {
    return text.size() == 2 && text[0] == letter && text[1] >= '0' && text[1] <= '9';
}

bool IsMethodLetter(std::string_view text) {
    return text == "-" || text == "T" || text == "D" || text == "F" || text == "A";
}

}  // namespace

void MergePropertyColours(BoreholeRecord& record, int flag) {
    const DepthTable& property = record.Table(TableId::Property);
    DepthTable& layers = record.Table(TableId::Layer);
    for (int row = 1, rows = property.RowCount(); row <= rows; ++row) {
        const std::string& colour = property.Cell(row, 2);
        if (colour.empty()) continue;
        const double depth = core::LeadingReal(property.Cell(row, 1));
        int target = layers.FindRowByDepth(depth, kPostLoadMergeTolerance, true);
        if (target == 0) {
            target = layers.RowCount() + 1;
            if (target > layers.Capacity()) continue;
            layers.SetCell(target, 0, property.Cell(row, 1));
        }
        layers.SetCell(target, 3, colour);
        layers.SetCell(target, 6, core::Sprintf("%d", core::LeadingInt(layers.Cell(target, 6)) | flag));
    }
}

void MoveTokenSampleColumns(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Sample);
    for (int row = 1, rows = t.RowCount(); row <= rows; ++row) {
        if (IsMethodLetter(t.Cell(row, 3))) continue;
        const std::string method = t.Cell(row, 2);
        t.SetCell(row, 2, t.Cell(row, 3));
        t.SetCell(row, 3, SampleMethodLetter(method, IsNumber(method) ? std::string_view() : std::string_view(method)));
    }
}

void MoveTokenInsituColumns(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Insitu);
    for (int row = 1, rows = t.RowCount(); row <= rows; ++row) {
        if (t.Cell(row, 7) == "85") continue;
        const std::string result = t.Cell(row, 2);
        t.SetCell(row, 2, t.Cell(row, 3));
        t.SetCell(row, 3, result);
        t.SetCell(row, 7, "85");
    }
}

void MoveTokenHoleColumns(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Hole);
    for (int row = 1, rows = t.RowCount(); row <= rows; ++row) {
        if (!IsCodeText(t.Cell(row, 2), 'B')) t.SetCell(row, 2, WallProtectionCode(t.Cell(row, 2)));
        if (!IsCodeText(t.Cell(row, 4), 'w')) t.SetCell(row, 4, WaterFeedKind(t.Cell(row, 4)));
    }
}

void MoveTokenDrillColumns(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Drill);
    for (int row = 1, rows = t.RowCount(); row <= rows; ++row) {
        if (!t.Cell(row, 1).empty()) t.SetCell(row, 1, ShortDate(t.Cell(row, 1)));
        if (!IsCodeText(t.Cell(row, 8), 'w')) t.SetCell(row, 8, WaterFeedKind(t.Cell(row, 8)));
    }
}

std::string DataKindLabel(int formatCode) {
    switch (formatCode) {
        case format::kXml110: return "BED0110";
        case format::kXml200:
        case format::kXml201: return "BED020X";
        case format::kXml210: return "BED0210";
        case format::kXml300: return "BED0300";
        case format::kXml400: return "BED0400";
        case format::kXml500: return "BED0500";
        case format::kXmlUnknownVersion: return "不明 未対応";
        default: return {};
    }
}

void SplitHeadingDate(BoreholeRecord& record, int first) {
    const std::string date = record.Heading(first);
    const auto dash1 = date.find('-');
    if (dash1 == std::string::npos) return;
    const auto dash2 = date.find('-', dash1 + 1);
    record.SetHeading(first, date.substr(0, dash1));
    if (dash2 == std::string::npos) {
        record.SetHeading(first + 1, date.substr(dash1 + 1));
        record.SetHeading(first + 2, "");
    } else {
        record.SetHeading(first + 1, date.substr(dash1 + 1, dash2 - dash1 - 1));
        record.SetHeading(first + 2, date.substr(dash2 + 1));
    }
}

void FillArticleUpperDepths(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Article);
    const int rows = std::max(NumericRun(t, 0), NumericRun(t, 1));
    for (int row = 1; row <= rows; ++row) {
        if (IsNumber(t.Cell(row, 0))) continue;
        t.SetCell(row, 0, row == 1 ? std::string("0.0") : t.Cell(row - 1, 1));
    }
}

void RecomputePresenceFlags(BoreholeRecord& record) {
    DepthTable& drill = record.Table(TableId::Drill);
    for (int row = 1, rows = drill.RowCount(); row <= rows; ++row) {
        int flags = 0;
        for (int column = 1; column <= 8; ++column) {
            if (!drill.Cell(row, column).empty()) flags |= 1 << (column - 1);
        }
        drill.SetCell(row, 9, core::Sprintf("%d", flags));
    }
    DepthTable& hole = record.Table(TableId::Hole);
    for (int row = 1, rows = hole.RowCount(); row <= rows; ++row) {
        int flags = 0;
        for (int column = 1; column <= 5; ++column) {
            if (!hole.Cell(row, column).empty()) flags |= 1 << column;
        }
        hole.SetCell(row, 6, core::Sprintf("%d", flags));
    }
}

void MergeHoleIntoDrill(BoreholeRecord& record) {
    const DepthTable& hole = record.Table(TableId::Hole);
    DepthTable& drill = record.Table(TableId::Drill);
    for (int row = 1, rows = hole.RowCount(); row <= rows; ++row) {
        if (hole.Cell(row, 4).empty()) continue;
        const double depth = core::LeadingReal(hole.Cell(row, 0));
        int target = drill.FindRowByDepth(depth, kPostLoadMergeTolerance, true);
        if (target == 0) {
            target = drill.RowCount() + 1;
            if (target > drill.Capacity()) continue;
            drill.SetCell(target, 0, hole.Cell(row, 0));
        }
        drill.SetCell(target, 8, hole.Cell(row, 4));
    }
}

void PostLoad(BoreholeRecord& record, int formatCode) {
    if (formatCode != format::kTessel) {
        LayoutTwoNames(record);
        record.SetHeading(71, "1");
        record.SetHeading(72, "1000");
    }
    if (formatCode == format::kTessel) {
        RecomputePresenceFlags(record);
        for (TableId id : {TableId::Layer, TableId::Hole, TableId::Drill}) SortTableByDepth(record, id);
        return;
    }
    if (IsExchangeFormat(formatCode)) {
        for (TableId id : {TableId::Layer, TableId::Hole, TableId::Drill, TableId::CoreLength, TableId::Property}) {
            SortTableByDepth(record, id);
        }
        MarkLastRow(record);
        ApplyPropertySymbols(record);
        FillArticleUpperDepths(record);
        if (formatCode >= format::kXml200) {
            SplitHeadingDate(record, 6);
            SplitHeadingDate(record, 9);
        }
        return;
    }
    switch (formatCode) {
        case format::kTokenP:
        case format::kTokenB: {
            MergePropertyColours(record, kMergedColourFlag);
            SortTableByDepth(record, TableId::Layer);
            MoveTokenSampleColumns(record);
            MoveTokenInsituColumns(record);
            MoveTokenHoleColumns(record);
            if (formatCode == format::kTokenB) {
                const DepthTable& water = record.Table(TableId::Water);
                DepthTable& log = record.Table(TableId::WaterLog);
                for (int row = 1, rows = water.RowCount(); row <= rows; ++row) {
                    for (int column = 0; column < 8; ++column) log.SetCell(row, column, water.Cell(row, column));
                }
            }
            MoveTokenDrillColumns(record);
            MergeHoleIntoDrill(record);
            SortTableByDepth(record, TableId::Drill);
            RecomputePresenceFlags(record);
            ReplaceRomanNumerals(record);
            break;
        }
        case format::kJacic:
            MoveTokenInsituColumns(record);
            MergeHoleIntoDrill(record);
            break;
        case format::kHarbour:
            for (int index : {48, 49, 50}) record.SetHeading(index, "");
            break;
        default:
            break;
    }
}

}  // namespace stracol::borehole
