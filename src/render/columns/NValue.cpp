#include "render/columns/NValue.h"

#include <algorithm>
#include <cmath>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"

namespace stracol::render {

namespace {

// Limits of the test interval the test columns write into (m).
constexpr double kMinIntervalM = 0.03;
constexpr double kMaxIntervalM = 0.9;
// A value this close to a whole number is written as one.
constexpr double kWholeNumberTolerance = 0.001;
// Bytes of a non-numeric record shown in the blows column.
constexpr std::size_t kBlowsTextBytes = 3;

}  // namespace

SptRecord ReadSptRecord(std::string_view text) {
    SptRecord record;
    const std::size_t slash = text.find('/');
    const std::string_view before = slash == std::string_view::npos ? text : text.substr(0, slash);
    record.blows = std::min(core::LeadingInt(before), kMaxSptBlows);
    if (slash != std::string_view::npos) {
        const std::string_view after = text.substr(slash + 1);
        if (core::IsNumericStart(after) == 1) {
            record.penetrationCm = core::LeadingInt(after);
            record.penetrationGiven = true;
        }
    }
    return record;
}

double NValue(const SptRecord& record) {
    if (record.penetrationCm <= 0) return kNoPenetrationN;
    const double n = 30.0 * record.blows / record.penetrationCm;
    return std::min(n, kNoPenetrationN);
}

double NValue(std::string_view totalRecord) { return NValue(ReadSptRecord(totalRecord)); }

double SptTest::PlotDepthM() const { return depthM + total.penetrationCm / 200.0; }

double SptTest::IntervalBottomM() const {
    const double q = std::clamp(total.penetrationCm / 100.0, kMinIntervalM, kMaxIntervalM);
    return depthM + q;
}

SptTest ReadSptTest(const borehole::DepthTable& table, int row) {
    SptTest test;
    test.row = row;
    test.depthM = core::LeadingReal(table.Cell(row, kSptDepthColumn));
    test.totalText = table.Cell(row, kSptTotalColumn);
    test.total = ReadSptRecord(test.totalText);
    test.hasValue = core::IsNumericStart(test.totalText) == 1;
    test.lineBreak = core::TrimBlanks(table.Cell(row, kSptLineBreakColumn)) == "1";
    test.n = NValue(test.total);
    test.label = table.Cell(row, kSptLabelColumn);
    return test;
}

std::vector<SptTest> SptTests(const borehole::BoreholeRecord& record) {
    const borehole::DepthTable& table = record.Table(borehole::TableId::Spt);
    std::vector<SptTest> tests;
    const int rows = table.RowCount();
    tests.reserve(static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row) tests.push_back(ReadSptTest(table, row));
    return tests;
}

int NFullScale(int nMaxBlows) {
    switch (nMaxBlows) {
        case 1: return 60;
        case 2: return 100;
        default: return 50;
    }
}

int NMajorGridStep(int fullScale) { return fullScale == 100 ? 20 : 10; }

int NPlotWidthMm(std::string_view widthField) {
    const int width = core::LeadingInt(widthField);
    return width < 1 ? 50 : width;
}

double NValueX(double n, double leftMm, int plotWidthMm, int fullScale) {
    if (fullScale <= 0) return leftMm;
    const double limited = std::clamp(n, 0.0, static_cast<double>(fullScale));
    return leftMm + limited * plotWidthMm / fullScale;
}

std::string NValueText(double n) {
    if (n > kNoPenetrationTextLimit) return "-";
    const double whole = std::round(n);
    if (std::fabs(n - whole) < kWholeNumberTolerance) return core::Sprintf("%2d", static_cast<int>(whole));
    return core::Sprintf("%.1f", n);
}

std::string SptDepthText(double depthM) { return core::Sprintf("%5.2f", depthM); }

std::string SptBlowsText(std::string_view record) {
    const std::string_view trimmed = core::TrimBlanks(record);
    if (!trimmed.empty() && trimmed.front() == '/') return "0";
    if (core::IsNumericStart(record) != 1) {
        // "%3.3s": at most three bytes, padded on the left, never half a character.
        std::string cut = core::Cp932Truncate(record, kBlowsTextBytes);
        const std::size_t width = core::Cp932Width(cut);
        return std::string(kBlowsTextBytes - std::min(width, kBlowsTextBytes), ' ') + cut;
    }
    return core::Sprintf("%3d", ReadSptRecord(record).blows);
}

std::string SptPenetrationMmText(const SptRecord& record) {
    return core::Sprintf("%2lld", static_cast<long long>(record.penetrationCm) * 10);
}

std::string SptTotalText(const SptTest& test, const app::SystemSettings& settings) {
    if (!test.hasValue) return {};
    if (test.total.NoPenetration()) return settings.NoPenetrationText;
    if (test.total.SelfSinking()) return settings.SelfSinkText;
    return core::Sprintf("%d/%d", test.total.blows, test.total.penetrationCm);
}

}  // namespace stracol::render
