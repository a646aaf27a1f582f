#pragma once
// The eight built-in log styles (1 rock, 2 soil all-core, 3 soil standard penetration,
// 4 landslide all-core, 5 landslide standard penetration, 6-8 older kinds) and the start-up
// default, kept as style text.

#include <string>
#include <vector>

namespace stracol::style {

inline constexpr int kBuiltInStyleCount = 8;

// The text of built-in style 1..8 (empty for any other number): a complete style file
// followed by the end line "-1 Eof".
const std::vector<std::string>& BuiltInStyleLines(int number);

// The start-up default (used when SyInitV.tls cannot be used), ending with "-1 END".
const std::vector<std::string>& StartupStyleLines();

}  // namespace stracol::style
