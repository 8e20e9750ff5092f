#include "Captions.h"

#include "AppVersion.h"

namespace zeltrix {

std::string AppVersion() {
    return std::to_string(version::Major) + '.' + std::to_string(version::Minor) + '.' +
           std::to_string(version::Revision);
}

void SetMainCaptions(Field& field) {
    field.caption = AppTitle + "  V" + AppVersion();
    field.m_AboutCaption = "&About " + AppTitle;
}

} // namespace zeltrix
