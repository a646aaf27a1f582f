#pragma once
// The groundwater-logging columns (地下水検層): the depth–resistivity graph 3501 with one curve
// per measuring time from TracerDetailTable (the measured values of a depth joined with ","),
// its grid with a line at every whole metre, the detected intervals 3502 (検出区間, from
// TracerResultTable) and the method figure 2051 (地下水検層方法図): the logged section of the
// hole between its upper and lower depth lines with the detected intervals filled.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// The measured values of one depth, one per measuring time (a value that is not a number
// leaves a gap in its curve).
struct LoggingRow {
    double depth = 0;  // m
    std::vector<std::optional<double>> values;
};

struct LoggingData {
    std::vector<LoggingRow> rows;      // in table order
    std::vector<std::string> times;    // Heading 73, split at ","
    std::size_t curveCount = 0;        // the most values of a row
};
LoggingData ReadLoggingData(const borehole::BoreholeRecord& record);

// The resistivity axis across the graph: logarithmic from a decade below the smallest to a
// decade above the largest positive value when they lie two decades or more apart, else
// linear from 0 to the next 1, 2 or 5 step above the largest value.
struct LoggingAxis {
    bool logarithmic = false;
    double low = 0;
    double high = 1;
    double XOf(double value, double xlMm, double xrMm) const;
    // The values labelled and ruled: every decade, or every tenth of a linear axis.
    std::vector<double> Marks() const;
};
LoggingAxis LoggingAxisOf(const LoggingData& data);

// The label of curve k: its measuring time when the rows hold as many values as there are
// times, else the curve's number from 1.
std::string LoggingCurveLabel(const LoggingData& data, std::size_t k);

void DrawLoggingGrid(LogContext& ctx, int slot);
void DrawLoggingGraph(LogContext& ctx, int slot);
void DrawLoggingMethodFigure(LogContext& ctx, int slot);

// Registers 3501, its grid, 3502 and 2051.
void RegisterLoggingColumns(ColumnRegistry& registry);

}  // namespace stracol::render
