#pragma once
// printf-style formatting that always uses the "C" locale ("%g" of 1.5 is "1.5" whatever the
// user's locale), for the numbers the program writes into its files and onto the log.

#include <string>

namespace stracol::core {

std::string Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace stracol::core
