#pragma once
// Numbers typed into the fields of the settings dialogs (and given to the command line's
// matching options): a whole text that is an integer or a number, full-width digits taken
// as their ASCII forms, with the message a refused entry gets.

#include <optional>
#include <string>
#include <string_view>

namespace stracol::app {

// What a field refused: the message to show (focus then goes back to the field).
struct FieldError {
    std::string message;
};

// The text with full-width digits, signs, point and blanks made ASCII, blanks trimmed.
std::string AsciiNumberText(std::string_view text);

// An integer from low to high: "整数を入力してください。" for a text that is no integer,
// "LOW から HIGH までの整数を入力してください。" for one out of range.
std::optional<FieldError> ParseIntField(std::string_view text, int low, int high, int& value);
// Any integer an int holds.
std::optional<FieldError> ParseIntField(std::string_view text, int& value);

// A number from low to high: "数値を入力してください。", "LOW から HIGH までの数値を入力して
// ください。".
std::optional<FieldError> ParseRealField(std::string_view text, double low, double high, double& value);
std::optional<FieldError> ParseRealField(std::string_view text, double& value);

// The range messages themselves.
std::string IntegerRangeMessage(int low, int high);
std::string RealRangeMessage(double low, double high);

}  // namespace stracol::app
