#include "Help.h"

#include "DataPath.h"
#include "Documents.h"

namespace zeltrix {

void ShowHelp() {
    bool opened = false;
    korvo::OpenDocument(korvo::dataPath("korvo's help.hlp"), 0, opened);
}

} // namespace zeltrix
