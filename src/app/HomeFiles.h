#pragma once
// The built-in home files: the settings, fonts, styles and masters the program uses when its
// folder has none, written out as the files it reads, so that they can be edited and so that
// an installed program can seed each user's folder with them.

#include <string>
#include <vector>

namespace stracol::app {

// The files written, relative to the folder: SysQXV.ndx, Font1.ndx … Font8.ndx, SyInitV.tls,
// Style01.tls … Style08.tls, WdtvTSL.mst, PtnvcQX.ndx and Mst/ClmObj.mst.
std::vector<std::string> BuiltInHomeFileNames();

// Writes the built-in files into the folder (made when missing). A file that is already
// there is kept as it is. The names written go to *written; false with the reason when a
// file cannot be written.
bool WriteBuiltInHomeFiles(const std::string& folder, std::string& error, std::vector<std::string>* written = nullptr);

}  // namespace stracol::app
