#include "app/TesselExport.h"

#include "style/StyleWriter.h"

#include <algorithm>

namespace stracol::app {

borehole::TesselStyleLines TesselStyleOf(const style::LogStyle& style) {
    borehole::TesselStyleLines out;
    out.titles.assign(style.titleLines.begin(), style.titleLines.end());
    // The item and legend lines exactly as a style file holds them, between their section lines.
    const std::vector<std::string> lines = style::StyleFileLines(style);
    const auto items = std::find(lines.begin(), lines.end(), "$$X_");
    const auto legends = std::find(items, lines.end(), "$$t_");
    const auto end = std::find(legends, lines.end(), "$$_");
    if (items != lines.end()) out.items.assign(items + 1, legends);
    if (legends != lines.end()) out.legends.assign(legends + 1, end);
    return out;
}

std::vector<std::string> TesselLines(const borehole::BoreholeRecord& record, const style::LogStyle& style) {
    return borehole::TesselFileLines(record, TesselStyleOf(style));
}

bool WriteTessel(const std::string& path, const borehole::BoreholeRecord& record, const style::LogStyle& style,
                 core::Messages* messages) {
    return borehole::WriteTesselLines(path, TesselLines(record, style), messages);
}

}  // namespace stracol::app
