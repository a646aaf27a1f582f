#pragma once
// The standard penetration test in numbers: reading a "blows/penetration" record of the
// SptTable, the N value of a test, the graph's full scale and the texts of the test columns.
// Shared by the N-value graph, the test columns and the density levels computed from N.

#include <string>
#include <string_view>
#include <vector>

namespace stracol::app { struct SystemSettings; }
namespace stracol::borehole { struct BoreholeRecord; class DepthTable; }

namespace stracol::render {

// The N value given for a test without penetration (and the largest N there is).
inline constexpr double kNoPenetrationN = 3999.99;
// N values above this show "-" in the N column (no penetration).
inline constexpr double kNoPenetrationTextLimit = 3100.0;
// Blow counts are limited to this.
inline constexpr int kMaxSptBlows = 999;
// Penetration (cm) of a record that gives none: the 30 cm of a full test.
inline constexpr int kFullTestPenetrationCm = 30;

// SptTable columns.
inline constexpr int kSptDepthColumn = 0;
inline constexpr int kSptTotalColumn = 1;
inline constexpr int kSptFirstIncrementColumn = 2;  // 2, 3, 4: the three 100 mm increments
inline constexpr int kSptLineBreakColumn = 5;       // "1": a new line segment of the graph
inline constexpr int kSptLabelColumn = 6;           // text written beside the plotted point

// One record of a test as the table stores it: the blows, a "/" and the penetration in
// centimetres ("50/12"); the total record (column 1) and each 100 mm increment (2 to 4).
struct SptRecord {
    int blows = 0;                              // leading integer before the first "/", at most 999
    int penetrationCm = kFullTestPenetrationCm; // after the "/"; 30 when there is none
    bool penetrationGiven = false;              // a "/" followed by a number

    // The test ended without penetration (penetration 0 or less): N is 3999.99.
    bool NoPenetration() const { return penetrationCm <= 0; }
    // The rods sank under their own weight: no blow was counted.
    bool SelfSinking() const { return blows == 0; }
};

// Reads "blows/penetration": blows the leading integer of the part before the first "/" (the
// whole text without "/"), limited to 999; penetration the leading integer after the "/", or
// 30 when there is no "/" or the part after it is not numeric.
SptRecord ReadSptRecord(std::string_view text);

// The N value: 30 × blows / penetration; 3999.99 for a penetration of 0 or less; never above
// 3999.99.
double NValue(const SptRecord& record);
double NValue(std::string_view totalRecord);

// One test of the SptTable as the graph and the columns use it.
struct SptTest {
    int row = 0;                 // SptTable row (1-based)
    double depthM = 0;           // test start depth d
    std::string totalText;       // column 1 as stored
    SptRecord total;             // column 1 read
    bool hasValue = false;       // the total record passes the numeric-start test
    bool lineBreak = false;      // column 5 is "1": a new line segment starts here
    double n = 0;                // NValue of the total record
    std::string label;           // column 6

    // The depth the test's N stands for: the middle of its penetration, d + p / 200.
    double PlotDepthM() const;
    // The end of the test interval the test columns write into: d + q, q the penetration in
    // metres limited to 0.03 … 0.9.
    double IntervalBottomM() const;
};

// The test of one row (depth and total record read as they are).
SptTest ReadSptTest(const borehole::DepthTable& table, int row);
// The tests of the record: rows from 1 until the first test depth that fails the
// numeric-start test.
std::vector<SptTest> SptTests(const borehole::BoreholeRecord& record);

// The graph's full scale Nmax from NMaxBlows: 0 → 50, 1 → 60, 2 → 100, others 50.
int NFullScale(int nMaxBlows);
// Blows between major grid lines: 20 for a full scale of 100, else 10.
int NMajorGridStep(int fullScale);

// The plot width G of the graph in mm: the leading integer of the width field, 50 when below 1.
int NPlotWidthMm(std::string_view widthField);
// x (mm) of N on a graph whose left edge is leftMm: leftMm + N × G / Nmax, N limited to
// 0 … Nmax so that no point leaves the graph.
double NValueX(double n, double leftMm, int plotWidthMm, int fullScale);

// The N column text: "-" above 3100 (no penetration), "%2d" for a whole number (within
// 0.001), else "%.1f".
std::string NValueText(double n);
// The depth column text "%5.2f".
std::string SptDepthText(double depthM);
// A blow-count cell of the blows column: "%3d" of the blows; "0" for a record that starts
// with "/"; the first three bytes ("%3.3s") of a record that is not numeric.
std::string SptBlowsText(std::string_view record);
// A penetration in millimetres ("%2d" of p × 10), as the self-sinking and 50-blow columns
// write it.
std::string SptPenetrationMmText(const SptRecord& record);
// The total column (打撃回数／貫入量): the no-penetration or self-sinking text of the settings,
// else the total blows and penetration "%d/%d"; empty for a test without a numeric record.
std::string SptTotalText(const SptTest& test, const app::SystemSettings& settings);

}  // namespace stracol::render
