#pragma once
// Numbers as the screens read and write them: "." as the point, plain decimals.

#include <optional>
#include <string>
#include <string_view>

namespace nubera {

// The value of a decimal text such as "320", "-1.5", " 10 " or "1e3";
// nullopt for the empty text and anything that is not a number.
std::optional<double> textToNumber(std::string_view text);

// Plain decimal text with at most 15 significant digits, no exponent,
// no trailing zeros and no trailing "." (240 -> "240", 240.75 -> "240.75").
std::string numberToText(double value);

// The player's height for a width: three quarters of it, unrounded
// ("320" -> "240", "321" -> "240.75"); nullopt when the width is no number.
std::optional<std::string> heightForWidth(std::string_view width);

}  // namespace nubera
