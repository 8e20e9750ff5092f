#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvo {

// The ordinary text-to-number conversion: blanks around the number are allowed, anything else
// that is not part of a decimal number fails.
std::optional<double> toNumber(std::string_view text);

// The whole part of a number text, rounded towards minus infinity; 0 when it is no number.
long long wholeNumber(std::string_view text);

} // namespace korvo
