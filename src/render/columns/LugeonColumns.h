#pragma once
// The Lugeon test columns over LugeonTable, one box per test from its upper to its lower
// depth: the Lugeon value (3401, ルジオン>値; in parentheses when it is a converted value), the
// pressure scale of the graph (3402, ルジオン>目盛り) and the P–Q graph (3403, ルジオン>図):
// effective injection pressure P up the box, injection rate Q across it, each axis from its
// start point to its full scale, the measured points joined in order with the pressure-
// increasing and pressure-decreasing widths, the critical pressure in its brackets and the
// Lugeon value.

#include <optional>
#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

struct LugeonPoint {
    double pressure = 0;  // MPa
    double flow = 0;      // L/min/m
};

// One LugeonTable row.
struct LugeonTest {
    double upper = 0;  // m
    double lower = 0;  // m
    std::string criticalPressure;  // MPa, as stored
    std::string value;             // Lugeon value, as stored
    bool converted = false;        // column 9 "8": a converted value
    std::string pressureStart, flowStart, pressureFullScale, flowFullScale;
    std::vector<LugeonPoint> points;
    // The axes: P from p0 to p1, Q from q0 to q1 (p1 > p0, q1 > q0).
    double p0 = 0, p1 = 1, q0 = 0, q1 = 1;
    // The axis ends as written: the stored texts of the ends taken from the table.
    std::string p0Label, p1Label, q0Label, q1Label;
};

// The tests of the table whose depths are numbers, in row order. The points come from the
// comma-separated list of column 10 (pressure, flow, pressure, flow …; a pair with a part that
// is not a number is left out). An axis whose start or full scale is missing, or whose full
// scale does not lie above its start, runs from 0 (or the start) to the largest measured value.
std::vector<LugeonTest> LugeonTests(const borehole::BoreholeRecord& record);

// The plot area of a test's graph in log coordinates: the box of the test (at least
// kLugeonMinBoxMm of paper high) less margins for the texts.
struct LugeonPlotArea {
    double leftMm = 0, rightMm = 0;
    double top = 0, bottom = 0;  // m
    double boxTop = 0, boxBottom = 0;
    double XOf(const LugeonTest& t, double flow) const;
    double YOf(const LugeonTest& t, double pressure) const;
};
inline constexpr double kLugeonMinBoxMm = 15.0;
LugeonPlotArea LugeonPlotAreaOf(const PageGeometry& g, const LugeonTest& test, double xlMm, double xrMm);

// The value text of 3401: the stored value, "(value)" for a converted one.
std::string LugeonValueText(const LugeonTest& test);
// A pressure figure as the settings ask: PressureDecimals 1 formats a number to one decimal.
std::string PressureText(const std::string& text, int pressureDecimals);

void DrawLugeonValueColumn(LogContext& ctx, int slot);
void DrawLugeonScaleColumn(LogContext& ctx, int slot);
void DrawLugeonGrid(LogContext& ctx, int slot);
void DrawLugeonGraph(LogContext& ctx, int slot);

// Registers 3401, 3402, 3403 and the grid of 3403.
void RegisterLugeonColumns(ColumnRegistry& registry);

}  // namespace stracol::render
