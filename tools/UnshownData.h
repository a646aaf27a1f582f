#pragma once
// Data that a file holds but the chosen log style has no column for, so that the command line
// can tell the user to pick another style.

#include <string>
#include <vector>

namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::style { struct LogStyle; }

namespace stracol::tools {

struct UnshownData {
    std::string kind;  // the data kind, e.g. 標準貫入試験
    int rows = 0;      // rows the record holds
};

// Every kind of data with rows in the record that no item of the style draws, in a fixed order.
std::vector<UnshownData> DataTheStyleDoesNotShow(const style::LogStyle& style, const borehole::BoreholeRecord& record);

// "標準貫入試験 20 rows, 孔内水位 2 rows".
std::string UnshownDataText(const std::vector<UnshownData>& unshown);

}  // namespace stracol::tools
