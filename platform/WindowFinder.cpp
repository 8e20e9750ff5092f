#include "WindowFinder.h"

#include "Text.h"

namespace korvo {

bool TitleMatches(std::string_view title, std::string_view must, std::string_view mustNot) {
    const std::string hay = upperCase(title);
    const std::string avoid = mustNot.empty() ? std::string("###") : upperCase(mustNot);
    return hay.find(upperCase(must)) != std::string::npos && hay.find(avoid) == std::string::npos;
}

} // namespace korvo
