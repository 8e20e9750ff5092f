#include "Numbers.h"

#include <charconv>
#include <cmath>

namespace korvo {

std::optional<double> toNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

long long wholeNumber(std::string_view text) {
    auto value = toNumber(text);
    if (!value || std::abs(*value) > 9e15) {
        return 0;
    }
    return static_cast<long long>(std::floor(*value));
}

} // namespace korvo
