#include "WindowFinder.h"

#include <QString>

namespace korvo {

bool TitleMatches(std::string_view title, std::string_view must, std::string_view mustNot) {
    const auto upper = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUpper();
    };
    const QString hay = upper(title);
    const QString avoid = mustNot.empty() ? QStringLiteral("###") : upper(mustNot);
    return hay.contains(upper(must)) && !hay.contains(avoid);
}

} // namespace korvo
