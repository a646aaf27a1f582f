// The full-width alphanumerics check: which texts are reported, how each category writes its
// findings and where the report stops.

#include "borehole/FullWidthCheck.h"

#include <gtest/gtest.h>

#include "borehole/BoreholeRecord.h"
#include "core/Format.h"

namespace stracol::borehole {
namespace {

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

TEST(FullWidthCheck, ReportsFullWidthDigitsLettersAndUnits) {
    struct Case {
        const char* text;
        bool reported;
    } cases[] = {
        {"１", true},          // a single full-width digit is 2 bytes
        {"1", false},          // one byte is never reported
        {"12m", false},
        {"深度１２ｍ", true},
        {"ｍ", true},
        {"ｂ", true},          // a small letter counts upper-cased
        {"Ｎ値", true},
        {"㎝", true},
        {"②", true},
        {"Ⅲ", true},
        {"Ⅹ", false},          // not in the list of roman numerals
        {"砂礫", false},
        {"ｱｲｳ", false},        // half-width katakana
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasFullWidthAlphanumerics(c.text), c.reported) << c.text;
}

TEST(FullWidthCheck, DataWithoutFindingsShowsNone) {
    BoreholeRecord record;
    record.SetHeading(1, "調査 2020");
    record.Table(TableId::Layer).SetCell(1, 0, "1.50");
    record.Table(TableId::Layer).SetCell(1, 1, "砂礫");
    EXPECT_EQ(FullWidthReport(record), "　無し");
}

TEST(FullWidthCheck, EachCategoryWritesItsFindingLines) {
    BoreholeRecord record;
    record.SetHeading(5, "Ｂ－１");
    record.SetHeading(28, "Ｂ－２");   // beyond the 27 headings checked
    DepthTable& layers = record.Table(TableId::Layer);
    layers.SetCell(1, 0, "1.50");
    layers.SetCell(1, 1, "砂礫");
    layers.SetCell(2, 0, "3.00");
    layers.SetCell(2, 1, "粘土（ｍ）");
    layers.SetCell(2, 3, "暗灰色２");
    DepthTable& articles = record.Table(TableId::Article);
    articles.SetCell(1, 0, "0.00");
    articles.SetCell(1, 1, "3.00");
    articles.SetCell(1, 3, "φ２～５ｍｍの礫を混入する");
    const std::string report = FullWidthReport(record);
    EXPECT_EQ(report,
              "▼見出し\r\n(5) Ｂ－１  \r\n"
              "▼地質･色調\r\n( 3.00 m ) 粘土（ｍ）  暗灰色２ \r\n"
              "▼観察記事\r\n( 0.00m - 3.00m ) φ２～５ｍｍの礫を混入する  \r\n");
}

TEST(FullWidthCheck, LongTextsAreCutAtTheirByteWidth) {
    BoreholeRecord record;
    // 20 full-width characters: 40 bytes, cut to 30 in the heading.
    record.SetHeading(1, "１２３４５６７８９０１２３４５６７８９０");
    EXPECT_EQ(FullWidthReport(record), "▼見出し\r\n(1) １２３４５６７８９０１２３４５  \r\n");
}

TEST(FullWidthCheck, CategoriesStopAfterTenHeadingsOrThreeRowsAndTheReportAfterFifty) {
    BoreholeRecord record;
    for (int i = 1; i <= 12; ++i) record.SetHeading(i, "ＡＢ");
    DepthTable& spt = record.Table(TableId::Spt);
    for (int row = 1; row <= 5; ++row) {
        spt.SetCell(row, 0, core::Sprintf("%d.15", row));
        spt.SetCell(row, 6, "Ｎ＝５０");
    }
    std::string report = FullWidthReport(record);
    EXPECT_EQ(Count(report, "(1"), 2);                      // (1) and (10): only the first ten
    EXPECT_EQ(Count(report, "ＡＢ"), 10);
    EXPECT_EQ(Count(report, "Ｎ＝５０"), 3);
    EXPECT_EQ(Count(report, "  - -\r\n"), 2);

    // The check ends after the category that brings the total to 50: here the drilling
    // category after the properties is read only while fewer were found.
    struct Case {
        int propertyRows;
        bool drillingRead;
    } cases[] = {{0, true}, {1, true}, {2, false}, {3, false}};  // 38, 44, 50, 56
    for (const Case& c : cases) {
        BoreholeRecord many;
        for (int i = 1; i <= 10; ++i) many.SetHeading(i, "１");              // 10
        DepthTable& layers = many.Table(TableId::Layer);
        DepthTable& insitu = many.Table(TableId::Insitu);
        DepthTable& samples = many.Table(TableId::Sample);
        for (int row = 1; row <= 3; ++row) {
            const std::string depth = core::Sprintf("%d.0", row);
            layers.SetCell(row, 0, depth);
            insitu.SetCell(row, 0, depth);
            samples.SetCell(row, 0, depth);
            for (int column = 1; column <= 3; ++column) layers.SetCell(row, column, "１");   // 9
            for (int column = 1; column <= 3; ++column) insitu.SetCell(row, column, "２");   // 9
            for (int column = 2; column <= 4; ++column) samples.SetCell(row, column, "３");  // 9
        }
        many.Table(TableId::Spt).SetCell(1, 0, "1.15");
        many.Table(TableId::Spt).SetCell(1, 6, "１");                          // 38 so far
        DepthTable& properties = many.Table(TableId::Property);
        for (int row = 1; row <= c.propertyRows; ++row) {
            properties.SetCell(row, 1, core::Sprintf("%d.5", row));
            for (int column = 2; column <= 7; ++column) properties.SetCell(row, column, "４");  // 6 a row
        }
        DepthTable& drilling = many.Table(TableId::Drill);
        drilling.SetCell(1, 0, "1.0");
        drilling.SetCell(1, 8, "Ｗ１");
        const std::string report = FullWidthReport(many);
        EXPECT_EQ(report.find("▼削孔") != std::string::npos, c.drillingRead) << c.propertyRows;
        if (c.propertyRows > 0) {
            EXPECT_NE(report.find("( 1.5m ) ４"), std::string::npos);   // the property depth is column 1
        }
    }
}

}  // namespace
}  // namespace stracol::borehole
