#include "borehole/DataList.h"

#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Format.h"

namespace stracol::borehole {

namespace {

struct Block {
    const char* label;
    TableId table;
    std::vector<int> columns;
};

std::vector<int> FirstColumns(int count, int from = 0) {
    std::vector<int> columns;
    for (int c = from; c < from + count; ++c) columns.push_back(c);
    return columns;
}

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks = {
        {"土質地質名", TableId::Layer, FirstColumns(11)},
        {"破砕帯", TableId::Fault, FirstColumns(4)},
        {"破砕度", TableId::Crush, FirstColumns(3)},
        {"N値", TableId::Spt, FirstColumns(7)},
        {"ミニラムNd値", TableId::AuxC, FirstColumns(4)},
        // Upper and lower depth, the text, the frame-line flag.
        {"観察記事", TableId::Article, {0, 1, 3, 4}},
        {"孔内水位", TableId::Water, FirstColumns(8)},
        // The level as read, the signed level, its kind, the date.
        {"作業日毎水位", TableId::WaterLog, {0, 2, 4, 6}},
        {"原位置試験", TableId::Insitu, FirstColumns(8)},
        {"試料", TableId::Sample, FirstColumns(6)},
        {"地質時代年代", TableId::Era, FirstColumns(3)},
        {"地層岩体", TableId::Strata, FirstColumns(3)},
        // The property table keeps its depth in column 1.
        {"性状", TableId::Property, FirstColumns(9, 1)},
        {"採取率", TableId::Recovery, FirstColumns(4)},
        {"コア長RQD", TableId::CoreLength, FirstColumns(4)},
        {"コア質量", TableId::CoreMass, FirstColumns(2)},
        {"削孔状況", TableId::Drill, FirstColumns(11)},
        {"保護ビット", TableId::Hole, FirstColumns(7)},
        {"地盤材料", TableId::Material, FirstColumns(2)},
        // Ten fields of the test and the list of pressure and flow points.
        {"ルジオン", TableId::Lugeon, FirstColumns(11)},
        {"地下水検層", TableId::TracerResult, FirstColumns(3)},
        {" 検層データ", TableId::TracerDetail, FirstColumns(3)},
        {"保孔管", TableId::Casing, FirstColumns(2)},
        {"計測機器", TableId::Instrument, FirstColumns(3)},
        {"密度稠度", TableId::Density, FirstColumns(3)},
        {"空欄/自由記事", TableId::Remark, FirstColumns(3)},
    };
    return blocks;
}

// An article on one line: line breaks as blanks, a long text cut and marked.
std::string ArticleCell(const std::string& text) {
    std::string flat;
    for (char c : text) {
        if (c == '\r') continue;
        flat.push_back(c == '\n' ? ' ' : c);
    }
    if (core::Cp932Width(flat) <= static_cast<std::size_t>(kDataListArticleBytes)) return flat;
    return core::Cp932Truncate(flat, kDataListArticleBytes) + "…";
}

}  // namespace

std::vector<DataListLine> DataListLines(const BoreholeRecord& record, bool landslideLog) {
    std::vector<DataListLine> lines;
    for (const Block& block : Blocks()) {
        const DepthTable& table = record.Table(block.table);
        const int rows = table.RowCount();
        for (int row = 1; row <= rows; ++row) {
            if (lines.size() >= static_cast<std::size_t>(kDataListMaxLines)) return lines;
            if (row == 1) {
                std::string label = block.label;
                if (block.table == TableId::WaterLog && landslideLog) label += "(地すべり)";
                lines.push_back({label});
                if (lines.size() >= static_cast<std::size_t>(kDataListMaxLines)) return lines;
            }
            DataListLine line;
            for (int column : block.columns) {
                const std::string& cell = table.Cell(row, column);
                line.push_back(block.table == TableId::Article && column == 3 ? ArticleCell(cell) : cell);
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string DataListCountText(std::size_t lines) { return core::Sprintf(" %zu", lines); }

}  // namespace stracol::borehole
