#pragma once
// Writing the loaded data as a Tessel v1 file ("$$_TQTOK1"): the heading, every table row in
// use and the log style, in the sections the Tessel v1 reader takes back.

#include "borehole/BoreholeRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::borehole {

inline constexpr std::string_view kTesselMagic = "$$_TQTOK1";

// The style part as the lines of its three sections: the title lines (each one field), the
// item lines and the legend lines, ready to be written.
struct TesselStyleLines {
    std::vector<std::string> titles;
    std::vector<std::string> items;
    std::vector<std::string> legends;
};

// The lines of a Tessel v1 file (without line ends): the magic, then the sections "$$z_",
// "$$X_", "$$Z_", "$$A_", "$$C_", "$$c_", "$$E_", "$$e_", "$$G_", "$$H_", "$$I_", "$$J_", "$$K_",
// "$$k_", "$$N_", "$$n_", "$$m_", "$$O_", "$$o_", "$$P_", "$$Q_", "$$R_", "$$r_", "$$S_", "$$T_",
// "$$U_", "$$V_", "$$v_", "$$W_", "$$w_", "$$t_", "$$F_" and the end line "$$_". Each row in use
// is its cells each followed by ","; Heading 14 and 15 are written as the latitude 51, 52, 53
// and the longitude 54, 55, 56 joined by commas (when any of the three is given).
//
// What the format cannot hold is written so that the file still reads back line for line: a
// cell with a comma is quoted, a double quote in a cell becomes "＂", a line break inside a
// one-line text a space, "$$" (which would start a section) "＄＄", and 0x07 in an article a
// space.
std::vector<std::string> TesselFileLines(const BoreholeRecord& record, const TesselStyleLines& style);

// Writes the lines as CP932 with CR LF, replacing the file only once all is written. On
// failure shows "保存できませんでした" when messages is given and returns false.
bool WriteTesselLines(const std::string& path, const std::vector<std::string>& lines, core::Messages* messages);

}  // namespace stracol::borehole
