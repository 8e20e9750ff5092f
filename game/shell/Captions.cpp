#include "Captions.h"

#include "Version.h"

namespace zeltrix {

void SetMainCaptions(Field& field) {
    field.caption = AppTitle + "  V" + korvo::ProgramVersion();
    field.m_AboutCaption = "&About " + AppTitle;
}

} // namespace zeltrix
