#pragma once
// The Tessel v1 export of the loaded data: the borehole record and the current log style
// written as one ".tlw" file, for the desktop program's export command and the command line.

#include "borehole/BoreholeRecord.h"
#include "borehole/TesselWriter.h"
#include "style/LogStyle.h"

#include <string>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::app {

// The style part of a Tessel v1 file: the 21 title lines, the item rows in use and the 12
// legend rows, written as a style file writes them.
borehole::TesselStyleLines TesselStyleOf(const style::LogStyle& style);

// The lines of the file for the record and the style.
std::vector<std::string> TesselLines(const borehole::BoreholeRecord& record, const style::LogStyle& style);

// WriteTessel: writes the record and the style to path (CP932, CR LF; the old file is
// replaced only once all is written). On failure shows "保存できませんでした" when messages
// is given and returns false.
bool WriteTessel(const std::string& path, const borehole::BoreholeRecord& record, const style::LogStyle& style,
                 core::Messages* messages);

}  // namespace stracol::app
